#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>
#include <QDir>
#include <QTest>

#include <QAction>

#include "calendar/calendar_data.h"
#include "context/commands.h"
#include "context/context.h"
#include "menu/ui/popup_menu.h"
#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "shell/clock_window.h"
#include "shell/keyboard_menu.h"
#include "shell/startup.h"
#include "platform/linux/clock_requests.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

struct StartUpFixture : ::testing::Test {
    TempFolder folder;
    FakeServices fakes;

    void shipCalender()
    {
        QFile::copy(TOCKARA_DATA_DIR "/Calender.ini", folder.file("Calender.ini"));
    }
};

} // namespace

TEST_F(StartUpFixture, AFirstStartWritesEveryKeyAndShowsTheDefaultClock)
{
    shipCalender();
    Context ctx(fakes.services, folder.path());
    RunningClock running;
    StartClock(ctx, running);

    ASSERT_TRUE(QFile::exists(ctx.settingsPath()));
    EXPECT_EQ(ReadIniValue("Color", "Bord", "-", ctx.settingsPath()), "32768");
    EXPECT_EQ(ReadIniValue("ARC", "DecompFolder", "-", ctx.settingsPath()), DefaultDecompFolder());
    EXPECT_EQ(ReadIniValue("Calender", "Today", "-", ctx.settingsPath()), "1,65535,16744672,0");
    EXPECT_EQ(running.clock->pos(), QPoint(0, 0));
    EXPECT_EQ(running.clock->size(), QSize(80, 80));
    EXPECT_TRUE(running.clock->isVisible());
    EXPECT_FALSE(ctx.patterns.DatePatternFormat.isEmpty());
    EXPECT_TRUE(ctx.patterns.TimePatternFormat.isEmpty());
    // The built-in figure stands in for a missing environment.
    EXPECT_EQ(running.clock->animation().patternCount(), 2);
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    // Every feature registered: each command of the menu does something.
    for (int c = int(Command::None) + 1; c < int(Command::End); ++c)
        EXPECT_TRUE(running.commands.isBound(Command(c))) << "command " << c;
    // Every window carries the program's icon; files dropped on the clock are taken.
    EXPECT_FALSE(QApplication::windowIcon().pixmap(16, 16).isNull());
    EXPECT_TRUE(running.clock->dropFiles);
}

TEST_F(StartUpFixture, UnreadableSettingsStartWithDefaultsAndKeepTheirLines)
{
    shipCalender();
    static const char head[] = "\x00\xff\xfe garbage\r\n[Setting\r\nWidth=abc\r\n";
    static const char rest[] = "[Setting]\r\nWidth=99999\r\nHeight=100\r\n[Setting]\r\nHeight=50\r\n";
    folder.writeBytes("Tockara.ini", QByteArray(head, sizeof head - 1) + rest);
    Context ctx(fakes.services, folder.path());
    RunningClock running;
    StartClock(ctx, running);

    EXPECT_EQ(running.clock->size(), QSize(80, 100));
    const QByteArray saved = folder.readBytes("Tockara.ini");
    EXPECT_TRUE(saved.startsWith(QByteArray(head, sizeof head - 1)));
    EXPECT_TRUE(saved.contains("Height=50"));
}

TEST_F(StartUpFixture, AFolderThatCannotBeWrittenRunsTheClockAndSaysSoOnce)
{
    shipCalender();
    // A "folder" below a plain file can never be created or written.
    folder.writeBytes("plain", "x");
    Context ctx(fakes.services, folder.file("plain/program"));
    RunningClock running;
    StartClock(ctx, running);
    running.clock->Tick();
    ctx.store.Update([](Settings &s) { s.Color.Bord = 255; });
    EXPECT_TRUE(running.clock->isVisible());
    EXPECT_FALSE(QFile::exists(ctx.settingsPath()));
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains(ctx.settingsPath()));
}

