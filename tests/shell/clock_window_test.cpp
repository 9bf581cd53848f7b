#include <gtest/gtest.h>
#include <QAccessible>
#include <QBackingStore>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDialog>
#include <QDir>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include "context/context.h"
#include "face/ui/hover_window.h"
#include "platform/linux/linux_services.h"
#include "settings/profile.h"
#include "shell/clock_window.h"
#include "shell/keyboard_menu.h"
#include "support/fake_monitors.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
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
    QString saved(const QString &key) { return ReadIniValue("Setting", key, "-", ctx.settingsPath()); }
    void preset(const std::function<void(Settings &)> &edit) { Preset(ctx.store, edit); }
};

// Records the face image each paint of the clock window puts on the screen.
struct PaintWatcher : QObject {
    explicit PaintWatcher(ClockWindow *clock) : clock(clock) { clock->installEventFilter(this); }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = clock->face().frame().copy();
            ++paints;
        }
        return false;
    }
    ClockWindow *clock;
    QImage painted;
    int paints = 0;
};

// What the clock window shows: its backing store's pixels, however they got there.
QImage Shown(ClockWindow *clock)
{
    const auto *image = dynamic_cast<const QImage *>(clock->backingStore()->paintDevice());
    return image ? image->convertToFormat(QImage::Format_RGB32) : QImage();
}

// A screen whose pixels are not a whole number of twips (115 dots per inch).
struct FractionalScreen : FakeScreen {
    double twipsPerPixelX() const override { return 1440.0 / 115; }
    double twipsPerPixelY() const override { return 1440.0 / 115; }
};

// A screen that counts how often the pointer is asked for.
struct CountingScreen : FakeScreen {
    QPoint pointerPosition() const override
    {
        ++asked;
        return pointer;
    }
    mutable int asked = 0;
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
}

TEST_F(ClockFixture, TheMaskIsTheFacesEllipse)
{
    preset([](Settings &s) { s.Setting.Width = 120; });
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
    preset([](Settings &s) {
        s.Setting.Left = 20000 * 15 / 10;  // 2000 px, off the right edge
        s.Setting.Top = 760 * 15;          // bottom edge below the screen's
    });
    EXPECT_EQ(makeClock()->pos(), QPoint(1024 - 80, 768 - 80));

    preset([](Settings &s) { s.Setting.Left = -300; });
    preset([](Settings &s) { s.Setting.Top = -150; });
    EXPECT_EQ(makeClock()->pos(), QPoint(-20, -10));

    preset([](Settings &s) { s.Setting.Left = 100 * 15; });
    preset([](Settings &s) { s.Setting.Top = 200 * 15; });
    EXPECT_EQ(makeClock()->pos(), QPoint(100, 200));
}

TEST_F(ClockFixture, PlacementKeepsTheClockOnTheWholeVirtualDesktop)
{
    // A second monitor left of the primary one and a third, taller one to its right.
    fakes.screen->desktop = QRect(-1280, 0, 1280 + 1024 + 1920, 1200);
    preset([](Settings &s) { s.Setting.Left = -1000 * 15; });
    preset([](Settings &s) { s.Setting.Top = 1100 * 15; });
    EXPECT_EQ(makeClock()->pos(), QPoint(-1000, 1100));

    preset([](Settings &s) { s.Setting.Left = 3000 * 15; });
    preset([](Settings &s) { s.Setting.Top = 1150 * 15; });
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
    EXPECT_EQ(ctx.settings().Setting.Left, 1500);
}

// Past the window manager (sway) the clock moves itself, and each move is
// shown at once so that the compositor knows where the clock stands before
// the pointer moves on.
TEST_F(ClockFixture, ADragPastTheWindowManagerShowsTheClockAtEachStep)
{
    auto screen = std::make_unique<FakeMonitorScreen>();
    screen->sessionKind = DesktopSession::WaylandOther;
    fakes.services.screen = std::move(screen);
    preset([](Settings &s) {
        s.Setting.Left = 200 * 15;
        s.Setting.Top = 150 * 15;
    });
    auto clock = makeClock();
    EXPECT_TRUE(clock->windowFlags() & Qt::X11BypassWindowManagerHint);
    EXPECT_TRUE(clock->testAttribute(Qt::WA_TranslucentBackground));
    clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(clock.get()));
    PaintWatcher watcher(clock.get());
    QMouseEvent press = MouseEvent(QEvent::MouseButtonPress, {30, 30}, {230, 180}, Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &press);
    for (int step = 1; step <= 5; ++step) {
        const int paints = watcher.paints;
        const QPoint global(230 + 20 * step, 180 + 10 * step);
        QMouseEvent move = MouseEvent(QEvent::MouseMove, {30, 30}, global, Qt::LeftButton);
        QApplication::sendEvent(clock.get(), &move);
        ASSERT_EQ(clock->pos(), QPoint(200 + 20 * step, 150 + 10 * step)) << "step " << step;
        EXPECT_GT(watcher.paints, paints) << "step " << step;
    }
    QMouseEvent release = MouseEvent(QEvent::MouseButtonRelease, {30, 30}, {330, 230}, Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &release);
    EXPECT_EQ(saved("Left"), "4500");
    EXPECT_EQ(saved("Top"), "3000");
}

