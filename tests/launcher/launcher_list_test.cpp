// The launcher list: its section of Tockara.ini, the classification of
// paths, and adding entries up to the limit.
#include <gtest/gtest.h>
#include <QFile>

#include "launcher/launcher_list.h"
#include "settings/ansi_text.h"
#include "shell_link_builder.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

LauncherEntry Entry(const QString &title, qint16 kind = EntryKind::Document)
{
    return {"/data/", title, "txt", title, kind, "/data/"};
}

class LunchSection : public ::testing::Test {
protected:
    QString lines() const { return DecodeAnsi(folder.readBytes("Tockara.ini")); }
    void give(const QString &text) { folder.writeBytes("Tockara.ini", EncodeAnsi(text)); }

    TempFolder folder;
    const QString path = folder.file("Tockara.ini");
    FakeMessageBoxes storeMessages;
};

TEST_F(LunchSection, EntriesAreStoredAsBacktickFieldsUnderTwoDigitKeys)
{
    LauncherList list;
    for (int i = 1; i <= 7; ++i)
        list.entries.append(Entry(QString("E%1").arg(i)));
    list.entries[6] = {"/tools/", "edit", "", "エディタ", EntryKind::Program, "/tools/"};
    ASSERT_TRUE(SaveLauncherList(list, path));
    EXPECT_TRUE(lines().contains("[Lunch]\r\nCount=7\r\nApp01=/data/`E1`txt`E1`1`/data/`\r\n"));
    EXPECT_TRUE(lines().contains("App07=/tools/`edit``エディタ`0`/tools/`\r\n"));

    LauncherList read;
    LoadLauncherList(read, path);
    EXPECT_EQ(read.entries, list.entries);
}

TEST_F(LunchSection, UserTextReadsBackExactly)
{
    LauncherList list;
    list.entries = {{" /lead/", "a", "b", " padded title ", EntryKind::Document, "/w/ "},
                    {"\"/q/", "a", "", "'quoted'", EntryKind::Program, "/w/\""}};
    ASSERT_TRUE(SaveLauncherList(list, path));
    LauncherList read;
    LoadLauncherList(read, path);
    EXPECT_EQ(read.entries, list.entries);
}

TEST_F(LunchSection, CountIsBoundedAndGarbageReadsSafely)
{
    struct Case {
        const char *count;
        int expected;
    } cases[] = {{"", 0}, {"-3", 0}, {"abc", 0}, {"2x", 0}, {"25", 20}, {"99999999999", 0}, {"3", 3}};
    for (const Case &c : cases) {
        QString text = "[Lunch]\r\n";
        if (*c.count)
            text += QString("Count=%1\r\n").arg(c.count);
        for (int i = 1; i <= 25; ++i)
            text += QString("App%1=/f/`n%2`txt`T%2`1`/f/`\r\n").arg(i, 2, 10, QChar('0')).arg(i);
        give(text);
        LauncherList list;
        LoadLauncherList(list, path);
        EXPECT_EQ(list.LauncherCount(), c.expected) << c.count;
    }
}

TEST_F(LunchSection, MissingKeyOrKindGivesAUsableEntry)
{
    give("[Lunch]\r\nCount=5\r\nApp01=/f/`a`txt`A``/f/`\r\nApp02=/f/`tool``T`x`/f/`\r\n"
         "App04=/f/`pack`ZIP`P`\r\nApp05=/music/```Music`\r\n");
    LauncherList list;
    LoadLauncherList(list, path);
    ASSERT_EQ(list.LauncherCount(), 5);
    EXPECT_EQ(list.entries[0].kind, EntryKind::Document);
    EXPECT_EQ(list.entries[1].kind, EntryKind::Program);
    EXPECT_EQ(list.entries[2], LauncherEntry({"", "", "", "", EntryKind::Folder, ""}));
    EXPECT_EQ(list.entries[3].kind, EntryKind::Archive);
    EXPECT_EQ(list.entries[3].workFolder, "");
    EXPECT_EQ(list.entries[4].kind, EntryKind::Folder);
}

TEST_F(LunchSection, ShrinkingKeepsKeysBeyondCount)
{
    LauncherList list;
    list.entries = {Entry("a"), Entry("b"), Entry("c")};
    SaveLauncherList(list, path);
    list.entries.removeLast();
    SaveLauncherList(list, path);
    EXPECT_TRUE(lines().contains("Count=2\r\n"));
    EXPECT_TRUE(lines().contains("App03=/data/`c`txt`c`1`/data/`\r\n"));
}

