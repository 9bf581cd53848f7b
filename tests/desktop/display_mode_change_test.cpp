// After a display mode was set from the menu: the clock brought onto the
// smaller screen, the wallpaper laid out again, and the question that keeps
// the mode or brings the old one back.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include "context/context.h"
#include "desktop/display_mode_menu.h"
#include "desktop/ui/display_mode_change.h"
#include "desktop/wallpaper.h"
#include "settings/profile.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

TEST(DisplayModeAreaTest, TheMonitorKeepsItsCornerAndTakesTheNewSizeInItsOwnUnits)
{
    const DisplayMode from{1024, 768, 24}, to{640, 480, 24};
    struct Case {
        QRect before, after;
    } cases[] = {
        {{0, 0, 1024, 768}, {0, 0, 640, 480}},
        {{1920, 0, 1024, 768}, {1920, 0, 640, 480}},  // the second monitor
        {{0, 0, 768, 1024}, {0, 0, 480, 640}},        // turned sideways
        {{0, 0, 512, 384}, {0, 0, 320, 240}},         // a screen scaled by 2
        {{}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MonitorAfterModeChange(c.before, from, to), c.after) << c.before.width();
}

TEST(DisplayModeAreaTest, TheQuestionCountsItsSecondsUpAndEndsAtFifteen)
{
    struct Case {
        qint64 elapsedMs;
        int left;
    } cases[] = {{-500, 15}, {0, 15}, {999, 15}, {1000, 14}, {14001, 1}, {14999, 1}, {15000, 0}, {60000, 0}};
    for (const Case &c : cases)
        EXPECT_EQ(SecondsLeftToKeep(c.elapsedMs), c.left) << c.elapsedMs;
    EXPECT_EQ(KeepDisplayModeText(15), "この解像度のままにしますか？\n15 秒後に元の解像度に戻ります。");
}

class DisplayModeChangeTest : public ::testing::Test {
protected:
    DisplayModeChangeTest()
    {
        fakes.displayModes->list = {large, {800, 600, 24, 2}, small};
        fakes.desktop->keeps = false;
        WriteIniValue("Desktop", "Wallpaper", "/p/a.png", WallpaperProfilePath(folder.path()));
        WriteIniValue("Desktop", "TileWallpaper", "0", WallpaperProfilePath(folder.path()));
        clock.resize(80, 80);
        dragTo850x620();
    }
    // Where the user dragged the clock on the 1024×768 screen.
    void dragTo850x620()
    {
        clock.move(850, 620);
        ctx.store.Update([](Settings &s) {
            s.Setting.Left = 850 * 15;
            s.Setting.Top = 620 * 15;
        });
    }
    QPoint storedPosition() const
    {
        return QPoint(ctx.settings().Setting.Left / 15, ctx.settings().Setting.Top / 15);
    }

    const DisplayMode large{1024, 768, 24, 1, 0, true};
    const DisplayMode small{640, 480, 24, 3};
    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    QWidget clock;
    DisplayModeChange change{ctx, &clock};
};

TEST_F(DisplayModeChangeTest, TheClockComesOntoTheScreenAndOnlyはいKeepsTheNewMode)
{
    enum class Answer { Yes, No, CloseBox, NoAnswer };
    struct Case {
        Answer answer;
        bool kept;
    } cases[] = {
        {Answer::Yes, true},
        {Answer::No, false},
        {Answer::CloseBox, false},
        {Answer::NoAnswer, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(int(c.answer));
        fakes.displayModes->set.clear();
        fakes.desktop->painted.clear();
        dragTo850x620();
        fakes.displayModes->list[0].current = true;
        fakes.displayModes->list[2].current = false;

        change.choose(small);

        ASSERT_EQ(fakes.displayModes->set.size(), 1);
        EXPECT_EQ(fakes.displayModes->set[0].first.id, 3u);
        EXPECT_EQ(clock.pos(), QPoint(560, 400)) << "wholly on the 640×480 screen";
        EXPECT_EQ(storedPosition(), QPoint(560, 400));
        EXPECT_EQ(fakes.desktop->painted.size(), 1) << "the wallpaper laid out for the new size";
        KeepDisplayModeBox *box = change.question();
        ASSERT_TRUE(box);
        ASSERT_TRUE(box->isVisible());
        EXPECT_EQ(box->windowTitle(), "Tockara");
        EXPECT_EQ(box->text(), KeepDisplayModeText(15));
        EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "はい(&Y)");
        EXPECT_EQ(box->button(QMessageBox::No)->text(), "いいえ(&N)");
        EXPECT_TRUE(QRect(0, 0, 640, 480).contains(box->geometry())) << "on the smaller screen";
        // The mode is now the small one, as the display would list it.
        fakes.displayModes->list[0].current = false;
        fakes.displayModes->list[2].current = true;

        switch (c.answer) {
        case Answer::Yes: box->button(QMessageBox::Yes)->click(); break;
        case Answer::No: box->button(QMessageBox::No)->click(); break;
        case Answer::CloseBox: box->close(); break;
        case Answer::NoAnswer:
            fakes.clock->current = fakes.clock->current.addMSecs(5200);
            box->refresh();
            EXPECT_EQ(box->text(), KeepDisplayModeText(10));
            EXPECT_EQ(fakes.displayModes->set.size(), 1) << "still waiting";
            fakes.clock->current = fakes.clock->current.addSecs(10);
            box->refresh();
            break;
        }
        EXPECT_FALSE(box->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(change.question());

        if (c.kept) {
            EXPECT_EQ(fakes.displayModes->set.size(), 1);
            EXPECT_EQ(storedPosition(), QPoint(560, 400));
            continue;
        }
        ASSERT_EQ(fakes.displayModes->set.size(), 2);
        EXPECT_EQ(fakes.displayModes->set[1].first.id, 1u) << "the old mode again";
        EXPECT_EQ(clock.pos(), QPoint(850, 620)) << "where the user had put it";
        EXPECT_EQ(storedPosition(), QPoint(850, 620));
        EXPECT_EQ(fakes.desktop->painted.size(), 2);
    }
}

TEST_F(DisplayModeChangeTest, NothingIsAskedWhenTheSizeDidNotChange)
{
    struct Case {
        const char *what;
        DisplayMode chosen;
        int setResult;
        RootBackground root;
    } cases[] = {
        {"the mode shown, chosen again", large, DisplayChangeDone, RootBackground::Own},
        {"a mode the display refused", small, DisplayChangeFailed, RootBackground::Own},
        {"a mode that needs a restart", small, DisplayChangeRestart, RootBackground::Own},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        fakes.desktop->painted.clear();
        fakes.desktop->root = c.root;
        fakes.displayModes->setResults[c.chosen.id] = c.setResult;

        change.choose(c.chosen);

        EXPECT_FALSE(change.question());
        EXPECT_EQ(clock.pos(), QPoint(850, 620));
        EXPECT_EQ(storedPosition(), QPoint(850, 620));
        EXPECT_TRUE(fakes.desktop->painted.isEmpty());
    }

    // Another program's background is not drawn over after a change.
    fakes.displayModes->setResults[small.id] = DisplayChangeDone;
    fakes.desktop->root = RootBackground::Other;
    change.choose(small);
    ASSERT_TRUE(change.question());
    EXPECT_TRUE(fakes.desktop->painted.isEmpty());
    change.question()->button(QMessageBox::Yes)->click();
}

} // namespace