// Only where a compositor ignores the shape is the window clear outside the
// ellipse; on X11 the shape does it, without the cost of a clear window. On
// X11 the clock stands past the window manager, which would hide it on the
// other workspaces and when the desktop is shown.
TEST_F(ClockFixture, TheCornersAreClearWhereTheCompositorIgnoresTheShape)
{
    struct Case {
        DesktopSession session;
        bool clear, pastTheWindowManager;
    } cases[] = {
        {DesktopSession::X11, false, true},
        {DesktopSession::WaylandGnome, true, false},
        {DesktopSession::WaylandKde, true, false},
    };
    for (const Case &c : cases) {
        auto screen = std::make_unique<FakeMonitorScreen>();
        screen->sessionKind = c.session;
        fakes.services.screen = std::move(screen);
        auto clock = makeClock();
        EXPECT_EQ(clock->testAttribute(Qt::WA_TranslucentBackground), c.clear) << int(c.session);
        EXPECT_EQ(bool(clock->windowFlags() & Qt::X11BypassWindowManagerHint), c.pastTheWindowManager)
            << int(c.session);
        EXPECT_FALSE(clock->mask().isEmpty());
    }
}

// Two monitors side by side; the pointer on the right one, the clock on the left.
TEST_F(ClockFixture, ThePopupOpensOnTheClocksMonitor)
{
    auto screen = std::make_unique<FakeMonitorScreen>();
    screen->desktop = QRect(0, 0, 1024 + 1024, 768);
    screen->monitors = {QRect(0, 0, 1024, 768), QRect(1024, 0, 1024, 768)};
    screen->pointer = QPoint(1030, 600);
    fakes.services.screen = std::move(screen);
    preset([](Settings &s) {
        s.Setting.Left = (1024 - 80) * 15;
        s.Setting.Top = 600 * 15;
    });
    auto clock = makeClock();
    QPoint anchor;
    clock->showPopupMenu = [&](QPoint at) { anchor = at; };
    QTest::mouseClick(clock.get(), Qt::RightButton, {}, QPoint(70, 10));
    // Right of a lower clock: its right edge, at the last pixel of its monitor.
    EXPECT_EQ(anchor, QPoint(1023, 600));
}

