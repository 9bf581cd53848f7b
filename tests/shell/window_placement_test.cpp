// Tool windows and message boxes open beside the clock, never over it.
#include <gtest/gtest.h>

#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include "platform/linux/linux_services.h"
#include "shell/window_placement.h"
#include "support/box_faults.h"

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

// A window too large for every side is made as small as it must be (no
// smaller than it can be) to fit on the side that keeps the most of it.
TEST(SizeBesideClock, ShrinksOnlyWhatFitsNowhereAndNotBelowItsMinimum)
{
    const struct {
        const char *name;
        QRect clock;
        QSize window, minimum, expected;
    } cases[] = {
        {"fits on the right as it is", {0, 0, 80, 80}, {860, 520}, {400, 300}, {860, 520}},
        {"a chooser beside a clock in the middle: below it", {400, 300, 80, 80}, {860, 520}, {400, 300}, {860, 380}},
        {"a wide and tall box: the side that keeps most", {400, 300, 80, 80}, {680, 700}, {300, 200}, {536, 700}},
        {"its minimum fits nowhere: kept", {400, 300, 80, 80}, {860, 520}, {600, 400}, {860, 520}},
        {"a clock as large as the screen: kept", {0, 0, 1024, 768}, {300, 200}, {100, 100}, {300, 200}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SizeBesideClock(c.clock, c.window, c.minimum, kScreen), c.expected) << c.name;
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

// Wherever the clock stands, a chooser larger than any side leaves and a box
// with a long list open beside it, made smaller: the chooser as far as its
// minimum size allows, the box by wrapping and scrolling its text.
TEST(ToolWindowPlacement, MakesWindowsTooLargeForEverySideFitBesideTheClock)
{
    QWidget clock(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    clock.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&clock));
    const QRect screen = clock.screen()->availableGeometry();
    ToolWindowPlacement placement(clock);
    Services services = MakeLinuxServices();
    const QString list = QStringList(100, QStringLiteral("フォルダ/とても長いファイルの名前.txt")).join(u'\n');
    for (const QSize clockSize : {QSize(80, 80), QSize(160, 160)}) {
        clock.setGeometry(QRect(screen.center() - QPoint(clockSize.width() / 2, clockSize.height() / 2), clockSize));
        QFileDialog chooser(&clock);
        chooser.setOption(QFileDialog::DontUseNativeDialog);
        chooser.resize(screen.size() * 9 / 10);
        chooser.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chooser));
        EXPECT_FALSE(chooser.frameGeometry().intersects(clock.frameGeometry()))
            << "the chooser at " << chooser.frameGeometry().x() << "," << chooser.frameGeometry().y();
        chooser.close();

        const FakeMessageBoxes::Shown report{list, "Tockara", MessageButtons::Ok, MessageIcon::Warning, false, {}};
        WithShownBox(*services.messages, report, [&](QMessageBox &box) {
            EXPECT_FALSE(box.frameGeometry().intersects(clock.frameGeometry())) << clockSize.width();
            EXPECT_EQ(BoxFaults(box, list, "Tockara"), "") << clockSize.width();
        });
    }
}

} // namespace
