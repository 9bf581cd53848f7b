// The desktop's folders on Linux: the XDG user folders, the desktop's
// recently-used list and the kernel's mount table.
#include "platform/desktop_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/linux/desktop_lists.h"
#include "platform/linux/linux_services.h"
#include "platform/regular_file.h"
#include "platform/user_folders.h"

namespace {

// The recently-used list grows with use; a damaged or runaway one is skipped.
constexpr qint64 kRecentListLimit = 32 * 1024 * 1024;
// The kernel's files tell no size; these limits are far above what they hold.
constexpr qint64 kMountTableLimit = 16 * 1024 * 1024;
constexpr qint64 kFlagFileLimit = 4096;

// Whether the block device (a partition or a whole disk) sits on removable
// media or on USB, from the kernel's device tree.
bool IsRemovableDevice(const QString &device)
{
    const QString name = QFileInfo(device).canonicalFilePath().section(u'/', -1);
    if (name.isEmpty())
        return false;
    QString node = QFileInfo("/sys/class/block/" + name).canonicalFilePath();
    if (node.isEmpty())
        return false;
    if (node.contains(u"/usb"))
        return true;
    // A partition's "removable" flag is its disk's.
    for (const QString &folder : {node, QFileInfo(node).path()}) {
        const RegularFileBytes flag = ReadRegularFile(folder + "/removable", kFlagFileLimit);
        if (flag.read())
            return flag.bytes.trimmed() == "1";
    }
    return false;
}

class LinuxDesktopFolders : public DesktopFolders {
public:
    QString specialFolderPath(SpecialFolder folder) override
    {
        switch (folder) {
        case SpecialFolder::Desktop: return UserFolderPath(UserFolder::Desktop);
        case SpecialFolder::Documents: return UserFolderPath(UserFolder::Documents);
        case SpecialFolder::Computer: return QStringLiteral("/");
        case SpecialFolder::Recent: break;
        }
        return {};
    }

    QStringList listFolder(const QString &folder, bool withFolders) override
    {
        if (folder.isEmpty())
            return {};
        QDir::Filters filters = QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
        if (withFolders)
            filters |= QDir::Dirs;
        return QDir(folder).entryList(filters, QDir::Unsorted);
    }

    QStringList recentFiles() override
    {
        // The desktop's list, which anyone may have put there: a FIFO would
        // keep the menu from ever opening, a link to a device read for ever.
        const RegularFileBytes list = ReadRegularFile(
            BaseFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")) + "/recently-used.xbel", kRecentListLimit);
        if (!list.read())
            return {};
        QStringList existing;
        for (const QString &path : ParseRecentlyUsed(list.bytes)) {
            if (QFileInfo(path).isFile())
                existing << path;
        }
        return existing;
    }

    QList<MountedDrive> mountedDrives() override
    {
        const RegularFileBytes mounts = ReadRegularFile(QStringLiteral("/proc/self/mounts"), kMountTableLimit);
        if (!mounts.read())
            return {};
        return ParseMountTable(mounts.bytes, IsRemovableDevice,
                               [](const QString &path) { return QFileInfo(path).isDir(); });
    }
};

} // namespace

std::unique_ptr<DesktopFolders> MakeLinuxDesktopFolders()
{
    return std::make_unique<LinuxDesktopFolders>();
}