TEST_F(ClockFixture, RightAndMiddleClicksWriteNothing)
{
    auto clock = makeClock();
    int popups = 0;
    clock->showPopupMenu = [&](QPoint) { ++popups; };
    QTest::mouseClick(clock.get(), Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseClick(clock.get(), Qt::MiddleButton, {}, QPoint(30, 30));
    EXPECT_EQ(popups, 1);
    EXPECT_FALSE(QFile::exists(ctx.settingsPath()));
}

TEST_F(ClockFixture, ARightPressEndsADrag)
{
    auto clock = makeClock();
    clock->showPopupMenu = [](QPoint) {};
    QTest::mousePress(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mousePress(clock.get(), Qt::RightButton, {}, QPoint(30, 30));
    QTest::mouseRelease(clock.get(), Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_FALSE(QFile::exists(ctx.settingsPath()));
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
    EXPECT_EQ(ctx.settings().Setting.Left, 0);

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

// XWayland may deliver a press on the face somewhere else (the clock hears
// only the pointer leave): told of it by the screen, the clock acts as on its
// own press, where it last saw the pointer over the face.
TEST_F(ClockFixture, APressDeliveredElsewhereOpensTheMenuOrDragsTheClock)
{
    preset([](Settings &s) { s.Setting.Left = 200 * 15; s.Setting.Top = 150 * 15; });
    auto clock = makeClock();
    clock->show();
    ASSERT_EQ(fakes.screen->pressesWatched, clock->windowHandle());
    QList<QPoint> anchors;
    clock->showPopupMenu = [&](QPoint at) { anchors << at; };
    const QPoint global = clock->pos() + QPoint(30, 30);
    fakes.screen->pointer = global;
    QTest::mouseClick(clock.get(), Qt::RightButton, {}, QPoint(30, 30));

    // The pointer came over the face, then "left" at the press.
    fakes.screen->pointer = QPoint(900, 700);
    QMouseEvent over = MouseEvent(QEvent::MouseMove, QPoint(30, 30), global, Qt::NoButton);
    QApplication::sendEvent(clock.get(), &over);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(clock.get(), &leave);
    fakes.screen->pressedElsewhere(Qt::RightButton, true);
    fakes.screen->pressedElsewhere(Qt::RightButton, false);
    ASSERT_EQ(anchors.size(), 2);
    EXPECT_EQ(anchors[1], anchors[0]);

    fakes.screen->pressedElsewhere(Qt::LeftButton, true);
    QMouseEvent drag = MouseEvent(QEvent::MouseMove, QPoint(30, 30), global + QPoint(100, 50), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &drag);
    fakes.screen->pressedElsewhere(Qt::LeftButton, false);
    EXPECT_EQ(clock->pos(), QPoint(300, 200));
    EXPECT_EQ(saved("Left"), "4500");
    EXPECT_EQ(saved("Top"), "3000");
}

// The fortune by keys: Return, Enter or Space on the clock with the keyboard,
// once per press; with another modifier, or another key, nothing.
TEST_F(ClockFixture, ReturnOrSpaceShowsTheFortuneAsTheDoubleClickDoes)
{
    auto clock = makeClock();
    int fortunes = 0;
    clock->showFortune = [&] { ++fortunes; };
    const struct { Qt::Key key; Qt::KeyboardModifiers modifiers; bool repeat; int shown; } cases[] = {
        {Qt::Key_Return, {}, false, 1}, {Qt::Key_Enter, Qt::KeypadModifier, false, 1},
        {Qt::Key_Space, {}, false, 1},  {Qt::Key_Return, {}, true, 0},
        {Qt::Key_Return, Qt::ControlModifier, false, 0}, {Qt::Key_Space, Qt::AltModifier, false, 0},
        {Qt::Key_A, {}, false, 0},      {Qt::Key_Escape, {}, false, 0},
    };
    for (const auto &c : cases) {
        fortunes = 0;
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers, QString(), c.repeat);
        QApplication::sendEvent(clock.get(), &press);
        EXPECT_EQ(fortunes, c.shown) << c.key << " " << c.modifiers.toInt() << " " << c.repeat;
    }
}

TEST_F(ClockFixture, PopupOpensBelowAnUpperClockAndRightOfALowerOne)
{
    QPoint anchor;
    fakes.screen->pointer = QPoint(33, 44);
    preset([](Settings &s) { s.Setting.Left = 10 * 15; });
    preset([](Settings &s) { s.Setting.Top = 20 * 15; });
    auto upper = makeClock();
    upper->showPopupMenu = [&](QPoint at) { anchor = at; };
    QTest::mouseClick(upper.get(), Qt::RightButton, {}, QPoint(23, 24));
    EXPECT_EQ(anchor, QPoint(33, 20 + 80));

    fakes.screen->pointer = QPoint(55, 600);
    preset([](Settings &s) { s.Setting.Top = 500 * 15; });
    auto lower = makeClock();
    lower->showPopupMenu = [&](QPoint at) { anchor = at; };
    QTest::mouseClick(lower.get(), Qt::RightButton, {}, QPoint(45, 100));
    EXPECT_EQ(anchor, QPoint(10 + 80, 600));
}

// The keyboard opens the menu beside the clock wherever the pointer is: below
// a clock of the upper half, right of one of the lower half.
TEST_F(ClockFixture, TheMenuKeyShiftF10AndAMenuRequestOpenThePopupBesideTheClock)
{
    fakes.screen->pointer = QPoint(900, 700);
    const struct { qint32 top; QPoint anchor; } clocks[] = {{20, QPoint(49, 20 + 80)}, {500, QPoint(10 + 80, 539)}};
    for (const auto &c : clocks) {
        preset([&](Settings &s) { s.Setting.Left = 10 * 15; s.Setting.Top = c.top * 15; });
        auto clock = makeClock();
        QList<QPoint> anchors;
        clock->showPopupMenu = [&](QPoint at) { anchors << at; };
        QTest::keyClick(clock.get(), Qt::Key_F10, Qt::ShiftModifier);
        QTest::keyClick(clock.get(), Qt::Key_F10);          // F10 alone: nothing
        QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(1, 1), clock->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(clock.get(), &menuKey);
        QContextMenuEvent rightButton(QContextMenuEvent::Mouse, QPoint(1, 1), clock->mapToGlobal(QPoint(1, 1)));
        QApplication::sendEvent(clock.get(), &rightButton);  // its press opened the menu already
        AnswerMenuRequest(*clock);
        EXPECT_EQ(anchors, QList<QPoint>(3, c.anchor)) << c.top;

        // A tool window open in front: it comes forward, and no menu opens.
        QDialog tool;
        QTimer::singleShot(0, &tool, [&] {
            AnswerMenuRequest(*clock);
            tool.reject();
        });
        tool.exec();
        EXPECT_EQ(anchors.size(), 3) << c.top;
    }
}

// With no screen reader listening (the offscreen platform has none) the
// clock does no work for one: its description stays empty. The end-to-end
// test reads the time a listening reader hears.
TEST_F(ClockFixture, WithoutAScreenReaderTheClockKeepsItsNameAndTellsNothing)
{
    ASSERT_FALSE(QAccessible::isActive());
    auto clock = makeClock();
    for (int i = 0; i < 3; ++i)
        clock->Tick();
    EXPECT_EQ(clock->accessibleName(), "Tockara");
    EXPECT_EQ(clock->accessibleDescription(), "");
}

TEST_F(ClockFixture, AnAlarmShowsItsCommentOncePerSecond)
{
    preset([](Settings &s) { s.Alarm[1] = {1, "10:00", "会議です", ""}; });
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59, 900));
    auto clock = makeClock();
    for (int i = 0; i < 15; ++i) {
        clock->Tick();
        fakes.clock->current = fakes.clock->current.addMSecs(100);
    }
    // The box is shown once the tick is over.
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    QCoreApplication::processEvents();
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_FALSE(fakes.messages->shown[0].waited);
    EXPECT_EQ(fakes.messages->shown[0].text, "会議です");
    EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
    EXPECT_EQ(fakes.messages->shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(fakes.messages->shown[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(fakes.sounds->started.isEmpty()) << "an alarm without a file played a sound";
}

TEST_F(ClockFixture, EachAlarmBoxPlaysItsOwnFileUntilItIsClosed)
{
    // Neither file exists: the player, not the clock, finds that out, and
    // each alarm still shows just its one box.
    preset([](Settings &s) {
        s.Alarm[0] = {1, "10:00", "会議です", "sounds/chime.wav"};
        s.Alarm[1] = {1, "10:00", "昼休み", " "};
        s.Alarm[2] = {1, "10:00", "電話をかける", "/nowhere/bell.ogg"};
    });
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0));
    auto clock = makeClock();
    clock->Tick();
    QCoreApplication::processEvents();

    // One box at a time, in slot order: slot 0's is answered first, and
    // each answer opens the next box; each box stops its own sound.
    struct Step { const char *open; QStringList started; QList<int> stoppedOnClose; };
    const Step steps[] = {
        {"会議です", {folder.file("sounds/chime.wav")}, {1}},
        {"昼休み", {folder.file("sounds/chime.wav")}, {1}},
        {"電話をかける", {folder.file("sounds/chime.wav"), "/nowhere/bell.ogg"}, {1, 2}},
    };
    for (const Step &step : steps) {
        ASSERT_EQ(fakes.messages->openNotified.size(), 1u) << step.open;
        EXPECT_EQ(fakes.messages->shown.last().text, QString::fromUtf8(step.open));
        EXPECT_EQ(fakes.sounds->started, step.started) << step.open;
        std::function<void()> closed = std::move(fakes.messages->openNotified.front());
        fakes.messages->openNotified.pop_front();
        closed();
        EXPECT_EQ(fakes.sounds->stopped, step.stoppedOnClose) << step.open;
    }
    EXPECT_TRUE(fakes.messages->openNotified.empty());
    EXPECT_EQ(fakes.messages->shown.size(), 3);
}

TEST_F(ClockFixture, AnOpenAlarmBoxLeavesTheClockRunningAndALaterAlarmStillFires)
{
    // The real boxes, left open by nobody answering them; the clock's time
    // is the fake's, moved on tick by tick.
    Services real = MakeLinuxServices();
    fakes.services.messages = std::move(real.messages);
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59, 500));
    preset([](Settings &s) {
        s.Alarm[0] = {1, "10:00", "会議です", ""};
        s.Alarm[2] = {1, "10:01", "電話をかける", ""};
    });
    auto clock = makeClock();
    clock->show();
    auto openBoxes = [] {
        QStringList texts;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
                texts << box->text();
        texts.sort();
        return texts;
    };
    // Each tick lets the boxes it opened come up before the next one; a box
    // that held the program would never let this loop go on.
    auto tickFor = [&](int ms) {
        for (int t = 0; t < ms / 100; ++t) {
            clock->Tick();
            QCoreApplication::processEvents();
            fakes.clock->current = fakes.clock->current.addMSecs(100);
        }
    };

    tickFor(1000);
    ASSERT_EQ(openBoxes(), QStringList{"会議です"});
    const QImage whenTheBoxOpened = clock->face().frame().copy();
    tickFor(61'000);
    EXPECT_NE(clock->face().frame(), whenTheBoxOpened) << "the face stood still behind the box";
    EXPECT_EQ(openBoxes(), (QStringList{"会議です", "電話をかける"}));

    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox *>(w))
            w->close();
}

