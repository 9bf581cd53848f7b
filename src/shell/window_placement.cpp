#include "shell/window_placement.h"

#include <algorithm>
#include <array>
#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "platform/fits_in_room.h"
#include "platform/screen_info.h"

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

// The room each side of the clock leaves between it and the screen's edge,
// in the order of Side.
std::array<int, 4> RoomBeside(const QRect &clock, const QRect &available)
{
    return {available.x() + available.width() - (clock.x() + clock.width()) - kGap,
            clock.x() - available.x() - kGap,
            available.y() + available.height() - (clock.y() + clock.height()) - kGap,
            clock.y() - available.y() - kGap};
}

} // namespace

QSize SizeBesideClock(const QRect &clock, const QSize &window, const QSize &minimum, const QRect &available)
{
    const std::array<int, 4> room = RoomBeside(clock, available);
    QSize best = window;
    qint64 bestArea = -1;
    for (int side = 0; side < 4; ++side) {
        const bool across = Side(side) == Side::Right || Side(side) == Side::Left;
        const QSize sideRoom = across ? QSize(room[side], available.height()) : QSize(available.width(), room[side]);
        if (window.width() <= sideRoom.width() && window.height() <= sideRoom.height())
            return window;
        const QSize fitted = window.boundedTo(sideRoom);
        const qint64 area = qint64(fitted.width()) * fitted.height();
        if (fitted.width() >= minimum.width() && fitted.height() >= minimum.height() && area > bestArea) {
            best = fitted;
            bestArea = area;
        }
    }
    return best;
}

QPoint BesideClock(const QRect &clock, const QSize &window, const QRect &available)
{
    const int w = window.width();
    const int h = window.height();
    const int areaRight = available.x() + available.width();    // one past
    const int areaBottom = available.y() + available.height();
    const int clockRight = clock.x() + clock.width();
    const int clockBottom = clock.y() + clock.height();

    const std::array<int, 4> room = RoomBeside(clock, available);
    const int needed[] = {w, w, h, h};
    int side = -1;
    for (int s = 0; s < 4 && side < 0; ++s) {
        if (room[s] >= needed[s])
            side = s;
    }
    if (side < 0)
        side = int(std::max_element(room.begin(), room.end()) - room.begin());

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

ToolWindowPlacement::ToolWindowPlacement(QWidget &clock, ScreenInfo *screen)
    : clock_(clock), screen_(screen), frame_(kAssumedFrame)
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
    const QRect clock = clock_.frameGeometry();
    const QRect available = screen->availableGeometry();
    // Made smaller where it is too large for every side and can be.
    auto *fitting = dynamic_cast<FitsInRoom *>(&window);
    const QSize smallest =
        fitting ? fitting->smallestSize() : window.minimumSize().expandedTo(window.minimumSizeHint());
    if (fitting || smallest != window.maximumSize()) {
        const QSize size = SizeBesideClock(clock, window.size().grownBy(frame_), smallest.grownBy(frame_), available)
                               .shrunkBy(frame_);
        if (size != window.size()) {
            if (fitting)
                fitting->fitInto(size);
            else
                window.resize(size);
        }
    }
    if (screen_ && window.windowHandle() && window.minimumSize() == window.maximumSize())
        screen_->keepFixedSize(*window.windowHandle());
    const QSize framed = window.size().grownBy(frame_);
    const QPoint corner = BesideClock(clock, framed, available);
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
