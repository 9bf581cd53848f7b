// Measuring and drawing the face's outlined texts.
//
// The outline is the text drawn in the outline colour at every offset from
// (-k, -k) to (k, k). With antialiasing off each drawing sets whole pixels,
// so all of them together cover exactly the glyph pixels widened by k in every
// direction (a square dilation). The text is therefore drawn once into a
// coverage mask, widened, and kept as a ready "stamp" that each tick copies
// onto the face with one call: the date text changes once a day, and the tick
// runs ten times a second.
//
// On a frame of device pixels (a device pixel ratio other than 1) the text is
// drawn at that resolution and the outline is k face pixels wide, k times the
// ratio in device pixels; the position stays in face pixels.
#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <vector>
#include <QFontMetrics>
#include <QPainter>

#include "face/device_pixels.h"
#include "face/digital_overlay.h"
#include "face/fonts.h"

namespace {

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
constexpr size_t kCacheEntries = 4;

// Line breaks as Qt's text layout wants them.
QString LayoutText(const QString &text)
{
    QString layout = text;
    layout.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    layout.replace(u'\r', u'\n');
    return layout;
}

// Which pixels of a w x h grid are set.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<quint8> set;
    bool at(int x, int y) const { return set[size_t(y) * width + x] != 0; }
};

// Every pixel within k (in both directions) of a set pixel; the result is
// 2k wider and higher, the source sitting at (k, k).
Coverage Widen(const Coverage &source, int k)
{
    // Horizontal pass, then vertical, each with running counts of set pixels.
    Coverage rows{source.width + 2 * k, source.height, {}};
    rows.set.assign(size_t(rows.width) * rows.height, 0);
    std::vector<int> prefix(source.width + 1);
    for (int y = 0; y < source.height; ++y) {
        for (int x = 0; x < source.width; ++x)
            prefix[x + 1] = prefix[x] + (source.at(x, y) ? 1 : 0);
        for (int x = 0; x < rows.width; ++x) {
            const int from = std::clamp(x - 2 * k, 0, source.width);
            const int to = std::clamp(x + 1, 0, source.width);
            rows.set[size_t(y) * rows.width + x] = prefix[to] - prefix[from] > 0;
        }
    }
    Coverage result{rows.width, source.height + 2 * k, {}};
    result.set.assign(size_t(result.width) * result.height, 0);
    std::vector<int> column(rows.height + 1);
    for (int x = 0; x < rows.width; ++x) {
        for (int y = 0; y < rows.height; ++y)
            column[y + 1] = column[y] + (rows.at(x, y) ? 1 : 0);
        for (int y = 0; y < result.height; ++y) {
            const int from = std::clamp(y - 2 * k, 0, rows.height);
            const int to = std::clamp(y + 1, 0, rows.height);
            result.set[size_t(y) * result.width + x] = column[to] - column[from] > 0;
        }
    }
    return result;
}

struct StampKey {
    QString text;
    int pointSize;
    QRgb colour;
    QRgb outline;
    int k;
    QSize face;   // bounds how wide an outline can usefully be
    qreal ratio;  // device pixels per face pixel
    bool operator==(const StampKey &) const = default;
};

// The outlined text ready to copy, in device pixels, cut to its drawn pixels:
// the text's corner sits at `corner` of the image.
struct Stamp {
    StampKey key;
    QImage image;
    QPoint corner;
};

class FaceTextCache {
public:
    QSize measure(const QString &text, int pointSize)
    {
        for (const Measured &m : measured_)
            if (m.pointSize == pointSize && m.text == text)
                return m.size;
        const QFontMetrics &fm = metrics(pointSize);
        const QSize size = text.isEmpty() ? QSize(0, fm.height()) : fm.size(kTextFlags, LayoutText(text));
        measured_.push_front({text, pointSize, size});
        if (measured_.size() > kCacheEntries)
            measured_.pop_back();
        return size;
    }

