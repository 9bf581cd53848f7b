#pragma once
// The keyboard handed back when the program is done with it. The window of
// another program that had the keyboard when the clock's menu, a tool window
// or a box of the program came up gets it again once the last of them
// closes: a keyboard user goes on where they were, without reaching for the
// desktop's shortcut again.
#include <functional>
#include <optional>
#include <QObject>
#include <QPoint>

class QWindow;
class ScreenInfo;

class KeyboardReturn : public QObject {
public:
    // Follows every window of the program as it is shown and hidden; lives
    // as long as the clock.
    explicit KeyboardReturn(ScreenInfo &screen);
    ~KeyboardReturn() override;
    // Remembers the window that has the keyboard now, unless one is
    // remembered already: called before the program takes the keyboard
    // itself (tockara --menu).
    void remember();
    // Remembers the holder and brings the keyboard to the program, where the
    // session gives it to none of the program's windows unasked (a wlroots
    // compositor), until the last of the program's windows that take the
    // keyboard closes: for the menu of tockara --menu. `at`: a clear pixel
    // of the clock's, for the window that draws the keyboard there.
    bool takeKeyboard(QPoint at);
    // Asks the window manager for the keyboard for `window` where it manages
    // the program's windows (GNOME, KDE on Wayland) and no X window of
    // another program has it (a native window or none does); elsewhere
    // nothing. Then calls `open` (the clock's menu): once the window has
    // held the keyboard for a moment, or after under a second without it,
    // where it was asked; at once elsewhere. A menu opened before the keyboard arrives would
    // close again: the toolkit closes its menus as the program loses the
    // keyboard, and the keyboard moving to the clock from a window that is
    // not the toolkit's (the hand-off window of a moment ago) is told as
    // such a loss first.
    void askKeyboardFor(QWidget &window, std::function<void()> open);
    // An ask waits for the keyboard: the menu it opens is on its way.
    bool waiting() const { return waiting_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void giveBackIfDone();
    void openOnceKeyboardArrives(QWindow &window, std::function<void()> open);

    ScreenInfo &screen_;
    std::optional<quint64> holder_;
    bool checkPending_ = false;
    bool leading_ = false;
    // The window manager gave the clock the keyboard on the program's ask;
    // where the clock was then.
    bool asked_ = false;
    QPoint askedAt_;
    bool waiting_ = false;
};
