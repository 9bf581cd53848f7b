#pragma once
// Where the popup menu opens beside the clock.
#include <QPoint>
#include <QRect>
#include <QSize>
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

// Where a menu of the given size opens from anchor (the point PopupAnchor
// gave) so that it lies wholly on the monitor's area and not over the clock
// (screen pixels). A menu that fits at the anchor opens there. Otherwise it
// goes on the first side of the clock where it fits: below, above, right,
// left when the anchor lies below the clock, else right, left, below,
// above; along the side it moves as little as it must to stay on the
// monitor. When no side has room, the anchor is kept (the toolkit then
// keeps the menu on the screen as it can).
QPoint MenuBesideClock(QPoint anchor, QSize menu, QRect clock, QRect monitor);
