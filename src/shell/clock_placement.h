#pragma once
// Where the clock window starts on the screen.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QtGlobal>

struct ClockPlacementInput {
    qint32 left = 0;        // the saved position, twips
    qint32 top = 0;
    QSize size;             // the clock's size, pixels
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
    QRect desktop;          // all monitors together, pixels
    QList<QRect> monitors;  // each monitor's area for windows, pixels
};

// The clock's top-left corner in pixels. A saved position off the right or
// bottom edge of the desktop (a smaller screen since) is pulled back so the
// clock touches that edge; one off the left or top is kept. A clock whose
// middle then lies on no monitor (its monitor unplugged, a gap between
// monitors of different sizes, a position far off the left or top) would be
// lost off screen: it is brought wholly onto the nearest monitor instead.
QPoint ClockStartPosition(const ClockPlacementInput &in);
