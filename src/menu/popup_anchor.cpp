#include "menu/popup_anchor.h"

#include <algorithm>
#include <cmath>

namespace {

// Twips to whole pixels, the fraction dropped.
int ToPixels(qint64 twips, double twipsPerPixel)
{
    return int(std::trunc(double(twips) / twipsPerPixel));
}

// The start of a span of `length` at `wanted`, moved as little as may be
// into [low, high) (to low when it is longer).
int SlidInto(int wanted, int length, int low, int high)
{
    return std::max(low, std::min(wanted, high - length));
}

} // namespace

QPoint PopupAnchor(const PopupAnchorInput &in)
{
    QPoint anchor = in.pointer;
    const qint64 halfScreen = in.screenHeight / 2;
    if (in.clockTop - in.screenTop < halfScreen)
        anchor.setY(ToPixels(qint64(in.clockTop) + in.clockHeight, in.twipsPerPixelY));
    else
        anchor.setX(ToPixels(qint64(in.clockLeft) + in.clockWidth, in.twipsPerPixelX));
    return anchor;
}

QPoint MenuBesideClock(QPoint anchor, QSize menu, QRect clock, QRect monitor)
{
    if (monitor.contains(QRect(anchor, menu)))
        return anchor;
    const int x = SlidInto(anchor.x(), menu.width(), monitor.left(), monitor.right() + 1);
    const int y = SlidInto(anchor.y(), menu.height(), monitor.top(), monitor.bottom() + 1);
    const QPoint below(x, clock.bottom() + 1), above(x, clock.top() - menu.height());
    const QPoint right(clock.right() + 1, y), left(clock.left() - menu.width(), y);
    const bool anchorBelow = anchor.y() >= clock.bottom();
    const QPoint sides[4] = {anchorBelow ? below : right, anchorBelow ? above : left,
                             anchorBelow ? right : below, anchorBelow ? left : above};
    for (const QPoint &side : sides)
        if (monitor.contains(QRect(side, menu)))
            return side;
    return anchor;
}
