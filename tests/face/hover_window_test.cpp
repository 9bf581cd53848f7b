#include <gtest/gtest.h>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include "calendar/notes.h"
#include "face/fonts.h"
#include "context/context.h"
#include "face/ui/hover_window.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"

namespace {

class HoverWindowTest : public ::testing::Test {
protected:
    HoverWindowTest() : ctx(fakes.services, folder.path())
    {
        InstallFontSubstitutions();
        fakes.clock->current = QDateTime(QDate(1999, 12, 6), QTime(9, 5, 7));
    }

    QLabel *Label(HoverWindow &w) { return w.findChild<QLabel *>("DSP"); }

    // The clock centred on the pointer, then one tick.
    void TickWithPointerAt(HoverWindow &window, QPoint pointer)
    {
        fakes.screen->pointer = pointer;
        window.follow(pointer - QPoint(40, 40), pointer);
    }

    TempFolder folder;
    FakeServices fakes;   // 1024 x 768, 15 twips per pixel
    Context ctx;
};

TEST(HoverPlacementTest, ScreenMiddleIsHalfTheMonitorInTwips)
{
    EXPECT_EQ(ScreenMiddle(QRect(0, 0, 1024, 768), 15, 15), QPoint(512, 384));
    EXPECT_EQ(ScreenMiddle(QRect(1024, 0, 1280, 1024), 15, 15), QPoint(1024 + 640, 512));
    EXPECT_EQ(ScreenMiddle(QRect(0, 0, 1921, 1081), 15, 15), QPoint(960, 540));
    // A pointer exactly on the middle counts as the upper left half.
    EXPECT_EQ(HoverWindowPosition(QPoint(512, 384), QSize(120, 30), QPoint(512, 384)),
              QPoint(512, 386));
}

// Where the compositor gives the pointer to any window under it, the hover
// window keeps the sides of the usual rule but stands off the clock.
TEST(HoverPlacementTest, OffTheClockItNeverLiesUnderAPointerOverTheClock)
{
    const QRect clock(200, 150, 80, 80);
    const QSize size(120, 30);
    const QPoint middle(512, 384);
    struct Case {
        QPoint pointer, expected;
    } cases[] = {
        {{240, 190}, {240, 150 + 80 + 2}},        // upper left: below the clock, right of the pointer
        {{240, 229}, {240, 150 + 80 + 2}},
        {{201, 151}, {201, 150 + 80 + 2}},
    };
    for (const Case &c : cases) {
        const QPoint at = HoverWindowOffClock(c.pointer, size, middle, clock);
        EXPECT_EQ(at, c.expected);
        EXPECT_FALSE(QRect(at, size).intersects(clock));
    }
    // Lower right of the screen: left of the pointer, above the clock.
    const QRect lower(700, 600, 80, 80);
    const QPoint at = HoverWindowOffClock({740, 640}, size, middle, lower);
    EXPECT_EQ(at, QPoint(740 - 120, 600 - 30));
    EXPECT_FALSE(QRect(at, size).intersects(lower));
}

TEST(HoverPlacementTest, OnlyTheInsideOfTheClocksRectangleCounts)
{
    const QRect clock(60, 60, 80, 80);
    EXPECT_TRUE(PointerOverClock(QPoint(61, 61), clock));
    EXPECT_TRUE(PointerOverClock(QPoint(139, 139), clock));   // a corner outside the ellipse
    EXPECT_FALSE(PointerOverClock(QPoint(60, 100), clock));
    EXPECT_FALSE(PointerOverClock(QPoint(140, 100), clock));
    EXPECT_FALSE(PointerOverClock(QPoint(100, 60), clock));
    EXPECT_FALSE(PointerOverClock(QPoint(100, 140), clock));
}

TEST_F(HoverWindowTest, IsCreatedHiddenWithItsLabelAndATimerThatRunsOnlyWhileShown)
{
    HoverWindow window(ctx);
    EXPECT_EQ(window.objectName(), "frmDigi");
    EXPECT_FALSE(window.isVisible());
    auto *timer = window.findChild<QTimer *>("TMC");
    ASSERT_NE(timer, nullptr);
    EXPECT_EQ(timer->interval(), 300);
    EXPECT_FALSE(timer->isActive());
    TickWithPointerAt(window, QPoint(300, 300));
    EXPECT_TRUE(timer->isActive());
    window.follow(QPoint(0, 0), std::nullopt);
    EXPECT_FALSE(timer->isActive());
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowDoesNotAcceptFocus);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window.windowFlags() & Qt::WindowTransparentForInput);
    ASSERT_NE(Label(window), nullptr);
    EXPECT_EQ(Label(window)->text(), "1999/12/06 09:05:07");
    EXPECT_EQ(window.size(), Label(window)->size());
}

