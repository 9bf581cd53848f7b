// Tool windows and message boxes open beside the clock, never over it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "shell/window_placement.h"

namespace {

const QRect kScreen(0, 0, 1024, 768);
const QSize kWindow(303, 249);   // the settings window with its frame

struct PlacementCase {
    const char *name;
    QRect clock;
    QSize window;
    QRect available;
    QPoint expected;
};

TEST(BesideClock, TakesTheFirstSideWhereTheWindowFitsAlignedWithTheClock)
{
    const PlacementCase cases[] = {
        {"clock at the top-left: right of it", {0, 0, 80, 80}, kWindow, kScreen, {88, 0}},
        {"clock at the right edge: left of it", {944, 0, 80, 80}, kWindow, kScreen, {633, 0}},
        {"low on the screen: kept above the bottom", {944, 688, 80, 80}, kWindow, kScreen, {633, 519}},
        {"a clock as wide as the screen: below it", {0, 0, 1024, 100}, kWindow, kScreen, {0, 108}},
        {"a wide clock at the bottom: above it", {0, 668, 1024, 100}, kWindow, kScreen, {0, 411}},
        {"a panel at the top: below the panel", {0, 0, 80, 80}, kWindow, {0, 30, 1024, 738}, {88, 30}},
        {"a second screen at the right", {2224, 10, 80, 80}, kWindow, {1024, 0, 1280, 1024}, {1913, 10}},
        {"a clock half off the screen's left", {-40, 300, 80, 80}, kWindow, kScreen, {48, 300}},
    };
    for (const PlacementCase &c : cases)
        EXPECT_EQ(BesideClock(c.clock, c.window, c.available), c.expected) << c.name;
}

TEST(BesideClock, WithNoRoomOnAnySideUsesTheWidestAndStaysOnTheScreen)
{
    // 192 pixels left and right of the clock, 142 above and below.
    EXPECT_EQ(BesideClock({200, 150, 624, 468}, kWindow, kScreen), QPoint(721, 150));
    // A window larger than the screen shows its top-left corner.
    EXPECT_EQ(BesideClock({0, 0, 80, 80}, {1200, 900}, kScreen), QPoint(0, 0));
}

// Wherever the clock stands, a window that fits beside it covers no part of
// it and stays wholly on the screen.
TEST(BesideClock, NeverCoversTheClockWhereverItStands)
{
    const QSize clockSize(120, 120);
    for (int x = -60; x <= kScreen.width() - 60; x += 37) {
        for (int y = -60; y <= kScreen.height() - 60; y += 29) {
            const QRect clock(QPoint(x, y), clockSize);
            const QRect placed(BesideClock(clock, kWindow, kScreen), kWindow);
            ASSERT_FALSE(placed.intersects(clock)) << x << "," << y;
            ASSERT_TRUE(kScreen.contains(placed)) << x << "," << y;
        }
    }
}

// Every dialog of the program that opens, a box or a tool window, finds its
// place beside the clock by the one rule.
TEST(ToolWindowPlacement, PutsEachDialogBesideTheClockAsItIsShown)
{
    QWidget clock(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    clock.setGeometry(0, 0, 80, 80);
    clock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    ToolWindowPlacement placement(clock);

    QDialog settings(&clock);   // Qt would centre it over the clock
    settings.setFixedSize(297, 221);
    settings.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&settings));
    EXPECT_FALSE(settings.frameGeometry().intersects(clock.frameGeometry())) << "over the clock";
    EXPECT_EQ(settings.frameGeometry().topLeft(), QPoint(88, 0));
}

} // namespace
