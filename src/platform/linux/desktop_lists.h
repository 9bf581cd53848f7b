#pragma once
// The two system lists behind the folder and drive menus, parsed from their
// text so that tests can give any content.
#include <functional>
#include <QByteArrayView>
#include <QList>
#include <QStringList>

#include "platform/desktop_folders.h"

// The paths of the local files in the desktop's recently-used list (XBEL),
// newest first by their time of change, each once. Addresses that are not
// local files are left out; a damaged list gives what was read before the
// damage.
QStringList ParseRecentlyUsed(QByteArrayView xbel);

// The drives of a mount table (/proc/self/mounts: device, mount point, type,
// …, with blanks written as \040). Kernel and system-internal file systems
// and mount points, and mounts of single files, are left out; a mount point
// mounted again keeps its first place and takes the later type. The root
// folder is always among them, first and fixed when the table lacks it.
// isRemovable tells whether a block device ("/dev/sdb1") is removable;
// isFolder whether a mount point is a folder.
QList<MountedDrive> ParseMountTable(QByteArrayView table,
                                    const std::function<bool(const QString &device)> &isRemovable,
                                    const std::function<bool(const QString &path)> &isFolder);
