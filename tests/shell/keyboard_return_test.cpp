// The keyboard goes back to the window of another program that had it once
// the program's menu, tool windows and boxes are all closed.
#include <optional>
#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QTimer>

#include "context/context.h"
#include "shell/clock_window.h"
#include "shell/keyboard_menu.h"
#include "shell/keyboard_return.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

constexpr quint64 kEditor = 0x800001, kOther = 0xa00001;

struct KeyboardReturnTest : ::testing::Test {
    TempFolder folder;
    FakeServices fakes;
    FakeScreen &screen = *fakes.screen;
    KeyboardReturn keyboard{*fakes.services.screen};

    // Lets the events of the moment be handled, as the event loop would.
    static void settle() { QApplication::processEvents(); }
};

// The menu closed alone, an item that opens a tool window, a box over the
// tool window: each time the keyboard goes back once, when the last closes.
TEST_F(KeyboardReturnTest, TheLastWindowClosedGivesTheKeyboardBackOnce)
{
    screen.holder = kEditor;
    QMenu menu;
    menu.show();
    screen.holder.reset();   // the menu holds the keyboard now
    menu.hide();
    settle();
    EXPECT_EQ(screen.keyboardGiven, QList<quint64>{kEditor}) << "the menu closed by Escape";

    screen.keyboardGiven.clear();
    screen.holder = kEditor;
    menu.show();
    QDialog page, box;
    // The item's window shows as the menu goes, before the loop runs again.
    menu.hide();
    page.show();
    settle();
    EXPECT_TRUE(screen.keyboardGiven.isEmpty()) << "the page is still open";
    box.show();
    box.hide();
    settle();
    EXPECT_TRUE(screen.keyboardGiven.isEmpty()) << "the page is still open under the box";
    page.hide();
    settle();
    EXPECT_EQ(screen.keyboardGiven, QList<quint64>{kEditor});
}

TEST_F(KeyboardReturnTest, NothingIsGivenWhereNoOtherWindowHadTheKeyboard)
{
    screen.holder.reset();
    QDialog memo;
    memo.show();
    memo.hide();
    settle();
    EXPECT_TRUE(screen.keyboardGiven.isEmpty());

    // The next time starts anew: the window holding it then gets it.
    screen.holder = kOther;
    memo.show();
    memo.hide();
    settle();
    EXPECT_EQ(screen.keyboardGiven, QList<quint64>{kOther});
}

// tockara --menu: the clock takes the keyboard before its menu shows (on a
// wlroots compositor by a window at the clock's corner, which goes once the
// menu and the tool window its item opened are closed); the window that had
// it before that gets it back. Where the window manager gave the clock the
// keyboard on its ask and no X window had it (a native window or none), the
// clock lets go of it once the last of its windows closes, so that the
// window manager gives it on.
TEST_F(KeyboardReturnTest, AMenuRequestRemembersTheWindowBeforeTheClockTakesTheKeyboard)
{
    const struct {
        const char *name;
        bool leads, asks;
        std::optional<quint64> before;
    } cases[] = {
        {"the clock activated, an X window had it", false, false, kEditor},
        {"the keyboard led to the program", true, false, kEditor},
        {"asked of the window manager, a native window had it", false, true, std::nullopt},
        {"asked of the window manager, an X window had it", false, true, kEditor},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const bool leads = c.leads;
        screen.leadsKeyboard = leads;
        screen.asksKeyboard = c.asks;
        screen.keyboardGiven.clear();
        screen.keyboardLeads.clear();
        screen.keyboardsLetGo.clear();
        screen.keyboardLeadsEnded = 0;
        Context ctx{fakes.services, folder.path()};
        ClockWindow clock(ctx);
        clock.move(200, 150);
        clock.winId();   // its window made, as the running clock's is
        QMenu menu;
        QDialog memo;
        int endedWhileOpen = -1;
        clock.showPopupMenu = [&](QPoint) {
            screen.holder.reset();   // the keyboard is the program's
            menu.show();
            menu.hide();
            memo.show();
            settle();
            endedWhileOpen = screen.keyboardLeadsEnded;
            memo.hide();
        };
        screen.holder = c.before;
        AnswerMenuRequest(clock, &keyboard);
        while (keyboard.waiting())   // the keyboard asked for settling with the clock
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        settle();
        EXPECT_EQ(screen.keyboardGiven, c.before ? QList<quint64>{*c.before} : QList<quint64>{});
        EXPECT_EQ(screen.keyboardsLetGo,
                  c.before ? QList<QPoint>{} : QList<QPoint>{clock.geometry().topLeft()});
        EXPECT_EQ(endedWhileOpen, 0) << "the lead went while the memo window was open";
        EXPECT_EQ(screen.keyboardLeads, leads ? QList<QPoint>{clock.geometry().topLeft()} : QList<QPoint>{});
        EXPECT_EQ(screen.keyboardLeadsEnded, leads ? 1 : 0);
    }
}

// tockara --menu where the clock asked the window manager for the keyboard:
// the menu opens once the clock has held it for a moment (a menu opened
// before would close as the keyboard moves on), the ask repeated while it
// does not come, or after under a second where the window manager keeps it
// from the clock; a second request meanwhile opens no second menu.
TEST_F(KeyboardReturnTest, TheMenuAskedForOpensOnceTheKeyboardStaysWithTheClock)
{
    const bool y = true, n = false;
    const struct {
        const char *name;
        QList<bool> keyboardAtLooks;
        int atLeastLooks, asksAtLeast;
    } cases[] = {
        {"the clock has it already", {y}, 6, 1},
        {"given a moment after the ask", {n, n, n, y}, 9, 1},
        {"given, taken back by the window manager, given again", {y, y, n, n, y}, 10, 1},
        {"given only after asking again", {n, n, n, n, n, n, n, n, n, n, n, n, y}, 18, 2},
        {"never given", {n}, 39, 4},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        screen.asksKeyboard = true;
        screen.holder.reset();
        screen.keyboardAtLooks = c.keyboardAtLooks;
        screen.looksForKeyboard = 0;
        screen.keyboardAsks = 0;
        Context ctx{fakes.services, folder.path()};
        ClockWindow clock(ctx);
        clock.winId();
        int opened = 0, looksWhenOpened = 0;
        clock.showPopupMenu = [&](QPoint) {
            ++opened;
            looksWhenOpened = screen.looksForKeyboard;
        };
        QElapsedTimer asked;
        asked.start();
        AnswerMenuRequest(clock, &keyboard);
        EXPECT_EQ(opened, 0) << "opened before the keyboard was looked at";
        AnswerMenuRequest(clock, &keyboard);   // the shortcut pressed again
        while (opened == 0 && asked.elapsed() < 3000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const qint64 openedAfter = asked.elapsed();
        while (asked.elapsed() < openedAfter + 100)   // no second menu comes later
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        EXPECT_EQ(opened, 1);
        EXPECT_GE(looksWhenOpened, c.atLeastLooks);
        EXPECT_GE(screen.keyboardAsks, c.asksAtLeast);
        EXPECT_FALSE(keyboard.waiting());
    }
}

} // namespace
