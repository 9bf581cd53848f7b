// The launcher in the menu and on its page, with fake services.
#include <gtest/gtest.h>
#include <QAction>
#include <QComboBox>
#include <QMenu>

#include "context/pages.h"
#include "launcher/folder_menus.h"
#include "launcher/ui/launcher_commands.h"
#include "launcher/ui/launcher_page.h"
#include "menu/ui/popup_menu.h"
#include "settings/profile.h"
#include "settings_window/settings_window_fixture.h"
#include "support/environment_value.h"

namespace {

using Call = FakeProgramLauncher::Call;

class LauncherUi : public SettingsWindowTest {
protected:
    LauncherUi()
    {
        QDir(folder.path()).mkpath("desk/Projects");
        QFile(folder.file("run.sh")).open(QIODevice::WriteOnly);
        LauncherList list;
        list.entries = {{folder.path() + "/", "run", "sh", "Run", EntryKind::Program, folder.path()},
                        {folder.path() + "/desk", "", "", "Desk", EntryKind::Folder, folder.path() + "/desk"}};
        SaveLauncherList(list, ctx.settingsPath());
        ctx.launcher.Load();
        fakes.folders->special[int(SpecialFolder::Desktop)] = folder.path() + "/desk";
        fakes.folders->folders[folder.path() + "/desk"] = {"Projects"};
        fakes.folders->drives = {{"/", DriveType::Fixed}, {"/media/u/USB STICK", DriveType::Removable}};
        RegisterLauncher(features.host);
    }
    // The captions of a submenu's visible items as the menu shows them
    // ("&&" is a "&", a single "&" marks the shortcut key and is not shown),
    // separators as "---".
    QStringList shown(QMenu *submenu) const
    {
        QStringList captions;
        for (QAction *action : submenu->actions()) {
            if (!action->isVisible())
                continue;
            QString text = action->text();
            for (qsizetype i = 0; i < text.size(); ++i) {
                if (text[i] == u'&')
                    text.remove(i, 1);   // keeps the next character, a "&" included
            }
            captions << (action->isSeparator() ? QStringLiteral("---") : text);
        }
        return captions;
    }
    QMenu *launcherMenu() const { return menu.submenu("barMenu", 31); }

    CommandTable &commands = features.commands;
    PopupMenu &menu = features.menu;
};

TEST_F(LauncherUi, TheMenuFollowsTheListAndOpensWhatItShows)
{
    EXPECT_EQ(shown(launcherMenu()).mid(0, 3), QStringList({"1. Run", "2. Desk", "---"}));
    EXPECT_EQ(shown(menu.submenu("barMenu", 41)), QStringList({"/ FIXED", "/media/u/USB STICK REMOVABLE"}));

    // A file dropped on the clock becomes entry 3, in the menu and the file.
    LauncherDropHandler(ctx, nullptr, {})(QUrl::fromLocalFile(folder.file("run.sh")).toEncoded() + "\r\n");
    EXPECT_EQ(shown(launcherMenu()).mid(0, 4), QStringList({"1. Run", "2. Desk", "3. run", "---"}));
    EXPECT_EQ(ReadIniValue("Lunch", "Count", "", ctx.settingsPath()), "3");

    menu.barLunch_Click(1);
    menu.item("barDrive", 1)->trigger();
    ASSERT_EQ(fakes.programs->requests.size(), 2);
    EXPECT_EQ(fakes.programs->requests[0].target, folder.file("run.sh"));
    EXPECT_EQ(fakes.programs->requests[0].workFolder, folder.path());
    EXPECT_EQ(fakes.programs->requests[1].arguments, QStringList{"/media/u/USB STICK"});
}

TEST_F(LauncherUi, FolderSubmenusAreRefilledBeforeEveryPopup)
{
    emit menu.aboutToPopup();
    QMenu *desktop = menu.submenu("barLunch", 81);
    EXPECT_EQ(shown(desktop), QStringList{"Projects"});
    EXPECT_EQ(shown(menu.submenu("barLunch", 82)), QStringList{"(空)"});
    // No documents folder: its item says so and opens nothing; once made, it is "(空)" again.
    fakes.folders->special[int(SpecialFolder::Documents)] = folder.path() + "/docs";
    emit menu.aboutToPopup();
    EXPECT_EQ(shown(menu.submenu("barLunch", 83)), QStringList{kNoFolderCaption});
    EXPECT_FALSE(menu.item("barDocument", 0)->isEnabled());
    QDir(folder.path()).mkpath("docs");
    emit menu.aboutToPopup();
    EXPECT_EQ(shown(menu.submenu("barLunch", 83)), QStringList{"(空)"});
    EXPECT_TRUE(menu.item("barDocument", 0)->isEnabled());

    fakes.folders->files[folder.path() + "/desk"] = {"b.txt", "a.lnk"};
    emit menu.aboutToPopup();
    EXPECT_EQ(shown(desktop), QStringList({"a", "b.txt", "Projects"}));
    fakes.folders->files.clear();
    emit menu.aboutToPopup();
    EXPECT_EQ(shown(desktop), QStringList{"Projects"});

    menu.item("barDesktop", 1)->trigger();
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].target, folder.path() + "/desk/Projects");
}

