// Where the popup menu opens beside the clock.
#include <gtest/gtest.h>

#include "menu/popup_anchor.h"

namespace {

// A 768-pixel-high screen at 15 twips per pixel, an 80 x 80 clock.
PopupAnchorInput ClockAt(qint32 leftTwips, qint32 topTwips)
{
    PopupAnchorInput in;
    in.pointer = QPoint(500, 300);
    in.clockLeft = leftTwips;
    in.clockTop = topTwips;
    in.clockWidth = 80 * 15;
    in.clockHeight = 80 * 15;
    in.screenHeight = 768 * 15;
    return in;
}

TEST(PopupAnchorTest, ClockInTheUpperHalfOpensBelowItAtThePointersX)
{
    // Clock at pixel (100, 50): its bottom edge is at y = 130.
    EXPECT_EQ(PopupAnchor(ClockAt(100 * 15, 50 * 15)), QPoint(500, 130));
}

TEST(PopupAnchorTest, ClockInTheLowerHalfOpensRightOfItAtThePointersY)
{
    // Clock at pixel (100, 600): its right edge is at x = 180.
    EXPECT_EQ(PopupAnchor(ClockAt(100 * 15, 600 * 15)), QPoint(180, 300));
}

TEST(PopupAnchorTest, TheMiddleLineBelongsToTheLowerHalf)
{
    // Half of 11520 twips is 5760 (pixel 384).
    EXPECT_EQ(PopupAnchor(ClockAt(0, 5759)).x(), 500);
    EXPECT_EQ(PopupAnchor(ClockAt(0, 5760)), QPoint(80, 300));
}

TEST(PopupAnchorTest, EdgesAreWholePixelsWithTheFractionDropped)
{
    PopupAnchorInput in = ClockAt(0, 29); // bottom edge at 1229 twips = 81.93 pixels
    EXPECT_EQ(PopupAnchor(in).y(), 81);
    in = ClockAt(1214, 9000);             // right edge at 2414 twips = 160.93 pixels
    EXPECT_EQ(PopupAnchor(in).x(), 160);
}

TEST(PopupAnchorTest, HalfOfTheMonitorUnderThePointerDecides)
{
    // A second monitor stacked below the first, from pixel 768 to 1536.
    PopupAnchorInput in = ClockAt(0, 900 * 15);
    in.screenTop = 768 * 15;
    in.pointer = QPoint(40, 950);
    EXPECT_EQ(PopupAnchor(in), QPoint(40, 980));
}

} // namespace
