#include "shell/features.h"

#include "archive/ui/archive_page.h"
#include "face/ui/face_commands.h"
#include "settings_window/ui/clock_settings_pages.h"
#include "shell/clock_window.h"
#include "shell/startup.h"

// One line per feature: its pages into the page registry, its commands into
// the command table.
void RegisterFeatures(Context &ctx, RunningClock &running)
{
    RegisterClockSettingsPages(running.pages);
    BindFaceCommands(running.commands, ctx, running.clock.get());
    RegisterArchive(running.pages, ctx, running.clock.get());
}
