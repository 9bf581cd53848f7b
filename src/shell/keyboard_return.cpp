#include "shell/keyboard_return.h"

#include <utility>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/screen_info.h"

namespace {

// The program's windows that take the keyboard: menus, tool windows, boxes
// and choosers. The clock and the hover window never do.
bool TakesKeyboard(const QWidget &window)
{
    const Qt::WindowType type = window.windowType();
    return type == Qt::Popup || type == Qt::Dialog || type == Qt::Window;
}

bool AnyOpen()
{
    for (const QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible() && TakesKeyboard(*window))
            return true;
    return false;
}

} // namespace

KeyboardReturn::KeyboardReturn(ScreenInfo &screen) : screen_(screen)
{
    qApp->installEventFilter(this);
}

KeyboardReturn::~KeyboardReturn()
{
    qApp->removeEventFilter(this);
}

void KeyboardReturn::remember()
{
    if (!holder_)
        holder_ = screen_.keyboardHolder();
}

bool KeyboardReturn::takeKeyboard(QPoint at)
{
    remember();
    leading_ = screen_.leadKeyboardHere(at);
    return leading_;
}

void KeyboardReturn::askKeyboardFor(QWidget &window, std::function<void()> open)
{
    // An X window that has the keyboard keeps XWayland's keyboard: the
    // menu's own grab takes the keys then, and a focus that moves while the
    // menu opens would close it.
    const std::optional<quint64> holder = screen_.keyboardHolder();
    QWindow *handle = window.windowHandle();
    if (holder || !handle || !screen_.askKeyboardFor(*handle)) {
        open();
        return;
    }
    asked_ = true;
    askedAt_ = window.geometry().topLeft();
    openOnceKeyboardArrives(*handle, std::move(open));
}

void KeyboardReturn::openOnceKeyboardArrives(QWindow &window, std::function<void()> open)
{
    // Looked at every 20 ms. The keyboard counts as arrived once the clock
    // has held it for six looks in a row: the window manager may give it
    // and take it again a moment later (to the window it falls back to as
    // the hand-off window of a request before goes), and the toolkit tells
    // the loss 100 ms after. Asked again after ten looks without it; opened
    // anyway after forty (a window manager that turns the ask down, where a
    // native window keeps the keyboard, costs the menu under a second).
    constexpr int kLookEveryMs = 20, kHeldLooks = 6, kAskAgainLooks = 10, kLooks = 40;
    waiting_ = true;
    auto *look = new QTimer(this);
    look->setInterval(kLookEveryMs);
    connect(look, &QTimer::timeout, this,
            [this, look, target = QPointer<QWindow>(&window), open = std::move(open), looks = 0, held = 0,
             without = 0]() mutable {
                if (target && ++looks < kLooks) {
                    if (screen_.hasKeyboard(*target)) {
                        without = 0;
                        if (++held < kHeldLooks)
                            return;
                    } else {
                        held = 0;
                        if (++without % kAskAgainLooks == 0)
                            screen_.askKeyboardFor(*target);
                        return;
                    }
                }
                look->stop();
                look->deleteLater();
                waiting_ = false;
                open();
            });
    look->start();
}

// A window is shown before the window system maps it and gives it the
// keyboard: the holder is still the other program's window then.
bool KeyboardReturn::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show && event->type() != QEvent::Hide)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || !widget->isWindow() || !TakesKeyboard(*widget))
        return false;
    if (event->type() == QEvent::Show)
        remember();
    // Once the events of the hide are over: a menu closes before the tool
    // window its item opens is shown.
    if (event->type() == QEvent::Hide && !checkPending_) {
        checkPending_ = true;
        QTimer::singleShot(0, this, [this] {
            checkPending_ = false;
            giveBackIfDone();
        });
    }
    return false;
}

void KeyboardReturn::giveBackIfDone()
{
    if (AnyOpen())
        return;
    // The compositor that lent the keyboard gives it back itself.
    if (std::exchange(leading_, false))
        screen_.endKeyboardLead();
    const bool asked = std::exchange(asked_, false);
    if (!holder_) {
        if (asked)
            screen_.letKeyboardGo(askedAt_);
        return;
    }
    screen_.giveKeyboardTo(*std::exchange(holder_, std::nullopt));
}
