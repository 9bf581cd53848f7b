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

namespace {

// Two monitors side by side, the right one smaller; an 80 x 80 clock.
const QRect kLeftMonitor(0, 0, 1024, 768);
const QRect kRightMonitor(1024, 0, 1024, 600);

struct BesideCase {
    const char *what;
    QPoint anchor;
    QSize menu;
    QRect clock;
    QRect monitor;
    QPoint expected;
};

TEST(MenuBesideClockTest, OpensWhereItFitsAndNeverOverTheClock)
{
    const BesideCase cases[] = {
        {"fits at the anchor below an upper clock", {130, 130}, {200, 300}, {100, 50, 80, 80}, kLeftMonitor, {130, 130}},
        {"fits at the anchor right of a lower clock", {180, 500}, {200, 200}, {100, 450, 80, 80}, kLeftMonitor, {180, 500}},
        {"too wide right of a clock near the right edge: left of it", {1780, 420}, {300, 150},
         {1700, 400, 80, 80}, kRightMonitor, {1400, 420}},
        {"too wide and too tall there: left of it, moved up onto the monitor", {1780, 420}, {300, 400},
         {1700, 400, 80, 80}, kRightMonitor, {1400, 200}},
        {"right edge on the monitor's edge (anchor kept on it): left of it", {2047, 420}, {200, 150},
         {1968, 400, 80, 80}, kRightMonitor, {1768, 420}},
        {"below an upper clock near the right edge: moved left, still below it", {1960, 130}, {200, 300},
         {1940, 50, 80, 80}, kRightMonitor, {1848, 130}},
        {"too tall below an upper clock: above it", {130, 360}, {200, 270}, {100, 280, 80, 80},
         {0, 0, 1024, 600}, {130, 10}},
        {"no room above or below: right of the clock", {130, 250}, {200, 500}, {100, 170, 80, 80},
         {0, 0, 1024, 600}, {180, 100}},
        {"no room on any side: the anchor, for the toolkit to fit", {180, 300}, {2000, 2000},
         {100, 250, 80, 80}, kLeftMonitor, {180, 300}},
    };
    for (const BesideCase &c : cases) {
        const QPoint at = MenuBesideClock(c.anchor, c.menu, c.clock, c.monitor);
        EXPECT_EQ(at, c.expected) << c.what;
        const QRect menu(at, c.menu);
        if (c.monitor.contains(QRect(c.expected, c.menu))) {
            EXPECT_TRUE(c.monitor.contains(menu)) << c.what;
            EXPECT_FALSE(menu.intersects(c.clock)) << c.what;
        }
    }
}

} // namespace
