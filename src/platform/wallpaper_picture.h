#pragma once
// Reading the picture of a wallpaper file. Photographs from today's cameras
// are larger than the image reader decodes whole: such a picture is decoded
// at the size the screen needs instead of failing.
#include <QImage>
#include <QSize>
#include <QString>

// The picture of file for a screen of size screen. A picture larger than the
// screen is decoded scaled down, its proportions kept, to the smallest size
// that still covers the screen: always when fitToScreen (the placement scales
// it anyway), otherwise only when it is too large to be decoded whole (JPEG
// and PNG decode scaled, up to pictures of 268 megapixels; a format whose
// decoder cannot, such as BMP, stays refused above the limit). Null when the file is missing, is no regular file
// (a FIFO or a device is never opened in a way that waits), holds no picture,
// or cannot be decoded.
QImage ReadWallpaperPicture(const QString &file, QSize screen, bool fitToScreen);

// Whether file holds a picture that ReadWallpaperPicture can decode.
bool WallpaperPictureReadable(const QString &file);
