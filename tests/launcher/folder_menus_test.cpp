// The folder and drive submenus' rules: captions, order, item reuse.
#include <gtest/gtest.h>
#include <algorithm>

#include "launcher/folder_menus.h"
#include "support/environment_value.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

const FolderMenuSpec &Menu(const char *array)
{
    for (const FolderMenuSpec &menu : FolderMenus()) {
        if (QLatin1String(menu.array) == QLatin1String(array))
            return menu;
    }
    throw std::logic_error("no such menu");
}

TEST(FolderMenus, ShortcutEndingsAreDroppedFromCaptions)
{
    const QStringList names = {"Editor.lnk", "SITE.URL", "Game.Pif", "Firefox.desktop", "Notes.txt",
                               "archive.lnk.zip", "noext", "x.desktop.bak"};
    const QStringList captions = {"Editor", "SITE", "Game", "Firefox", "Notes.txt",
                                  "archive.lnk.zip", "noext", "x.desktop.bak"};
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(MenuTextForFile(names[i]), captions[i]);
}

TEST(FolderMenus, NamesSortAsInAFileManager)
{
    QStringList names = {"file10", "File2", "b", "A", "file2", "file02", "10", "9", "ア", "あ", "x1y10", "x1y9"};
    std::sort(names.begin(), names.end(), NaturalLess);
    EXPECT_EQ(names, QStringList({"9", "10", "A", "b", "file02", "File2", "file2", "file10", "x1y9", "x1y10",
                                  "あ", "ア"}));
}

TEST(FolderMenus, ItemsOfTheFoldersAndRecentFiles)
{
    FakeDesktopFolders folders;
    folders.special[int(SpecialFolder::Desktop)] = "/home/u/Desktop";
    folders.files["/home/u/Desktop"] = {"z.txt", "Editor.lnk", "a.txt"};
    folders.folders["/home/u/Desktop"] = {"Projects"};
    folders.recent = {"/tmp/new.txt", "/home/u/old.lnk"};

    EXPECT_EQ(FolderMenuItems(Menu("barDesktop"), folders),
              QList<FolderMenuItem>({{"a.txt", "/home/u/Desktop/a.txt"},
                                     {"Editor", "/home/u/Desktop/Editor.lnk"},
                                     {"Projects", "/home/u/Desktop/Projects"},
                                     {"z.txt", "/home/u/Desktop/z.txt"}}));
    EXPECT_EQ(FolderMenuItems(Menu("barRecent"), folders),
              QList<FolderMenuItem>({{"new.txt", "/tmp/new.txt"}, {"old", "/home/u/old.lnk"}}));
    // No documents folder: no items.
    EXPECT_TRUE(FolderMenuItems(Menu("barDocument"), folders).isEmpty());
}

TEST(FolderMenus, HiddenFilesAndLaunchersDesktopsDoNotListAreLeftOut)
{
    TempFolder desk;
    EnvironmentValue path("PATH", QFile::encodeName(desk.path()));
    auto launcher = [&](const char *name, const QByteArray &keys) {
        desk.writeBytes(name, "[Desktop Entry]\nType=Application\nExec=true\n" + keys);
    };
    launcher("Shown.desktop", "");
    launcher("Hidden.desktop", "Hidden=true\n");
    launcher("NoDisplay.desktop", "NoDisplay=true\n");
    launcher("Missing.desktop", "TryExec=no-such-program\n");
    launcher("Present.desktop", "TryExec=" + QFile::encodeName(desk.path()) + "/present\n");
    launcher("Listed.desktop", "TryExec=present\nNoDisplay=false\n");
    desk.writeBytes("present", "#!/bin/sh\n");
    QFile(desk.file("present")).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    desk.writeBytes("Broken.desktop", "not a launcher");

    FakeDesktopFolders folders;
    folders.special[int(SpecialFolder::Desktop)] = desk.path();
    folders.files[desk.path()] = QDir(desk.path()).entryList(QDir::Files);
    folders.files[desk.path()] << ".hidden" << ".config.lnk";
    folders.folders[desk.path()] = {".git", "Work"};
    QStringList captions;
    for (const FolderMenuItem &item : FolderMenuItems(Menu("barDesktop"), folders))
        captions << item.caption;
    EXPECT_EQ(captions, QStringList({"Broken", "Listed", "present", "Present", "Shown", "Work"}));

    // The recently used files: a launcher that is not listed is left out too.
    folders.recent = {desk.file("Hidden.desktop"), desk.file("Shown.desktop")};
    EXPECT_EQ(FolderMenuItems(Menu("barRecent"), folders),
              QList<FolderMenuItem>({{"Shown", desk.file("Shown.desktop")}}));
}

