#include "face/animation.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "face/analog_face.h"
#include "face/picture_file.h"
#include "face/builtin_sheet.h"
#include "face/device_pixels.h"
#include "settings/profile.h"

namespace {

// The clock's own figure: two 32 x 32 poses in the left column of the
// built-in sheet, their masks in the right column, three ticks each.
const SpritePattern kBuiltInPatterns[] = {
    {0, 0, 32, 0, 32, 32, 0, 0, 3},
    {0, 32, 32, 32, 32, 32, 0, 0, 3},
};

const SpritePattern kNoPattern{};

// Columns [first, last) of a row of length `length` starting at `start` that
// also lie within [0, limit).
struct Span {
    int first;
    int last;
};

Span Clip(qint64 start, int length, int limit)
{
    const qint64 first = std::max<qint64>(0, -start);
    const qint64 last = std::min<qint64>(length, qint64(limit) - start);
    return Span{int(first), int(std::max(first, last))};
}

Span Intersect(Span a, Span b)
{
    return Span{std::max(a.first, b.first), std::max(std::max(a.first, b.first),
                                                     std::min(a.last, b.last))};
}

bool IsDirect32(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

enum class Combine { And, Xor };

// Combines a w x h block of the sheet at `source` into the target at `dest`:
// AND for masks, XOR for pictures. Only the colour channels take part; the
// target stays opaque, as a face is.
void CombineBlock(QImage &target, QPoint dest, const QImage &sheet, QPoint source, int w, int h,
                  Combine op)
{
    const Span rows = Intersect(Clip(qint64(dest.y()), h, target.height()),
                                Clip(qint64(source.y()), h, sheet.height()));
    const Span cols = Intersect(Clip(qint64(dest.x()), w, target.width()),
                                Clip(qint64(source.x()), w, sheet.width()));
    if (rows.first >= rows.last || cols.first >= cols.last)
        return;

    const bool direct = IsDirect32(target.format());
    for (int r = rows.first; r < rows.last; ++r) {
        const QRgb *in = reinterpret_cast<const QRgb *>(sheet.constScanLine(source.y() + r));
        const int y = dest.y() + r;
        if (direct) {
            QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(y));
            if (op == Combine::And) {
                for (int c = cols.first; c < cols.last; ++c)
                    out[dest.x() + c] &= in[source.x() + c] | 0xFF000000u;
            } else {
                for (int c = cols.first; c < cols.last; ++c)
                    out[dest.x() + c] ^= in[source.x() + c] & 0x00FFFFFFu;
            }
        } else {
            // Any other surface format: slower, but the same result.
            for (int c = cols.first; c < cols.last; ++c) {
                const int x = dest.x() + c;
                const QRgb pixel = in[source.x() + c];
                const QRgb old = target.pixel(x, y);
                target.setPixel(x, y, op == Combine::And ? (old & (pixel | 0xFF000000u))
                                                         : (old ^ (pixel & 0x00FFFFFFu)));
            }
        }
    }
}

// Device pixels of a block along one axis, cut to the target: the block
// covers `length` face pixels from destStart, and each of its device pixels
// shows the sheet pixel (from sourceStart on) of the face pixel it lies in,
// -1 where that is off the sheet.
struct ScaledSpan {
    int first = 0;              // first device pixel
    std::vector<int> sources;   // the sheet pixel of each device pixel from first on
};

ScaledSpan ScaleSpan(int destStart, int length, int sourceStart, int sheetLimit, int targetLimit,
                     qreal ratio)
{
    const qint64 first = std::max<qint64>(0, FirstDevicePixelOf(destStart, ratio));
    const qint64 last =
        std::min<qint64>(targetLimit, FirstDevicePixelOf(qint64(destStart) + length, ratio));
    ScaledSpan span{int(first), {}};
    for (qint64 d = first; d < last; ++d) {
        const qint64 source = qint64(sourceStart) + FacePixelOf(int(d), ratio) - destStart;
        span.sources.push_back(source >= 0 && source < sheetLimit ? int(source) : -1);
    }
    return span;
}

// CombineBlock on a target of device pixels: the w x h block of the sheet
// covers face pixels from `dest` on. Mask and picture are scaled alike, so
// they still fall on each other pixel by pixel.
void CombineScaledBlock(QImage &target, QPoint dest, const QImage &sheet, QPoint source, int w,
                        int h, qreal ratio, Combine op)
{
    const ScaledSpan rows =
        ScaleSpan(dest.y(), h, source.y(), sheet.height(), target.height(), ratio);
    const ScaledSpan columns =
        ScaleSpan(dest.x(), w, source.x(), sheet.width(), target.width(), ratio);
    for (size_t r = 0; r < rows.sources.size(); ++r) {
        if (rows.sources[r] < 0)
            continue;
        const QRgb *in = reinterpret_cast<const QRgb *>(sheet.constScanLine(rows.sources[r]));
        QRgb *out = reinterpret_cast<QRgb *>(target.scanLine(rows.first + int(r))) + columns.first;
        for (size_t c = 0; c < columns.sources.size(); ++c) {
            const int from = columns.sources[c];
            if (from < 0)
                continue;
            if (op == Combine::And)
                out[c] &= in[from] | 0xFF000000u;
            else
                out[c] ^= in[from] & 0x00FFFFFFu;
        }
    }
}

} // namespace

