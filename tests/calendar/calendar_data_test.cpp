#include <gtest/gtest.h>

#include "calendar/calendar_data.h"
#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

QByteArray Lines(const QString &text)
{
    QString crlf = text;
    crlf.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return EncodeAnsi(crlf);
}

class DayStylesTest : public ::testing::Test {
protected:
    QString ini() const { return folder.file("Tockara.ini"); }
    TempFolder folder;
    CalendarData data;
};

TEST(DayStyleKeyTest, KeysAreTheTrimmedNineCharacterFields)
{
    const char *expected[] = {"Today",    "Sunday",   "Monday",  "Tuesday",
                              "Wednesday", "Thursday", "Friday",  "Saturday",
                              "Special",  "Holiday",  "Nikki"};
    for (int n = 0; n < DayType::Count; ++n)
        EXPECT_EQ(DayStyleKey(n), QString::fromLatin1(expected[n])) << n;
    // "Wednesday" fills its field completely; the next key starts right after it.
    EXPECT_EQ(QByteArray(DayStyleKeyNames).mid(9 * DayType::Wednesday, 9), "Wednesday");
    EXPECT_EQ(QByteArray(DayStyleKeyNames).size(), 99);
}

TEST_F(DayStylesTest, MissingFileGivesDefaultFontAndRows)
{
    LoadDayStyles(data, ini());
    EXPECT_EQ(data.CalendarFontName, QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(data.DayStyleTable[DayType::Today], (DayStyle{1, 65535, 16744672, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Sunday], (DayStyle{0, 255, 0, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Saturday], (DayStyle{0, 16711680, 0, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Special], (DayStyle{4, 65535, 0, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Holiday], (DayStyle{0, 255, 0, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Nikki], (DayStyle{5, 0, 0, 0}));
    for (int n = DayType::Monday; n <= DayType::Friday; ++n)
        EXPECT_EQ(data.DayStyleTable[n], DayStyle{}) << n;
}

TEST_F(DayStylesTest, EmptyValueTakesTheDefaultRowNotZeros)
{
    folder.writeBytes("Tockara.ini", Lines("[Calender]\nToday=\nSunday=3,1,2,9\n"));
    LoadDayStyles(data, ini());
    EXPECT_EQ(data.DayStyleTable[DayType::Today], DefaultDayStyle(DayType::Today));
    EXPECT_EQ(data.DayStyleTable[DayType::Sunday], (DayStyle{3, 1, 2, 9}));
}

TEST_F(DayStylesTest, WednesdayKeyIsReadByItsFullName)
{
    folder.writeBytes("Tockara.ini", Lines("[Calender]\nWednesday=2,100,200,300\n"));
    LoadDayStyles(data, ini());
    EXPECT_EQ(data.DayStyleTable[DayType::Wednesday], (DayStyle{2, 100, 200, 300}));
    EXPECT_EQ(data.DayStyleTable[DayType::Thursday], DayStyle{});
}

TEST_F(DayStylesTest, MissingOrNonNumericFieldsReadAsZero)
{
    folder.writeBytes("Tockara.ini",
                      Lines("[Calender]\nToday=3,255\nSunday=x,12,,y\nNikki=99999,1,2,3\n"));
    LoadDayStyles(data, ini());
    EXPECT_EQ(data.DayStyleTable[DayType::Today], (DayStyle{3, 255, 0, 0}));
    EXPECT_EQ(data.DayStyleTable[DayType::Sunday], (DayStyle{0, 12, 0, 0}));
    // A kind outside the 16-bit range is unusable as well.
    EXPECT_EQ(data.DayStyleTable[DayType::Nikki], (DayStyle{0, 1, 2, 3}));
}

TEST_F(DayStylesTest, SaveWritesAllTwelveKeysInOrderAndReadsBack)
{
    data.CalendarFontName = QStringLiteral("IPAGothic");
    data.DayStyleTable[DayType::Monday] = {3, -1, 2147483647, 7};
    SaveDayStyles(data, ini());

    const QString text = DecodeAnsi(folder.readBytes("Tockara.ini"));
    EXPECT_TRUE(text.contains(QStringLiteral("Today=1,65535,16744672,0\r\n")));
    QStringList keys;
    for (const QString &line : text.split(QStringLiteral("\r\n")))
        if (line.contains(u'='))
            keys << line.section(u'=', 0, 0);
    EXPECT_EQ(keys, (QStringList{"Font", "Today", "Sunday", "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday", "Special", "Holiday", "Nikki"}));

    CalendarData loaded;
    LoadDayStyles(loaded, ini());
    EXPECT_EQ(loaded.CalendarFontName, data.CalendarFontName);
    EXPECT_EQ(loaded.DayStyleTable, data.DayStyleTable);
}

TEST_F(DayStylesTest, AFontNameReadsBackAsSavedWhateverItsBlanksAndQuotes)
{
    for (const QString &font : {QStringLiteral(" IPAGothic "), QStringLiteral("'IPAGothic'"),
                                QStringLiteral("\"ＭＳ ゴシック\"")}) {
        data.CalendarFontName = font;
        SaveDayStyles(data, ini());
        CalendarData loaded;
        LoadDayStyles(loaded, ini());
        EXPECT_EQ(loaded.CalendarFontName, font);
    }
}

TEST_F(DayStylesTest, SaveKeepsOtherSectionsOfTheSettingsFile)
{
    folder.writeBytes("Tockara.ini", Lines("[Setting]\nWidth=120\n[Fusen]\n0=買い物\n"));
    SaveDayStyles(data, ini());
    EXPECT_EQ(ReadIniValue("Setting", "Width", "", ini()), "120");
    EXPECT_EQ(ReadIniValue("Fusen", "0", "", ini()), QStringLiteral("買い物"));
    EXPECT_EQ(ReadIniValue("Calender", "Nikki", "", ini()), "5,0,0,0");
}

class HolidaysTest : public ::testing::Test {
protected:
    void Write(const QString &text) { folder.writeBytes("Calender.ini", Lines(text)); }
    TempFolder folder;
    CalendarData data;
};

TEST_F(HolidaysTest, RulesAreReadUpToTheFirstGap)
{
    Write(QStringLiteral("[NationalHoliday]\n1=0,1,1,元日\n2=4,1,0,成人の日\n4=0,11,3,文化の日\n"));
    data.HolidayCount = 7;
    LoadHolidays(data, folder.path());
    ASSERT_EQ(data.HolidayCount, 2);
    EXPECT_EQ(data.HolidayTable[1], (HolidayRule{0, 1, 1, QStringLiteral("元日")}));
    EXPECT_EQ(data.HolidayTable[2], (HolidayRule{4, 1, 0, QStringLiteral("成人の日")}));
    EXPECT_EQ(data.HolidayTable[3], HolidayRule{});

    // An empty value ends the list as well.
    Write("[NationalHoliday]\n1=0,1,1,a\n2=\n3=0,1,3,c\n");
    LoadHolidays(data, folder.path());
    EXPECT_EQ(data.HolidayCount, 1);
}

TEST_F(HolidaysTest, NameEndsAtAFurtherCommaAndBadFieldsReadAsZero)
{
    Write(QStringLiteral("[NationalHoliday]\n1=0,5,3,憲法記念日,extra\n2=1,3\n3=a,b,c\n"));
    LoadHolidays(data, folder.path());
    ASSERT_EQ(data.HolidayCount, 3);
    EXPECT_EQ(data.HolidayTable[1].Name, QStringLiteral("憲法記念日"));
    EXPECT_EQ(data.HolidayTable[2], (HolidayRule{1, 3, 0, QString()}));
    EXPECT_EQ(data.HolidayTable[3], (HolidayRule{0, 0, 0, QString()}));
}

TEST_F(HolidaysTest, ExtraFieldsGiveYearLimitsAndTheDay)
{
    Write(QStringLiteral("[NationalHoliday]\n1=0,12,0,天皇誕生日,1989,2018,23\n2=5,7,0,海の日,2022,,3\n"
                         "3=0,8,11,山の日,2016\n4=0,1,1,元日,x,y,z\n"));
    LoadHolidays(data, folder.path());
    ASSERT_EQ(data.HolidayCount, 4);
    EXPECT_EQ(data.HolidayTable[1], (HolidayRule{0, 12, 23, QStringLiteral("天皇誕生日"), 1989, 2018}));
    EXPECT_EQ(data.HolidayTable[2], (HolidayRule{5, 7, 3, QStringLiteral("海の日"), 2022, 0}));
    EXPECT_EQ(data.HolidayTable[3], (HolidayRule{0, 8, 11, QStringLiteral("山の日"), 2016, 0}));
    EXPECT_EQ(data.HolidayTable[4], (HolidayRule{0, 1, 0, QStringLiteral("元日"), 0, 0}));
}

TEST_F(HolidaysTest, RulesBeyondTheLimitAreIgnored)
{
    QString text = "[NationalHoliday]\n";
    for (int n = 1; n <= MaxHolidayRules + 5; ++n)
        text += QStringLiteral("%1=0,1,1,day%1\n").arg(n);
    Write(text);
    LoadHolidays(data, folder.path());
    EXPECT_EQ(data.HolidayCount, MaxHolidayRules);
    EXPECT_EQ(data.HolidayTable[MaxHolidayRules].Name, QStringLiteral("day%1").arg(MaxHolidayRules));
}

TEST_F(HolidaysTest, MissingEmptyOrGarbageFileGivesNoHolidaysAndNoPatterns)
{
    LoadHolidays(data, folder.path());
    EXPECT_EQ(data.HolidayCount, 0);
    EXPECT_EQ(ReadFormatPattern(folder.path(), false, 1), "");

    Write("");
    LoadHolidays(data, folder.path());
    EXPECT_EQ(data.HolidayCount, 0);

    folder.writeBytes("Calender.ini", QByteArray("\x00\xff\x81[[]=\x82\r\n\n\x1a", 13));
    LoadHolidays(data, folder.path());
    EXPECT_EQ(data.HolidayCount, 0);
    EXPECT_EQ(ReadFormatPattern(folder.path(), true, 1), "");
}

TEST_F(HolidaysTest, FormatPatternsComeFromTheirOwnSection)
{
    Write(QStringLiteral("[DateFormat]\n1=yyyy/mm/dd,日付\n[TimeFormat]\n1=hh:nn,時刻\n"));
    EXPECT_EQ(ReadFormatPattern(folder.path(), false, 1), QStringLiteral("yyyy/mm/dd,日付"));
    EXPECT_EQ(ReadFormatPattern(folder.path(), true, 1), QStringLiteral("hh:nn,時刻"));
    EXPECT_EQ(ReadFormatPattern(folder.path(), false, 0), "");
    EXPECT_EQ(ReadFormatPattern(folder.path(), true, 2), "");
}

TEST(MovableHolidaysTest, EquinoxesHoldFrom1900To2099Only)
{
    struct Case { int year; int vernal; int autumnal; };
    for (Case c : {Case{1899, 0, 0}, Case{1900, 21, 23}, Case{1999, 21, 23}, Case{2000, 20, 23},
                   Case{2012, 20, 22}, Case{2099, 20, 23}, Case{2100, 0, 0}}) {
        EXPECT_EQ(VernalEquinoxDay(c.year), c.vernal) << c.year;
        EXPECT_EQ(AutumnalEquinoxDay(static_cast<qint16>(c.year)), c.autumnal) << c.year;
    }
}

TEST(MovableHolidaysTest, SecondMondayIsTheMondayOfDaysEightToFourteen)
{
    EXPECT_EQ(SecondMondayOf(1999, 10), 11);
    EXPECT_EQ(SecondMondayOf(2000, 1), 10);
    EXPECT_EQ(SecondMondayOf(2024, 1), 8);    // the 1st is a Monday
    EXPECT_EQ(SecondMondayOf(2023, 10), 9);
    EXPECT_EQ(SecondMondayOf(2022, 8), 8);
    EXPECT_EQ(SecondMondayOf(2021, 2), 8);
    EXPECT_EQ(SecondMondayOf(2020, 9), 14);   // the 1st is a Tuesday
    EXPECT_EQ(SecondMondayOf(2000, 13), 0);
    EXPECT_EQ(NthMondayOf(2026, 7, 3), 20);
    EXPECT_EQ(NthMondayOf(2026, 6, 5), 29);
    EXPECT_EQ(NthMondayOf(2026, 7, 5), 0);
}

} // namespace