// Opaque windows (X11) get the window's opacity, which the compositing
// manager applies; clear ones (Wayland sessions) carry it in their pixels.
TEST_F(ClockFixture, TheWholeClockTakesItsOpacityTheWayItsSessionDrawsIt)
{
    using enum DesktopSession;
    const struct {
        DesktopSession session;
        qint16 opacity;
        qreal windowOpacity;
        int centreAlpha;
    } cases[] = {
        {X11, 100, 1.0, 255},         {X11, 50, 0.5, 255},         {X11, 30, 0.3, 255},
        {WaylandOther, 50, 1.0, 128}, {WaylandGnome, 30, 1.0, 77}, {WaylandKde, 100, 1.0, 255},
    };
    for (const auto &c : cases) {
        fakes.screen->sessionKind = c.session;
        preset([&](Settings &s) { s.Window.Opacity = c.opacity; });
        auto clock = makeClock();
        clock->Tick();
        EXPECT_NEAR(clock->windowOpacity(), c.windowOpacity, 0.01) << int(c.session) << " " << c.opacity;
        QImage shown(clock->size(), QImage::Format_ARGB32_Premultiplied);
        shown.fill(Qt::transparent);
        clock->render(&shown, {}, {}, QWidget::DrawChildren);
        EXPECT_NEAR(qAlpha(shown.pixel(40, 40)), c.centreAlpha, 2) << int(c.session) << " " << c.opacity;
    }

    // A step chosen while the clock runs shows at once.
    fakes.screen->sessionKind = X11;
    auto clock = makeClock();
    ctx.store.Update([](Settings &s) { s.Window.Opacity = 70; });
    EXPECT_NEAR(clock->windowOpacity(), 0.7, 0.01);
}

