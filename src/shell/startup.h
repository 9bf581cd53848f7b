#pragma once
// The entry routine: one clock per display, settings loaded and written back,
// the windows created in their order, the clock shown above all windows.
#include <memory>

#include "settings/context.h"

class ClockWindow;
class HoverWindow;
class PopupMenu;
struct SettingsWindowState;

// Everything start-up creates and the running clock keeps until exit.
struct RunningClock {
    RunningClock();
    ~RunningClock();
    std::unique_ptr<PopupMenu> menu;                      // frmMenu, never shown
    std::unique_ptr<HoverWindow> hover;                   // frmDigi
    std::unique_ptr<ClockWindow> clock;                   // frmMain
    std::unique_ptr<SettingsWindowState> settingsWindow;  // survives each frmSub
};

// Runs the start-up steps on ctx (settings loaded and saved, windows created,
// the clock shown). When the quick memo holds text, the memo window is shown
// modally and this returns only after it was closed (the clock ticks on).
void StartClock(Context &ctx, RunningClock &running);

// The whole program: single-instance check, start-up, event loop.
int RunTockara(int argc, char **argv);
