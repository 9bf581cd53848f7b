#pragma once
// The entry routine: one clock per display, settings loaded and written back,
// the windows created in their order, the clock shown above all windows.
#include <memory>

#include "settings/context.h"

class ClockWindow;

// Everything start-up creates and the running clock keeps until exit.
struct RunningClock {
    RunningClock();
    ~RunningClock();
    std::unique_ptr<ClockWindow> clock;
};

// Runs the start-up steps on ctx (settings loaded and saved, windows created,
// the clock shown). Returns when start-up is complete; the clock then lives
// on in its event handlers.
void StartClock(Context &ctx, RunningClock &running);

// The whole program: single-instance check, start-up, event loop.
int RunTockara(int argc, char **argv);
