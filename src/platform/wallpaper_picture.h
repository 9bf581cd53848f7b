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
// it anyway), otherwise only when it is above the image reader's own decode
// limit. Pictures up to 268 megapixels are read, whatever the reader's limit
// (JPEG scales while it decodes; a decoder that cannot holds the whole picture
// for a moment). Null when the file is missing, is no regular file (a FIFO or
// a device is never opened in a way that waits), holds no picture, claims a
// picture above 268 megapixels, or cannot be decoded.
QImage ReadWallpaperPicture(const QString &file, QSize screen, bool fitToScreen);

// Whether file holds a picture that ReadWallpaperPicture can decode.
bool WallpaperPictureReadable(const QString &file);
