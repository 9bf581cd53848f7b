#include "shell/window_placement.h"

#include <algorithm>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

// Room between the clock and the window beside it.
constexpr int kGap = 8;

// A frame as window managers draw it, assumed for a window shown before any
// framed window of the program was seen: a title bar and thin borders.
const QMargins kAssumedFrame(4, 28, 4, 4);

// Moves the span [start, start + length) into [low, high), its start first
// when it is longer than that.
int ClampSpan(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

enum class Side { Right, Left, Below, Above };

} // namespace

QPoint BesideClock(const QRect &clock, const QSize &window, const QRect &available)
{
    const int w = window.width();
    const int h = window.height();
    const int areaRight = available.x() + available.width();    // one past
    const int areaBottom = available.y() + available.height();
    const int clockRight = clock.x() + clock.width();
    const int clockBottom = clock.y() + clock.height();

    // The room each side leaves between the clock and the screen's edge.
    const int room[] = {areaRight - clockRight - kGap, clock.x() - available.x() - kGap,
                        areaBottom - clockBottom - kGap, clock.y() - available.y() - kGap};
    const int needed[] = {w, w, h, h};
    int side = -1;
    for (int s = 0; s < 4 && side < 0; ++s) {
        if (room[s] >= needed[s])
            side = s;
    }
    if (side < 0)
        side = int(std::max_element(std::begin(room), std::end(room)) - std::begin(room));

    const int alongX = ClampSpan(clock.x(), w, available.x(), areaRight);
    const int alongY = ClampSpan(clock.y(), h, available.y(), areaBottom);
    switch (Side(side)) {
    case Side::Right:
        return {ClampSpan(clockRight + kGap, w, available.x(), areaRight), alongY};
    case Side::Left:
        return {ClampSpan(clock.x() - kGap - w, w, available.x(), areaRight), alongY};
    case Side::Below:
        return {alongX, ClampSpan(clockBottom + kGap, h, available.y(), areaBottom)};
    case Side::Above:
        return {alongX, ClampSpan(clock.y() - kGap - h, h, available.y(), areaBottom)};
    }
    return available.topLeft();
}

ToolWindowPlacement::ToolWindowPlacement(QWidget &clock) : clock_(clock), frame_(kAssumedFrame)
{
    qApp->installEventFilter(this);
}

ToolWindowPlacement::~ToolWindowPlacement()
{
    qApp->removeEventFilter(this);
}

// The native window of a widget is shown after the widget's own show event,
// in which some windows take their final size (a message box fits itself to
// its text there), and before the window system maps it: the place to move
// the window to.
bool ToolWindowPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWindowType())
        return false;
    auto *native = static_cast<QWindow *>(watched);
    if (!native->isTopLevel())
        return false;
    const QWidgetList windows = QApplication::topLevelWidgets();
    const auto shown = std::find_if(windows.begin(), windows.end(),
                                    [native](QWidget *w) { return w->windowHandle() == native; });
    // Dialogs: the settings window, the diary and memo, boxes and choosers.
    // Menus, tool tips, the hover window and the clock keep their own places.
    if (shown != windows.end() && *shown != &clock_ && (*shown)->windowType() == Qt::Dialog)
        place(**shown);
    return false;
}

void ToolWindowPlacement::place(QWidget &window)
{
    learnFrame();
    QScreen *screen = clock_.screen();
    if (!screen)
        return;
    const QSize framed = window.size().grownBy(frame_);
    const QPoint corner = BesideClock(clock_.frameGeometry(), framed, screen->availableGeometry());
    // The corner of the frame: the window manager puts the window inside it.
    if (QWindow *native = window.windowHandle())
        native->setFramePosition(corner);
    else
        window.move(corner);
}

// The frame the window manager draws around a window shown earlier.
void ToolWindowPlacement::learnFrame()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->windowType() != Qt::Dialog)
            continue;
        const QRect inner = window->geometry();
        const QRect outer = window->frameGeometry();
        if (inner != outer) {
            frame_ = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                              outer.right() - inner.right(), outer.bottom() - inner.bottom());
            return;
        }
    }
}