TEST_F(LauncherUi, FolderItemsShowNamesAsWrittenAndALongFolderEndsWithItself)
{
    const QString desk = folder.path() + "/desk";
    fakes.folders->files[desk] = {"R&D.txt", "&&.lnk"};
    emit menu.aboutToPopup();
    QMenu *desktop = menu.submenu("barLunch", 81);
    EXPECT_EQ(shown(desktop), QStringList({"&&", "Projects", "R&D.txt"}));

    // More files than the screen has rows for: the last item shows the
    // folder in the file manager, where every file can be reached.
    QStringList many;
    for (int i = 1; i <= 300; ++i)
        many << QString("file%1.txt").arg(i);
    fakes.folders->files[desk] = many;
    emit menu.aboutToPopup();
    const QStringList captions = shown(desktop);
    ASSERT_GT(captions.size(), 2);
    EXPECT_LT(captions.size(), 300);
    EXPECT_EQ(captions.first(), "file1.txt");
    EXPECT_EQ(captions.last(), kOpenFolderCaption);
    menu.item("barDesktop", int(captions.size()))->trigger();
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].call, Call::Start);
    EXPECT_EQ(fakes.programs->requests[0].arguments.last(), desk);
}

TEST_F(LauncherUi, ThePagesChoosersOpenAtTheirFieldsFolder)
{
    EnvironmentValue home{"HOME", QFile::encodeName(folder.path())};
    open(PageLauncher);
    type(10, "~/run.sh");
    type(11, "~/desk");
    click("DialogBtn0");
    click("DialogBtn1");
    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    EXPECT_EQ(fakes.choosers->fileRequests[0].initialDir, folder.file("run.sh"));
    EXPECT_EQ(fakes.choosers->folderStarts, QStringList{folder.path() + "/desk"});
}

// A folder entry shows its folder as the work folder, not to be edited; a
// file typed or chosen after it starts with the field its own again, so a new
// entry never takes that folder unseen.
TEST_F(LauncherUi, AFolderEntrysWorkFolderIsNotHandedToTheNextFile)
{
    const struct { const char *how; bool chosen; QString workFolder; } cases[] = {
        {"typed", false, ""},
        {"chosen", true, folder.path()},
    };
    for (const auto &c : cases) {
        open(PageLauncher);
        control<QComboBox>("CMB0")->setCurrentIndex(1);   // Desk, a folder
        ASSERT_FALSE(field(11)->isEnabled()) << c.how;
        ASSERT_EQ(field(11)->text(), folder.path() + "/desk") << c.how;
        if (c.chosen) {
            fakes.choosers->files.push_back(folder.file("run.sh"));
            click("DialogBtn0");
        } else {
            field(10)->selectAll();
            QTest::keyClicks(field(10), folder.file("run.sh"));
        }
        EXPECT_TRUE(field(11)->isEnabled()) << c.how;
        EXPECT_EQ(field(11)->text(), c.workFolder) << c.how;
        // Typing on in the field keeps what the user put there.
        field(11)->setText(folder.path());
        QTest::keyClicks(field(10), " ");
        EXPECT_EQ(field(11)->text(), folder.path()) << c.how;
    }

    // Without a work folder of its own the new file entry is refused.
    open(PageLauncher);
    control<QComboBox>("CMB0")->setCurrentIndex(1);
    type(9, "New");
    field(10)->selectAll();
    QTest::keyClicks(field(10), folder.file("run.sh"));
    click("BTN3");
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.endsWith(":フォルダがありません。"))
        << fakes.messages->shown[0].text.toStdString();
    EXPECT_EQ(control<QComboBox>("CMB0")->count(), 2);
}

TEST_F(LauncherUi, ThePageShowsEntriesAndAddsAtOnce)
{
    open(PageLauncher);
    auto *entries = control<QComboBox>("CMB0");
    ASSERT_EQ(entries->count(), 2);
    EXPECT_EQ(field(10)->text(), folder.file("run.sh"));
    entries->setCurrentIndex(1);
    EXPECT_EQ(field(9)->text(), "Desk");
    EXPECT_FALSE(field(11)->isEnabled());

    type(9, "Again");
    type(10, folder.file("run.sh"));
    type(11, folder.path() + "/desk");
    click("BTN3");
    EXPECT_EQ(entries->count(), 3);
    EXPECT_EQ(entries->currentIndex(), 2);
    EXPECT_EQ(state.LunchIndex, 3);
    EXPECT_EQ(shown(launcherMenu())[2], "3. Again");
    EXPECT_EQ(ReadIniValue("Lunch", "App03", "", ctx.settingsPath()),
              folder.path() + "/`run`sh`Again`0`" + folder.path() + "/desk`");
}

} // namespace
