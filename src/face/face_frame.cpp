#include "face/face_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <QPainter>

#include "face/analog_face.h"
#include "face/animation.h"
#include "face/digital_overlay.h"

FaceFrame::FaceFrame(AnalogFace &face, FaceAnimation &animation) : face_(face), animation_(animation) {}

FaceFrame::~FaceFrame() = default;

QRect FaceFrame::Compose(const QString &timeText, const Settings &settings, const DisplayPatterns &patterns)
{
    // The background shows the scroll position of the previous tick; the
    // steps below move it on for the next one.
    const QPoint scrolledTo = face_.scrollPosition();
    animation_.Advance(face_);
    const Drawn drawn{timeText, face_.scrolling() ? scrolledTo : QPoint(), animation_.index(),
                      animation_.figurePosition()};
    if (drawn == drawn_)
        return {};
    if (handsAndTextsAt_ != timeText)
        DrawHandsAndTexts(timeText, settings, patterns);
    face_.DrawBackground(scrolledTo);
    animation_.DrawFigure(face_.frame());
    LayOver(face_.frame(), handsAndTexts_);
    drawn_ = drawn;
    // A new drawing may still equal the frame on the screen (a pattern that
    // looks like the last one): only a frame that differs is shown.
    return TakeChangedPart();
}

void FaceFrame::Redraw()
{
    drawn_.reset();
    handsAndTextsAt_.clear();
    minuteHandsAt_.clear();
}

void FaceFrame::ShowWhole()
{
    Redraw();
    shown_ = QImage();
}

// The hands and the texts change once a second, the figure up to ten times:
// they are drawn into a transparent image of their own, laid over each new
// frame of the figure. Unsmoothed, their pixels are opaque, so the face is
// exactly as if they had been drawn on it.
void FaceFrame::DrawHandsAndTexts(const QString &timeText, const Settings &settings,
                                  const DisplayPatterns &patterns)
{
    const QImage &frame = face_.frame();
    if (!handsPainter_ || handsAndTexts_.size() != frame.size()
        || handsAndTexts_.devicePixelRatio() != frame.devicePixelRatio()) {
        // No image may be replaced while a painter is open on it.
        handsPainter_.reset();
        handsAndTexts_ = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
        handsAndTexts_.setDevicePixelRatio(frame.devicePixelRatio());
        handsPainter_ = std::make_unique<QPainter>(&handsAndTexts_);
    }
    // The hour and minute hands, wide and round-ended, cost the most to
    // draw and change once a minute: they are drawn into an image of their
    // own, from which each second's drawing starts. The text's places 11 to
    // 15 hold the hour and the minute.
    const QStringView minute = QStringView(timeText).left(16);
    if (minuteHands_.size() != frame.size() || minuteHands_.devicePixelRatio() != frame.devicePixelRatio()
        || minuteHandsAt_ != minute) {
        if (minuteHands_.size() != frame.size())
            minuteHands_ = QImage(frame.size(), QImage::Format_ARGB32_Premultiplied);
        minuteHands_.setDevicePixelRatio(frame.devicePixelRatio());
        minuteHands_.fill(Qt::transparent);
        QPainter painter(&minuteHands_);
        face_.DrawHourAndMinuteHands(painter, timeText);
        minuteHandsAt_ = minute.toString();
    }
    // Copied and written pixel by pixel under the open painter: the raster
    // painter draws straight into the image's pixels and keeps none of them.
    std::memcpy(handsAndTexts_.bits(), minuteHands_.constBits(), size_t(minuteHands_.sizeInBytes()));
    face_.DrawSecondHand(*handsPainter_, timeText);
    DrawDigitalOverlay(handsAndTexts_, settings, patterns.DatePatternFormat, patterns.TimePatternFormat, timeText);
    handsAndTextsAt_ = timeText;
}

// The part of the frame that differs from the one on the screen, which from
// now on is this frame.
QRect FaceFrame::TakeChangedPart()
{
    const QImage &frame = face_.frame();
    const QRect changed = ChangedRect(frame, shown_);
    if (changed.isEmpty())
        return {};
    // Copied into the image kept for the comparison, not into a new one.
    if (shown_.size() == frame.size() && shown_.format() == frame.format())
        std::memcpy(shown_.bits(), frame.constBits(), size_t(frame.sizeInBytes()));
    else
        shown_ = frame.copy();
    return changed;
}

QRect ChangedRect(const QImage &now, const QImage &before)
{
    if (now.size() != before.size() || now.format() != before.format() || now.depth() != 32)
        return now.rect();
    // The sizes are read once: each call of QImage's accessors goes through
    // the library, and the loop below visits every pixel of the face.
    const int width = now.width(), height = now.height();
    int top = height, bottom = -1, left = width, right = -1;
    for (int y = 0; y < height; ++y) {
        const auto *a = reinterpret_cast<const quint32 *>(now.constScanLine(y));
        const auto *b = reinterpret_cast<const quint32 *>(before.constScanLine(y));
        int first = 0;
        while (first < width && a[first] == b[first])
            ++first;
        if (first == width)
            continue;
        int last = width - 1;
        while (a[last] == b[last])
            --last;
        top = std::min(top, y);
        bottom = y;
        left = std::min(left, first);
        right = std::max(right, last);
    }
    return bottom < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Done by hand: a painter's setting up costs more than the blend of a face.
void LayOver(QImage &frame, const QImage &layer)
{
    const int width = std::min(frame.width(), layer.width());
    const int height = std::min(frame.height(), layer.height());
    for (int y = 0; y < height; ++y) {
        auto *to = reinterpret_cast<QRgb *>(frame.scanLine(y));
        const auto *from = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            const QRgb over = from[x];
            const int alpha = qAlpha(over);
            if (alpha == 255)
                to[x] = over;
            else if (alpha != 0)
                to[x] = qRgb(qRed(over) + qRed(to[x]) * (255 - alpha) / 255,
                             qGreen(over) + qGreen(to[x]) * (255 - alpha) / 255,
                             qBlue(over) + qBlue(to[x]) * (255 - alpha) / 255);
        }
    }
}

QRect DeviceToWindow(const QRect &device, qreal ratio)
{
    if (ratio == 1)
        return device;
    const int left = int(std::floor(device.left() / ratio));
    const int top = int(std::floor(device.top() / ratio));
    const int right = int(std::ceil((device.right() + 1) / ratio));
    const int bottom = int(std::ceil((device.bottom() + 1) / ratio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}