TEST_F(StartUpFixture, ASavedMemoOpensTheMemoWindowInFrontOfTheShownClockBeforeStartUpReturns)
{
    shipCalender();
    folder.writeBytes("Tockara.ini", "[Fusen]\r\n0=\x83\x81\x83\x82\r\n");  // メモ
    Context ctx(fakes.services, folder.path());
    RunningClock running;

    QString modalName;
    qint16 pageAsked = 0;
    bool clockShownFirst = false;
    // Closes the memo window as soon as it is up; start-up returns after that.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        modalName = modal->objectName();
        pageAsked = ctx.PageRequest;
        clockShownFirst = running.clock && running.clock->isVisible();
        modal->close();
    });
    closer.start(0);
    StartClock(ctx, running);
    closer.stop();

    EXPECT_EQ(modalName, "frmToDo");
    EXPECT_EQ(pageAsked, 10);
    EXPECT_TRUE(clockShownFirst);
    EXPECT_TRUE(running.clock->isVisible());
}

TEST_F(StartUpFixture, BackgroundMarksFollowAnEnvironmentThatChangesThePicture)
{
    shipCalender();
    QImage(4, 4, QImage::Format_RGB32).save(folder.file("meadow.png"));
    folder.writeBytes("meadow.dat", "[Environment]\r\nBackGround=meadow.png\r\nTilePattern=0\r\n");
    folder.writeBytes("Tockara.ini", "[Image]\r\nEnabled=0\r\nTilePattern=1\r\n");
    Context ctx(fakes.services, folder.path());
    RunningClock running;
    StartClock(ctx, running);
    PopupMenu &menu = *running.menu;
    ASSERT_FALSE(menu.item("barBack", 1)->isChecked());
    ASSERT_TRUE(menu.item("barBack", 4)->isChecked());

    // アニメ変更 to the meadow: its picture is switched on and no longer tiled.
    fakes.choosers->files.push_back(folder.file("meadow.dat"));
    menu.item("barMenu", 11)->trigger();
    EXPECT_TRUE(menu.item("barBack", 1)->isChecked());
    EXPECT_FALSE(menu.item("barBack", 4)->isChecked());
    // So the next click on タイル switches tiling on, as its mark promises.
    menu.item("barBack", 4)->trigger();
    EXPECT_EQ(ctx.settings().Image.TilePattern, -1);
}

TEST(ToolkitPlatformTest, X11WheneverADisplayIsThereExceptForTestPlatforms)
{
    const struct { const char *requested, *display, *chosen; } cases[] = {
        {"wayland", ":0", "xcb"},   {"", ":0", "xcb"},          {"wayland;xcb", ":1", "xcb"},
        {"xcb", ":0", "xcb"},       {"wayland", "", "wayland"}, {"", "", ""},
        {"offscreen", ":0", "offscreen"}, {"minimal", ":0", "minimal"},
        {"offscreen:fontengine=freetype", ":0", "offscreen:fontengine=freetype"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ToolkitPlatform(c.requested, c.display), QByteArray(c.chosen)) << c.requested << " " << c.display;
}

// Starting the clock again, from the desktop's menu or by `tockara --menu`,
// asks the clock already running in the folder to open its menu.
TEST(SecondStartTest, AsksTheRunningClockForItsMenuWithOrWithoutTheMenuOption)
{
    TempFolder folder;
    QDir(folder.path()).mkpath("runtime");
    QDir(folder.path()).mkpath("program");
    QFile::setPermissions(folder.file("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EnvironmentValue runtime{"XDG_RUNTIME_DIR", QFile::encodeName(folder.file("runtime"))};
    const QString program = folder.file("program");
    int heard = 0;
    auto listener = MakeLinuxRequestListener(program);
    ASSERT_TRUE(listener->listen([&heard](ClockRequest) { ++heard; }));

    char name[] = "tockara", menu[] = "--menu", other[] = "--unknown";
    char *plain[] = {name, nullptr}, *withMenu[] = {name, menu, nullptr}, *withOther[] = {name, other, nullptr};
    const struct { const char *what; int argc; char **argv; } starts[] = {
        {"tockara", 1, plain}, {"tockara --menu", 2, withMenu}, {"tockara --unknown", 2, withOther}};
    for (const auto &start : starts) {
        const int before = heard;
        EXPECT_EQ(PassToRunningClock(program, start.argc, start.argv), 0) << start.what;
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard == before + 1; }, 2000)) << start.what;
    }
}
