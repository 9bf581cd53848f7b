#pragma once
// Which days are days off by the holiday law in force on each date: the
// national holidays of the rules of Calender.ini, the substitute holidays
// (振替休日) and the citizens' holidays (国民の休日).
//
// - Substitute holidays: none for a holiday on a Sunday before 12 April 1973;
//   up to 2006 the Monday after it (unless that is a holiday itself); from
//   2007 the first following day that is not a holiday.
// - Citizens' holidays: from 27 December 1985, a day that is no holiday but
//   lies between two holidays; up to 2006 never a Sunday or a substitute
//   holiday.
#include <QDate>
#include <QString>

#include "calendar/calendar_data.h"

// The day of the rule's month on which the rule falls in year, or 0 when it
// does not apply that year.
qint16 RuleDayIn(const HolidayRule &rule, int year);

enum class DayOff {
    None,
    National,     // a rule of the table
    Substitute,   // 振替休日
    Citizens,     // 国民の休日
};

struct HolidayInfo {
    DayOff Kind = DayOff::None;
    QString Note;   // the rule's name, "振替休日" or "国民の休日"; "" for a working day

    bool operator==(const HolidayInfo &) const = default;
};

// The day off that date is, by the rules of calendar and the law of its date.
// When two rules fall on one day, the first in table order names it.
HolidayInfo HolidayOn(const CalendarData &calendar, const QDate &date);

inline const QString SubstituteHolidayNote = QStringLiteral("振替休日");
inline const QString CitizensHolidayNote = QStringLiteral("国民の休日");
