// Starting launcher entries and opening folder items, with a recording
// program launcher.
#include <gtest/gtest.h>
#include <QFile>

#include "launcher/launch.h"
#include "shell_link_builder.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

using Call = FakeProgramLauncher::Call;

class Launch : public ::testing::Test {
protected:
    QString make(const QString &name, const QByteArray &bytes = "x") { return folder.writeBytes(name, bytes); }
    void launch(const LauncherEntry &entry, const QString &fileManager = "xdg-open")
    {
        LaunchEntry(entry, fileManager, {*fake.programs, *fake.messages, nullptr});
    }
    QStringList shownTexts() const
    {
        QStringList texts;
        for (const auto &shown : fake.messages->shown)
            texts << shown.text;
        return texts;
    }
    const QList<FakeProgramLauncher::Request> &requests() const { return fake.programs->requests; }

    FakeServices fake;
    TempFolder folder;
    const QString root = folder.path();
};

TEST_F(Launch, AWorkFolderThatIsNotAFolderStopsTheLaunch)
{
    make("file");
    struct Case {
        QString workFolder;
        QString message;
    } cases[] = {
        {"", "53:作業フォルダが見つかりません。"},
        {root + "/gone", "53:作業フォルダが見つかりません。"},
        {root + "/gone/deeper", "76:作業フォルダが見つかりません。"},
        {"C:\\TOOLS\\", "76:作業フォルダが見つかりません。"},
        {root + "/file", "作業フォルダにが正しく設定されていません。"},
    };
    for (const Case &c : cases) {
        fake.messages->shown.clear();
        launch({root + "/", "prog", "", "prog", EntryKind::Program, c.workFolder});
        EXPECT_EQ(shownTexts(), QStringList{c.message}) << c.workFolder.toStdString();
        EXPECT_EQ(fake.messages->shown[0].title, "Tockara");
    }
    EXPECT_TRUE(requests().isEmpty());
}

TEST_F(Launch, ProgramsStartInTheirWorkFolder)
{
    const QString program = make("bin/tool", "#!/bin/sh\n");
    QFile(program).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    QDir(root).mkdir("work");
    // Registered with another work folder: the registered file still starts.
    launch({root + "/bin/", "tool", "", "T", EntryKind::Program, root + "/work"});
    // Gone from where it was registered: its name, in the work folder or on
    // the search path, as written.
    launch({root + "/old/", "README", "", "R", EntryKind::Program, root + "/work"});
    ASSERT_EQ(requests().size(), 2);
    EXPECT_EQ(requests()[0].call, Call::Start);
    EXPECT_EQ(requests()[0].target, program);
    EXPECT_EQ(requests()[0].workFolder, root + "/work");
    EXPECT_EQ(requests()[1].target, "README");

    fake.programs->startResults = {53};
    launch({root + "/bin/", "tool", "", "T", EntryKind::Program, root + "/work"});
    EXPECT_EQ(shownTexts(), QStringList{"53:ファイルが見つかりません。"});
}

TEST_F(Launch, DocumentsOpenWithTheDesktopAndFallBackToTheirProgram)
{
    const QString document = make("docs/a.txt");
    const LauncherEntry entry{root + "/docs/", "a", "txt", "A", EntryKind::Document, root};
    launch(entry);
    ASSERT_EQ(requests().size(), 1);
    EXPECT_EQ(requests()[0].call, Call::ShellOpen);
    EXPECT_EQ(requests()[0].target, document);
    EXPECT_EQ(requests()[0].workFolder, root);

    // No association known to the desktop: the whole command of the
    // application associated with it, in the program's folder.
    fake.programs->requests.clear();
    fake.programs->openResults = {ShellResult::NoAssociation};
    const QString viewer = make("apps/viewer");
    fake.programs->commands = {{viewer, "--view", document}};
    launch(entry);
    ASSERT_EQ(requests().size(), 3);
    EXPECT_EQ(requests()[1].call, Call::AssociatedCommand);
    EXPECT_EQ(requests()[2].call, Call::Start);
    EXPECT_EQ(requests()[2].arguments, QStringList({"--view", document}));
    EXPECT_EQ(requests()[2].target, viewer);
    EXPECT_EQ(requests()[2].workFolder, root + "/apps");
    EXPECT_TRUE(shownTexts().isEmpty());
}

