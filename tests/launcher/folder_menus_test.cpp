// The folder and drive submenus' rules: captions, order, item reuse.
#include <gtest/gtest.h>
#include <algorithm>

#include "launcher/folder_menus.h"
#include "support/fake_services.h"

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

TEST(FolderMenus, OnlyTheDocumentsEmptyItemOpensSomething)
{
    FakeDesktopFolders folders;
    folders.special[int(SpecialFolder::Documents)] = "/home/u/Documents";
    folders.special[int(SpecialFolder::Desktop)] = "/home/u/Desktop";
    EXPECT_EQ(EmptyItemTarget(Menu("barDocument"), folders), "/home/u/Documents");
    EXPECT_EQ(EmptyItemTarget(Menu("barDesktop"), folders), "");
    EXPECT_EQ(EmptyItemTarget(Menu("barRecent"), folders), "");
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
