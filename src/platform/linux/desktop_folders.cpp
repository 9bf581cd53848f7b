// The desktop's folders on Linux: the XDG user folders, the desktop's
// recently-used list and the kernel's mount table.
#include "platform/desktop_folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/linux/desktop_lists.h"
#include "platform/linux/linux_services.h"

namespace {

// The recently-used list grows with use; a damaged or runaway one is skipped.
constexpr qint64 kRecentListLimit = 32 * 1024 * 1024;

QString UserFolder(QStandardPaths::StandardLocation location)
{
    const QString path = QStandardPaths::writableLocation(location);
    return path.isEmpty() ? QString() : QDir::cleanPath(path);
}

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
        QFile flag(folder + "/removable");
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
    }
    return false;
}

class LinuxDesktopFolders : public DesktopFolders {
public:
    QString specialFolderPath(SpecialFolder folder) override
    {
        switch (folder) {
        case SpecialFolder::Desktop: return UserFolder(QStandardPaths::DesktopLocation);
        case SpecialFolder::Documents: return UserFolder(QStandardPaths::DocumentsLocation);
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
        QFile list(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                   + "/recently-used.xbel");
        if (list.size() > kRecentListLimit || !list.open(QIODevice::ReadOnly))
            return {};
        QStringList existing;
        for (const QString &path : ParseRecentlyUsed(list.readAll())) {
            if (QFileInfo(path).isFile())
                existing << path;
        }
        return existing;
    }

    QList<MountedDrive> mountedDrives() override
    {
        QFile mounts(QStringLiteral("/proc/self/mounts"));
        if (!mounts.open(QIODevice::ReadOnly))
            return {};
        // A file of the proc file system reports no size; readAll reads on
        // to its end all the same.
        return ParseMountTable(mounts.readAll(), IsRemovableDevice,
                               [](const QString &path) { return QFileInfo(path).isDir(); });
    }
};

} // namespace

std::unique_ptr<DesktopFolders> MakeLinuxDesktopFolders()
{
    return std::make_unique<LinuxDesktopFolders>();
}
