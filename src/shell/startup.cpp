#include "shell/startup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

#include "archive/ui/archive_page.h"
#include "calendar/calendar_data.h"
#include "settings/display_patterns.h"
#include "calendar/notes.h"
#include "calendar/ui/note_window.h"
#include "context/context.h"
#include "context/feature_host.h"
#include "context/pages.h"
#include "desktop/wallpaper.h"
#include "face/fonts.h"
#include "face/ui/hover_window.h"
#include "launcher/ui/launcher_commands.h"
#include "menu/ui/popup_menu.h"
#include "platform/linux/linux_services.h"
#include "platform/program_folder.h"
#include "settings/profile.h"
#include "settings_window/ui/settings_window.h"
#include "shell/clock_window.h"
#include "shell/features.h"
#include "shell/fortune.h"
#include "shell/keyboard_menu.h"
#include "shell/keyboard_return.h"
#include "shell/program_icon.h"
#include "shell/quit_signals.h"
#include "shell/toolkit_folders.h"
#include "shell/window_placement.h"

RunningClock::RunningClock() = default;
RunningClock::~RunningClock() = default;

bool RunningClock::ending() const
{
    return quitting || (clock && clock->exiting());
}

namespace {

// Every persistent setting, then written straight back: a first run creates
// Tockara.ini with every key and the calendar section at their defaults. A
// new Tockara.ini that a killed save left beside it goes first. Nothing is
// written when the program is ending while a box about the file is shown.
void LoadAndRewriteSettings(Context &ctx, const RunningClock &running)
{
    RemoveUnfinishedSaves(ctx.settingsPath());
    ctx.store.Load();
    if (running.ending())
        return;
    LoadMemo(ctx.notes, ctx.settingsPath());
    JoinMemo(ctx.notes);
    LoadDayStyles(ctx.calendar, ctx.settingsPath());
    LoadHolidays(ctx.calendar, ctx.programFolder);
    ctx.launcher.Load();
    ctx.store.Save();
    SaveDayStyles(ctx.calendar, ctx.settingsPath());
}

void CreateClockWindow(Context &ctx, RunningClock &running)
{
    running.clock = std::make_unique<ClockWindow>(ctx);
    ClockWindow &clock = *running.clock;
    clock.setHoverWindow(running.hover.get());
    // A right click on the clock does not take the keyboard from the user's
    // window: where the window manager manages the clock (a dock on GNOME
    // and KDE), asking for it would leave a native window without it once
    // the menu closes, and XWayland cannot name that window to give it back.
    clock.showPopupMenu = [&menu = *running.menu, &clock](QPoint anchor) {
        menu.ShowPopupMenu(anchor, clock.geometry());
    };
    clock.showFortune = [&ctx, &clock] {
        ShowFortune(*ctx.services.messages, *ctx.services.clock, &clock);
    };

    clock.ApplyClockShape();
    clock.ApplyBackColor();
    clock.LoadEnvironment();
    clock.InstallBuiltInPatternsIfNone();
}

// What the running clock does to the desktop and with the files dropped on
// it: every window carries the program's icon, a desktop that keeps no
// wallpaper gets the kept one drawn again, extraction boxes belong to the
// clock, and a dropped archive is extracted while other files are registered.
void ConnectToDesktop(Context &ctx, RunningClock &running)
{
    ClockWindow *clock = running.clock.get();
    QApplication::setWindowIcon(ProgramIcon());
    RestoreRootWallpaper(*ctx.services.desktop, WallpaperProfilePath(ctx.programFolder));
    ctx.archives.setOwner(clock);
    clock->dropFiles = LauncherDropHandler(ctx, clock, DroppedArchiveStep(ctx));
}

// Closes every window shown before the clock's (a start-up box): a box's
// own event loop ends with it.
void CloseStartUpWindows()
{
    QList<QPointer<QWidget>> windows;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            windows.append(window);
    for (const QPointer<QWidget> &window : windows)
        if (window)
            window->close();
}

// The shell's own commands: opening the tool windows, and the end.
void BindWindowCommands(Context &ctx, RunningClock &running)
{
    CommandTable &commands = running.commands;
    ClockWindow *clock = running.clock.get();
    commands.bind(Command::OpenPage, [&ctx, &running, clock](const CommandItem &item) {
        ctx.PageRequest = item.page;
        OpenSettingsWindow(ctx, running.settingsWindow, running.pages, clock);
    });
    commands.bind(Command::OpenMemo, [&ctx, clock](const CommandItem &) {
        ctx.PageRequest = PageMemo;
        OpenNoteWindow(ctx, clock);
    });
    commands.bind(Command::Exit, [clock](const CommandItem &) { clock->ExitProgram(); });
}

} // namespace

