#pragma once
// Where the popup menu opens beside the clock.
#include <QPoint>
#include <QtGlobal>

struct PopupAnchorInput {
    QPoint pointer;             // the pointer, screen pixels
    qint32 clockLeft = 0;       // the clock window's position, twips
    qint32 clockTop = 0;
    qint32 clockWidth = 0;      // the clock window's size, twips
    qint32 clockHeight = 0;
    qint32 screenTop = 0;       // the monitor under the pointer, twips
    qint32 screenHeight = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// The menu's top-left corner in screen pixels: at the pointer, moved down to
// the clock's bottom edge when the clock stands in the upper half of the
// screen, otherwise moved right to the clock's right edge.
QPoint PopupAnchor(const PopupAnchorInput &in);
