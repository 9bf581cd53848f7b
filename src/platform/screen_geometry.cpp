#include "platform/screen_geometry.h"

#include <algorithm>
#include <limits>

namespace {

// The squared distance from point to the nearest pixel of rect.
qint64 DistanceSquared(QPoint point, QRect rect)
{
    const qint64 dx = std::max({qint64(rect.left()) - point.x(), qint64(0), qint64(point.x()) - rect.right()});
    const qint64 dy = std::max({qint64(rect.top()) - point.y(), qint64(0), qint64(point.y()) - rect.bottom()});
    return dx * dx + dy * dy;
}

} // namespace

QRect NearestMonitor(QPoint point, const QList<QRect> &monitors)
{
    QRect nearest;
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect &monitor : monitors) {
        if (monitor.isEmpty())
            continue;
        const qint64 distance = DistanceSquared(point, monitor);
        if (distance < best) {
            best = distance;
            nearest = monitor;
        }
    }
    return nearest;
}

QPoint KeptInside(QRect window, QRect area)
{
    const int x = std::max(area.left(), std::min(window.left(), area.left() + area.width() - window.width()));
    const int y = std::max(area.top(), std::min(window.top(), area.top() + area.height() - window.height()));
    return QPoint(x, y);
}
