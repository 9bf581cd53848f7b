#pragma once
// The hover window (frmDigi): a small window beside the pointer, shown while
// the pointer rests over the clock, with the full date and time and the quick
// memo. It never takes the focus.
#include <optional>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

struct Context;
class QLabel;
class QTimer;

// Where a window of the given size goes beside the pointer: left of the
// pointer (its right edge on it) when the pointer is right of the screen's
// middle, else right of it; above the pointer (its bottom edge on it) when
// the pointer is below the middle, else 2 pixels below it.
QPoint HoverWindowPosition(QPoint pointer, QSize windowSize, QPoint screenMiddle);

// Where the hover window goes when it must not lie under the pointer while
// the pointer is over the clock: as HoverWindowPosition says, but moved
// up or down just off the clock's rectangle.
QPoint HoverWindowOffClock(QPoint pointer, QSize windowSize, QPoint screenMiddle, QRect clock);

// The middle of the monitor under the pointer, in screen pixels, found as the
// half of its size in twips.
QPoint ScreenMiddle(QRect monitor, double twipsPerPixelX, double twipsPerPixelY);

// Whether the pointer lies strictly inside the clock's rectangle.
bool PointerOverClock(QPoint pointer, QRect clock);

// Whether a box, chooser or tool window of the program is on the screen.
bool ProgramWindowOpen();

class HoverWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int RefreshInterval = 300;   // ms

    // Created hidden; shows its first text at once.
    explicit HoverWindow(Context &ctx, QWidget *parent = nullptr);

    // Label DSP := the current date and time in "Setting" "TimeFormat", then
    // the quick memo's lines below it; the window takes the label's size.
    // Once the label has a text, a hidden window is left as it is: follow()
    // brings the text up to date when it shows the window.
    void refresh();

    // Called by every tick of the clock with the pointer as the clock knows
    // it (nothing when it is known to be elsewhere): beside the pointer while
    // the pointer is over the clock's rectangle (top-left clockTopLeft in
    // screen pixels, size "Setting" Width x Height), hidden otherwise, and
    // always hidden while a tool window, a box or a chooser of the program is
    // open.
    void follow(QPoint clockTopLeft, std::optional<QPoint> pointer);

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QString currentText() const;
    void updateText();

    Context &ctx_;
    QLabel *label_ = nullptr;   // DSP
    QTimer *timer_ = nullptr;   // TMC
};
