// The Calender.ini that ships beside the program.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "calendar/calendar_data.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

class ShippedCalenderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString source =
            QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../../data/Calender.ini"));
        ASSERT_TRUE(QFile::copy(source, folder.file("Calender.ini"))) << source.toStdString();
        LoadHolidays(data, folder.path());
    }

    const HolidayRule *Find(const QString &name) const
    {
        for (int n = 1; n <= data.HolidayCount; ++n)
            if (data.HolidayTable[n].Name == name)
                return &data.HolidayTable[n];
        return nullptr;
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
    EXPECT_EQ(data.HolidayCount, 14);
    struct Expected { const char16_t *name; qint16 kind, month, day; };
    for (Expected e : {Expected{u"元日", HolidayKind::FixedDate, 1, 1},
                       Expected{u"成人の日", HolidayKind::SecondMonday, 1, 0},
                       Expected{u"建国記念の日", HolidayKind::FixedDate, 2, 11},
                       Expected{u"天皇誕生日", HolidayKind::FixedDate, 2, 23},
                       Expected{u"春分の日", HolidayKind::VernalEquinox, 3, 0},
                       Expected{u"秋分の日", HolidayKind::AutumnalEquinox, 9, 0},
                       Expected{u"スポーツの日", HolidayKind::SecondMonday, 10, 0},
                       Expected{u"勤労感謝の日", HolidayKind::FixedDate, 11, 23}}) {
        const QString name = QString::fromUtf16(e.name);
        const HolidayRule *rule = Find(name);
        ASSERT_NE(rule, nullptr) << name.toStdString();
        EXPECT_EQ(rule->Kind, e.kind) << name.toStdString();
        EXPECT_EQ(rule->Month, e.month) << name.toStdString();
        if (e.kind == HolidayKind::FixedDate) {
            EXPECT_EQ(rule->Day, e.day) << name.toStdString();
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