    const Stamp &stamp(const StampKey &key)
    {
        auto found = std::find_if(stamps_.begin(), stamps_.end(),
                                  [&](const Stamp &s) { return s.key == key; });
        if (found != stamps_.end())
            return *found;
        stamps_.push_front(makeStamp(key));
        if (stamps_.size() > kCacheEntries)
            stamps_.pop_back();
        return stamps_.front();
    }

private:
    const QFontMetrics &metrics(int pointSize)
    {
        auto found = metrics_.find(pointSize);
        if (found == metrics_.end())
            found = metrics_.try_emplace(pointSize, FaceTextFont(pointSize), &probe_).first;
        return found->second;
    }

    // Glyph pixels (device pixels) of the text drawn with its corner at
    // (0, 0), clipped there. The mask reaches a line height beyond the
    // laid-out size for glyphs that overhang it.
    Coverage glyphs(const QString &text, int pointSize, qreal ratio)
    {
        const QFontMetrics &fm = metrics(pointSize);
        const QSize logical = measure(text, pointSize) + QSize(fm.height(), fm.height());
        const QSize size = ratio == 1 ? logical : DeviceSize(logical, ratio);
        QImage mask(size, QImage::Format_ARGB32_Premultiplied);
        mask.setDevicePixelRatio(ratio);
        mask.fill(Qt::transparent);
        {
            QPainter painter(&mask);
            painter.setFont(FaceTextFont(pointSize));
            painter.setPen(Qt::white);
            const QRect area(QPoint(0, 0), logical);
            painter.setClipRect(area);
            painter.drawText(area, kTextFlags, LayoutText(text));
        }
        Coverage coverage{size.width(), size.height(), {}};
        coverage.set.resize(size_t(size.width()) * size.height());
        for (int y = 0; y < size.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(mask.constScanLine(y));
            for (int x = 0; x < size.width(); ++x)
                coverage.set[size_t(y) * size.width() + x] = qAlpha(line[x]) >= 128;
        }
        return coverage;
    }

    Stamp makeStamp(const StampKey &key)
    {
        const Coverage text = glyphs(key.text, key.pointSize, key.ratio);
        // An outline wider than the face and the text together looks the same
        // as one that wide; the limit keeps a wild setting from stalling the clock.
        const int widest = int(std::ceil((key.face.width() + key.face.height()) * key.ratio))
            + 2 * (text.width + text.height);
        const int k = key.k < 0 ? key.k
                                : int(std::min<qint64>(std::llround(key.k * key.ratio), widest));
        const int margin = std::max(k, 0);
        const Coverage outline = k >= 0 ? Widen(text, k) : text;
        Stamp stamp{key, QImage(outline.width, outline.height, QImage::Format_ARGB32_Premultiplied),
                    QPoint(margin, margin)};
        stamp.image.fill(Qt::transparent);
        const QRgb colour = key.colour | 0xFF000000u;
        const QRgb outlineColour = key.outline | 0xFF000000u;
        for (int y = 0; y < outline.height; ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(stamp.image.scanLine(y));
            for (int x = 0; x < outline.width; ++x) {
                const int tx = x - margin;
                const int ty = y - margin;
                const bool inText = tx >= 0 && ty >= 0 && tx < text.width && ty < text.height
                    && text.at(tx, ty);
                if (inText)
                    line[x] = colour;
                else if (k >= 0 && outline.at(x, y))
                    line[x] = outlineColour;
            }
        }
        TrimToDrawnPixels(stamp);
        return stamp;
    }

    // Most of the mask is empty (it reaches a line height beyond the text):
    // what each tick copies is cut to the pixels drawn.
    static void TrimToDrawnPixels(Stamp &stamp)
    {
        QRect drawn;
        for (int y = 0; y < stamp.image.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(stamp.image.constScanLine(y));
            int first = 0;
            while (first < stamp.image.width() && qAlpha(line[first]) == 0)
                ++first;
            if (first == stamp.image.width())
                continue;
            int last = stamp.image.width() - 1;
            while (qAlpha(line[last]) == 0)
                --last;
            drawn |= QRect(first, y, last - first + 1, 1);
        }
        stamp.image = drawn.isEmpty() ? QImage() : stamp.image.copy(drawn);
        stamp.corner -= drawn.topLeft();
    }

