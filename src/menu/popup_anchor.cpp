#include "menu/popup_anchor.h"

#include <cmath>

namespace {

// Twips to whole pixels, the fraction dropped.
int ToPixels(qint64 twips, double twipsPerPixel)
{
    return int(std::trunc(double(twips) / twipsPerPixel));
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
