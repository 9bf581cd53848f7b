#pragma once
#include <QPoint>
#include <QRect>

// Screen geometry and the pointer, in screen pixels.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    // The virtual desktop (all monitors together); used to keep the clock on screen.
    virtual QRect desktopRect() const = 0;
    // The monitor under the given point (the nearest one when none is).
    virtual QRect monitorRect(QPoint at) const = 0;
    // Twips (1/1440 inch) per screen pixel, horizontally and vertically: 15 at 96 DPI.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // The pointer position on the screen.
    virtual QPoint pointerPosition() const = 0;
};
