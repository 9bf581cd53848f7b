// A wallpaper's picture: read at its own size, or scaled to the screen when
// the placement scales it anyway or it is too large to be decoded whole.
#include <gtest/gtest.h>

#include <QImageReader>

#include "platform/wallpaper_picture.h"
#include "support/temp_folder.h"

namespace {

// The start of a PNG file of width x height pixels: its header chunk, and a
// data chunk that holds nothing a decoder could use.
QByteArray PngHeader(quint32 width, quint32 height)
{
    const auto big = [](quint32 value) {
        QByteArray bytes;
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes += char(value >> shift);
        return bytes;
    };
    const auto chunk = [&](const char *type, const QByteArray &data) {
        const QByteArray typed = type + data;
        quint32 crc = 0xFFFFFFFF;
        for (const char byte : typed) {
            crc ^= quint8(byte);
            for (int bit = 0; bit < 8; ++bit)
                crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
        }
        return big(quint32(data.size())) + typed + big(~crc);
    };
    return QByteArray("\x89PNG\r\n\x1a\n", 8)
           + chunk("IHDR", big(width) + big(height) + QByteArray("\x08\x02\x00\x00\x00", 5))
           + chunk("IDAT", QByteArray(16, '\0'));
}

class WallpaperPictureTest : public ::testing::Test {
protected:
    // The reader's decode limit made 1 MB, so that a picture of 1200 x 900
    // (4.3 MB decoded) stands for a photograph above the usual limit.
    WallpaperPictureTest() : savedLimit_(QImageReader::allocationLimit()) { QImageReader::setAllocationLimit(1); }
    ~WallpaperPictureTest() override { QImageReader::setAllocationLimit(savedLimit_); }

    QString write(const QString &name, QSize size, const char *format) const
    {
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder.file(name), format);
        return folder.file(name);
    }

    TempFolder folder;

private:
    int savedLimit_;
};

TEST_F(WallpaperPictureTest, APictureTooLargeToDecodeIsReadAtTheSizeThatCoversTheScreen)
{
    const QSize screen(320, 240);
    // The reader of newer toolkits refuses a PNG above its limit even when
    // asked for a smaller size; a BMP is never decoded scaled.
    for (const char *format : {"JPG", "PNG", "BMP"}) {
        const QString photo = write(QStringLiteral("photo.") + format, QSize(1200, 900), format);
        QImageReader whole(photo);
        ASSERT_TRUE(whole.read().isNull()) << format << ": the limit refuses it whole";

        EXPECT_EQ(ReadWallpaperPicture(photo, screen, false).size(), screen) << format;
        EXPECT_EQ(ReadWallpaperPicture(photo, QSize(200, 240), true).size(), QSize(320, 240)) << format;
        EXPECT_TRUE(WallpaperPictureReadable(photo)) << format;
        EXPECT_EQ(QImageReader::allocationLimit(), 1) << format << ": the reader's limit is put back";
    }
    // A file that claims a picture above our own limit (a PNG header of
    // 20000 x 20000) is refused before anything is decoded.
    const QString huge = folder.writeBytes("huge.png", PngHeader(20000, 20000));
    ASSERT_EQ(QImageReader(huge).size(), QSize(20000, 20000));
    EXPECT_TRUE(ReadWallpaperPicture(huge, screen, false).isNull());
    EXPECT_FALSE(WallpaperPictureReadable(huge));
}

TEST_F(WallpaperPictureTest, APictureTheDecoderTakesWholeKeepsItsSizeUnlessThePlacementScalesIt)
{
    const QString picture = write("small.png", QSize(400, 300), "PNG");
    EXPECT_EQ(ReadWallpaperPicture(picture, QSize(320, 240), false).size(), QSize(400, 300));
    EXPECT_EQ(ReadWallpaperPicture(picture, QSize(320, 240), true).size(), QSize(320, 240));
    EXPECT_EQ(ReadWallpaperPicture(picture, QSize(1024, 768), true).size(), QSize(400, 300))
        << "never scaled up: the placement does that";
}

TEST_F(WallpaperPictureTest, WhatHoldsNoPictureIsNotReadable)
{
    EXPECT_TRUE(WallpaperPictureReadable(write("ok.bmp", QSize(8, 8), "BMP")));
    EXPECT_FALSE(WallpaperPictureReadable(folder.file("missing.png")));
    EXPECT_FALSE(WallpaperPictureReadable(folder.writeBytes("text.png", "just text")));
    EXPECT_FALSE(WallpaperPictureReadable(folder.path()));
    EXPECT_FALSE(WallpaperPictureReadable(""));
}

} // namespace
