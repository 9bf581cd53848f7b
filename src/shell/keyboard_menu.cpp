#include "shell/keyboard_menu.h"

#include <cstdio>
#include <cstring>
#include <thread>
#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include "platform/linux/clock_requests.h"
#include "shell/clock_window.h"
#include "shell/keyboard_return.h"
#include "shell/startup.h"

namespace {

constexpr char kMenuOption[] = "--menu";
// A clock that holds the lock but is still starting opens its channel within
// a second or two; after this long the request is given up.
constexpr int kSendAttempts = 50;
constexpr auto kSendPause = std::chrono::milliseconds(100);

} // namespace

bool MenuRequested(int argc, char **argv)
{
    return argc >= 2 && std::strcmp(argv[1], kMenuOption) == 0;
}

int PassToRunningClock(const QString &programFolder, int argc, char **argv)
{
    for (int attempt = 0; attempt < kSendAttempts; ++attempt) {
        if (SendLinuxClockRequest(programFolder, ClockRequest::OpenMenu))
            return 0;
        std::this_thread::sleep_for(kSendPause);
    }
    // A start from the desktop's menu has no one to tell: it ends quietly,
    // as a second clock always did.
    if (!MenuRequested(argc, argv))
        return 0;
    std::fputs("tockara: 動いている時計にメニューを開かせることができませんでした。\n", stderr);
    return 1;
}

void AnswerMenuRequest(ClockWindow &clock, KeyboardReturn *keyboard)
{
    if (clock.exiting() || QApplication::activePopupWidget() || (keyboard && keyboard->waiting()))
        return;
    if (QWidget *open = QApplication::activeModalWidget()) {
        open->raise();
        open->activateWindow();
        return;
    }
    // The keyboard comes to the clock first: where the desktop still holds
    // the keyboard for the shortcut's key, the menu's own grab of it fails,
    // and the keys the clock receives go to its open menu all the same.
    // A wlroots compositor gives the keyboard to none of the clock's
    // windows; it is led to the program there (its corner pixel is clear on
    // that route), and the clock is not activated: the compositor takes
    // that focus back at once, and the program losing it closes the menu.
    auto open = [opening = QPointer<ClockWindow>(&clock)] {
        if (opening && !opening->exiting())
            opening->OpenPopupMenuFromKeyboard();
    };
    if (!keyboard || !keyboard->takeKeyboard(clock.geometry().topLeft())) {
        clock.activateWindow();
        if (keyboard) {
            keyboard->askKeyboardFor(clock, open);
            return;
        }
    }
    open();
}

KeyboardMenu::KeyboardMenu(const QString &programFolder, RunningClock &running, bool openAtStart)
    : running_(running), listener_(MakeLinuxRequestListener(programFolder)), openAtStart_(openAtStart)
{
    // Without a channel the clock runs on; only --menu cannot reach it.
    listener_->listen([this](ClockRequest) {
        if (running_.clock)
            AnswerMenuRequest(*running_.clock, running_.keyboard.get());
    });
}

KeyboardMenu::~KeyboardMenu() = default;

void KeyboardMenu::clockStarted()
{
    if (openAtStart_ && running_.clock)
        QMetaObject::invokeMethod(
            running_.clock.get(), [this] { AnswerMenuRequest(*running_.clock, running_.keyboard.get()); },
            Qt::QueuedConnection);
}
