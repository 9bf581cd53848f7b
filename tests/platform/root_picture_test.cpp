// The root window's picture: placed on each monitor as the placement asks.
#include <gtest/gtest.h>

#include "platform/linux/desktop_wallpaper.h"

namespace {

TEST(RootPictureTest, PicturesArePlacedOnEachMonitorByTheirPlacement)
{
    QImage red(4, 2, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QSize screen(20, 10);
    const QList<QRect> two = {QRect(0, 0, 10, 10), QRect(10, 0, 10, 10)};
    struct Case {
        QString tile, style;
        QList<QPoint> red, black;
    } cases[] = {
        // centred: 4 x 2 in the middle of each 10 x 10 monitor, at (3, 4) and (13, 4)
        {"0", "0", {{3, 4}, {6, 5}, {13, 4}}, {{2, 4}, {7, 4}, {3, 3}, {3, 6}, {10, 0}}},
        {"1", "0", {{0, 0}, {19, 9}, {9, 5}}, {}},
        {"1", "2", {{0, 0}, {19, 9}, {10, 0}}, {}},   // stretched wins over tiled
        // fitted inside: 10 x 5 centred, rows 2..6 of each monitor
        {"0", "6", {{0, 3}, {19, 6}}, {{0, 1}, {15, 8}}},
        {"0", "10", {{0, 0}, {19, 9}}, {}},
    };
    for (const Case &c : cases) {
        const QImage out = ComposeRootPicture(red, screen, two, {"/p.png", c.tile, c.style});
        ASSERT_EQ(out.size(), screen);
        for (QPoint p : c.red)
            EXPECT_EQ(out.pixelColor(p), QColor(Qt::red)) << c.tile.toStdString() << c.style.toStdString() << " " << p.x() << "," << p.y();
        for (QPoint p : c.black)
            EXPECT_EQ(out.pixelColor(p), QColor(Qt::black)) << c.tile.toStdString() << c.style.toStdString() << " " << p.x() << "," << p.y();
    }
}

} // namespace
