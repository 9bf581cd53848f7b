#include "platform/wallpaper_picture.h"

#include <QImageReader>

#include "platform/regular_file.h"

namespace {

// The most a wallpaper's picture may take decoded whole, four bytes a pixel:
// 1 GiB, a picture of 268 megapixels. A larger one (or a file that only
// claims to be so large) is refused before anything is decoded.
constexpr qint64 kMostDecodedBytes = qint64(1) << 30;

qint64 DecodedBytes(QSize size)
{
    return qint64(size.width()) * size.height() * 4;
}

// Whether a picture of size is above the reader's own decode limit (four
// bytes a pixel, the form the reader allocates for a photograph).
bool TooLargeToDecodeWhole(QSize size)
{
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limitBytes > 0 && DecodedBytes(size) > limitBytes;
}

// Puts the reader's decode limit at ours while one picture is read. Some
// decoders (the PNG reader of newer toolkits) weigh the picture as stored
// against the limit even when asked for a smaller size, and one that cannot
// scale while it decodes holds the whole picture first.
class WallpaperReadLimit {
public:
    WallpaperReadLimit() : saved_(QImageReader::allocationLimit())
    {
        QImageReader::setAllocationLimit(int(kMostDecodedBytes >> 20));
    }
    ~WallpaperReadLimit() { QImageReader::setAllocationLimit(saved_); }
    WallpaperReadLimit(const WallpaperReadLimit &) = delete;
    WallpaperReadLimit &operator=(const WallpaperReadLimit &) = delete;

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
    if (!stored.isValid() || stored.isEmpty() || DecodedBytes(stored) > kMostDecodedBytes)
        return {};
    // The scaled size is the one of the picture as stored, before a photo is
    // turned upright.
    const bool turned = reader.transformation() & QImageIOHandler::TransformationRotate90;
    const QSize target = turned ? screen.transposed() : screen;
    if (!target.isEmpty() && (fitToScreen || TooLargeToDecodeWhole(stored))) {
        const QSize cover = stored.scaled(target, Qt::KeepAspectRatioByExpanding);
        if (cover.width() < stored.width())
            reader.setScaledSize(cover);
    }
    const WallpaperReadLimit limit;
    return reader.read();
}

bool WallpaperPictureReadable(const QString &file)
{
    // Decoded small: enough to know the decoder takes the whole file.
    return !ReadWallpaperPicture(file, QSize(64, 64), true).isNull();
}