TEST_F(HoverWindowTest, MemoLinesStandUnderTheDateAndTime)
{
    Preset(ctx.store, [](Settings &s) { s.Setting.TimeFormat = "yyyy/m/d hh:mm"; });
    HoverWindow window(ctx);
    const int oneLine = window.height();
    ctx.notes.MemoText = QStringLiteral("牛乳\r\n卵");
    window.show();
    window.refresh();
    EXPECT_EQ(Label(window)->text(), QStringLiteral("1999/12/6 09:05\n牛乳\n卵"));
    EXPECT_GT(window.height(), 2 * oneLine);
    EXPECT_EQ(window.size(), Label(window)->size());
}

TEST_F(HoverWindowTest, AnEmptyTextLeavesTheWindowAtItsLabelsSize)
{
    Preset(ctx.store, [](Settings &s) { s.Setting.TimeFormat = ""; });
    HoverWindow window(ctx);
    EXPECT_EQ(Label(window)->text(), "");
    EXPECT_EQ(window.size(), Label(window)->size());
    TickWithPointerAt(window, QPoint(300, 300));
    EXPECT_EQ(window.size(), Label(window)->size());
    EXPECT_LT(window.width(), 30) << "a box of no text";
}

TEST_F(HoverWindowTest, RefreshShowsTheCurrentTime)
{
    HoverWindow window(ctx);
    window.show();
    fakes.clock->current = QDateTime(QDate(2000, 1, 2), QTime(23, 59, 58));
    window.refresh();
    EXPECT_EQ(Label(window)->text(), "2000/01/02 23:59:58");
}

TEST_F(HoverWindowTest, AHiddenWindowIsBroughtUpToDateWhenItAppears)
{
    HoverWindow window(ctx);
    fakes.clock->current = QDateTime(QDate(2000, 1, 2), QTime(23, 59, 58));
    ctx.notes.MemoText = QStringLiteral("牛乳");
    window.refresh();
    TickWithPointerAt(window, QPoint(900, 700));
    EXPECT_EQ(Label(window)->text(), QStringLiteral("2000/01/02 23:59:58\n牛乳"));
    // Placed by its new, two-line size.
    EXPECT_EQ(window.pos(), QPoint(900 - window.width(), 700 - window.height()));
}

TEST_F(HoverWindowTest, FollowsThePointerInEachQuarterOfTheScreen)
{
    HoverWindow window(ctx);
    const QSize size = window.size();
    TickWithPointerAt(window, QPoint(100, 100));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.pos(), QPoint(100, 102));
    TickWithPointerAt(window, QPoint(900, 100));
    EXPECT_EQ(window.pos(), QPoint(900 - size.width(), 102));
    TickWithPointerAt(window, QPoint(100, 700));
    EXPECT_EQ(window.pos(), QPoint(100, 700 - size.height()));
    TickWithPointerAt(window, QPoint(900, 700));
    EXPECT_EQ(window.pos(), QPoint(900 - size.width(), 700 - size.height()));
}

TEST_F(HoverWindowTest, HidesWhenThePointerLeavesTheClock)
{
    HoverWindow window(ctx);
    TickWithPointerAt(window, QPoint(300, 300));
    ASSERT_TRUE(window.isVisible());
    fakes.screen->pointer = QPoint(260, 300);   // on the clock's left edge
    window.follow(QPoint(260, 260), fakes.screen->pointer);
    EXPECT_FALSE(window.isVisible());
    Preset(ctx.store, [](Settings &s) { s.Setting.Width = 120; });
    fakes.screen->pointer = QPoint(379, 300);   // inside a wider clock
    window.follow(QPoint(260, 260), fakes.screen->pointer);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(HoverWindowTest, NeverShownWhileAToolWindowOrABoxOfTheProgramIsOpen)
{
    HoverWindow window(ctx);
    TickWithPointerAt(window, QPoint(300, 300));
    ASSERT_TRUE(window.isVisible());
    ctx.ToolWindowOpen = true;
    TickWithPointerAt(window, QPoint(300, 300));
    EXPECT_FALSE(window.isVisible());
    TickWithPointerAt(window, QPoint(310, 310));
    EXPECT_FALSE(window.isVisible());
    ctx.ToolWindowOpen = false;
    TickWithPointerAt(window, QPoint(310, 310));
    EXPECT_TRUE(window.isVisible());

    // A fortune or alarm box, or a chooser, over the clock.
    {
        QMessageBox box(QMessageBox::Information, "Tockara", "ナイス！");
        box.show();
        TickWithPointerAt(window, QPoint(310, 310));
        EXPECT_FALSE(window.isVisible());
    }
    TickWithPointerAt(window, QPoint(310, 310));
    EXPECT_TRUE(window.isVisible());
    // The program's popup menu is no such window.
    QMenu menu;
    menu.addAction("x");
    menu.popup(QPoint(300, 300));
    TickWithPointerAt(window, QPoint(310, 310));
    EXPECT_TRUE(window.isVisible());
}

} // namespace
