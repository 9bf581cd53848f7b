#include "platform/wallpaper_picture.h"

#include <QImageReader>

#include "platform/regular_file.h"

namespace {

// The decode limit while a picture is read scaled: 1 GiB, a picture of 268
// megapixels as stored.
constexpr int kScaledReadLimitMB = 1024;

// Whether a picture of size would be refused by the reader's decode limit
// (four bytes a pixel, the form the reader allocates for a photograph).
bool TooLargeToDecodeWhole(QSize size)
{
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limitBytes > 0 && qint64(size.width()) * size.height() * 4 > limitBytes;
}

// Raises the reader's decode limit to ours while one picture is read scaled.
// Some decoders (the PNG reader of newer toolkits) weigh the picture as
// stored against the limit even when asked for a smaller size.
class ScaledReadLimit {
public:
    ScaledReadLimit() : saved_(QImageReader::allocationLimit())
    {
        if (saved_ > 0 && saved_ < kScaledReadLimitMB)
            QImageReader::setAllocationLimit(kScaledReadLimitMB);
    }
    ~ScaledReadLimit() { QImageReader::setAllocationLimit(saved_); }
    ScaledReadLimit(const ScaledReadLimit &) = delete;
    ScaledReadLimit &operator=(const ScaledReadLimit &) = delete;

private:
    int saved_;
};

} // namespace

QImage ReadWallpaperPicture(const QString &file, QSize screen, bool fitToScreen)
{
    const std::unique_ptr<QFile> opened = OpenRegularFile(file);
    if (!opened)
        return {};
    QImageReader reader(opened.get());
    reader.setAutoTransform(true);
    const QSize stored = reader.size();
    if (!stored.isValid() || stored.isEmpty())
        return {};
    // The scaled size is the one of the picture as stored, before a photo is
    // turned upright.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize target = turned ? screen.transposed() : screen;
    if (!target.isEmpty() && (fitToScreen || TooLargeToDecodeWhole(stored))) {
        const QSize cover = stored.scaled(target, Qt::KeepAspectRatioByExpanding);
        if (cover.width() < stored.width()) {
            reader.setScaledSize(cover);
            // Only a decoder that scales while it decodes reads it: another
            // would hold the whole picture first.
            if (reader.supportsOption(QImageIOHandler::ScaledSize)) {
                const ScaledReadLimit limit;
                return reader.read();
            }
        }
    }
    return reader.read();
}

bool WallpaperPictureReadable(const QString &file)
{
    // Decoded small: enough to know the decoder takes the whole file.
    return !ReadWallpaperPicture(file, QSize(64, 64), true).isNull();
}
