#pragma once
// The popup menu without the mouse: `tockara --menu` (what a desktop keyboard
// shortcut runs) opens the running clock's menu beside the clock with the
// keyboard in it, or starts a clock that opens its menu once it is shown. A
// plain `tockara` while the clock runs opens its menu too.
// The request travels over the program folder's request channel.
#include <memory>
#include <QString>

#include "platform/clock_requests.h"

class ClockWindow;
class KeyboardReturn;
struct RunningClock;

// Whether the command line asks for the menu.
bool MenuRequested(int argc, char **argv);

// A start that found the folder's clock running, with --menu or without:
// the running clock is asked to open its menu beside itself (waiting a few
// seconds for a clock that is still starting), so that starting the clock
// again from the desktop's application menu brings up its menu. Only --menu
// says so when no clock could be reached. The process's exit code.
int PassToRunningClock(const QString &programFolder, int argc, char **argv);

// What the running clock does with a request for its menu: the menu beside
// the clock, keyboard in it; while a tool window or box of the program is
// open, that window comes to the front instead (it holds the keyboard until
// it closes); while the menu is open, nothing. The window that had the
// keyboard is told to `keyboard` before the clock takes it.
void AnswerMenuRequest(ClockWindow &clock, KeyboardReturn *keyboard = nullptr);

// The running clock's side: hears the requests of later starts for as long
// as it lives.
class KeyboardMenu {
public:
    // Opens the channel of programFolder; the caller holds its instance lock.
    KeyboardMenu(const QString &programFolder, RunningClock &running, bool openAtStart);
    ~KeyboardMenu();
    // The clock is shown: a start with --menu opens the menu now.
    void clockStarted();

private:
    RunningClock &running_;
    std::unique_ptr<ClockRequestListener> listener_;
    bool openAtStart_;
};
