// A wallpaper's picture: read at its own size, or scaled to the screen when
// the placement scales it anyway or it is too large to be decoded whole.
#include <gtest/gtest.h>

#include <QImageReader>

#include "platform/wallpaper_picture.h"
#include "support/temp_folder.h"

namespace {

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
    // A file that claims a picture above our own limit (20000 x 20000) is
    // refused before anything is decoded.
    QByteArray bitmap("BM");
    for (const quint32 field : {0u, 0u, 54u, 40u, 20000u, 20000u}) {
        for (int shift = 0; shift < 32; shift += 8)
            bitmap += char(field >> shift);
    }
    bitmap += QByteArray("\x01\x00\x18\x00", 4) + QByteArray(24, '\0');
    const QString huge = folder.writeBytes("huge.bmp", bitmap);
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
