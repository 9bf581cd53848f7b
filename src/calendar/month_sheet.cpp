#include "calendar/month_sheet.h"

#include <cmath>

#include "calendar/holidays.h"
#include "calendar/notes.h"

namespace {

// Twelve fields of three characters, padded with spaces.
const QString kOldMonthNames = QStringLiteral("睦月 如月 弥生 卯月 皐月 水無月文月 葉月 長月 神無月霜月 師走 ");
const QString kTodayNote = QStringLiteral("今日");

// 1 = Sunday ... 7 = Saturday, the numbering of the weekday day types.
int WeekdayType(const QDate &date)
{
    return date.dayOfWeek() % 7 + 1;
}

double RoundHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction != 0.5)
        return fraction < 0.5 ? below : below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

} // namespace

qint16 DaysInMonth(qint16 year, qint16 month)
{
    const QDate first(year, month, 1);
    return first.isValid() ? static_cast<qint16>(first.daysInMonth()) : 0;
}

QString AppendDayNote(const QString &existing, const QString &added)
{
    return existing.isEmpty() ? added : existing + QStringLiteral("＆") + added;
}

QString OldMonthName(int month)
{
    if (month < 1 || month > 12)
        return {};
    return kOldMonthNames.mid(3 * (month - 1), 3).trimmed();
}

QString MonthTitle(qint16 year, qint16 month)
{
    return QStringLiteral("%1/%2(%3)").arg(year).arg(month).arg(OldMonthName(month));
}

QString WeekdayName(int column)
{
    static const char16_t *const weekdays[MonthColumns] = {u"日曜日", u"月曜日", u"火曜日", u"水曜日",
                                                           u"木曜日", u"金曜日", u"土曜日"};
    return column >= 0 && column < MonthColumns ? QString::fromUtf16(weekdays[column]) : QString();
}

QString DayCellName(const MonthSheet &sheet, int cell)
{
    if (cell < 0 || cell >= MonthCellCount || sheet.Cells[cell].Day == 0)
        return {};
    const MonthCell &day = sheet.Cells[cell];
    QStringList words = {QStringLiteral("%1月%2日").arg(sheet.Month).arg(day.Day),
                         WeekdayName(cell % MonthColumns)};
    if (!day.Note.isEmpty())
        words += day.Note.split(QStringLiteral("＆"));
    if (day.HasDiary)
        words += QStringLiteral("日記あり");
    return words.join(u' ');
}

MonthSheet ComputeMonth(const CalendarData &calendar, qint16 year, qint16 month, const QDate &today,
                        const QString &diaryFolder)
{
    MonthSheet sheet;
    sheet.Year = year;
    sheet.Month = month;
    const QDate first(year, month, 1);
    if (!first.isValid())
        return sheet;

    sheet.FirstDayCell = WeekdayType(first) - 1;
    const int days = first.daysInMonth();
    for (int d = 1; d <= days; ++d) {
        const QDate date(year, month, d);
        MonthCell &cell = sheet.Cells[sheet.FirstDayCell + d - 1];
        cell.Day = static_cast<qint16>(d);
        cell.Type = WeekdayType(date);
        const HolidayInfo holiday = HolidayOn(calendar, date);
        if (holiday.Kind != DayOff::None) {
            cell.Type = DayType::Holiday;
            cell.Note = holiday.Note;
        }
        if (date == today) {
            cell.Type = DayType::Today;
            cell.Note = AppendDayNote(cell.Note, kTodayNote);
        }
        if (!diaryFolder.isEmpty())
            cell.HasDiary = DiaryDayHasEntry(diaryFolder, year, month, static_cast<qint16>(d));
    }
    sheet.EndDayCell = sheet.FirstDayCell + days;
    return sheet;
}

int CellAt(double x, double y)
{
    constexpr int right = GridLeft + CellWidth * MonthColumns - 1;    // 261
    constexpr int bottom = GridTop + CellHeight * MonthRows - 1;      // 145
    if (!(x >= GridLeft && x <= right && y >= GridTop && y <= bottom))
        return -1;
    const int row = static_cast<int>(RoundHalfToEven(y - GridTop)) / CellHeight;
    const int column = static_cast<int>(RoundHalfToEven(x - GridLeft)) / CellWidth;
    return row * MonthColumns + column;
}

void StepToPreviousMonth(qint16 &year, qint16 &month)
{
    if (month < 2) {
        --year;
        month = 12;
    } else {
        --month;
    }
}

void StepToNextMonth(qint16 &year, qint16 &month)
{
    if (month >= 12) {
        ++year;
        month = 1;
    } else {
        ++month;
    }
}