TEST(FolderMenus, ASubmenuLongerThanTheScreenEndsWithItsFolder)
{
    QList<FolderMenuItem> items;
    for (int i = 1; i <= 5; ++i)
        items.append({QString::number(i), "/f/" + QString::number(i)});
    auto captions = [](const QList<FolderMenuItem> &fitted) {
        QStringList list;
        for (const FolderMenuItem &item : fitted)
            list << item.caption;
        return list;
    };
    struct Case {
        int fit;
        QString folder;
        QStringList captions;
    } cases[] = {
        {5, "/f", {"1", "2", "3", "4", "5"}},
        {9, "/f", {"1", "2", "3", "4", "5"}},
        {4, "/f", {"1", "2", "3", kOpenFolderCaption}},
        {1, "/f", {kOpenFolderCaption}},
        {0, "/f", {kOpenFolderCaption}},
        {3, "", {"1", "2", "3"}},   // recent files: no folder to open
    };
    for (const Case &c : cases)
        EXPECT_EQ(captions(FitFolderMenu(items, c.fit, c.folder)), c.captions) << c.fit;
    const FolderMenuItem last = FitFolderMenu(items, 4, "/f").last();
    EXPECT_TRUE(last.opensFolder);
    EXPECT_EQ(last.path, "/f");
}

TEST(FolderMenus, ItemTextsShowAmpersandsAsWritten)
{
    // A single "&" marks the shortcut key of a menu item: "R&D.txt" would
    // show as "RD.txt" with D underlined.
    EXPECT_EQ(MenuActionText("R&D.txt"), "R&&D.txt");
    EXPECT_EQ(MenuActionText("&&&"), "&&&&&&");
    EXPECT_EQ(MenuActionText("plain"), "plain");
    // A tab would move the rest of the name to the shortcut keys' column.
    EXPECT_EQ(MenuActionText("a\tb.txt"), "a b.txt");
}

TEST(FolderMenus, TheEmptyItemSaysWhenTheFolderIsMissingAndOnlyTheDocumentsOneOpens)
{
    TempFolder home;
    QDir(home.path()).mkpath("Documents");
    QDir(home.path()).mkpath("Desktop");
    struct Case { const char *menu; const char *folder; const char *caption; bool opens; };
    const Case cases[] = {
        {"barDocument", "Documents", "(空)", true},
        {"barDocument", "NoDocuments", "(フォルダがありません)", false},
        {"barDocument", "", "(フォルダがありません)", false},
        {"barDesktop", "Desktop", "(空)", false},
        {"barDesktop", "NoDesktop", "(フォルダがありません)", false},
        {"barRecent", "", "(空)", false},
    };
    for (const Case &c : cases) {
        FakeDesktopFolders folders;
        const QString path = *c.folder ? home.file(c.folder) : QString();
        folders.special[int(Menu(c.menu).folder)] = path;
        EXPECT_EQ(EmptyItemCaption(Menu(c.menu), folders).toStdString(), c.caption) << c.menu << c.folder;
        EXPECT_EQ(EmptyItemTarget(Menu(c.menu), folders), c.opens ? path : QString()) << c.menu << c.folder;
    }
}

TEST(FolderMenus, ItemsAreReusedAndHiddenNeverRemoved)
{
    auto items = [](int n) {
        QList<FolderMenuItem> list;
        for (int i = 1; i <= n; ++i)
            list.append({QString::number(i), "/f/" + QString::number(i)});
        return list;
    };
    FolderMenuState state;
    FolderMenuState::Refill r = state.refill(items(5));
    EXPECT_EQ(std::pair(r.firstNew, r.lastNew), std::pair(1, 5));
    EXPECT_GT(r.firstHidden, r.lastHidden);
    EXPECT_FALSE(r.emptyVisible);

    r = state.refill(items(3));
    EXPECT_GT(r.firstNew, r.lastNew);
    EXPECT_EQ(std::pair(r.firstHidden, r.lastHidden), std::pair(4, 5));
    EXPECT_EQ(r.items.size(), 3);

    r = state.refill(items(5));
    EXPECT_GT(r.firstNew, r.lastNew);
    EXPECT_EQ(r.items.size(), 5);
    EXPECT_GT(r.firstHidden, r.lastHidden);

    r = state.refill({});
    EXPECT_TRUE(r.emptyVisible);
    EXPECT_EQ(std::pair(r.firstHidden, r.lastHidden), std::pair(1, 5));
    EXPECT_EQ(state.loaded(), 5);
}

TEST(DriveMenu, CaptionIsMountPointAndTypeWord)
{
    EXPECT_EQ(DriveMenuCaption({"/media/u/USB STICK", DriveType::Removable}), "/media/u/USB STICK REMOVABLE");
    EXPECT_EQ(DriveMenuCaption({"/", DriveType::Unknown}), "/ *");
}

} // namespace
