// The Calender.ini that ships beside the program.
#include <iterator>
#include <gtest/gtest.h>
#include <QFile>

#include "calendar/calendar_data.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

class ShippedCalenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString source = QStringLiteral(TOCKARA_DATA_DIR "/Calender.ini");
        ASSERT_TRUE(QFile::copy(source, folder.file("Calender.ini"))) << source.toStdString();
        LoadHolidays(data, folder.path());
    }

    TempFolder folder;
    CalendarData data;
};

TEST_F(ShippedCalenderTest, IsShiftJisWithCrLfLineEnds)
{
    const QByteArray bytes = folder.readBytes("Calender.ini");
    EXPECT_EQ(bytes.count("\r\n"), bytes.count("\n"));
    // "元日" in CP932.
    EXPECT_TRUE(bytes.contains(QByteArray("\x8c\xb3\x93\xfa")));
}

TEST_F(ShippedCalenderTest, ListsTheNationalHolidaysTheRuleKindsExpress)
{
    // Today's national holidays; the two on third Mondays have no rule kind.
    struct Expected { const char16_t *name; qint16 kind, month, day; };
    const Expected expected[] = {
        {u"元日", HolidayKind::FixedDate, 1, 1},
        {u"成人の日", HolidayKind::SecondMonday, 1, 0},
        {u"建国記念の日", HolidayKind::FixedDate, 2, 11},
        {u"天皇誕生日", HolidayKind::FixedDate, 2, 23},
        {u"春分の日", HolidayKind::VernalEquinox, 3, 0},
        {u"昭和の日", HolidayKind::FixedDate, 4, 29},
        {u"憲法記念日", HolidayKind::FixedDate, 5, 3},
        {u"みどりの日", HolidayKind::FixedDate, 5, 4},
        {u"こどもの日", HolidayKind::FixedDate, 5, 5},
        {u"山の日", HolidayKind::FixedDate, 8, 11},
        {u"秋分の日", HolidayKind::AutumnalEquinox, 9, 0},
        {u"スポーツの日", HolidayKind::SecondMonday, 10, 0},
        {u"文化の日", HolidayKind::FixedDate, 11, 3},
        {u"勤労感謝の日", HolidayKind::FixedDate, 11, 23},
    };
    ASSERT_EQ(data.HolidayCount, qint16(std::size(expected)));
    for (int n = 1; n <= data.HolidayCount; ++n) {
        const Expected &e = expected[n - 1];
        const HolidayRule &rule = data.HolidayTable[n];
        EXPECT_EQ(rule.Name, QString::fromUtf16(e.name)) << n;
        EXPECT_EQ(rule.Kind, e.kind) << n;
        EXPECT_EQ(rule.Month, e.month) << n;
        if (e.kind == HolidayKind::FixedDate) {
            EXPECT_EQ(rule.Day, e.day) << n;
        }
    }
}

TEST_F(ShippedCalenderTest, PatternListsRunWithoutGapsAndCarryDescriptions)
{
    for (bool time : {false, true}) {
        int count = 0;
        while (!ReadFormatPattern(folder.path(), time, count + 1).isEmpty()) {
            const QString entry = ReadFormatPattern(folder.path(), time, count + 1);
            EXPECT_FALSE(GetField(entry, 1, ",").isEmpty()) << entry.toStdString();
            EXPECT_FALSE(GetField(entry, 2, ",").isEmpty()) << entry.toStdString();
            ++count;
        }
        EXPECT_GE(count, 5);
    }
    // The default date pattern (1) is the full numeric date.
    EXPECT_EQ(GetField(ReadFormatPattern(folder.path(), false, 1), 1, ","), "yyyy/mm/dd");
}

} // namespace
