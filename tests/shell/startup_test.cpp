#include <gtest/gtest.h>
#include <QApplication>
#include <QTimer>

#include "calendar/calendar_data.h"
#include "settings/profile.h"
#include "shell/clock_window.h"
#include "shell/startup.h"
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

    ASSERT_TRUE(QFile::exists(ctx.settingsPath));
    EXPECT_EQ(ReadIniValue("Color", "Bord", "-", ctx.settingsPath), "32768");
    EXPECT_EQ(ReadIniValue("ARC", "DecompFolder", "-", ctx.settingsPath), folder.path() + "/");
    EXPECT_EQ(ReadIniValue("Calender", "Today", "-", ctx.settingsPath), "1,65535,16744672,0");
    EXPECT_EQ(running.clock->pos(), QPoint(0, 0));
    EXPECT_EQ(running.clock->size(), QSize(80, 80));
    EXPECT_TRUE(running.clock->isVisible());
    EXPECT_FALSE(ctx.DatePatternFormat.isEmpty());
    EXPECT_TRUE(ctx.TimePatternFormat.isEmpty());
    // The built-in figure stands in for a missing environment.
    EXPECT_EQ(running.clock->animation().patternCount(), 2);
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
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

TEST_F(StartUpFixture, AFolderThatCannotBeWrittenRunsTheClockSilently)
{
    shipCalender();
    // A "folder" below a plain file can never be created or written.
    folder.writeBytes("plain", "x");
    Context ctx(fakes.services, folder.file("plain/program"));
    RunningClock running;
    StartClock(ctx, running);
    running.clock->Tick();
    EXPECT_TRUE(running.clock->isVisible());
    EXPECT_FALSE(QFile::exists(ctx.settingsPath));
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
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