TEST_F(ClockFixture, ClickThroughLetsThePointerPassAndTurnsOffInPlace)
{
    preset([](Settings &s) {
        s.Window.ClickThrough = 1;
        s.Setting.Left = 100 * 15;
        s.Setting.Top = 100 * 15;
    });
    auto clock = makeClock();
    int menus = 0;
    clock->showPopupMenu = [&menus](QPoint) { ++menus; };
    HoverWindow hover(ctx);
    clock->setHoverWindow(&hover);
    clock->show();
    ASSERT_TRUE(clock->windowHandle());
    EXPECT_TRUE(clock->windowHandle()->flags() & Qt::WindowTransparentForInput) << "an empty input shape";
    const WId window = clock->winId();

    // Whatever the display server still sends: no drag, no menu, no hover.
    fakes.screen->pointer = clock->geometry().center();
    QEnterEvent enter(QPointF(40, 40), QPointF(40, 40), QPointF(140, 140));
    QApplication::sendEvent(clock.get(), &enter);
    QTest::mousePress(clock.get(), Qt::LeftButton, {}, QPoint(40, 40));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 50), QPointF(250, 250), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(clock.get(), &move);
    QTest::mouseRelease(clock.get(), Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mousePress(clock.get(), Qt::RightButton, {}, QPoint(40, 40));
    clock->Tick();
    EXPECT_EQ(clock->pos(), QPoint(100, 100));
    EXPECT_EQ(saved("Left"), "-") << "a drag saved a position";
    EXPECT_EQ(menus, 0);
    EXPECT_FALSE(hover.isVisible());
    EXPECT_TRUE(clock->isVisible());

    // Turned off (from the menu that --menu opened): the same window, still
    // shown, takes the pointer again.
    ctx.store.Update([](Settings &s) { s.Window.ClickThrough = 0; });
    EXPECT_FALSE(clock->windowHandle()->flags() & Qt::WindowTransparentForInput);
    EXPECT_FALSE(clock->windowFlags() & Qt::WindowTransparentForInput);
    EXPECT_TRUE(clock->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(clock->winId(), window);
    EXPECT_TRUE(clock->isVisible());
    QTest::mousePress(clock.get(), Qt::RightButton, {}, QPoint(40, 40));
    EXPECT_EQ(menus, 1);
    clock->Tick();
    EXPECT_TRUE(hover.isVisible());
}

// The chime plays after the tick, once, through the sound service; the
// shipped chime when no file is named.
TEST_F(ClockFixture, TheChimePlaysItsFileOnceAfterTheTickOfTheFullHourUnlessAnAlarmRings)
{
    const struct {
        const char *what;
        std::function<void(Settings &)> edit;
        QStringList played;
        int boxes;
    } cases[] = {
        {"on", [](Settings &s) { s.Chime.Enabled = 1; }, {"sounds/chime.wav"}, 0},
        {"its own file", [](Settings &s) { s.Chime = {.Enabled = 1, .File = "/sounds/bell.ogg"}; },
         {"/sounds/bell.ogg"}, 0},
        {"no file named", [](Settings &s) { s.Chime = {.Enabled = 1, .File = " "}; }, {"sounds/chime.wav"}, 0},
        {"off", [](Settings &) {}, {}, 0},
        {"an alarm of the minute",
         [](Settings &s) {
             s.Chime.Enabled = 1;
             s.Alarm[0] = {1, "10:00", "会議です", ""};
         },
         {}, 1},
    };
    for (const auto &c : cases) {
        preset([&](Settings &s) {
            s = Settings{};
            c.edit(s);
        });
        fakes.sounds->started.clear();
        fakes.messages->shown.clear();
        fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(9, 59, 59, 500));
        auto clock = makeClock();
        for (int i = 0; i < 20; ++i) {
            const qsizetype before = fakes.sounds->started.size();
            clock->Tick();
            EXPECT_EQ(fakes.sounds->started.size(), before) << "played within the tick: " << c.what;
            QCoreApplication::processEvents();
            fakes.clock->current = fakes.clock->current.addMSecs(100);
        }
        QStringList expected;
        for (const QString &file : c.played)
            expected << (file.startsWith('/') ? file : folder.file(file));
        EXPECT_EQ(fakes.sounds->started, expected) << c.what;
        EXPECT_EQ(fakes.messages->shown.size(), c.boxes) << c.what;
        fakes.messages->openNotified.clear();
    }
}

TEST_F(ClockFixture, TheClockShowsEachChangeOnceItIsSaved)
{
    folder.writeBytes("Calender.ini", "[DateFormat]\r\n1=yyyy/mm/dd,a\r\n2=m/d,b\r\n");
    folder.writeBytes("wide.dat", "[Environment]\r\nClockWidth=100\r\nClockHeight=70\r\n");
    auto clock = makeClock();

    ctx.store.Update([](Settings &s) { s.Setting.Width = 120; });
    EXPECT_EQ(clock->size(), QSize(120, 80));
    EXPECT_EQ(clock->mask().boundingRect(), QRect(0, 0, 120, 80));
    EXPECT_EQ(clock->face().frame().size(), QSize(120, 80));
    EXPECT_EQ(clock->animation().figurePosition(), QPoint(60, 40));

    ctx.store.Update([](Settings &s) { s.Color.Bord = 255; });
    EXPECT_EQ(clock->face().frame().pixelColor(4, 40), QColor(255, 0, 0));

    ctx.store.Update([](Settings &s) { s.Digital.DatePattern = 2; });
    EXPECT_EQ(ctx.patterns.DatePatternFormat, "m/d");

    ctx.store.Update([this](Settings &s) { s.Anime.File = folder.file("wide.dat"); });
    EXPECT_EQ(clock->size(), QSize(100, 70));
    EXPECT_EQ(saved("Width"), "100");
}