void FaceAnimation::SetEnvironment(const EnvironmentDefinition &environment)
{
    environment_ = environment;
    environment_.Patterns.clear();
    adjustX_ = ParseInt32(environment.AdjustX.trimmed(), 0);
    adjustY_ = ParseInt32(environment.AdjustY.trimmed(), 0);
    scrollPosition_ = QPoint(environment.StartPosX, environment.StartPosY);

    const int count = std::min<int>(environment.Patterns.size(), kMaxSpritePatterns);
    for (int n = 1; n <= count; ++n)
        patterns_[n] = environment.Patterns[n - 1];
    SetPatternCount(count);
}

void FaceAnimation::DisableEnvironment()
{
    environment_.Title = QStringLiteral("デフォルト");
    environment_.File.clear();
    SetPatternCount(0);
}

bool FaceAnimation::LoadSheet(const QString &path)
{
    const QImage picture = ReadBoundedPicture(path, kMaxSheetSide, kMaxSheetPixels);
    if (picture.isNull())
        return false;
    SetSheet(picture);
    return true;
}

void FaceAnimation::SetSheet(const QImage &sheet)
{
    sheet_ = sheet.convertToFormat(QImage::Format_RGB32);
}

void FaceAnimation::SetPatternCount(int count)
{
    count_ = std::clamp(count, 0, kMaxSpritePatterns);
}

void FaceAnimation::InstallBuiltInPatterns()
{
    int n = 1;
    for (const SpritePattern &pattern : kBuiltInPatterns)
        patterns_[n++] = pattern;
    SetPatternCount(n - 1);
    SetSheet(BuiltInSheet());
}

void FaceAnimation::Reset(QSize faceSize)
{
    index_ = 0;
    counter_ = 0;
    figureX_ = static_cast<qint16>(faceSize.width() / 2);
    figureY_ = static_cast<qint16>(faceSize.height() / 2);
}

const SpritePattern &FaceAnimation::pattern(int index) const
{
    if (index < 0 || index > kMaxSpritePatterns)
        return kNoPattern;
    return patterns_[index];
}

void FaceAnimation::FreeScrollStep(QSize faceSize, QSize pictureSize)
{
    if (!scrolls() || scrollLinked())
        return;
    const QPoint next = scrollPosition_ + QPoint(environment_.VectX, environment_.VectY);
    const bool outside = next.x() < 0 || next.y() < 0
                         || next.x() + faceSize.width() > pictureSize.width()
                         || next.y() + faceSize.height() > pictureSize.height();
    scrollPosition_ = outside ? QPoint(environment_.StartPosX, environment_.StartPosY) : next;
}

void FaceAnimation::LinkedScrollStep(QSize faceSize, QSize pictureSize)
{
    int x = scrollPosition_.x() + environment_.VectX;
    int y = scrollPosition_.y() + environment_.VectY;
    if (x < 0 || x + faceSize.width() > pictureSize.width())
        x = environment_.StartPosX;
    if (y < 0 || y + faceSize.height() > pictureSize.height())
        y = environment_.StartPosY;
    scrollPosition_ = QPoint(x, y);
}

