#include "face/analog_face.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QFileInfo>
#include <QPainter>
#include <QPen>

#include "face/color_value.h"
#include "face/device_pixels.h"
#include "face/picture_file.h"

namespace {

// Every surface uses one opaque 32-bit format, so copies between them are
// plain memory copies.
constexpr QImage::Format kSurfaceFormat = QImage::Format_RGB32;
constexpr int kBytesPerPixel = 4;

// Largest picture side accepted (a bigger one is ignored, so a stray huge file
// cannot exhaust memory); the face is drawn no larger than a clock may be.
constexpr int kMaxPictureSide = 8192;

// The hands' angle unit: this value of pi, not a more precise one, so the
// hands stand exactly where the clock has always drawn them.
constexpr double kHandPi = 3.141592;

// Copies the block of `size` at srcOrigin in src to dstOrigin in dst, like a
// source-copy blit; whatever falls outside either image is skipped.
void CopyBlock(const QImage &src, QPoint srcOrigin, QImage &dst, QPoint dstOrigin, QSize size)
{
    if (src.isNull() || dst.isNull())
        return;
    const QPoint shift = dstOrigin - srcOrigin;
    const QRect block = QRect(srcOrigin, size) & src.rect() & dst.rect().translated(-shift);
    if (block.isEmpty())
        return;

    const qsizetype srcLine = src.bytesPerLine();
    const qsizetype dstLine = dst.bytesPerLine();
    const qsizetype rowBytes = qsizetype(block.width()) * kBytesPerPixel;
    const uchar *from = src.constBits() + block.y() * srcLine + block.x() * kBytesPerPixel;
    uchar *to = dst.bits() + (block.y() + shift.y()) * dstLine
                + (block.x() + shift.x()) * kBytesPerPixel;
    if (rowBytes == srcLine && rowBytes == dstLine) {
        // Whole rows on both sides: the block is one contiguous run.
        std::memcpy(to, from, rowBytes * block.height());
        return;
    }
    for (int row = 0; row < block.height(); ++row)
        std::memcpy(to + row * dstLine, from + row * srcLine, rowBytes);
}

// The picture as the face shows it: opaque, its transparent parts showing the
// face colour.
QImage OverFaceColor(const QImage &picture, const QColor &faceColor)
{
    if (!picture.hasAlphaChannel())
        return picture.convertToFormat(kSurfaceFormat);
    QImage flat(picture.size(), kSurfaceFormat);
    flat.fill(faceColor);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

// Reads a picture file; a null image when it cannot be read or is too large.
bool ReadTwoDigits(const QString &text, int at, int &value)
{
    const QChar tens = text[at];
    const QChar ones = text[at + 1];
    auto isDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };
    if (!isDigit(tens) || !isDigit(ones))
        return false;
    value = (tens.unicode() - u'0') * 10 + (ones.unicode() - u'0');
    return true;
}

// Hour, minute and second of a "yyyy/mm/dd hh:nn:ss" text; false when the
// text is too short or those places hold no digits.
bool ReadClockTime(const QString &text, int &hour, int &minute, int &second)
{
    if (text.size() < 19)
        return false;
    return ReadTwoDigits(text, 11, hour) && ReadTwoDigits(text, 14, minute)
           && ReadTwoDigits(text, 17, second);
}

} // namespace

AnalogFace::AnalogFace(const Settings &settings)
    : settings_(settings), faceColor_(ToQColor(settings.Color.Bord))
{
    picBack_ = QImage(faceSize(), kSurfaceFormat);
    picBack_.fill(faceColor_);
    frame_ = picBack_.copy();
}

QSize AnalogFace::faceSize() const
{
    return QSize(std::clamp<int>(settings_.Setting.Width, 1, kMaxClockSide),
                 std::clamp<int>(settings_.Setting.Height, 1, kMaxClockSide));
}

QSize AnalogFace::frameSize() const
{
    return ratio_ == 1 ? faceSize() : DeviceSize(faceSize(), ratio_);
}

bool AnalogFace::SetDevicePixelRatio(qreal ratio)
{
    // Below 1 the screen shows less than the face has; beyond 8 the frame of
    // a large face would take more memory than any screen can show.
    constexpr qreal kMaxRatio = 8;
    ratio = std::clamp<qreal>(ratio, 1, kMaxRatio);
    if (ratio == ratio_)
        return false;
    ratio_ = ratio;
    ComposeBackground();
    return true;
}