TEST_F(ClockFixture, TheHoverRuleAsksTheScreenOnlyWhileThePointerIsOffTheFace)
{
    auto counting = std::make_unique<CountingScreen>();
    CountingScreen &screen = *counting;
    fakes.services.screen = std::move(counting);
    preset([](Settings &s) {
        s.Setting.Left = 100 * 15;
        s.Setting.Top = 100 * 15;
    });
    auto clock = makeClock();
    HoverWindow hover(ctx);
    clock->setHoverWindow(&hover);
    auto ticks = [&](int count) {
        for (int i = 0; i < count; ++i)
            clock->Tick();
    };

    screen.pointer = QPoint(90, 90);
    ticks(5);   // the first tick looks; then only a move calls for a look
    EXPECT_FALSE(hover.isVisible());
    EXPECT_EQ(screen.asked, 1);
    screen.movePointer(QPoint(95, 95));
    screen.movePointer(QPoint(96, 96));   // told once until it is looked for again
    ticks(3);
    EXPECT_EQ(screen.asked, 2);

    QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), QPointF(130, 130));
    QApplication::sendEvent(clock.get(), &enter);
    ticks(3);
    EXPECT_TRUE(hover.isVisible());
    QMouseEvent move = MouseEvent(QEvent::MouseMove, QPoint(40, 50), QPoint(140, 150), Qt::NoButton);
    QApplication::sendEvent(clock.get(), &move);
    ticks(1);
    EXPECT_EQ(hover.pos(), QPoint(140, 152));   // beside the pointer the motion told of
    EXPECT_EQ(screen.asked, 2);                  // over the face the events tell

    // Off the ellipse into a corner of the clock's rectangle: still shown,
    // and looked for at every tick until it is away.
    screen.pointer = QPoint(102, 102);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(clock.get(), &leave);
    ticks(2);
    EXPECT_TRUE(hover.isVisible());
    EXPECT_EQ(screen.asked, 4);
    screen.pointer = QPoint(90, 90);
    ticks(1);
    EXPECT_FALSE(hover.isVisible());
    // Into a corner straight from outside, never over the face.
    screen.movePointer(QPoint(178, 178));
    ticks(1);
    EXPECT_TRUE(hover.isVisible());

    // A screen that tells no moves is asked at every tick.
    auto silent = std::make_unique<CountingScreen>();
    CountingScreen &plain = *silent;
    plain.tellsMoves = false;
    plain.pointer = QPoint(90, 90);
    fakes.services.screen = std::move(silent);
    auto other = makeClock();
    other->setHoverWindow(&hover);
    for (int i = 0; i < 4; ++i)
        other->Tick();
    EXPECT_EQ(plain.asked, 4);
}

// A pointer in the clock's rectangle that the face never felt: one resting
// there when the clock starts, or one that came in at a corner, off the
// ellipse. The first tick finds it; the rectangle's edge is outside.
TEST_F(ClockFixture, TheHoverWindowAppearsForAPointerInTheRectangleThatNeverCrossedTheFace)
{
    preset([](Settings &s) {
        s.Setting.Left = 100 * 15;
        s.Setting.Top = 100 * 15;
    });
    struct Case { const char *where; QPoint (*at)(QRect); bool shown; };
    const Case cases[] = {
        {"the top-left corner", [](QRect r) { return r.topLeft() + QPoint(2, 2); }, true},
        {"the bottom-right corner", [](QRect r) { return r.bottomRight() - QPoint(1, 1); }, true},
        {"the middle, at start", [](QRect r) { return r.center(); }, true},
        {"the left edge", [](QRect r) { return QPoint(r.left(), r.center().y()); }, false},
        {"outside", [](QRect r) { return r.topLeft() - QPoint(5, 5); }, false},
    };
    for (const Case &c : cases) {
        auto clock = makeClock();
        const QPoint at = c.at(clock->geometry());
        fakes.screen->pointer = at;
        HoverWindow hover(ctx);
        clock->setHoverWindow(&hover);
        clock->Tick();
        EXPECT_EQ(hover.isVisible(), c.shown) << c.where;
    }
}