TEST_F(LunchSection, TheTwentyFirstAddIsRefusedAndChangesNothing)
{
    LauncherStore store(path, storeMessages);
    QList<int> rebuilds;
    store.RebuildLauncherMenu = [&](int oldCount) { rebuilds << oldCount; };
    FakeMessageBoxes messages;
    for (int i = 1; i <= 20; ++i)
        ASSERT_EQ(store.AddLauncherEntry(Entry(QString::number(i)), messages, nullptr), LauncherStore::Added::Added);
    EXPECT_EQ(rebuilds.size(), 20);
    EXPECT_EQ(rebuilds.last(), 19);
    const QByteArray before = folder.readBytes("Tockara.ini");

    EXPECT_EQ(store.AddLauncherEntry(Entry("21"), messages, nullptr), LauncherStore::Added::ListFull);
    EXPECT_EQ(store.LauncherCount(), 20);
    EXPECT_EQ(rebuilds.size(), 20);
    EXPECT_EQ(folder.readBytes("Tockara.ini"), before);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, "登録できる件数は、２０ファイルまでです。");
    EXPECT_EQ(messages.shown[0].title, "Tockara");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::OkCancel);
}

TEST_F(LunchSection, AListThatCannotBeSavedIsToldOnceAndKeptInMemory)
{
    // A "folder" below a plain file can never be created or written.
    folder.writeBytes("plain", "x");
    const QString blocked = folder.file("plain/Tockara.ini");
    LauncherStore store(blocked, storeMessages);
    FakeMessageBoxes messages;
    store.AddLauncherEntry(Entry("1"), messages, nullptr);
    store.AddLauncherEntry(Entry("2"), messages, nullptr);
    EXPECT_EQ(store.LauncherCount(), 2);
    ASSERT_EQ(storeMessages.shown.size(), 1);
    EXPECT_EQ(storeMessages.shown[0].title, "Tockara");
    EXPECT_TRUE(storeMessages.shown[0].text.contains(blocked)) << storeMessages.shown[0].text.toStdString();
}

TEST_F(LunchSection, FieldsThatCannotBeStoredAreRefused)
{
    LauncherStore store(path, storeMessages);
    FakeMessageBoxes messages;
    for (const QString &title : {QString("a`b"), QString("two\nlines")})
        EXPECT_EQ(store.AddLauncherEntry(Entry(title), messages, nullptr), LauncherStore::Added::Refused);
    EXPECT_EQ(store.LauncherCount(), 0);
    EXPECT_EQ(messages.shown.size(), 2);
    EXPECT_FALSE(QFile::exists(path));
}

TEST(LauncherMenu, CaptionsAreNumberDotBlankTitle)
{
    LauncherList list;
    list.entries = {Entry("EDIT"), Entry(""), Entry("メモ")};
    EXPECT_EQ(LauncherMenuCaptions(list), QStringList({"1. EDIT", "2. ", "3. メモ"}));
}

// ---- ClassifyPath ---------------------------------------------------------------

