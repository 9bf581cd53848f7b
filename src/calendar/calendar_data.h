#pragma once
// The data behind the month calendar: how each kind of day is marked (the
// day styles and the calendar font, section "Calender" of Tockara.ini), the
// national-holiday rules and the date and time display patterns (Calender.ini,
// which ships beside the program and is only read), and the date computations
// that movable holidays need.
#include <array>
#include <QString>

#include "settings/display_patterns.h"   // CalendarIniPath

// Index into DayStyleTable.
namespace DayType {
enum : int {
    Today = 0,
    Sunday = 1,
    Monday = 2,
    Tuesday = 3,
    Wednesday = 4,
    Thursday = 5,
    Friday = 6,
    Saturday = 7,
    Special = 8,   // anniversary day: stored and editable, never given by the month view
    Holiday = 9,   // a national or substitute holiday
    Nikki = 10,    // days with a diary entry; only the extra colour is used
};
constexpr int Count = 11;
}

// How the month view marks a day; other values draw no mark.
namespace MarkKind {
enum : qint16 {
    None = 0,
    LargeSquare = 1,
    SmallSquare = 2,
    Circle = 3,
    FilledCircle = 4,
    CornerTriangle = 5,
};
}

// Which day a holiday rule falls on; any other value behaves as FixedDate.
// Kinds above 4 are read only by this program: they keep the day field of
// Calender.ini at 0, so that a reader of the first five kinds takes them for
// a fixed date that never comes.
namespace HolidayKind {
enum : qint16 {
    FixedDate = 0,
    VernalEquinox = 1,
    AutumnalEquinox = 2,
    ConditionalFixedDate = 3,   // only when not a Sunday and not a substitute holiday
    SecondMonday = 4,
    NthMonday = 5,              // the Day-th Monday of the month (Day 1 to 5)
};
}

// Colours are 0x00BBGGRR.
struct DayStyle {
    qint16 Kind = MarkKind::None;   // a MarkKind value
    qint32 TextColor = 0;           // the day number
    qint32 MarkColor = 0;           // the mark (背景色 on the settings page)
    qint32 ExtraColor = 0;          // 拡張色; the month view uses it only for Nikki

    bool operator==(const DayStyle &) const = default;
};

// One line of the "NationalHoliday" section of Calender.ini:
//   kind,month,day,name[,first year[,last year[,day]]]
// The first four fields are the classic format. The optional fields limit the
// rule to a range of years and give its day for this program when the classic
// day field stays 0 (so that older readers never show the rule).
struct HolidayRule {
    qint16 Kind = HolidayKind::FixedDate;   // a HolidayKind value
    qint16 Month = 0;
    qint16 Day = 0;        // the day; for NthMonday which Monday; unused by the computed kinds
    QString Name;
    qint16 FirstYear = 0;  // 0: no limit
    qint16 LastYear = 0;   // 0: no limit

    bool operator==(const HolidayRule &) const = default;
};

// The most holiday rules Calender.ini may give; later keys are ignored. The
// shipped file needs about forty; the rest is room for the user's own days.
constexpr int MaxHolidayRules = 100;

struct CalendarData {
    QString CalendarFontName = QStringLiteral("ＭＳ ゴシック");
    std::array<DayStyle, DayType::Count> DayStyleTable;
    // Rules at positions 1 to HolidayCount; position 0 is never used.
    std::array<HolidayRule, MaxHolidayRules + 1> HolidayTable;
    qint16 HolidayCount = 0;

    // Default font and default day styles, no holidays.
    CalendarData();
};

// The eleven day-style keys of the "Calender" section, 9 characters each,
// padded on the right with spaces; entry n starts at character 9 * n.
inline constexpr char DayStyleKeyNames[] =
    "Today    Sunday   Monday   Tuesday  WednesdayThursday Friday   Saturday Special  Holiday  Nikki    ";

// The key of day type n: its field of DayStyleKeyNames without the padding.
QString DayStyleKey(int dayType);

// The style a day type has when its key is missing or empty.
DayStyle DefaultDayStyle(int dayType);

// Reads the calendar font and the eleven day styles from the "Calender"
// section of the settings file. A missing or empty key gives the entry its
// default; a present value's missing or non-numeric fields read as 0.
void LoadDayStyles(CalendarData &data, const QString &settingsPath);

// Writes "Font" and all eleven day-style keys (kind, text colour, mark colour,
// extra colour in decimal, joined with ",") with one file write. A file that
// cannot be written is left as it was and false is returned.
bool SaveDayStyles(const CalendarData &data, const QString &settingsPath);

// Reads the "NationalHoliday" rules "1", "2", ... of Calender.ini up to the
// first missing or empty key, at most MaxHolidayRules of them. Missing or
// non-numeric numbers read as 0.
void LoadHolidays(CalendarData &data, const QString &programFolder);

// Day of March of the vernal equinox holiday; 0 outside 1900 to 2099.
qint16 VernalEquinoxDay(qint32 year);
// Day of September of the autumnal equinox holiday; 0 outside 1900 to 2099.
qint16 AutumnalEquinoxDay(qint16 year);
// The Monday among days 8 to 14 of the month; 0 for a month that is no date.
qint16 SecondMondayOf(qint16 year, qint16 month);
// The n-th Monday of the month (n from 1); 0 when the month has none.
qint16 NthMondayOf(qint16 year, qint16 month, int n);