// On a Wayland session XWayland may go on telling the pointer's last place
// over the clock after it left for a window that is no X client: the leave
// of the clock's window ends the hover there, and the ticking with it.
TEST_F(ClockFixture, LeavingTheWindowEndsTheHoverWhereTheCompositorIgnoresTheShape)
{
    for (DesktopSession session : {DesktopSession::X11, DesktopSession::WaylandGnome, DesktopSession::WaylandKde,
                                   DesktopSession::WaylandOther}) {
        auto counting = std::make_unique<CountingScreen>();
        CountingScreen &screen = *counting;
        screen.sessionKind = session;
        fakes.services.screen = std::move(counting);
        auto clock = makeClock();
        HoverWindow hover(ctx);
        clock->setHoverWindow(&hover);
        QEnterEvent enter(QPointF(40, 40), QPointF(40, 40), QPointF(40, 40));
        QApplication::sendEvent(clock.get(), &enter);
        clock->Tick();
        ASSERT_TRUE(hover.isVisible());

        screen.pointer = QPoint(40, 40);   // the last place told, over the face
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(clock.get(), &leave);
        clock->Tick();
        const bool wayland = session != DesktopSession::X11;
        EXPECT_EQ(hover.isVisible(), !wayland) << int(session);
        EXPECT_EQ(screen.asked, wayland ? 0 : 1) << int(session);
        // Left alone, a still face wakes only for the next second.
        EXPECT_EQ(clock->TicksUntilChange() > 1, wayland) << int(session);
    }
}

// Where even the leave goes untold (KWin's XWayland), the screen service
// watches the clock's place while the pointer is near it: its word ends the
// hover, except in a drag, which carries the pointer out of the place first
// watched; once let go, the clock's new place is watched.
TEST_F(ClockFixture, WhereTheWindowIsNotToldTheScreensWatchEndsTheHover)
{
    auto fake = std::make_unique<FakeScreen>();
    FakeScreen &screen = *fake;
    screen.sessionKind = DesktopSession::WaylandKde;
    screen.pointerWatch = true;
    fakes.services.screen = std::move(fake);
    auto clock = makeClock();
    HoverWindow hover(ctx);
    clock->setHoverWindow(&hover);
    screen.pointer = clock->geometry().center();   // resting there: no event tells
    clock->Tick();
    ASSERT_TRUE(hover.isVisible());
    EXPECT_EQ(screen.watchedArea, clock->geometry());

    std::exchange(screen.pointerLeft, nullptr)();   // the last place is still told
    clock->Tick();
    EXPECT_FALSE(hover.isVisible());
    EXPECT_GT(clock->TicksUntilChange(), 1);

    // Back over the face, then a drag that leaves the first place.
    const QPoint start = clock->pos();
    QMouseEvent back = MouseEvent(QEvent::MouseMove, {30, 30}, start + QPoint(30, 30), Qt::NoButton);
    QApplication::sendEvent(clock.get(), &back);
    clock->Tick();
    ASSERT_TRUE(hover.isVisible());
    ASSERT_TRUE(screen.pointerLeft);
    QMouseEvent press = MouseEvent(QEvent::MouseButtonPress, {30, 30}, start + QPoint(30, 30), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &press);
    QMouseEvent move = MouseEvent(QEvent::MouseMove, {30, 30}, start + QPoint(130, 80), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &move);
    std::exchange(screen.pointerLeft, nullptr)();
    clock->Tick();
    EXPECT_TRUE(hover.isVisible()) << "the pointer left only the place the clock was dragged from";
    QMouseEvent release = MouseEvent(QEvent::MouseButtonRelease, {30, 30}, start + QPoint(130, 80), Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &release);
    clock->Tick();
    EXPECT_EQ(screen.watchedArea, clock->geometry());
    EXPECT_EQ(clock->pos(), start + QPoint(100, 50));
}

// A monitor unplugged or made smaller under the running clock: the clock
// comes wholly onto a remaining monitor as at start, at once; the stored
// position stays, and the clock goes back there when the monitor returns. A
// drag in progress is left under the pointer.
TEST_F(ClockFixture, AMonitorGoneBringsTheClockOntoARemainingOneAndBackWhenItReturns)
{
    auto fake = std::make_unique<FakeMonitorScreen>();
    FakeMonitorScreen &screen = *fake;
    const QRect first(0, 0, 1024, 768), second(1024, 0, 1024, 600);
    screen.desktop = QRect(0, 0, 2048, 768);
    screen.monitors = {first, second};
    fakes.services.screen = std::move(fake);
    preset([](Settings &s) {
        s.Setting.Left = 1500 * 15;
        s.Setting.Top = 300 * 15;
    });
    auto clock = makeClock();
    ASSERT_EQ(clock->pos(), QPoint(1500, 300));
    ASSERT_TRUE(screen.monitorsChanged);

    struct Case {
        const char *what;
        QRect desktop;
        QList<QRect> monitors;
        QPoint at;
    } cases[] = {
        {"the second monitor unplugged", first, {first}, QPoint(1024 - 80, 300)},
        {"the first made smaller", QRect(0, 0, 800, 600), {QRect(0, 0, 800, 600)}, QPoint(800 - 80, 300)},
        {"both back", QRect(0, 0, 2048, 768), {first, second}, QPoint(1500, 300)},
    };
    for (const Case &c : cases) {
        screen.desktop = c.desktop;
        screen.monitors = c.monitors;
        screen.monitorsChanged();
        screen.monitorsChanged();   // told once per change of each monitor
        QApplication::processEvents();
        EXPECT_EQ(clock->pos(), c.at) << c.what;
        EXPECT_EQ(ctx.settings().Setting.Left, 22500) << c.what;
        EXPECT_EQ(ctx.settings().Setting.Top, 4500) << c.what;
        EXPECT_EQ(saved("Left"), "-") << c.what << ": nothing written";
    }

    QMouseEvent press = MouseEvent(QEvent::MouseButtonPress, {30, 30}, {1530, 330}, Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &press);
    QMouseEvent move = MouseEvent(QEvent::MouseMove, {30, 30}, {1930, 330}, Qt::LeftButton);
    QApplication::sendEvent(clock.get(), &move);
    screen.monitors = {first};
    screen.monitorsChanged();
    QApplication::processEvents();
    EXPECT_EQ(clock->pos(), QPoint(1900, 300)) << "moved away under the dragging pointer";
}

