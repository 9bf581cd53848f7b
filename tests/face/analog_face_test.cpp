#include <cmath>
#include <numbers>
#include <gtest/gtest.h>
#include <QFile>
#include <QImage>

#include "face/analog_face.h"
#include "support/face_colours.h"
#include "support/temp_folder.h"

namespace {

QList<QPoint> PixelsOf(const QImage &image, QRgb color)
{
    QList<QPoint> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == color)
                found.append(QPoint(x, y));
    return found;
}

QRect Bounds(const QList<QPoint> &points)
{
    QRect box;
    for (const QPoint &p : points)
        box |= QRect(p, QSize(1, 1));
    return box;
}

class AnalogFaceTest : public ::testing::Test {
protected:
    AnalogFaceTest()
    {
        settings.Color.HLine = 0x0000FF; // red
        settings.Color.MLine = 0xFF0000; // blue
        settings.Color.SLine = 0xFFFFFF; // white
    }
    QImage Draw(const QString &time)
    {
        AnalogFace face(settings);
        face.ApplyBackColor();
        face.DrawBackground();
        face.DrawHands(time);
        return face.frame();
    }
    QString Picture(const QString &name, const QImage &image)
    {
        image.save(folder.file(name), "PNG");
        return folder.file(name);
    }
    // A picture in blue whose top-left pixel is red.
    static QImage Marked(int w, int h)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(kBlue);
        image.setPixel(0, 0, kRed);
        return image;
    }

    Settings settings;
    TempFolder folder;
};

TEST_F(AnalogFaceTest, DefaultFaceIsAGreen80By80FrameThatFollowsSizeAndColour)
{
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_EQ(face.frame().size(), QSize(80, 80));
    EXPECT_EQ(PixelsOf(face.frame(), kGreen).size(), 80 * 80);

    settings.Setting.Width = 120;
    settings.Color.Bord = 0x00FFFF;
    face.ApplyBackColor();
    EXPECT_EQ(PixelsOf(face.frame(), qRgb(255, 255, 0)).size(), 120 * 80);

    settings.Setting.Width = 0; // from a damaged file: still a drawable face
    face.ComposeBackground();
    face.DrawHands("2024/01/01 12:00:00");
    EXPECT_EQ(face.frame().size(), QSize(1, 80));
}

TEST_F(AnalogFaceTest, AtNoonAllHandsPointUpAndMidnightIsTheSame)
{
    settings.Thick.HLine = 4; // wider than the minute hand, so it shows beside it
    const QImage noon = Draw("2024/01/01 12:00:00");
    for (QRgb hand : {kRed, kBlue, kWhite}) {
        const QRect box = Bounds(PixelsOf(noon, hand));
        EXPECT_GE(box.left(), 35);
        EXPECT_LE(box.right(), 41);
        EXPECT_LE(box.bottom(), 41);
        EXPECT_GT(box.height(), 20);
    }
    EXPECT_EQ(Draw("2024/01/01 00:00:00"), noon);
    EXPECT_EQ(Draw("2024/01/01 13:20:00"), Draw("2024/01/01 01:20:00"));
}

TEST_F(AnalogFaceTest, AtThreeTheHourHandPointsRight)
{
    const QImage frame = Draw("2024/01/01 03:00:00");
    const QRect hour = Bounds(PixelsOf(frame, kRed));
    EXPECT_GE(hour.top(), 37);
    EXPECT_LE(hour.bottom(), 41);
    EXPECT_NEAR(hour.right(), 39 + 25, 1);
    EXPECT_LE(Bounds(PixelsOf(frame, kBlue)).bottom(), 41);
    EXPECT_LE(Bounds(PixelsOf(frame, kWhite)).bottom(), 41);
}

TEST_F(AnalogFaceTest, AtHalfPastThreeTheHourHandStandsHalfwayToFour)
{
    const QImage frame = Draw("2024/01/01 15:30:00");
    QPoint tip(39, 39);
    for (const QPoint &p : PixelsOf(frame, kRed))
        if ((p - QPoint(39, 39)).manhattanLength() > (tip - QPoint(39, 39)).manhattanLength())
            tip = p;
    const double degrees = std::atan2(-(tip.y() - 39.0), tip.x() - 39.0) * 180 / std::numbers::pi;
    EXPECT_NEAR(degrees, -15, 4);
}

TEST_F(AnalogFaceTest, HandsFollowTheEllipseOfAWideFace)
{
    settings.Setting.Width = 120;
    // Minute hand from (59, 39): 52.5 pixels to the right at a quarter past.
    const QRect right = Bounds(PixelsOf(Draw("2024/01/01 00:15:30"), kBlue));
    EXPECT_NEAR(right.right(), 59 + 52.5, 1.5);
    EXPECT_GE(right.top(), 37);
    // And 32.5 pixels up on the hour.
    const QRect up = Bounds(PixelsOf(Draw("2024/01/01 00:00:30"), kBlue));
    EXPECT_NEAR(up.top(), 39 - 32.5, 1.5);
    EXPECT_LE(up.right(), 61);
}

TEST_F(AnalogFaceTest, PenWidthsBelowOneDrawAsOnePixel)
{
    settings.Thick = {1, 1, 1};
    const QImage thin = Draw("2024/01/01 12:00:00");
    EXPECT_EQ(Bounds(PixelsOf(thin, kWhite)), QRect(40, 5, 1, 36)); // both ends drawn
    settings.Thick = {0, -3, 0};
    EXPECT_EQ(Draw("2024/01/01 12:00:00"), thin);
}