void StartClock(Context &ctx, RunningClock &running)
{
    InstallFontSubstitutions();
    LoadAndRewriteSettings(ctx, running);
    if (running.ending())
        return;

    running.menu = std::make_unique<PopupMenu>(running.commands);
    running.hover = std::make_unique<HoverWindow>(ctx);
    const auto &digital = ctx.settings().Digital;
    ctx.patterns = ReadDisplayPatterns(ctx.programFolder, digital.DatePattern, digital.TimePattern);

    CreateClockWindow(ctx, running);
    if (running.ending())
        return;
    BindWindowCommands(ctx, running);
    FeatureHost host{ctx, running.pages, running.commands, *running.menu, running.clock.get()};
    RegisterFeatures(host);
    ConnectToDesktop(ctx, running);
    // Check marks follow what the commands change, environments included.
    QObject::connect(&ctx.store, &SettingsStore::changed, running.menu.get(),
                     [menu = running.menu.get()] { menu->RefreshChecks(); });
    running.menu->RefreshChecks();

    running.placement = std::make_unique<ToolWindowPlacement>(*running.clock, ctx.services.screen.get());
    running.keyboard = std::make_unique<KeyboardReturn>(*ctx.services.screen);
    // Topmost without taking the focus from the user's window.
    running.clock->show();
    running.clock->raise();

    if (ctx.notes.MemoLineCount >= 1 && !running.ending()) {
        ctx.PageRequest = PageMemo;
        OpenNoteWindow(ctx, running.clock.get());
    }
}

QByteArray ToolkitPlatform(const QByteArray &requested, const QByteArray &display)
{
    const QByteArray name = requested.split(':').first();
    if (name == "offscreen" || name == "minimal")
        return requested;
    return display.isEmpty() ? requested : QByteArray("xcb");
}

int RunTockara(int argc, char **argv)
{
    // Wayland lets no client place or raise its own windows; the clock runs
    // through XWayland there, whatever the session asks of the toolkit.
    const QByteArray platform = ToolkitPlatform(qgetenv("QT_QPA_PLATFORM"), qgetenv("DISPLAY"));
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);

    // The clock's window is small: its frames go to the display server
    // faster as plain requests than through shared memory, which makes every
    // repaint wait for the server to be done with the previous one.
    if (qEnvironmentVariableIsEmpty("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");

    // One clock per program folder, decided before the toolkit connects to a
    // display and before anything of the folder is read: a second start,
    // whatever its DISPLAY says, asks the running clock for its menu and ends.
    const QString programFolder = ResolveProgramFolder(ExecutableFolder());
    std::unique_ptr<InstanceLock> lock = MakeLinuxInstanceLock(programFolder);
    if (!lock->tryLock())
        return PassToRunningClock(programFolder, argc, argv);

    // From here on a signal that would end the program ends it through its
    // quit path; one that comes before the event loop runs waits for it.
    InstallQuitSignals();
    KeepToolkitOutOfExecutableFolder();
    QApplication app(argc, argv);
    CheckToolkitFolders();
    app.setApplicationName("tockara");
    // Docks and task bars find the launcher entry of the clock's windows by
    // this name (a Wayland application id, the desktop file name of X11
    // desktops that ask for it) and by their WM_CLASS, which the application
    // name gives and the entry's StartupWMClass names.
    QGuiApplication::setDesktopFileName(QStringLiteral(TOCKARA_APP_ID));
    // The clock's windows are tool windows; the program ends through ExitProgram.
    app.setQuitOnLastWindowClosed(false);
    // The clock speaks Japanese; so do the toolkit's own dialogs and buttons.
    QTranslator toolkitTexts;
    if (toolkitTexts.load(QLocale(QLocale::Japanese), "qtbase", "_",
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&toolkitTexts);

    Services services = MakeLinuxServices();
    Context ctx(services, programFolder);
    RunningClock running;
    // A signal ends the clock as 閉じる does, from the event loop, whatever
    // window or box is open; before the clock's window is there, the boxes
    // of start-up close and start-up goes no further.
    QuitOnSignals(&app, [&running] {
        running.quitting = true;
        if (running.clock) {
            running.clock->ExitProgram();
            return;
        }
        CloseStartUpWindows();
        QCoreApplication::exit(0);
    });
    KeyboardMenu keyboardMenu(programFolder, running, MenuRequested(argc, argv));
    StartClock(ctx, running);
    if (running.ending())
        return 0;
    keyboardMenu.clockStarted();
    return app.exec();
}
