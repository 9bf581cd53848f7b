#include "shell/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "calendar/calendar_data.h"
#include "calendar/note_window.h"
#include "calendar/notes.h"
#include "face/digital_overlay.h"
#include "face/fonts.h"
#include "face/hover_window.h"
#include "launcher/popup_menu.h"
#include "platform/program_folder.h"
#include "platform/linux/linux_services.h"
#include "settings/settings.h"
#include "settings_window/settings_window.h"
#include "settings_window/settings_window_state.h"
#include "shell/clock_window.h"
#include "shell/fortune.h"

RunningClock::RunningClock() = default;
RunningClock::~RunningClock() = default;

namespace {

// Every persistent setting, then written straight back: a first run creates
// Tockara.ini with every key and the calendar section at their defaults.
void LoadAndRewriteSettings(Context &ctx)
{
    LoadSettings(ctx.settings, ctx.settingsPath, ctx.programFolder);
    LoadMemo(*ctx.notes, ctx.settingsPath);
    JoinMemo(*ctx.notes);
    LoadDayStyles(*ctx.calendar, ctx.settingsPath);
    LoadHolidays(*ctx.calendar, ctx.programFolder);
    SaveSettings(ctx.settings, ctx.settingsPath);
    SaveDayStyles(*ctx.calendar, ctx.settingsPath);
}

void CreateClockWindow(Context &ctx, RunningClock &running)
{
    running.clock = std::make_unique<ClockWindow>(ctx);
    ClockWindow &clock = *running.clock;
    clock.setHoverWindow(running.hover.get());
    clock.showPopupMenu = [&menu = *running.menu](QPoint anchor) { menu.ShowPopupMenu(anchor); };
    clock.showFortune = [&ctx, &clock] { ShowFortune(ctx, &clock); };

    clock.ApplyClockShape();
    clock.ApplyBackColor();
    clock.ComposeBackground();
    clock.LoadEnvironment();
    clock.InstallBuiltInPatternsIfNone();
}

} // namespace

void StartClock(Context &ctx, RunningClock &running)
{
    InstallFontSubstitutions();
    ctx.calendar = std::make_shared<CalendarData>();
    ctx.notes = std::make_shared<NoteData>();
    LoadAndRewriteSettings(ctx);

    running.menu = std::make_unique<PopupMenu>(ctx);
    running.hover = std::make_unique<HoverWindow>(ctx);
    running.menu->SyncBackgroundMenuChecks();
    UpdatePatternFormats(ctx);

    CreateClockWindow(ctx, running);
    running.settingsWindow = std::make_unique<SettingsWindowState>();
    ctx.ShowSettingsWindow = [&ctx, &running] {
        OpenSettingsWindow(ctx, *running.settingsWindow, running.clock.get());
    };

    // Topmost without taking the focus from the user's window.
    running.clock->show();
    running.clock->raise();

    if (ctx.notes->MemoLineCount >= 1) {
        ctx.PageRequest = NoteWindow::MemoPage;
        OpenNoteWindow(ctx, running.clock.get());
    }
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
    // The clock speaks Japanese; so do the toolkit's own dialogs and buttons.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&toolkitTexts);

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
