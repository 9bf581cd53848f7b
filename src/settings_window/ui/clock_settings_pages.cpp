#include "settings_window/ui/clock_settings_pages.h"

#include "settings_window/ui/alarm_page.h"
#include "settings_window/ui/digital_page.h"
#include "settings_window/ui/size_page.h"
#include "settings_window/ui/thickness_page.h"

void RegisterClockSettingsPages(PageRegistry &pages)
{
    pages.add(SizePageDefinition());
    pages.add(AlarmPageDefinition());
    pages.add(ThicknessPageDefinition());
    pages.add(DigitalPageDefinition());
}
