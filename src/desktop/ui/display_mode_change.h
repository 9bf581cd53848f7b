#pragma once
// Setting a display mode chosen in 画面解像度, and what follows a change:
// the clock brought wholly onto the monitor's new area, the root window's
// wallpaper laid out again for the new size, and the question whether to
// keep the mode, which brings the old one back unless it is answered はい.
#include <QDateTime>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "platform/display_modes.h"

class LocalClock;
struct Context;

// 「この解像度のままにしますか？」 with the seconds it has left, はい and いいえ
// (the default, and what Escape and the close box answer). Without an answer
// it closes as いいえ once KeepDisplayModeSeconds have passed on the desktop's
// clock, or on its own timer when that clock was set back meanwhile.
class KeepDisplayModeBox : public QMessageBox {
    Q_OBJECT
public:
    KeepDisplayModeBox(const LocalClock &clock, QWidget *owner);
    // Shows the seconds left; closes the box when none are.
    void refresh();
    bool kept() const;

private:
    const LocalClock &clock_;
    const QDateTime askedAt_;
    QTimer timer_;
    int ticks_ = 0;
};

class DisplayModeChange : public QObject {
public:
    // clock is the clock's window (may be null in tests of the menu alone).
    DisplayModeChange(Context &ctx, QWidget *clock);

    // Sets mode on the clock's monitor. When that changed the monitor's size,
    // the clock is brought wholly onto it (its kept position too), the
    // wallpaper the clock draws is laid out again, and the question is shown;
    // いいえ, closing it or no answer sets the old mode again and puts the
    // clock back where it stood.
    void choose(const DisplayMode &mode);

    // The question while it is open.
    KeepDisplayModeBox *question() const { return question_; }

private:
    struct Before {
        DisplayMode mode;
        QPoint clockAt;
        qint32 left = 0, top = 0;
    };
    void ask(QRect area, const Before &before);
    void answered(bool keep, const Before &before);
    void layOutWallpaper();

    Context &ctx_;
    QWidget *clock_;
    QPointer<KeepDisplayModeBox> question_;
};
