// The national-holiday rules of Calender.ini and the holiday listing made
// from them (what `tockara --holidays YEAR` prints and the month view marks).
// Input: a year (1 to 9999; another text means 2026), the line "%%", then
// the bytes of Calender.ini. Properties: at most the table's number of rules
// is read, and the listing names each day of that year at most once, in
// date order, with its note.
#include <QDate>

#include "calendar/calendar_data.h"
#include "calendar/holiday_listing.h"
#include "calendar/holidays.h"
#include "fuzz_support.h"

namespace {

int YearOf(const QByteArray &text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1 && year <= 9999 ? year : 2026;
}

void CheckListing(const QStringList &lines, int year)
{
    QDate previous;
    for (const QString &line : lines) {
        const qsizetype tab = line.indexOf(u'\t');
        FUZZ_CHECK(tab > 0);
        const QDate date = QDate::fromString(line.first(tab), Qt::ISODate);
        FUZZ_CHECK(date.isValid() && date.year() == year);
        FUZZ_CHECK(!previous.isValid() || previous < date);
        previous = date;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> parts = InputParts(InputBytes(data, size), 2);
    const int year = YearOf(parts[0]);
    const QString folder = ScratchFolder() + QStringLiteral("/holidays");
    WriteScratchFile(QStringLiteral("holidays/Calender.ini"), parts[1]);

    CalendarData calendar;
    LoadHolidays(calendar, folder);
    FUZZ_CHECK(calendar.HolidayCount >= 0 && calendar.HolidayCount <= MaxHolidayRules);
    for (int n = 1; n <= calendar.HolidayCount; ++n)
        RuleDayIn(calendar.HolidayTable[n], year);
    CheckListing(HolidayListing(calendar, year), year);
    for (int number = 0; number <= 3; ++number) {
        ReadFormatPattern(folder, true, number);
        ReadFormatPattern(folder, false, number);
    }
    return 0;
}
