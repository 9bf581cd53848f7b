#pragma once
#include <QImage>
#include <QString>

// A picture file read with a size bound, so that a huge or hostile file
// cannot take the clock's memory: the size the file announces is checked
// before decoding, the decoded size again after. Gives a null image for a
// path that is no regular file (a folder, a pipe), an unreadable picture or
// one larger than maxSide on a side or than maxPixels in all.
QImage ReadBoundedPicture(const QString &path, int maxSide, qint64 maxPixels);