TEST_F(Launch, FoldersOpenInTheFileManagerCommand)
{
    QDir(root).mkpath("my music");
    const LauncherEntry entry{root + "/my music", "", "", "M", EntryKind::Folder, root + "/my music"};
    launch(entry, "nautilus --new-window");
    ASSERT_EQ(requests().size(), 1);
    EXPECT_EQ(requests()[0].target, "nautilus");
    EXPECT_EQ(requests()[0].arguments, QStringList({"--new-window", root + "/my music"}));

    fake.programs->startResults = {53};
    launch(entry, "Explorer.exe");
    EXPECT_EQ(shownTexts(), QStringList{"53:ファイルマネージャーが見つかりません。"});
    // An archive entry is not extracted from the menu.
    launch({root + "/", "a", "zip", "A", EntryKind::Archive, root});
    EXPECT_EQ(requests().size(), 2);
}

TEST_F(Launch, TheFileManagerSettingIsSplitTheFolderAppendedWholeAndItRunsFromTheRoot)
{
    const struct {
        QString setting, program;
        QStringList arguments;
    } cases[] = {
        {"xdg-open", "xdg-open", {"/t a/"}},
        {"nautilus --new-window", "nautilus", {"--new-window", "/t a/"}},
        {R"("/opt/my fm/fm" -x)", "/opt/my fm/fm", {"-x", "/t a/"}},
    };
    for (const auto &c : cases) {
        fake.programs->requests.clear();
        EXPECT_EQ(StartFileManager(c.setting, "/t a/", *fake.programs), 0);
        ASSERT_EQ(requests().size(), 1);
        EXPECT_EQ(requests()[0].target, c.program);
        EXPECT_EQ(requests()[0].arguments, c.arguments);
        // Never from the folder it shows, where a program of its name may lie.
        EXPECT_EQ(requests()[0].workFolder, "/");
    }
    EXPECT_EQ(StartFileManager("", "/t a/", *fake.programs), 53);
    EXPECT_EQ(FileManagerFailureText(76), "76:ファイルマネージャーが見つかりません。");
}

TEST_F(Launch, ShortcutEntriesOpenTheirTargetOrElseThemselves)
{
    make("desk/win.lnk", ShellLinkBuilder().localPath("C:\\APP.EXE").bytes());
    const QString desk = root + "/desk/";
    // A Windows target has no meaning here: the link is opened as a file.
    launch({desk, "win", "lnk", "win", EntryKind::Shortcut, desk});
    ASSERT_EQ(requests().size(), 1);
    EXPECT_EQ(requests()[0].call, Call::OpenDocument);
    EXPECT_EQ(requests()[0].target, desk + "win.lnk");
}

TEST_F(Launch, FolderItemsOpenShortcutTargetsWithTheirFolder)
{
    const QString editor = make("apps/editor");
    make("desk/Editor.lnk", ShellLinkBuilder().localPath(editor).workingDirectory(root + "/desk").bytes());
    const QString notes = make("desk/Notes.txt");
    QDir(root).mkpath("desk/sub.lnk");
    QDir(root).mkpath("desk/sub.desktop");
    const QString desk = root + "/desk";
    struct Case {
        QString item, target, workFolder;
    } cases[] = {
        {desk + "/Editor.lnk", editor, desk},
        {notes, notes, desk},
        {desk + "/sub.lnk", desk + "/sub.lnk", desk},   // a folder, whatever its name
        {desk + "/sub.desktop", desk + "/sub.desktop", desk},
    };
    for (const Case &c : cases) {
        fake.programs->requests.clear();
        OpenFolderItem(c.item, {*fake.programs, *fake.messages, nullptr});
        ASSERT_EQ(requests().size(), 1) << c.item.toStdString();
        EXPECT_EQ(requests()[0].target, c.target) << c.item.toStdString();
        EXPECT_EQ(requests()[0].workFolder, c.workFolder) << c.item.toStdString();
    }
    EXPECT_TRUE(shownTexts().isEmpty());
}

