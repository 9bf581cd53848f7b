#pragma once
// The rules of the folder submenus of "ランチャー" (デスクトップ, 最近使ったファイル,
// マイ　ドキュメント) and of the "ドライブ" submenu, as data the menu applies.
#include <QList>
#include <QString>
#include <QStringList>

#include "platform/desktop_folders.h"

// One folder submenu: its item array, the index of the "ランチャー" item
// (barLunch) that opens it, the folder it lists, whether folders are listed
// too and whether its "(空)" item can be clicked.
struct FolderMenuSpec {
    const char *array;
    int opener;
    SpecialFolder folder;
    bool listsFolders;
    bool emptyItemEnabled;
};
// The three, in the order they are refilled before the popup opens:
// 最近使ったファイル, デスクトップ, マイ　ドキュメント.
const QList<FolderMenuSpec> &FolderMenus();

// A name as the menu shows it: without ".lnk", ".pif", ".url" or ".desktop"
// (any case); other names unchanged.
QString MenuTextForFile(const QString &name);

// File-manager order: case-insensitive, digit runs compared as numbers
// ("file2" before "File10").
bool NaturalLess(const QString &a, const QString &b);

struct FolderMenuItem {
    QString caption;
    QString path;               // what a click opens
    bool opensFolder = false;   // the click shows path in the file manager
    bool operator==(const FolderMenuItem &) const = default;
};

// The items of a folder submenu now: the folder's entries in file-manager
// order, or the recently used files newest first. Empty when the desktop has
// no such folder. Hidden files (names starting with ".") are not listed, nor
// desktop launchers that desktops do not list (Hidden, NoDisplay, or whose
// TryExec program is missing).
QList<FolderMenuItem> FolderMenuItems(const FolderMenuSpec &menu, DesktopFolders &folders);

// The caption of the last item of a folder submenu too long for the screen.
extern const QString kOpenFolderCaption;

// items cut to a submenu of at most fit rows: all of them when they fit;
// otherwise the first fit - 1 and, last, an item that shows folder in the
// file manager, where the rest can be reached. Without a folder (the
// recently used files) the first fit items.
QList<FolderMenuItem> FitFolderMenu(QList<FolderMenuItem> items, int fit, const QString &folder);

// caption as the text of a menu item, which would take a single "&" for the
// mark of a shortcut key and a tab for the start of a shortcut's keys:
// "R&D.txt" shows as it is written, a tab as a blank.
QString MenuActionText(const QString &caption);

// What a click on the "(空)" item opens: the folder itself where the item can
// be clicked (the documents folder) and the folder exists, else nothing.
QString EmptyItemTarget(const FolderMenuSpec &menu, DesktopFolders &folders);

// The caption of the "(空)" item: "(空)" for an empty folder or no recent
// files, kNoFolderCaption when the listed folder does not exist.
extern const QString kNoFolderCaption;
QString EmptyItemCaption(const FolderMenuSpec &menu, DesktopFolders &folders);

// The items a folder submenu has made so far. Items are made on demand and
// never removed: a refill reuses items 1..n, makes the missing ones and hides
// the rest; "(空)" (item 0) shows exactly when there are none.
class FolderMenuState {
public:
    struct Refill {
        int firstNew = 0, lastNew = -1;   // items to make (none when lastNew < firstNew)
        QList<FolderMenuItem> items;      // items 1..n, shown with these captions
        int firstHidden = 0, lastHidden = -1;
        bool emptyVisible = true;
    };
    Refill refill(const QList<FolderMenuItem> &items);
    // The highest item index made so far.
    int loaded() const { return loaded_; }

private:
    int loaded_ = 0;
};

// The word of a drive's type: "REMOVABLE", "FIXED", "REMOTE", "CD-ROM",
// "RAMDISK", or "*".
QString DriveTypeWord(DriveType type);
// The caption of a drive item: its mount point, a blank and its type word.
QString DriveMenuCaption(const MountedDrive &drive);
