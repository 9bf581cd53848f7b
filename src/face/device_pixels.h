#pragma once
// Face pixels and device pixels. The face is laid out in face pixels (the
// window's logical pixels: sizes, positions, pen widths, scroll steps); on a
// screen scaled by a device pixel ratio it is drawn in device pixels. Pictures,
// sprites and the figure are pixel art: each device pixel shows the face pixel
// it lies in (nearest neighbour, no smoothing), the same rule for every
// surface, so masks and pictures scaled apart still fall on the same pixels.
#include <cmath>
#include <QImage>
#include <QPoint>
#include <QSize>

// The face pixel that device pixel `device` lies in: the one that holds its centre.
inline int FacePixelOf(int device, qreal ratio)
{
    return static_cast<int>(std::floor((device + 0.5) / ratio));
}

// The first device pixel that lies in face pixel `face`.
inline qint64 FirstDevicePixelOf(qint64 face, qreal ratio)
{
    return static_cast<qint64>(std::ceil(face * ratio - 0.5));
}

// Device pixels that a face of `size` face pixels covers, every partial one
// included.
inline QSize DeviceSize(QSize size, qreal ratio)
{
    auto side = [ratio](int pixels) { return static_cast<int>(std::ceil(pixels * ratio - 1e-9)); };
    return QSize(side(size.width()), side(size.height()));
}

// Fills every pixel of dst (32-bit, device pixels) with the pixel of src (32-bit,
// face pixels) that it shows when src's face pixel `from` sits at dst's corner.
// Device pixels that show no pixel of src are left as they were.
void ScaleNearest(const QImage &src, QPoint from, QImage &dst, qreal ratio);
