// The Calender.ini that ships beside the program.
#include <gtest/gtest.h>
#include <QFile>

#include "calendar/calendar_data.h"
#include "settings/ansi_text.h"
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

TEST_F(ShippedCalenderTest, EveryRuleLineIsReadAndCommentsAddNoKeys)
{
    const QString text = DecodeAnsi(folder.readBytes("Calender.ini"));
    const QString section =
        text.section(QStringLiteral("\r\n[NationalHoliday]\r\n"), 1).section(QStringLiteral("\r\n["), 0, 0);
    int rules = 0;
    for (const QString &line : section.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(u';'))
            EXPECT_FALSE(line.contains(u'=')) << line.toStdString();
        else if (line.contains(u'='))
            ++rules;
    }
    EXPECT_EQ(data.HolidayCount, rules);
    EXPECT_GT(rules, 30);
}

// A reader of the classic four fields (and of 30 rules at most) takes every
// rule as valid in every year: rules that ended, and rules of kinds it does
// not know, must keep a day it never matches.
TEST_F(ShippedCalenderTest, ClassicReadersNeverShowEndedOrNewRules)
{
    for (int n = 1; n <= data.HolidayCount; ++n) {
        const HolidayRule &rule = data.HolidayTable[n];
        if (rule.LastYear == 0 && rule.Kind <= HolidayKind::SecondMonday)
            continue;
        const QString value = ReadIniValue("NationalHoliday", QString::number(n), "",
                                           CalendarIniPath(folder.path()));
        const int classicKind = GetField(value, 1, ",").toInt();
        EXPECT_EQ(GetField(value, 3, ","), "0") << n;
        EXPECT_TRUE(classicKind == HolidayKind::FixedDate || classicKind > HolidayKind::SecondMonday) << n;
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