void FaceAnimation::AdvanceAnimation(QSize faceSize, QSize pictureSize)
{
    ++counter_;
    if (counter_ == 1) {
        if (count_ >= 1)
            index_ = static_cast<qint16>(index_ % count_ + 1);
        const SpritePattern &begun = patterns_[index_];
        figureX_ = static_cast<qint16>(figureX_ + begun.MoveX);
        figureY_ = static_cast<qint16>(figureY_ + begun.MoveY);
        if (scrolls() && scrollLinked())
            LinkedScrollStep(faceSize, pictureSize);
    } else if (counter_ >= patterns_[index_].Ticks) {
        // The counter passed 1 above, so even a count below 2 holds two ticks.
        counter_ = 0;
    }
}

void FaceAnimation::DrawSprite(QImage &target, int index, int x, int y) const
{
    const SpritePattern &p = pattern(index);
    // Indexed surfaces hold palette numbers, not colours: nothing to combine.
    if (p.Width <= 0 || p.Height <= 0 || sheet_.isNull() || target.isNull()
        || target.colorCount() > 0)
        return;
    // Dest corner in 64 bits: offsets are 32-bit texts of the definition.
    const qint64 left = qint64(adjustX_) + x - p.Width / 2;
    const qint64 top = qint64(adjustY_) + y - p.Height / 2;
    if (left >= target.width() || top >= target.height() || left + p.Width <= 0
        || top + p.Height <= 0)
        return;
    const QPoint dest(static_cast<int>(left), static_cast<int>(top));
    const qreal ratio = target.devicePixelRatio();
    if (ratio != 1) {
        if (!IsDirect32(target.format()))
            return;
        CombineScaledBlock(target, dest, sheet_, QPoint(p.MaskX, p.MaskY), p.Width, p.Height,
                           ratio, Combine::And);
        CombineScaledBlock(target, dest, sheet_, QPoint(p.PictureX, p.PictureY), p.Width,
                           p.Height, ratio, Combine::Xor);
        return;
    }
    CombineBlock(target, dest, sheet_, QPoint(p.MaskX, p.MaskY), p.Width, p.Height, Combine::And);
    CombineBlock(target, dest, sheet_, QPoint(p.PictureX, p.PictureY), p.Width, p.Height,
                 Combine::Xor);
}

void FaceAnimation::FreeScrollStep(AnalogFace &face)
{
    FreeScrollStep(face.faceSize(), face.pictureSize());
    face.setScrollPosition(scrollPosition_);
}

void FaceAnimation::AnimationStep(AnalogFace &face)
{
    AdvanceAnimation(face.faceSize(), face.pictureSize());
    face.setScrollPosition(scrollPosition_);
    DrawFigure(face.frame());
}

void FaceAnimation::Tick(AnalogFace &face)
{
    FreeScrollStep(face);
    AnimationStep(face);
}

void FaceAnimation::Advance(AnalogFace &face)
{
    FreeScrollStep(face);
    AdvanceAnimation(face.faceSize(), face.pictureSize());
    face.setScrollPosition(scrollPosition_);
}

int FaceAnimation::TicksUntilChange() const
{
    if (scrolls() && !scrollLinked())
        return 1;
    if (count_ <= 0 && !scrolls())
        return std::numeric_limits<int>::max();
    // As AdvanceAnimation counts: a pattern begins when the counter comes to
    // 1, and the counter returns to 0 once it reaches the pattern's ticks.
    if (counter_ == 0)
        return 1;
    const int ticks = patterns_[index_].Ticks;
    return counter_ + 1 >= ticks ? 2 : ticks - counter_ + 1;
}

void FaceAnimation::DrawFigure(QImage &frame) const
{
    DrawSprite(frame, index_, figureX_, figureY_);
}

void FaceAnimation::ApplyScroll(AnalogFace &face) const
{
    face.setScrolling(scrolls());
    face.setScrollPosition(scrollPosition_);
}
