#include "shell/features.h"

#include "archive/ui/archive_page.h"
#include "calculator/ui/calculator_page.h"
#include "calendar/ui/calendar_pages.h"
#include "cdaudio/ui/cd_page.h"
#include "desktop/ui/desktop_features.h"
#include "face/ui/face_commands.h"
#include "launcher/ui/launcher_commands.h"
#include "settings_window/ui/clock_settings_pages.h"
#include "shell/autostart_command.h"
#include "shell/clock_options.h"

// One line per feature. A new feature adds its own line here.
void RegisterFeatures(FeatureHost &host)
{
    RegisterClockSettings(host);
    RegisterFace(host);
    RegisterCalendar(host);
    RegisterCalculator(host);
    RegisterDesktop(host);
    RegisterCdAudio(host);
    RegisterArchive(host);
    RegisterLauncher(host);
    RegisterAutostart(host);
    RegisterClockOptions(host);
}
