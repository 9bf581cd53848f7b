// The days off the calendar shows with the shipped Calender.ini, compared with
// the dates the holiday law and its special laws published.
#include <gtest/gtest.h>

#include "calendar/holiday_listing.h"
#include "calendar/holidays.h"
#include "settings/ansi_text.h"
#include "support/temp_folder.h"

namespace {

CalendarData ShippedRules()
{
    CalendarData data;
    LoadHolidays(data, QStringLiteral(TOCKARA_DATA_DIR));
    return data;
}

// Whole years at the law's turning points: the first substitute holiday
// (1973), the change of era (1989), the revised substitute rule and the new
// みどりの日 (2007), the new emperor (2019) and the Olympic years.
TEST(HolidayLawTest, WholeYearsAtTheTurningPointsOfTheLaw)
{
    const std::pair<int, const char16_t *> years[] = {
        {1973, u"01-01 元日|01-15 成人の日|02-11 建国記念の日|03-21 春分の日|04-29 天皇誕生日|"
               u"04-30 振替休日|05-03 憲法記念日|05-05 こどもの日|09-15 敬老の日|09-23 秋分の日|"
               u"09-24 振替休日|10-10 体育の日|11-03 文化の日|11-23 勤労感謝の日"},
        {1989, u"01-01 元日|01-02 振替休日|01-15 成人の日|01-16 振替休日|02-11 建国記念の日|"
               u"02-24 昭和天皇の大喪の礼|03-21 春分の日|04-29 みどりの日|05-03 憲法記念日|"
               u"05-04 国民の休日|05-05 こどもの日|09-15 敬老の日|09-23 秋分の日|10-10 体育の日|"
               u"11-03 文化の日|11-23 勤労感謝の日|12-23 天皇誕生日"},
        {2007, u"01-01 元日|01-08 成人の日|02-11 建国記念の日|02-12 振替休日|03-21 春分の日|"
               u"04-29 昭和の日|04-30 振替休日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|"
               u"07-16 海の日|09-17 敬老の日|09-23 秋分の日|09-24 振替休日|10-08 体育の日|"
               u"11-03 文化の日|11-23 勤労感謝の日|12-23 天皇誕生日|12-24 振替休日"},
        {2019, u"01-01 元日|01-14 成人の日|02-11 建国記念の日|03-21 春分の日|04-29 昭和の日|"
               u"04-30 国民の休日|05-01 天皇の即位の日|05-02 国民の休日|05-03 憲法記念日|"
               u"05-04 みどりの日|05-05 こどもの日|05-06 振替休日|07-15 海の日|08-11 山の日|"
               u"08-12 振替休日|09-16 敬老の日|09-23 秋分の日|10-14 体育の日|10-22 即位礼正殿の儀|"
               u"11-03 文化の日|11-04 振替休日|11-23 勤労感謝の日"},
        {2020, u"01-01 元日|01-13 成人の日|02-11 建国記念の日|02-23 天皇誕生日|02-24 振替休日|"
               u"03-20 春分の日|04-29 昭和の日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|"
               u"05-06 振替休日|07-23 海の日|07-24 スポーツの日|08-10 山の日|09-21 敬老の日|"
               u"09-22 秋分の日|11-03 文化の日|11-23 勤労感謝の日"},
        {2021, u"01-01 元日|01-11 成人の日|02-11 建国記念の日|02-23 天皇誕生日|03-20 春分の日|"
               u"04-29 昭和の日|05-03 憲法記念日|05-04 みどりの日|05-05 こどもの日|07-22 海の日|"
               u"07-23 スポーツの日|08-08 山の日|08-09 振替休日|09-20 敬老の日|09-23 秋分の日|"
               u"11-03 文化の日|11-23 勤労感謝の日"},
    };
    const CalendarData rules = ShippedRules();
    for (const auto &[year, expected] : years) {
        QStringList lines;
        for (const QString &line : HolidayListing(rules, year))
            lines << line.mid(5).replace(u'\t', u' ');
        EXPECT_EQ(lines.join(u'|').toStdString(), QString::fromUtf16(expected).toStdString()) << year;
    }
}

// Single dates across the eras; "" is a working day (or a plain Sunday).
TEST(HolidayLawTest, KnownDatesAcrossTheEras)
{
    const std::pair<QDate, const char16_t *> dates[] = {
        {QDate(1948, 5, 3), u""},                        // before the holiday law
        {QDate(1948, 9, 23), u"秋分の日"},
        {QDate(1959, 4, 10), u"皇太子明仁親王の結婚の儀"},
        {QDate(1966, 9, 15), u"敬老の日"},
        {QDate(1966, 2, 11), u""},
        {QDate(1967, 2, 11), u"建国記念の日"},
        {QDate(1973, 2, 12), u""},                       // Sunday holiday before the substitute rule
        {QDate(1988, 5, 4), u"国民の休日"},
        {QDate(1990, 11, 12), u"即位礼正殿の儀"},
        {QDate(1993, 6, 9), u"皇太子徳仁親王の結婚の儀"},
        {QDate(1996, 7, 20), u"海の日"},
        {QDate(1997, 5, 4), u""},                        // a Sunday between two holidays
        {QDate(1998, 5, 4), u"振替休日"},
        {QDate(1999, 1, 15), u"成人の日"},
        {QDate(1999, 10, 11), u"振替休日"},
        {QDate(2000, 1, 10), u"成人の日"},
        {QDate(2000, 1, 15), u""},
        {QDate(2000, 10, 9), u"体育の日"},
        {QDate(2002, 9, 16), u"振替休日"},
        {QDate(2003, 7, 21), u"海の日"},
        {QDate(2003, 9, 15), u"敬老の日"},
        {QDate(2006, 4, 29), u"みどりの日"},
        {QDate(2006, 5, 4), u"国民の休日"},
        {QDate(2008, 5, 6), u"振替休日"},                // skips the holiday after the Sunday
        {QDate(2009, 9, 22), u"国民の休日"},
        {QDate(2015, 9, 22), u"国民の休日"},
        {QDate(2016, 8, 11), u"山の日"},
        {QDate(2018, 12, 24), u"振替休日"},
        {QDate(2019, 2, 23), u""},
        {QDate(2019, 12, 23), u""},
        {QDate(2020, 10, 12), u""},
        {QDate(2021, 7, 19), u""},
        {QDate(2022, 10, 10), u"スポーツの日"},
        {QDate(2026, 5, 6), u"振替休日"},
        {QDate(2026, 9, 22), u"国民の休日"},
        {QDate(2032, 9, 21), u"国民の休日"},
        {QDate(2037, 9, 22), u"国民の休日"},
        {QDate(2050, 1, 10), u"成人の日"},
        {QDate(2050, 7, 18), u"海の日"},
        {QDate(2050, 9, 19), u"敬老の日"},
        {QDate(2050, 10, 10), u"スポーツの日"},
    };
    const CalendarData rules = ShippedRules();
    for (const auto &[date, expected] : dates)
        EXPECT_EQ(HolidayOn(rules, date).Note.toStdString(), QString::fromUtf16(expected).toStdString())
            << date.toString(Qt::ISODate).toStdString();
}

// A file of the original four kinds, without years, keeps working.
TEST(HolidayLawTest, ClassicFileKeepsItsHolidaysAndConditionalRule)
{
    TempFolder folder;
    QString text = QStringLiteral("[NationalHoliday]\r\n1=0,5,3,憲法記念日\r\n2=3,5,4,国民の休日\r\n"
                                  "3=0,5,5,こどもの日\r\n4=4,10,0,体育の日\r\n5=9,3,3,ひなまつり\r\n");
    folder.writeBytes("Calender.ini", EncodeAnsi(text));
    CalendarData rules;
    LoadHolidays(rules, folder.path());

    const std::pair<QDate, HolidayInfo> cases[] = {
        {QDate(1999, 5, 4), {DayOff::National, QStringLiteral("国民の休日")}},
        {QDate(1998, 5, 4), {DayOff::Substitute, QStringLiteral("振替休日")}},   // not its name as well
        {QDate(1997, 5, 4), {}},                                                  // Sunday: a plain Sunday
        {QDate(1999, 10, 11), {DayOff::National, QStringLiteral("体育の日")}},
        {QDate(1999, 3, 3), {DayOff::National, QStringLiteral("ひなまつり")}},   // unknown kind: fixed date
    };
    for (const auto &[date, expected] : cases)
        EXPECT_EQ(HolidayOn(rules, date), expected) << date.toString(Qt::ISODate).toStdString();
}

TEST(HolidayLawTest, YearLimitsAndTheSeventhFieldSelectTheDay)
{
    CalendarData rules;
    rules.HolidayCount = 3;
    rules.HolidayTable[1] = {HolidayKind::NthMonday, 10, 3, QStringLiteral("祭"), 2025, 2030};
    rules.HolidayTable[2] = {HolidayKind::FixedDate, 6, 1, QStringLiteral("記念日"), 0, 2024};
    rules.HolidayTable[3] = {HolidayKind::NthMonday, 2, 5, QStringLiteral("無い日"), 0, 0};
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[1], 2024), 0);
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[1], 2025), 20);
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[1], 2031), 0);
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[2], 1900), 1);
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[2], 2025), 0);
    EXPECT_EQ(RuleDayIn(rules.HolidayTable[3], 2026), 0);   // February 2026 has four Mondays
    EXPECT_EQ(HolidayOn(rules, QDate(2026, 10, 19)).Note, QStringLiteral("祭"));
}

} // namespace
