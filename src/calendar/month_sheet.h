#pragma once
// One month of the calendar as the month view shows it, apart from its
// painting: a grid of seven columns (Sunday first) and six rows, each day
// with its day type, its notes and whether it has a diary entry; the hit test
// of the grid and the month steps of the view's buttons.
#include <array>
#include <QDate>
#include <QString>

#include "calendar/calendar_data.h"

constexpr int MonthColumns = 7;
constexpr int MonthRows = 6;
constexpr int MonthCellCount = MonthColumns * MonthRows;

// Cell (column c, row r) has its top-left corner at (GridLeft + CellWidth * c,
// GridTop + CellHeight * r) on the month surface.
constexpr int GridLeft = 10;
constexpr int GridTop = 26;
constexpr int CellWidth = 36;
constexpr int CellHeight = 20;

struct MonthCell {
    qint16 Day = 0;            // 0: the cell lies outside the month
    int Type = 0;              // the DayType of the day
    QString Note;              // the day's notes joined with "＆" (the hover label's text)
    bool HasDiary = false;     // the day has a diary entry

    bool operator==(const MonthCell &) const = default;
};

struct MonthSheet {
    qint16 Year = 0;
    qint16 Month = 0;
    int FirstDayCell = 0;      // the cell of day 1
    int EndDayCell = 0;        // the cell after the last day; 0 for a month that is no date
    std::array<MonthCell, MonthCellCount> Cells;
};

// Number of days of the month (28 to 31); 0 for a month that is no date.
qint16 DaysInMonth(qint16 year, qint16 month);

// existing + "＆" + added, or added alone when existing is empty.
QString AppendDayNote(const QString &existing, const QString &added);

// The old Japanese name of month 1 to 12 (睦月 ... 師走); "" for other numbers.
QString OldMonthName(int month);

// The month view's title, for example "1999/12(師走)".
QString MonthTitle(qint16 year, qint16 month);

// The weekday of a grid column, 日曜日 (0) to 土曜日 (6); "" for other numbers.
QString WeekdayName(int column);

// What a screen reader says for a cell: the date, the weekday, the day's
// notes (holiday names, 振替休日, 今日) and 日記あり for a day with a diary
// entry, for example "12月7日 月曜日 日記あり"; "" for a cell outside the month.
QString DayCellName(const MonthSheet &sheet, int cell);

// The month laid out on the grid. Each day's type is its weekday (Sunday 1 ...
// Saturday 7), Holiday (9) for a day off of the holiday law (HolidayOn), and
// Today (0) for today; its notes are the holiday's note then "今日". Diary
// entries are read from the files in diaryFolder (none when it is empty).
// A month that is no date gives an empty sheet.
MonthSheet ComputeMonth(const CalendarData &calendar, qint16 year, qint16 month, const QDate &today,
                        const QString &diaryFolder);

// The cell under the point (x, y) of the month surface, or -1 off the grid.
// The grid takes 10 <= x <= 261 and 26 <= y <= 145; the offsets from its
// corner are rounded to the nearest integer (halves to even) before the cell
// is found, so x = 45.5 lies in the second column.
int CellAt(double x, double y);

// The view's month steps: 前月, 翌月.
void StepToPreviousMonth(qint16 &year, qint16 &month);
void StepToNextMonth(qint16 &year, qint16 &month);