// Every window manager is asked to keep the clock off its task bar before it
// is first shown; where the clock bypasses the window manager it also keeps
// itself above other programs' windows in the X server's stacking order, and
// where the window manager manages it, it asks to be on every workspace (a
// dock on GNOME and KDE, which hide all else on "show desktop").
TEST_F(ClockFixture, TheFirstShowAsksForTheTaskbarStackingAndWorkspaceHints)
{
    for (DesktopSession session : {DesktopSession::X11, DesktopSession::WaylandGnome, DesktopSession::WaylandKde,
                                   DesktopSession::WaylandOther}) {
        auto fake = std::make_unique<FakeScreen>();
        FakeScreen &screen = *fake;
        screen.sessionKind = session;
        fakes.services.screen = std::move(fake);
        auto clock = makeClock();
        EXPECT_TRUE(screen.offTaskbar.isEmpty());
        clock->show();
        clock->hide();
        clock->show();
        ASSERT_EQ(screen.offTaskbar.size(), 1) << int(session);
        EXPECT_EQ(screen.offTaskbar[0], clock->windowHandle());
        const bool pastTheWindowManager =
            session != DesktopSession::WaylandGnome && session != DesktopSession::WaylandKde;
        EXPECT_EQ(screen.keptAbove.size(), pastTheWindowManager ? 1 : 0) << int(session);
        EXPECT_EQ(screen.onEveryWorkspace.size(), pastTheWindowManager ? 0 : 1) << int(session);
        EXPECT_EQ(screen.docks.size(), pastTheWindowManager ? 0 : 1) << int(session);
    }
}

TEST_F(ClockFixture, OnlyAFileListIsTakenAndHandledOnceTheDropIsOver)
{
    auto clock = makeClock();
    QList<QByteArray> handled;
    clock->dropFiles = [&](const QByteArray &files) { handled << files; };

    QMimeData text;
    text.setText("/home/user/memo.txt");
    QDragEnterEvent enterWithText(QPoint(40, 40), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(clock.get(), &enterWithText);
    EXPECT_FALSE(enterWithText.isAccepted()) << "only a file list is taken";

    QMimeData files;
    files.setData("text/uri-list", "file:///home/user/a.sh\r\n");
    QDragEnterEvent enter(QPoint(40, 40), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(clock.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(40, 40), Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(clock.get(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_TRUE(handled.isEmpty()) << "the drop's messages would hold the dragging program";
    QCoreApplication::processEvents();
    EXPECT_EQ(handled, QList<QByteArray>{"file:///home/user/a.sh\r\n"});
}

TEST_F(ClockFixture, AStillFaceWakesTheProgramOnlyAroundItsSecondsAndStillShowsEach)
{
    // No figure, and away from where the pointer rests.
    preset([](Settings &s) {
        s.Setting.Left = 500 * 15;
        s.Setting.Top = 500 * 15;
    });
    fakes.clock->current = QDateTime(QDate(2026, 12, 7), QTime(10, 0, 0, 300));
    auto clock = makeClock();
    clock->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(clock.get()));
    EXPECT_EQ(clock->TicksUntilChange(), 1) << "nothing drawn yet";
    clock->Tick();

    // The timer sleeps until the first tick after the next second.
    struct Case {
        int ms;
        int ticks;
    } cases[] = {{300, 7}, {301, 7}, {399, 7}, {400, 6}, {950, 1}, {0, 10}};
    for (const Case &c : cases) {
        fakes.clock->current.setTime(QTime(10, 0, 0, c.ms));
        EXPECT_EQ(clock->TicksUntilChange(), c.ticks) << c.ms << " ms";
    }
    // The second hand still moves every second, and the window shows it.
    for (int second = 1; second <= 3; ++second) {
        const QImage before = Shown(clock.get());
        fakes.clock->current.setTime(QTime(10, 0, second, 0));
        clock->Tick();
        EXPECT_NE(Shown(clock.get()), before) << second;
        EXPECT_EQ(Shown(clock.get()), clock->face().frame()) << second;
    }
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
    clock->Tick();
    const QImage finished = clock->face().frame().copy();
    ASSERT_EQ(Shown(clock.get()), finished);

    // Recomposing shows the bare background until the next tick, which falls
    // in the same second and so draws the very face shown before.
    clock->ComposeBackground();
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    ASSERT_NE(Shown(clock.get()), finished);
    clock->Tick();
    EXPECT_EQ(Shown(clock.get()), finished);
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
