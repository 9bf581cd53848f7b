#include <gtest/gtest.h>
#include <QCloseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "settings/profile.h"
#include "shell/clock_window.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

struct ClockFixture : ::testing::Test {
    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};

    std::unique_ptr<ClockWindow> makeClock()
    {
        auto clock = std::make_unique<ClockWindow>(ctx);
        clock->ApplyClockShape();
        clock->ApplyBackColor();
        return clock;
    }
    QString saved(const QString &key) { return ReadIniValue("Setting", key, "-", ctx.settingsPath); }
};

// Records the face image each paint of the clock window puts on the screen.
struct PaintWatcher : QObject {
    explicit PaintWatcher(ClockWindow *clock) : clock(clock) { clock->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = clock->face().frame().copy();
        return false;
    }
    ClockWindow *clock;
    QImage painted;
};

// A screen whose pixels are not a whole number of twips (115 dots per inch).
struct FractionalScreen : FakeScreen {
    double twipsPerPixelX() const override { return 1440.0 / 115; }
    double twipsPerPixelY() const override { return 1440.0 / 115; }
};

// A window whose own close handling refuses every close.
struct StubbornWindow : QWidget {
    void closeEvent(QCloseEvent *event) override { event->ignore(); }
};

QMouseEvent MouseEvent(QEvent::Type type, QPoint local, QPoint global, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    return QMouseEvent(type, QPointF(local), QPointF(global), button, held, {});
}

} // namespace

