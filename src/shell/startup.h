#pragma once
// The entry routine: one clock per program folder, settings loaded and written back,
// the windows created in their order, every feature's pages and commands
// registered, the clock shown above all windows.
#include <memory>
#include <QByteArray>

#include "context/commands.h"
#include "settings_window/settings_window_state.h"
#include "settings_window/ui/settings_page.h"

class ClockWindow;
class HoverWindow;
class KeyboardReturn;
class PopupMenu;
class ToolWindowPlacement;
struct Context;

// Everything start-up creates and the running clock keeps until exit.
struct RunningClock {
    RunningClock();
    ~RunningClock();
    CommandTable commands;                  // what each menu item does
    PageRegistry pages;                     // what each settings page is
    SettingsWindowState settingsWindow;     // survives each frmSub
    std::unique_ptr<PopupMenu> menu;        // frmMenu, never shown
    std::unique_ptr<HoverWindow> hover;     // frmDigi
    std::unique_ptr<ClockWindow> clock;     // frmMain
    std::unique_ptr<ToolWindowPlacement> placement;  // the tool windows beside the clock
    std::unique_ptr<KeyboardReturn> keyboard;        // the keyboard back where it was
    bool quitting = false;                  // a quit signal came: start-up goes no further

    // Whether the program is ending: a quit signal came, or the clock's
    // window is closing.
    bool ending() const;
};

// Runs the start-up steps on ctx (settings loaded and saved, windows created,
// features registered, the clock shown). When the quick memo holds text, the
// memo window is shown modally and this returns only after it was closed
// (the clock ticks on). Returns early once running.ending().
void StartClock(Context &ctx, RunningClock &running);

// The toolkit platform to run on, given the one asked for (QT_QPA_PLATFORM)
// and the X display (DISPLAY): X11 whenever a display is there, because the
// clock must place, raise and move its own windows, which Wayland lets no
// client do; the test platforms (offscreen, minimal) stay as asked.
QByteArray ToolkitPlatform(const QByteArray &requested, const QByteArray &display);

// The whole program: single-instance check, start-up, event loop.
int RunTockara(int argc, char **argv);