    QImage probe_{1, 1, QImage::Format_ARGB32_Premultiplied};
    std::map<int, QFontMetrics> metrics_;
    std::deque<Stamp> stamps_;
    struct Measured {
        QString text;
        int pointSize;
        QSize size;
    };
    std::deque<Measured> measured_;
};

// One cache for the process, never destroyed: fonts must not outlive the
// application object at exit.
FaceTextCache &Cache()
{
    static FaceTextCache *cache = new FaceTextCache;
    return *cache;
}

// Copies the opaque pixels of a stamp onto the frame with its top-left at
// origin, cut to the frame.
void CopyOpaque(QImage &frame, const QImage &stamp, QPoint origin)
{
    const QRect target = QRect(origin, stamp.size()).intersected(frame.rect());
    if (target.isEmpty())
        return;
    const bool plain32 = frame.format() == QImage::Format_RGB32
        || frame.format() == QImage::Format_ARGB32
        || frame.format() == QImage::Format_ARGB32_Premultiplied;
    if (!plain32) {
        // origin counts device pixels; the painter counts face pixels.
        QImage copy = stamp;
        copy.setDevicePixelRatio(frame.devicePixelRatio());
        QPainter painter(&frame);
        painter.drawImage(QPointF(origin) / frame.devicePixelRatio(), copy);
        return;
    }
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const QRgb *from = reinterpret_cast<const QRgb *>(stamp.constScanLine(y - origin.y()));
        QRgb *to = reinterpret_cast<QRgb *>(frame.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
            const QRgb pixel = from[x - origin.x()];
            if (qAlpha(pixel) != 0)
                to[x] = pixel;
        }
    }
}

} // namespace

QSize MeasureFaceText(const QString &text, int pointSize)
{
    return Cache().measure(text, pointSize);
}

namespace {

// The stamp of the text for a face of faceSize face pixels drawn at ratio,
// and where its top-left goes (device pixels) for the text's corner at (x, y).
std::pair<const Stamp *, QPoint> PlacedStamp(QSize faceSize, qreal ratio, int pointSize, QColor colour, int x,
                                             int y, const QString &text, int k, QColor outline)
{
    const StampKey key{text, pointSize, colour.rgb(), outline.rgb(), k, faceSize, ratio};
    const Stamp &stamp = Cache().stamp(key);
    if (ratio == 1)
        return {&stamp, QPoint(x, y) - stamp.corner};
    const QPoint corner(int(FirstDevicePixelOf(x, ratio)), int(FirstDevicePixelOf(y, ratio)));
    return {&stamp, corner - stamp.corner};
}

} // namespace

void DrawOutlinedText(QImage &frame, int pointSize, QColor colour, int x, int y,
                      const QString &text, int k, QColor outline)
{
    if (text.isEmpty() || frame.isNull())
        return;
    const qreal ratio = frame.devicePixelRatio();
    const QSize faceSize = ratio == 1 ? frame.size() : frame.deviceIndependentSize().toSize();
    const auto [stamp, origin] = PlacedStamp(faceSize, ratio, pointSize, colour, x, y, text, k, outline);
    CopyOpaque(frame, stamp->image, origin);
}

QRect OutlinedTextBounds(QSize faceSize, int pointSize, QColor colour, int x, int y, const QString &text, int k,
                         QColor outline)
{
    if (text.isEmpty() || faceSize.isEmpty())
        return {};
    const auto [stamp, origin] = PlacedStamp(faceSize, 1, pointSize, colour, x, y, text, k, outline);
    return stamp->image.isNull() ? QRect() : QRect(origin, stamp->image.size());
}