class Classify : public ::testing::Test {
protected:
    QString make(const QString &name, const QByteArray &bytes = "x") { return folder.writeBytes(name, bytes); }
    QString dir(const QString &name)
    {
        QDir(root).mkpath(name);
        return root + "/" + name;
    }
    // Marks a desktop launcher executable, as a user trusts it.
    static void trust(const QString &file)
    {
        QFile(file).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static QByteArray Launcher(const QString &exec, const QString &path = {})
    {
        QString text = "[Desktop Entry]\nType=Application\nExec=" + exec + "\n";
        if (!path.isEmpty())
            text += "Path=" + path + "\n";
        return text.toUtf8();
    }

    TempFolder folder;
    const QString root = folder.path();
};

TEST_F(Classify, FilesByExtensionFoldersByName)
{
    struct Case {
        QString path;
        LauncherEntry expected;
    };
    make("tools/EDIT.EXE");
    make("MY.DIR/README");
    make("docs/Report.Final.txt");
    make("dl/data.zip");
    make("bin/run.sh");
    dir("music");
    const Case cases[] = {
        {root + "/tools/EDIT.EXE", {root + "/tools/", "EDIT", "EXE", "EDIT", EntryKind::Program, root + "/tools/"}},
        {root + "/MY.DIR/README", {root + "/MY.DIR/", "README", "", "README", EntryKind::Program, root + "/MY.DIR/"}},
        {root + "/docs/Report.Final.txt",
         {root + "/docs/", "Report.Final", "txt", "Report.Final", EntryKind::Document, root + "/docs/"}},
        {root + "/dl/data.zip", {root + "/dl/", "data", "zip", "data", EntryKind::Archive, root + "/dl/"}},
        {root + "/bin/run.sh", {root + "/bin/", "run", "sh", "run", EntryKind::Program, root + "/bin/"}},
        {root + "/music", {root + "/music", "", "", "music", EntryKind::Folder, root + "/music"}},
        {"/", {"/", "", "", "", EntryKind::Folder, "/"}},
        {"relative.txt", {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifyPath(c.path), c.expected) << c.path.toStdString();
}

TEST_F(Classify, ShortcutsAreFollowedToTheirTarget)
{
    const QString program = make("apps/tool");
    dir("work");
    dir("photos");
    make("desk/Tool.desktop", Launcher(program, root + "/work"));
    make("desk/Photos.lnk", ShellLinkBuilder().localPath(root + "/photos").bytes());
    make("desk/NoFolder.desktop", Launcher(program));
    make("desk/Chain.desktop", Launcher(root + "/desk/Tool.desktop"));
    // Desktop launchers are followed when they are trusted (executable).
    for (const char *name : {"Tool", "NoFolder", "Chain"})
        trust(root + "/desk/" + name + ".desktop");

    EXPECT_EQ(ClassifyPath(root + "/desk/Tool.desktop"),
              LauncherEntry({root + "/apps/", "tool", "", "Tool", EntryKind::Program, root + "/work"}));
    EXPECT_EQ(ClassifyPath(root + "/desk/Photos.lnk"),
              LauncherEntry({root + "/photos", "", "", "photos", EntryKind::Folder, root + "/photos"}));
    // No working folder of its own: the target's folder.
    EXPECT_EQ(ClassifyPath(root + "/desk/NoFolder.desktop").workFolder, root + "/apps/");
    const LauncherEntry chained = ClassifyPath(root + "/desk/Chain.desktop");
    EXPECT_EQ(chained.title, "Chain");
    EXPECT_EQ(chained.kind, EntryKind::Program);
    EXPECT_EQ(chained.workFolder, root + "/work");
}

TEST_F(Classify, ShortcutsThatCannotBeFollowedStayShortcuts)
{
    make("desk/a.desktop", Launcher(root + "/desk/b.desktop"));
    make("desk/b.desktop", Launcher(root + "/desk/a.desktop"));
    make("desk/self.lnk", ShellLinkBuilder().localPath(root + "/desk/self.lnk").bytes());
    make("desk/site.url", "[InternetShortcut]\r\nURL=https://example.org/a/b\r\n");
    make("desk/win.lnk", ShellLinkBuilder().localPath("C:\\WIN\\NOTEPAD.EXE").workingDirectory("C:\\WIN").bytes());
    make("desk/flat.desktop", Launcher("/usr/bin/flatpak run org.app"));
    make("desk/broken.lnk", "not a link");
    make("desk/untrusted.desktop", Launcher(make("apps/tool")));
    // Untrusted shortcuts to anything but a folder stay themselves, so the
    // trust rule is applied when they are chosen.
    make("desk/shell.lnk", ShellLinkBuilder().localPath("/bin/sh").bytes());
    make("desk/tool.lnk", ShellLinkBuilder().localPath(root + "/apps/tool").bytes());
    make("desk/doc.url", "[InternetShortcut]\r\nURL=file://" + QFile::encodeName(root) + "/apps/tool\r\n");
    make("desk/hop.lnk", ShellLinkBuilder().localPath(root + "/desk/shell.lnk").bytes());
    for (const char *name : {"a", "b", "flat"})
        trust(root + "/desk/" + name + ".desktop");
    trust(root + "/desk/hop.lnk");
    const QString desk = root + "/desk/";
    struct Case {
        QString name;
        QString baseName, extension;
    } cases[] = {
        {"a.desktop", "a", "desktop"},   // a loop ends where it began
        {"self.lnk", "self", "lnk"},
        {"site.url", "site", "url"},     // an address is no path
        {"win.lnk", "win", "lnk"},       // a Windows path has no meaning here
        {"flat.desktop", "flat", "desktop"},  // the arguments would be lost
        {"broken.lnk", "broken", "lnk"},
        {"untrusted.desktop", "untrusted", "desktop"},   // not executable: checked when run
        {"shell.lnk", "shell", "lnk"},
        {"tool.lnk", "tool", "lnk"},
        {"doc.url", "doc", "url"},
    };
    // A trusted link to an untrusted one stops at the untrusted one.
    const LauncherEntry hop = ClassifyPath(desk + "hop.lnk");
    EXPECT_EQ(hop.baseName + "." + hop.extension, "shell.lnk");
    EXPECT_EQ(hop.kind, EntryKind::Shortcut);
    for (const Case &c : cases) {
        const LauncherEntry entry = ClassifyPath(desk + c.name);
        EXPECT_EQ(entry.kind, EntryKind::Shortcut) << c.name.toStdString();
        EXPECT_EQ(entry.baseName + "." + entry.extension, c.name) << c.name.toStdString();
        EXPECT_EQ(entry.title, c.baseName) << c.name.toStdString();
        EXPECT_EQ(entry.workFolder, desk) << c.name.toStdString();
    }
}

} // namespace
