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
    for (const char *format : {"JPG", "PNG"}) {
        const QString photo = write(QStringLiteral("photo.") + format, QSize(1200, 900), format);
        QImageReader whole(photo);
        ASSERT_TRUE(whole.read().isNull()) << format << ": the limit refuses it whole";

        EXPECT_EQ(ReadWallpaperPicture(photo, screen, false).size(), screen) << format;
        EXPECT_EQ(ReadWallpaperPicture(photo, QSize(200, 240), true).size(), QSize(320, 240)) << format;
        EXPECT_TRUE(WallpaperPictureReadable(photo)) << format;
    }
    // A decoder that cannot scale while it decodes still refuses it: told,
    // never half read.
    const QString bitmap = write("photo.bmp", QSize(1200, 900), "BMP");
    EXPECT_TRUE(ReadWallpaperPicture(bitmap, screen, false).isNull());
    EXPECT_FALSE(WallpaperPictureReadable(bitmap));
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
