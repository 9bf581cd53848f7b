#include "shell/features.h"

#include "archive/ui/archive_page.h"
#include "calculator/ui/calculator_page.h"
#include "calendar/ui/calendar_pages.h"
#include "cdaudio/ui/cd_page.h"
#include "context/context.h"
#include "face/ui/face_commands.h"
#include "launcher/ui/autostart_command.h"
#include "launcher/ui/launcher_commands.h"
#include "launcher/ui/popup_menu.h"
#include "launcher/ui/system_features.h"
#include "settings_window/ui/clock_settings_pages.h"
#include "shell/clock_window.h"
#include "shell/startup.h"

// One line per feature: its pages into the page registry, its commands into
// the command table.
void RegisterFeatures(Context &ctx, RunningClock &running)
{
    RegisterClockSettingsPages(running.pages);
    RegisterCalendarPages(running.pages);
    RegisterCalculatorPage(running.pages);
    BindFaceCommands(running.commands, ctx, running.clock.get());
    RegisterSystemFeatures(running.pages, running.commands, *running.menu, ctx, running.clock.get());
    running.pages.add(CdPageDefinition());
    RegisterArchive(running.pages, ctx, running.clock.get());
    RegisterLauncher(running.pages, running.commands, *running.menu, ctx, running.clock.get());
    RegisterAutostart(running.commands, *ctx.services.messages, running.clock.get());
    // Files dropped on the clock: archives are extracted, the rest registered.
    running.clock->dropFiles = LauncherDropHandler(ctx, running.clock.get(), DroppedArchiveStep(ctx));
}
