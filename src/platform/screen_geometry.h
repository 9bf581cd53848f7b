#pragma once
// Rules of screen geometry shared by the clock's windows and the screen service.
#include <QList>
#include <QPoint>
#include <QRect>

// The top-left corner of the window at `window` moved, as little as may be,
// wholly into area (to its top-left corner when it is larger).
QPoint KeptInside(QRect window, QRect area);

// The monitor nearest to point (the one holding it, when one does); an
// empty rectangle when there is none.
QRect NearestMonitor(QPoint point, const QList<QRect> &monitors);