void AnalogFace::ApplyBackColor()
{
    const QColor color = ToQColor(settings_.Color.Bord);
    if (color != faceColor_) {
        faceColor_ = color;
        picTempStale_ = true;
    }
    ComposeBackground();
}

void AnalogFace::LoadPicture()
{
    const QString &path = settings_.Image.File;
    if (path.isEmpty())
        return;
    const QFileInfo info(path);
    if (!info.isFile())
        return;
    const QDateTime time = info.lastModified();
    const qint64 bytes = info.size();
    if (path == loadedPicturePath_ && time == loadedPictureTime_ && bytes == loadedPictureBytes_)
        return;
    // Remember the attempt even when it fails, so an unreadable file is not
    // decoded again on every call while it stays unchanged.
    loadedPicturePath_ = path;
    loadedPictureTime_ = time;
    loadedPictureBytes_ = bytes;

    QImage image = ReadBoundedPicture(path, kMaxPictureSide, qint64(kMaxPictureSide) * kMaxPictureSide);
    if (image.isNull())
        return;
    picture_ = std::move(image);
    picTempStale_ = true;
}

void AnalogFace::RefreshPicTemp()
{
    if (!picTempStale_)
        return;
    picTemp_ = picture_.isNull() ? QImage() : OverFaceColor(picture_, faceColor_);
    picTempStale_ = false;
}

void AnalogFace::ComposeBackground()
{
    const QSize size = faceSize();
    const int w = size.width();
    const int h = size.height();
    picBack_ = QImage(size, kSurfaceFormat);
    picBack_.fill(faceColor_);

    LoadPicture();
    RefreshPicTemp();

    if (settings_.Image.Enabled != 0 && !picTemp_.isNull()) {
        const int pw = picTemp_.width();
        const int ph = picTemp_.height();
        if (settings_.Image.JustSize != 0) {
            QPainter painter(&picBack_);
            painter.setCompositionMode(QPainter::CompositionMode_Source);
            painter.drawImage(QRect(0, 0, w, h), picTemp_);
        } else if (settings_.Image.TilePattern != 0) {
            for (int i = 0; i <= w / pw; ++i)
                for (int j = 0; j <= h / ph; ++j)
                    CopyBlock(picTemp_, QPoint(), picBack_, QPoint(i * pw, j * ph), picTemp_.size());
        } else if (!scrolling_) {
            // Integer division truncates toward zero, also for a picture
            // larger than the face.
            CopyBlock(picTemp_, QPoint(), picBack_, QPoint((w - pw) / 2, (h - ph) / 2),
                      picTemp_.size());
        } else {
            // The face will show a moving W x H window of the whole picture.
            picBack_ = picTemp_;
        }
    }

    ComposeDeviceBackground();
    // Until the next tick the frame shows the background from its corner.
    DrawBackground(QPoint());
}

void AnalogFace::ComposeDeviceBackground()
{
    deviceBack_ = QImage();
    if (ratio_ == 1 || picBack_.size() != faceSize())
        return;   // at ratio 1 picBack is shown as it is; a scrolling one moves
    deviceBack_ = QImage(frameSize(), kSurfaceFormat);
    deviceBack_.fill(faceColor_);
    if (settings_.Image.Enabled != 0 && settings_.Image.JustSize != 0 && !picTemp_.isNull()) {
        // A stretched picture is stretched straight to the device pixels, so
        // a picture larger than the face keeps the detail the screen can show.
        QPainter painter(&deviceBack_);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(deviceBack_.rect(), picTemp_);
    } else {
        ScaleNearest(picBack_, QPoint(), deviceBack_, ratio_);
    }
}

void AnalogFace::DrawBackground()
{
    DrawBackground(scrollPosition_);
}

