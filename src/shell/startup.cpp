#include "shell/startup.h"

#include <QApplication>

#include "platform/program_folder.h"
#include "platform/services.h"
#include "settings/settings.h"
#include "shell/clock_window.h"

RunningClock::RunningClock() = default;
RunningClock::~RunningClock() = default;

void StartClock(Context &ctx, RunningClock &running)
{
    // Settings are written straight back, so a first run creates the file with
    // every key at its default.
    LoadSettings(ctx.settings, ctx.settingsPath, ctx.programFolder);
    SaveSettings(ctx.settings, ctx.settingsPath);

    running.clock = std::make_unique<ClockWindow>(ctx);
    ClockWindow &clock = *running.clock;
    clock.ApplyClockShape();
    clock.ApplyBackColor();
    clock.ComposeBackground();

    clock.show();
    clock.raise();
}

int RunTockara(int argc, char **argv)
{
    // Wayland lets no client place or raise its own windows; the clock runs
    // through XWayland there.
    if (qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland" && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");

    QApplication app(argc, argv);
    app.setApplicationName("tockara");
    // The clock's windows are tool windows; the program ends through ExitProgram.
    app.setQuitOnLastWindowClosed(false);

    std::unique_ptr<InstanceLock> lock = MakeLinuxInstanceLock();
    if (!lock->tryLock())
        return 0;

    Services services = MakeLinuxServices();
    Context ctx(services, ResolveProgramFolder(QCoreApplication::applicationDirPath()));
    RunningClock running;
    StartClock(ctx, running);
    if (running.clock->exiting())
        return 0;
    return app.exec();
}
