#pragma once
// The user's desktop folders, folder listings, recently used files and the
// mounted drives.
#include <QList>
#include <QString>
#include <QStringList>

// The desktop's special folders, numbered as the program has always numbered
// them.
enum class SpecialFolder { Desktop = 0, Documents = 5, Recent = 8, Computer = 17 };

// What kind of medium a mounted file system lives on.
enum class DriveType { Unknown = 0, Removable = 2, Fixed = 3, Remote = 4, CdRom = 5, RamDisk = 6 };

struct MountedDrive {
    QString mountPoint;   // absolute, no trailing "/" except for the root
    DriveType type = DriveType::Unknown;
};

class DesktopFolders {
public:
    virtual ~DesktopFolders() = default;

    // The folder's path without a trailing "/" (the root for Computer); empty
    // when the desktop has no such folder. Recent has no folder here: empty.
    virtual QString specialFolderPath(SpecialFolder folder) = 0;

    // The names in folder, hidden ones included, without "." and ".."; folders
    // only when withFolders. Unordered; empty for a missing folder.
    virtual QStringList listFolder(const QString &folder, bool withFolders) = 0;

    // Absolute paths of the files the desktop remembers as recently used that
    // still exist as files, newest first.
    virtual QStringList recentFiles() = 0;

    // The mounted file systems a user works with (kernel and system-internal
    // file systems left out), in mount order.
    virtual QList<MountedDrive> mountedDrives() = 0;
};