void AnalogFace::DrawBackground(QPoint scrolledTo)
{
    const QSize size = faceSize();
    const QSize device = frameSize();
    if (frame_.size() != device || frame_.devicePixelRatio() != ratio_) {
        frame_ = QImage(device, kSurfaceFormat);
        frame_.setDevicePixelRatio(ratio_);
    }
    const QPoint from = scrolling_ ? scrolledTo : QPoint();
    // Clearing is only visible where the copy does not reach (a scroll window
    // partly beyond the picture, a background not yet recomposed, or the part
    // of a device pixel beyond the face's edge at a fractional ratio).
    const bool covered = picBack_.rect().contains(QRect(from, size))
                         && (ratio_ == 1 || device == size * ratio_);
    if (!covered)
        frame_.fill(faceColor_);
    if (ratio_ == 1)
        CopyBlock(picBack_, from, frame_, QPoint(), size);
    else if (!deviceBack_.isNull() && from.isNull())
        CopyBlock(deviceBack_, QPoint(), frame_, QPoint(), device);
    else
        ScaleNearest(picBack_, from, frame_, ratio_);
}

void AnalogFace::DrawHands(const QString &timeText)
{
    DrawHands(frame_, timeText);
}

void AnalogFace::DrawHands(QImage &target, const QString &timeText) const
{
    if (target.isNull())
        return;
    QPainter painter(&target);
    DrawHands(painter, timeText);
}

void AnalogFace::DrawHands(QPainter &painter, const QString &timeText) const
{
    DrawHourAndMinuteHands(painter, timeText);
    DrawSecondHand(painter, timeText);
}

namespace {

// Pixel-exact lines, as the face has always been drawn; on a scaled screen
// (a target of device pixels) smooth ones, at its resolution.
void SetHandSmoothing(QPainter &painter)
{
    painter.setRenderHint(QPainter::Antialiasing, painter.device()->devicePixelRatio() != 1);
}

} // namespace

void AnalogFace::DrawHourAndMinuteHands(QPainter &painter, const QString &timeText) const
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadClockTime(timeText, hour, minute, second) || !painter.isActive())
        return;
    if (hour >= 13)
        hour -= 12;
    SetHandSmoothing(painter);
    DrawHand(painter, settings_.Color.HLine, settings_.Thick.HLine, 30,
             90 - (30 * hour + 0.5 * minute));
    DrawHand(painter, settings_.Color.MLine, settings_.Thick.MLine, 15, 90 - 6 * minute);
}

void AnalogFace::DrawSecondHand(QPainter &painter, const QString &timeText) const
{
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!ReadClockTime(timeText, hour, minute, second) || !painter.isActive())
        return;
    SetHandSmoothing(painter);
    DrawHand(painter, settings_.Color.SLine, settings_.Thick.SLine, 10, 90 - 6 * second);
}

// One hand: a line from near the face's centre toward its rim, `shortening`
// pixels shorter than the face's width and height, following the ellipse.
// `degrees` counts counter-clockwise from 3 o'clock.
void AnalogFace::DrawHand(QPainter &painter, ColorValue color, int thick, int shortening,
                          double degrees) const
{
    const int t = std::max(1, thick);
    const QSize size = faceSize();
    const double radians = degrees * kHandPi / 180;
    // The start moves up-left by half the pen width (whole pixels), so a
    // wide hand stays centred on the face.
    const double x0 = size.width() / 2.0 - t / 2;
    const double y0 = size.height() / 2.0 - t / 2;
    const double dx = (size.width() - shortening) / 2.0 * std::cos(radians);
    const double dy = -(size.height() - shortening) / 2.0 * std::sin(radians);

    // Whole-pixel end points. A wide hand gets round ends, as a classic
    // desktop pen draws them; a thin one covers both end pixels, so it always
    // starts at the centre and reaches its tip whichever way it points.
    QPen pen(ToQColor(color), t, Qt::SolidLine, t > 1 ? Qt::RoundCap : Qt::SquareCap,
             Qt::RoundJoin);
    painter.setPen(pen);
    if (painter.device()->devicePixelRatio() == 1) {
        painter.drawLine(QPoint(int(std::lround(x0)), int(std::lround(y0))),
                         QPoint(int(std::lround(x0 + dx)), int(std::lround(y0 + dy))));
        return;
    }
    // Smooth, at the exact angle: through the centres of the face pixels a
    // pixel-exact hand starts and ends in, so both lie on the same spot.
    const QPointF centre(0.5, 0.5);
    painter.drawLine(QPointF(x0, y0) + centre, QPointF(x0 + dx, y0 + dy) + centre);
}
