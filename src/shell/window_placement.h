#pragma once
// Where the program's tool windows and message boxes open: beside the clock,
// on the clock's screen, never over it.
#include <QMargins>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;
class ScreenInfo;

// The top-left corner of a window of the given size (its frame included)
// opening beside clock (the clock window's frame) within available (the
// usable area of the clock's screen, panels excluded). The first side of
// right, left, below, above where the window fits wholly, its near edge
// aligned with the clock's; where it fits on no side, the side with the
// most room, as far from the clock as the screen allows. Always within
// available as far as the window's size allows.
QPoint BesideClock(const QRect &clock, const QSize &window, const QRect &available);

// The size a window that can be made smaller (down to minimum) takes so
// that it fits wholly beside clock on some side: its own size where it fits
// so already; else the largest it can keep on one side, no smaller than
// minimum; its own size when it fits on no side even at minimum.
QSize SizeBesideClock(const QRect &clock, const QSize &window, const QSize &minimum, const QRect &available);

// Puts every tool window and message box of the program beside the clock as
// it is shown: the settings window's pages, the diary and memo, the
// choosers, the boxes. A window too large for every side is made smaller
// first where it can be: a chooser (resizable) down to its minimum size, a
// message box by fitting its text into the room (FitsInRoom). A window of
// fixed size is told to the window manager as one (through screen, when
// given). Menus, the hover window and the clock itself keep their own
// places. Lives as long as the clock.
class ToolWindowPlacement : public QObject {
public:
    explicit ToolWindowPlacement(QWidget &clock, ScreenInfo *screen = nullptr);
    ~ToolWindowPlacement() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place(QWidget &window);
    void learnFrame();

    QWidget &clock_;
    ScreenInfo *screen_;
    // The window manager's frame around the last framed window seen, taken
    // for a new window before its own frame is known.
    QMargins frame_;
};
