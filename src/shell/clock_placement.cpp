#include "shell/clock_placement.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/screen_geometry.h"

QPoint ClockStartPosition(const ClockPlacementInput &in)
{
    const double tx = in.twipsPerPixelX, ty = in.twipsPerPixelY;
    const double screenWidth = (in.desktop.x() + in.desktop.width()) * tx;
    const double screenHeight = (in.desktop.y() + in.desktop.height()) * ty;
    double top = in.top;
    double left = in.left;
    const double height = in.size.height() * ty;
    const double width = in.size.width() * tx;
    if (top + height > screenHeight)
        top = screenHeight - height;
    if (left + width > screenWidth)
        left = screenWidth - width;
    const QRect window(QPoint(int(std::lround(left / tx)), int(std::lround(top / ty))), in.size);

    const QPoint middle = window.center();
    const bool onAMonitor = std::any_of(in.monitors.begin(), in.monitors.end(),
                                        [&](const QRect &monitor) { return monitor.contains(middle); });
    if (onAMonitor || in.monitors.isEmpty())
        return window.topLeft();
    return KeptInside(window, NearestMonitor(middle, in.monitors));
}
