#include "face/picture_file.h"

#include <QImageReader>

#include "platform/regular_file.h"

namespace {

bool Fits(QSize size, int maxSide, qint64 maxPixels)
{
    return size.width() <= maxSide && size.height() <= maxSide
        && qint64(size.width()) * size.height() <= maxPixels;
}

} // namespace

QImage ReadBoundedPicture(const QString &path, int maxSide, qint64 maxPixels)
{
    const std::unique_ptr<QFile> file = OpenRegularFile(path);
    if (!file)
        return {};
    QImageReader reader(file.get());
    const QSize announced = reader.size();
    if (announced.isValid() && !Fits(announced, maxSide, maxPixels))
        return {};
    QImage picture = reader.read();
    if (picture.isNull() || !Fits(picture.size(), maxSide, maxPixels))
        return {};
    return picture;
}
