#include "calendar/holidays.h"

namespace {

// The dates on which the holiday law changed.
const QDate kSubstituteLawStart(1973, 4, 12);   // holidays on a Sunday move on
const QDate kCitizensLawStart(1985, 12, 27);    // days between two holidays are off
const QDate kRevisedLawStart(2007, 1, 1);       // substitutes skip holidays; Sundays can be 国民の休日

bool IsSunday(const QDate &date)
{
    return date.dayOfWeek() == Qt::Sunday;
}

bool AppliesIn(const HolidayRule &rule, int year)
{
    return (rule.FirstYear == 0 || year >= rule.FirstYear) && (rule.LastYear == 0 || year <= rule.LastYear);
}

// The first rule in table order that falls on date. Conditional rules take
// part only when allowed (not on a Sunday or a substitute holiday).
const HolidayRule *MatchingRule(const CalendarData &calendar, const QDate &date, bool conditionalAllowed)
{
    for (int n = 1; n <= calendar.HolidayCount; ++n) {
        const HolidayRule &rule = calendar.HolidayTable[n];
        if (rule.Month != date.month())
            continue;
        if (rule.Kind == HolidayKind::ConditionalFixedDate && !conditionalAllowed)
            continue;
        if (RuleDayIn(rule, date.year()) == date.day())
            return &rule;
    }
    return nullptr;
}

// A holiday that needs no look at its neighbours (conditional rules aside).
bool IsFixedHoliday(const CalendarData &calendar, const QDate &date)
{
    return MatchingRule(calendar, date, false) != nullptr;
}

bool IsSubstitute(const CalendarData &calendar, const QDate &date)
{
    if (IsFixedHoliday(calendar, date))
        return false;
    QDate day = date.addDays(-1);
    if (day < kRevisedLawStart)
        return IsSunday(day) && day >= kSubstituteLawStart && IsFixedHoliday(calendar, day);
    // The first day after a Sunday holiday and the holidays right after it.
    for (; day >= kRevisedLawStart && IsFixedHoliday(calendar, day); day = day.addDays(-1)) {
        if (IsSunday(day))
            return true;
    }
    return false;
}

bool IsNationalHoliday(const CalendarData &calendar, const QDate &date)
{
    const bool conditionalAllowed = !IsSunday(date) && !IsSubstitute(calendar, date);
    return MatchingRule(calendar, date, conditionalAllowed) != nullptr;
}

// Called for a day that is neither a substitute nor a national holiday.
bool IsCitizensHoliday(const CalendarData &calendar, const QDate &date)
{
    if (date < kCitizensLawStart || (date < kRevisedLawStart && IsSunday(date)))
        return false;
    return IsNationalHoliday(calendar, date.addDays(-1)) && IsNationalHoliday(calendar, date.addDays(1));
}

} // namespace

qint16 RuleDayIn(const HolidayRule &rule, int year)
{
    if (!AppliesIn(rule, year))
        return 0;
    switch (rule.Kind) {
    case HolidayKind::VernalEquinox:
        return VernalEquinoxDay(year);
    case HolidayKind::AutumnalEquinox:
        return AutumnalEquinoxDay(static_cast<qint16>(year));
    case HolidayKind::SecondMonday:
        return SecondMondayOf(static_cast<qint16>(year), rule.Month);
    case HolidayKind::NthMonday:
        return NthMondayOf(static_cast<qint16>(year), rule.Month, rule.Day);
    default:
        return rule.Day;
    }
}

HolidayInfo HolidayOn(const CalendarData &calendar, const QDate &date)
{
    if (!date.isValid())
        return {};
    if (IsSubstitute(calendar, date))
        return {DayOff::Substitute, SubstituteHolidayNote};
    if (const HolidayRule *rule = MatchingRule(calendar, date, !IsSunday(date)))
        return {DayOff::National, rule->Name};
    if (IsCitizensHoliday(calendar, date))
        return {DayOff::Citizens, CitizensHolidayNote};
    return {};
}
