// "ログイン時に起動": the autostart entry the item writes and removes, and its mark.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

#include "context/context.h"
#include "menu/ui/popup_menu.h"
#include "platform/desktop_entry.h"
#include "platform/linux/desktop_autostart.h"
#include "platform/program_search.h"
#include "shell/autostart_command.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

namespace {

class AutostartTest : public ::testing::Test {
protected:
    AutostartTest()
    {
        fakes.services.autostart = std::make_unique<DesktopAutostart>();
        RegisterAutostart(features.host);
    }

    QAction *item() const { return menu.item("barOPT", 61); }
    bool marked()
    {
        menu.RefreshChecks();
        return item()->isChecked();
    }

    TempFolder folder;
    EnvironmentValue configHome{"XDG_CONFIG_HOME", QFile::encodeName(folder.file("config"))};
    const QString entry = folder.file("config/autostart/tockara.desktop");
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    FakeMessageBoxes &messages = *fakes.messages;
    TestFeatureHost features{ctx};
    PopupMenu &menu = features.menu;
};

TEST_F(AutostartTest, TheItemWritesAndRemovesTheEntryAndTheMarkFollowsTheFile)
{
    EXPECT_EQ(AutostartEntryPath(), entry);
    EXPECT_FALSE(marked());

    item()->trigger();
    ASSERT_TRUE(QFileInfo::exists(entry));
    EXPECT_TRUE(item()->isChecked());
    const DesktopEntry written = ParseDesktopEntry(folder.readBytes("config/autostart/tockara.desktop"));
    EXPECT_EQ(written.type, "Application");
    EXPECT_EQ(SplitExecLine(written.exec), QStringList{QCoreApplication::applicationFilePath()});

    item()->trigger();
    EXPECT_FALSE(QFileInfo::exists(entry));
    EXPECT_FALSE(item()->isChecked());

    // An entry made or removed outside the clock shows at the next popup.
    folder.writeBytes("config/autostart/tockara.desktop", "[Desktop Entry]\n");
    EXPECT_TRUE(marked());
    QFile::remove(entry);
    EXPECT_FALSE(marked());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(AutostartTest, AnEntryThatCannotBeWrittenOrRemovedIsReported)
{
    struct Case {
        const char *what;
        const char *blocker;   // a folder where the file goes, or a file where the folder goes
        bool folderBlocker;
        bool markAfter;
    } cases[] = {
        {"the autostart folder is a file", "config/autostart", false, false},
        {"the entry is a folder", "config/autostart/tockara.desktop", true, true},
    };
    for (const Case &c : cases) {
        QDir(folder.file("config")).removeRecursively();
        QDir().mkpath(folder.file("config/autostart"));
        if (c.folderBlocker) {
            QDir().mkpath(folder.file(c.blocker));
        } else {
            QDir(folder.file(c.blocker)).removeRecursively();
            folder.writeBytes(c.blocker, "");
        }
        messages.shown.clear();
        item()->trigger();
        ASSERT_EQ(messages.shown.size(), 1) << c.what;
        EXPECT_TRUE(messages.shown[0].text.contains(entry)) << c.what;
        EXPECT_EQ(item()->isChecked(), c.markAfter) << c.what;
    }
}

// A package removed with the entry still in place: desktops skip the entry
// (TryExec names the program) instead of starting a program that is gone.
TEST(AutostartEntry, DesktopsSkipItOnceTheProgramIsGone)
{
    TempFolder folder;
    folder.writeBytes("my tools/100% tockara", "#!/bin/sh\n");
    const QString program = folder.file("my tools/100% tockara");
    QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const DesktopEntry entry = ParseDesktopEntry(AutostartEntryText(program));
    EXPECT_EQ(entry.tryExec, program);
    EXPECT_TRUE(DesktopEntryListed(entry, ProgramSearch()));
    QFile::remove(program);
    EXPECT_FALSE(DesktopEntryListed(entry, ProgramSearch()));
}

TEST(AutostartEntry, PassesTheDesktopsValidator)
{
    const QString validator = QStandardPaths::findExecutable("desktop-file-validate");
    if (validator.isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    TempFolder folder;
    folder.writeBytes("tockara.desktop", AutostartEntryText("/opt/my tools/100% \"clock\"/tockara"));
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(validator, {folder.file("tockara.desktop")});
    ASSERT_TRUE(check.waitForFinished());
    EXPECT_EQ(check.exitCode(), 0);
    EXPECT_EQ(check.readAll().toStdString(), "");
}

} // namespace
