#include "calendar/holiday_listing.h"

#include "calendar/month_sheet.h"

QStringList HolidayListing(const CalendarData &calendar, int year)
{
    QStringList lines;
    for (int month = 1; month <= 12; ++month) {
        const MonthSheet sheet = ComputeMonth(calendar, static_cast<qint16>(year), static_cast<qint16>(month),
                                              QDate(), QString());
        for (int cell = sheet.FirstDayCell; cell < sheet.EndDayCell; ++cell) {
            const MonthCell &day = sheet.Cells[cell];
            if (day.Type == DayType::Holiday)
                lines << QDate(year, month, day.Day).toString(Qt::ISODate) + u'\t' + day.Note;
        }
    }
    return lines;
}