TEST_F(AnalogFaceTest, MalformedTimeDrawsNoHands)
{
    const QImage plain = Draw("");
    EXPECT_EQ(PixelsOf(plain, kGreen).size(), 80 * 80);
    EXPECT_EQ(Draw("2024/01/01 12:0"), plain);
    EXPECT_EQ(Draw("2024/01/01 ab:cd:ef"), plain);
}

TEST_F(AnalogFaceTest, TilingRepeatsThePictureFromTheCornerCutAtTheEdges)
{
    settings.Image = {1, Picture("tile.png", Marked(30, 30)), 0, 1};
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_EQ(PixelsOf(face.frame(), kRed),
              (QList<QPoint>{{0, 0}, {30, 0}, {60, 0}, {0, 30}, {30, 30}, {60, 30},
                             {0, 60}, {30, 60}, {60, 60}}));
    EXPECT_EQ(PixelsOf(face.frame(), kBlue).size(), 80 * 80 - 9);
}

TEST_F(AnalogFaceTest, APictureNeitherStretchedNorTiledIsCentred)
{
    QImage large = Marked(101, 61); // offsets -10 and 9, halves truncated toward zero
    large.setPixel(0, 0, kBlue);
    large.setPixel(10, 0, kRed);
    settings.Image = {1, Picture("large.png", large), 0, 0};
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_EQ(PixelsOf(face.frame(), kRed), QList<QPoint>{QPoint(0, 9)});
    EXPECT_EQ(PixelsOf(face.frame(), kGreen).size(), 80 * (80 - 61));

    settings.Image.File = Picture("small.png", Marked(20, 20));
    face.ComposeBackground();
    EXPECT_EQ(Bounds(PixelsOf(face.frame(), kBlue) << QPoint(30, 30)), QRect(30, 30, 20, 20));
}

TEST_F(AnalogFaceTest, AStretchedPictureFillsTheFace)
{
    QImage halves(2, 1, QImage::Format_RGB32);
    halves.setPixel(0, 0, kRed);
    halves.setPixel(1, 0, kBlue);
    settings.Image = {1, Picture("halves.png", halves), 1, 1};
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_EQ(Bounds(PixelsOf(face.frame(), kRed)), QRect(0, 0, 40, 80));
    EXPECT_EQ(Bounds(PixelsOf(face.frame(), kBlue)), QRect(40, 0, 40, 80));
}

TEST_F(AnalogFaceTest, UnusablePicturesKeepThePreviousOne)
{
    settings.Image = {1, Picture("tile.png", Marked(30, 30)), 0, 1};
    AnalogFace face(settings);
    face.ApplyBackColor();
    const QImage tiled = face.frame();

    settings.Image.File = folder.file("missing.png");
    face.ComposeBackground();
    EXPECT_EQ(face.frame(), tiled);
    folder.writeBytes("broken.png", "not a picture");
    settings.Image.File = folder.file("broken.png");
    face.ComposeBackground();
    EXPECT_EQ(face.frame(), tiled);
    QImage huge(8193, 1, QImage::Format_RGB32);
    huge.fill(kWhite);
    settings.Image.File = Picture("huge.png", huge);
    face.ComposeBackground();
    EXPECT_EQ(face.frame(), tiled);

    settings.Image.Enabled = 0;
    face.ComposeBackground();
    EXPECT_EQ(PixelsOf(face.frame(), kGreen).size(), 80 * 80);
}

TEST_F(AnalogFaceTest, AFileChangedOnDiskIsReadAgain)
{
    settings.Image = {1, Picture("pic.png", Marked(80, 80)), 0, 0};
    AnalogFace face(settings);
    face.ApplyBackColor();
    QImage white(80, 80, QImage::Format_RGB32);
    white.fill(kWhite);
    Picture("pic.png", white);
    QFile file(settings.Image.File);
    file.open(QIODevice::ReadWrite);
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    face.ComposeBackground();
    EXPECT_EQ(PixelsOf(face.frame(), kWhite).size(), 80 * 80);
}

TEST_F(AnalogFaceTest, TransparentPartsShowTheCurrentFaceColour)
{
    QImage clear(20, 20, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    clear.setPixel(0, 0, kRed);
    settings.Image = {1, Picture("clear.png", clear), 0, 0};
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_EQ(face.frame().pixel(30, 30), kRed);
    EXPECT_EQ(face.frame().pixel(40, 40), kGreen);
    settings.Color.Bord = 0xFFFFFF;
    face.ApplyBackColor();
    EXPECT_EQ(face.frame().pixel(40, 40), kWhite);
}

TEST_F(AnalogFaceTest, AScrollingFaceShowsTheWindowAtTheScrollPosition)
{
    QImage coded(200, 100, QImage::Format_RGB32);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            coded.setPixel(x, y, qRgb(x, y, 7));
    settings.Image = {1, Picture("wide.png", coded), 0, 0};
    AnalogFace face(settings);
    face.setScrolling(true);
    face.ApplyBackColor();
    EXPECT_EQ(face.background().size(), QSize(200, 100));

    face.setScrollPosition(QPoint(30, 10));
    face.DrawHands("2024/01/01 10:10:10");
    face.DrawBackground();
    EXPECT_EQ(face.frame(), coded.copy(30, 10, 80, 80));
    // Beyond the picture the face shows its colour.
    face.setScrollPosition(QPoint(150, 50));
    face.DrawBackground();
    EXPECT_EQ(face.frame().pixel(49, 49), qRgb(199, 99, 7));
    EXPECT_EQ(face.frame().pixel(50, 0), kGreen);
    EXPECT_EQ(face.frame().pixel(0, 50), kGreen);
}

} // namespace
