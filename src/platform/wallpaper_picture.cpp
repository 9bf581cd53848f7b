#include "platform/wallpaper_picture.h"

#include <QImageReader>

#include "platform/regular_file.h"

namespace {

// Whether a picture of size would be refused by the reader's decode limit
// (four bytes a pixel, the form the reader allocates for a photograph).
bool TooLargeToDecodeWhole(QSize size)
{
    const qint64 limitBytes = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    return limitBytes > 0 && qint64(size.width()) * size.height() * 4 > limitBytes;
}

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
        if (cover.width() < stored.width())
            reader.setScaledSize(cover);
    }
    return reader.read();
}

bool WallpaperPictureReadable(const QString &file)
{
    // Decoded small: enough to know the decoder takes the whole file.
    return !ReadWallpaperPicture(file, QSize(64, 64), true).isNull();
}
