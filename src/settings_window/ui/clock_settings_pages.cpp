#include "settings_window/ui/clock_settings_pages.h"

#include "context/feature_host.h"
#include "settings_window/ui/alarm_page.h"
#include "settings_window/ui/chime_page.h"
#include "settings_window/ui/digital_page.h"
#include "settings_window/ui/size_page.h"
#include "settings_window/ui/thickness_page.h"
#include "settings_window/ui/version_page.h"

void RegisterClockSettings(FeatureHost &host)
{
    host.pages.add(SizePageDefinition());
    host.pages.add(AlarmPageDefinition());
    host.pages.add(ChimePageDefinition());
    host.pages.add(ThicknessPageDefinition());
    host.pages.add(DigitalPageDefinition());
    host.pages.add(VersionPageDefinition());
}