TEST_F(ClockFixture, IsABorderlessTopmostWindowTitledTockara)
{
    auto clock = makeClock();
    EXPECT_EQ(clock->objectName(), "frmMain");
    EXPECT_EQ(clock->windowTitle(), "Tockara");
    EXPECT_TRUE(clock->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(clock->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(clock->size(), QSize(80, 80));
    EXPECT_EQ(ctx.clock, clock.get());
    clock.reset();
    EXPECT_EQ(ctx.clock, nullptr) << "nothing reaches a clock that is gone";
}

TEST_F(ClockFixture, TheMaskIsTheFacesEllipse)
{
    ctx.settings.Setting.Width = 120;
    auto clock = makeClock();
    const QRegion mask = clock->mask();
    EXPECT_EQ(mask.boundingRect(), QRect(0, 0, 120, 80));
    EXPECT_TRUE(mask.contains(QPoint(60, 40)));
    EXPECT_TRUE(mask.contains(QPoint(2, 40)));
    EXPECT_FALSE(mask.contains(QPoint(3, 3)));
    EXPECT_FALSE(mask.contains(QPoint(116, 76)));
}

TEST_F(ClockFixture, PlacementPullsBackOnlyOffTheRightAndBottom)
{
    // 1024 x 768 pixels at 15 twips per pixel.
    ctx.settings.Setting.Left = 20000 * 15 / 10;  // 2000 px, off the right edge
    ctx.settings.Setting.Top = 760 * 15;          // bottom edge below the screen's
    EXPECT_EQ(makeClock()->pos(), QPoint(1024 - 80, 768 - 80));

    ctx.settings.Setting.Left = -300;
    ctx.settings.Setting.Top = -150;
    EXPECT_EQ(makeClock()->pos(), QPoint(-20, -10));

    ctx.settings.Setting.Left = 100 * 15;
    ctx.settings.Setting.Top = 200 * 15;
    EXPECT_EQ(makeClock()->pos(), QPoint(100, 200));
}

TEST_F(ClockFixture, PlacementKeepsTheClockOnTheWholeVirtualDesktop)
{
    // A second monitor left of the primary one and a third, taller one to its right.
    fakes.screen->desktop = QRect(-1280, 0, 1280 + 1024 + 1920, 1200);
    ctx.settings.Setting.Left = -1000 * 15;
    ctx.settings.Setting.Top = 1100 * 15;
    EXPECT_EQ(makeClock()->pos(), QPoint(-1000, 1100));

    ctx.settings.Setting.Left = 3000 * 15;
    ctx.settings.Setting.Top = 1150 * 15;
    EXPECT_EQ(makeClock()->pos(), QPoint(1024 + 1920 - 80, 1200 - 80));
}

TEST_F(ClockFixture, ASavedPositionComesBackAtTheSamePixelWhateverTheTwipsPerPixel)
{
    fakes.services.screen = std::make_unique<FractionalScreen>();
    auto clock = makeClock();
    clock->show();
    QTest::mousePress(clock.get(), Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent move = MouseEvent(QEvent::MouseMove, QPoint(10, 10), QPoint(10 + 81, 10 + 203), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &move);
    QTest::mouseRelease(clock.get(), Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_EQ(clock->pos(), QPoint(81, 203));
    // 81 and 203 pixels are 1014.26 and 2541.91 twips, kept as whole twips.
    EXPECT_EQ(saved("Left"), "1014");
    EXPECT_EQ(saved("Top"), "2542");

    EXPECT_EQ(makeClock()->pos(), QPoint(81, 203));
}

TEST_F(ClockFixture, DraggingMovesTheClockAndSavesItsPositionOnRelease)
{
    auto clock = makeClock();
    clock->show();
    QTest::mousePress(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 40), QPointF(clock->x() + 130, clock->y() + 230),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(clock.get(), &move);
    EXPECT_EQ(saved("Left"), "-");  // nothing written before the release
    QTest::mouseRelease(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));

    EXPECT_EQ(clock->pos(), QPoint(100, 200));
    EXPECT_EQ(saved("Left"), "1500");
    EXPECT_EQ(saved("Top"), "3000");
    EXPECT_EQ(ctx.settings.Setting.Left, 1500);
}

TEST_F(ClockFixture, RightAndMiddleClicksWriteNothing)
{
    auto clock = makeClock();
    int popups = 0;
    clock->showPopupMenu = [&](QPoint) { ++popups; };
    QTest::mouseClick(clock.get(), Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseClick(clock.get(), Qt::MiddleButton, {}, QPoint(30, 30));
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(QFile::exists(ctx.settingsPath));
}

TEST_F(ClockFixture, ARightPressEndsADrag)
{
    auto clock = makeClock();
    clock->showPopupMenu = [](QPoint) {};
    QTest::mousePress(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mousePress(clock.get(), Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseRelease(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_FALSE(QFile::exists(ctx.settingsPath));
}

TEST_F(ClockFixture, ADoubleClickShowsOneFortuneAndLeavesNoDragBehind)
{
    auto clock = makeClock();
    clock->show();
    int fortunes = 0;
    int popups = 0;
    clock->showFortune = [&] { ++fortunes; };
    clock->showPopupMenu = [&](QPoint) { ++popups; };
    const QPoint at(30, 30);
    const QPoint global = clock->pos() + at;
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        QMouseEvent event = MouseEvent(type, at, global, Qt::LeftButton);
        QApplication::sendEvent(clock.get(), &event);
    }
    EXPECT_EQ(fortunes, 1);
    EXPECT_EQ(popups, 0);
    // Its clicks store the unchanged position and nothing else.
    EXPECT_EQ(saved("Left"), "0");
    EXPECT_EQ(ctx.settings.Setting.Left, 0);

    // The fortune box may take the second release: no drag may survive it.
    QMouseEvent doubleClick = MouseEvent(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &doubleClick);
    QMouseEvent move = MouseEvent(QEvent::MouseMove, at, global + QPoint(200, 100), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &move);
    EXPECT_EQ(clock->pos(), QPoint(0, 0));
    EXPECT_EQ(fortunes, 2);

    // The right button's double click is no fortune.
    QMouseEvent right = MouseEvent(QEvent::MouseButtonDblClick, at, global, Qt::RightButton);
    QApplication::sendEvent(clock.get(), &right);
    EXPECT_EQ(fortunes, 2);
}

TEST_F(ClockFixture, PopupOpensBelowAnUpperClockAndRightOfALowerOne)
{
    QPoint anchor;
    fakes.screen->pointer = QPoint(33, 44);
    ctx.settings.Setting.Left = 10 * 15;
    ctx.settings.Setting.Top = 20 * 15;
    auto upper = makeClock();
    upper->showPopupMenu = [&](QPoint at) { anchor = at; };
    QTest::mouseClick(upper.get(), Qt::RightButton, {}, QPoint(23, 24));
    EXPECT_EQ(anchor, QPoint(33, 20 + 80));

    fakes.screen->pointer = QPoint(55, 600);
    ctx.settings.Setting.Top = 500 * 15;
    auto lower = makeClock();
    lower->showPopupMenu = [&](QPoint at) { anchor = at; };
    QTest::mouseClick(lower.get(), Qt::RightButton, {}, QPoint(45, 100));
    EXPECT_EQ(anchor, QPoint(10 + 80, 600));
}

TEST_F(ClockFixture, AnAlarmShowsItsCommentOncePerSecond)
{
    ctx.settings.Alarm[1].Enabled = 1;
    ctx.settings.Alarm[1].Time = "10:00";
    ctx.settings.Alarm[1].Comment = "会議です";
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59, 900));
    auto clock = makeClock();
    for (int i = 0; i < 15; ++i) {
        clock->Tick();
        fakes.clock->current = fakes.clock->current.addMSecs(100);
    }
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].text, "会議です");
    EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
    EXPECT_EQ(fakes.messages->shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::Ok);
}

TEST_F(ClockFixture, TheTickDrawsTheHandsOnTheFace)
{
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(3, 0, 0));
    auto clock = makeClock();
    clock->Tick();
    const QImage &frame = clock->face().frame();
    // The hour hand points right at 3 o'clock, in its dark blue.
    EXPECT_EQ(frame.pixelColor(55, 39), QColor(0, 0, 128));
    EXPECT_EQ(frame.pixelColor(20, 60), QColor(0, 128, 0));
}

TEST_F(ClockFixture, TheNextTickShowsTheFinishedFaceAfterTheBackgroundWasRecomposed)
{
    auto clock = makeClock();
    clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(clock.get()));
    PaintWatcher screen(clock.get());
    clock->Tick();
    const QImage finished = clock->face().frame().copy();
    ASSERT_EQ(screen.painted, finished);

    // Recomposing shows the bare background until the next tick, which falls
    // in the same second and so draws the very face shown before.
    clock->ComposeBackground();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    ASSERT_NE(screen.painted, finished);
    clock->Tick();
    EXPECT_EQ(screen.painted, finished);
}

TEST_F(ClockFixture, ClosingEndsTheProgram)
{
    auto clock = makeClock();
    clock->show();
    clock->close();
    EXPECT_TRUE(clock->exiting());
    EXPECT_FALSE(clock->isVisible());
}

TEST_F(ClockFixture, ExitProgramClosesEveryWindowAndEndsTheRunEvenIfOneRefuses)
{
    auto clock = makeClock();
    clock->show();
    QWidget note;
    note.show();
    StubbornWindow stubborn;
    stubborn.show();
    QCoreApplication::sendPostedEvents();

    QTimer::singleShot(0, clock.get(), [&] {
        clock->ExitProgram();
        clock->ExitProgram();  // a second request while exiting does nothing
    });
    // Guards the test run: a cancelled exit would otherwise never return.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);

    EXPECT_TRUE(clock->exiting());
    EXPECT_FALSE(clock->isVisible());
    EXPECT_FALSE(note.isVisible());
    EXPECT_TRUE(stubborn.isVisible()) << "its own close handling had its say";
}