// Desktop launchers on the desktop folder, chosen from its menu or
// registered in the launcher.
class DesktopLaunchers : public Launch {
protected:
    DesktopLaunchers()
    {
        QDir(root).mkpath("work");
        for (const char *program : {"bin/tool", "desk/tool", "desk/only-here"})
            executable(make(program, "#!/bin/sh\n"));
    }
    static void executable(const QString &file)
    {
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString launcher(const QByteArray &keys, bool trusted = true)
    {
        const QString file = make("desk/invoice.pdf.desktop", "[Desktop Entry]\n" + keys);
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        if (trusted)
            executable(file);
        return file;
    }

    EnvironmentValue path{"PATH", QFile::encodeName(root + "/bin")};
    EnvironmentValue home{"HOME", QFile::encodeName(root + "/work")};
};

TEST_F(DesktopLaunchers, RunOnlyWhenTrustedWithProgramsFromTheSearchPath)
{
    const QString bin = root + "/bin/", work = root + "/work";
    const QString untrusted = UntrustedLauncherText("invoice.pdf.desktop");
    const QString noTerminal = NoTerminalText("invoice.pdf.desktop");
    struct Case {
        QByteArray keys;
        bool trusted, terminal;
        QStringList started;   // program, then arguments; empty: nothing
        QString workFolder, message;
    } cases[] = {
        {"Exec=sh -c 'touch /tmp/x'\n", false, false, {}, "", untrusted},
        {"Exec=tool --x %f\n", true, false, {bin + "tool", "--x"}, work, ""},
        {"Exec=tool\nPath=" + QFile::encodeName(root) + "/desk\n", true, false, {bin + "tool"},
         root + "/desk", ""},
        // Never the program of that name beside the launcher.
        {"Exec=only-here\n", true, false, {}, "", "53:ファイルが見つかりません。"},
        {"Exec=./tool\n", true, false, {}, "", "53:ファイルが見つかりません。"},
        {"Exec=tool a\nTerminal=true\n", true, true,
         {bin + "x-terminal-emulator", "-e", bin + "tool", "a"}, work, ""},
        {"Exec=tool a\nTerminal=true\n", true, false, {}, "", noTerminal},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.keys.toStdString());
        fake.programs->requests.clear();
        fake.messages->shown.clear();
        QFile::remove(bin + "x-terminal-emulator");
        if (c.terminal)
            executable(make("bin/x-terminal-emulator", "#!/bin/sh\n"));
        OpenFolderItem(launcher(c.keys, c.trusted), {*fake.programs, *fake.messages, nullptr});
        EXPECT_EQ(shownTexts(), c.message.isEmpty() ? QStringList() : QStringList{c.message});
        if (c.started.isEmpty()) {
            EXPECT_TRUE(requests().isEmpty());
            continue;
        }
        ASSERT_EQ(requests().size(), 1);
        EXPECT_EQ(requests()[0].call, Call::Start);
        EXPECT_EQ(QStringList{requests()[0].target} + requests()[0].arguments, c.started);
        EXPECT_EQ(requests()[0].workFolder, c.workFolder);
    }
}

TEST_F(DesktopLaunchers, RegisteredLaunchersAreCheckedAlikeAndLinksOpenTheirAddress)
{
    const QString desk = root + "/desk/";
    const LauncherEntry entry{desk, "invoice.pdf", "desktop", "invoice.pdf", EntryKind::Shortcut, desk};
    launcher("Exec=sh -c 'touch /tmp/x'\n", false);
    launch(entry);
    EXPECT_TRUE(requests().isEmpty());
    EXPECT_EQ(shownTexts(), QStringList{UntrustedLauncherText("invoice.pdf.desktop")});
    EXPECT_EQ(fake.messages->shown[0].title, "Tockara");

    launcher("Type=Link\nURL=https://example.org/\n");
    launch(entry);
    ASSERT_EQ(requests().size(), 1);
    EXPECT_EQ(requests()[0].call, Call::OpenDocument);
    EXPECT_EQ(requests()[0].target, "https://example.org/");
}

} // namespace
