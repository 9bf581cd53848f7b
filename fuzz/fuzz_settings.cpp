// LoadSettings and the calendar's day styles on any Tockara.ini, then the
// start-up write of the same file. Properties: what is read is usable (a
// clock side within its bounds, an extraction folder ending with "/"), the
// file can be written back, and what was written loads back unchanged.
#include "calendar/calendar_data.h"
#include "fuzz_support.h"
#include "settings/settings.h"

namespace {

bool SameKeys(const Settings &a, const Settings &b)
{
    const QList<SettingsKeyValue> left = SettingsKeyValues(a);
    const QList<SettingsKeyValue> right = SettingsKeyValues(b);
    if (left.size() != right.size())
        return false;
    for (qsizetype i = 0; i < left.size(); ++i) {
        if (left[i].section != right[i].section || left[i].key != right[i].key
            || left[i].value != right[i].value)
            return false;
    }
    return true;
}

void CheckUsable(const Settings &settings)
{
    FUZZ_CHECK(settings.Setting.Width >= 1 && settings.Setting.Width <= kMaxClockSide);
    FUZZ_CHECK(settings.Setting.Height >= 1 && settings.Setting.Height <= kMaxClockSide);
    FUZZ_CHECK(settings.ARC.DecompFolder.endsWith(u'/'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = WriteScratchFile(QStringLiteral("settings/Tockara.ini"), InputBytes(data, size));
    const QString programFolder = ScratchFolder() + QStringLiteral("/settings");

    Settings loaded;
    LoadSettings(loaded, path, programFolder);
    CheckUsable(loaded);
    CalendarData calendar;
    LoadDayStyles(calendar, path);

    FUZZ_CHECK(SaveSettings(loaded, path));
    FUZZ_CHECK(SaveDayStyles(calendar, path));
    Settings again;
    LoadSettings(again, path, programFolder);
    FUZZ_CHECK(SameKeys(loaded, again));
    CalendarData calendarAgain;
    LoadDayStyles(calendarAgain, path);
    FUZZ_CHECK(calendarAgain.CalendarFontName == calendar.CalendarFontName);
    FUZZ_CHECK(calendarAgain.DayStyleTable == calendar.DayStyleTable);
    return 0;
}
