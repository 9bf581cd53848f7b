#include "face/device_pixels.h"

#include <algorithm>
#include <vector>

namespace {

// For each of `count` device pixels along one axis, the source pixel it shows,
// or -1 when that lies outside the source's `limit` pixels.
std::vector<int> SourceIndexes(int count, int from, int limit, qreal ratio)
{
    std::vector<int> indexes(count);
    for (int d = 0; d < count; ++d) {
        const qint64 source = qint64(from) + FacePixelOf(d, ratio);
        indexes[d] = source >= 0 && source < limit ? int(source) : -1;
    }
    return indexes;
}

} // namespace

void ScaleNearest(const QImage &src, QPoint from, QImage &dst, qreal ratio)
{
    if (src.isNull() || dst.isNull() || src.depth() != 32 || dst.depth() != 32)
        return;
    const int width = dst.width();
    const int height = dst.height();
    const std::vector<int> rows = SourceIndexes(height, from.y(), src.height(), ratio);
    const std::vector<int> columns = SourceIndexes(width, from.x(), src.width(), ratio);
    const bool everyColumn = std::find(columns.begin(), columns.end(), -1) == columns.end();
    const QRgb *above = nullptr;
    for (int y = 0; y < height; ++y) {
        QRgb *out = reinterpret_cast<QRgb *>(dst.scanLine(y));
        if (rows[y] < 0) {
            above = nullptr;
            continue;
        }
        if (above && everyColumn && rows[y - 1] == rows[y]) {
            // The same source row as the line above: copy that line.
            std::copy(above, above + width, out);
        } else {
            const QRgb *in = reinterpret_cast<const QRgb *>(src.constScanLine(rows[y]));
            for (int x = 0; x < width; ++x)
                if (columns[x] >= 0)
                    out[x] = in[columns[x]];
        }
        above = out;
    }
}
