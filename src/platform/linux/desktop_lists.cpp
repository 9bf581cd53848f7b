#include "platform/linux/desktop_lists.h"
#include "platform/file_places.h"

#include <algorithm>
#include <QDateTime>
#include <QSet>
#include <QTimeZone>
#include <QUrl>
#include <QXmlStreamReader>

namespace {

QDateTime ParseTime(QStringView text)
{
    QDateTime time = QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
    return time.isValid() ? time : QDateTime::fromSecsSinceEpoch(0, QTimeZone::utc());
}

bool IsKernelFileSystem(const QString &type)
{
    static const QSet<QString> kernel = {
        "autofs", "binfmt_misc", "bpf", "cgroup", "cgroup2", "configfs", "debugfs", "devpts",
        "devtmpfs", "efivarfs", "fusectl", "hugetlbfs", "mqueue", "nsfs", "proc", "pstore",
        "rpc_pipefs", "securityfs", "selinuxfs", "sysfs", "tracefs", "fuse.gvfsd-fuse",
        "fuse.portal", "nfsd",
        // read-only images of packaged programs (snaps, AppImages)
        "squashfs", "fuse.squashfuse",
    };
    return kernel.contains(type);
}

// Mount points the system keeps for itself; removable media below /run/media
// are the user's.
bool IsSystemMountPoint(const QString &path)
{
    if (path.startsWith(u"/run/media/"))
        return false;
    for (const char *prefix : {"/proc", "/sys", "/dev", "/run", "/snap", "/var/lib/docker", "/var/snap"}) {
        const QString p = QString::fromLatin1(prefix);
        if (path == p || path.startsWith(p + u'/'))
            return true;
    }
    return false;
}

DriveType TypeOf(const QString &fsType, const QString &device,
                 const std::function<bool(const QString &)> &isRemovable)
{
    static const QSet<QString> remote = {
        "nfs", "nfs4", "cifs", "smb3", "smbfs", "ncpfs", "afs", "ceph", "glusterfs", "9p",
        "davfs", "fuse.sshfs", "sshfs", "fuse.rclone", "fuse.s3fs", "fuse.davfs2", "fuse.curlftpfs",
    };
    if (fsType == u"iso9660" || fsType == u"udf")
        return DriveType::CdRom;
    if (fsType == u"tmpfs" || fsType == u"ramfs")
        return DriveType::RamDisk;
    if (remote.contains(fsType) || device.startsWith(u"//"))
        return DriveType::Remote;
    if (device.startsWith(u"/dev/"))
        return isRemovable(device) ? DriveType::Removable : DriveType::Fixed;
    return DriveType::Unknown;
}

} // namespace

QStringList ParseRecentlyUsed(QByteArrayView xbel)
{
    struct Item {
        QString path;
        QDateTime modified, visited;
    };
    QList<Item> items;
    QXmlStreamReader reader(QByteArray(xbel.data(), xbel.size()));
    while (!reader.atEnd() && !reader.hasError()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() != u"bookmark")
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const QUrl url(attributes.value(QLatin1String("href")).toString());
        if (!url.isLocalFile())
            continue;
        items.append({url.toLocalFile(), ParseTime(attributes.value(QLatin1String("modified"))),
                      ParseTime(attributes.value(QLatin1String("visited")))});
    }
    std::stable_sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return a.modified != b.modified ? a.modified > b.modified : a.visited > b.visited;
    });
    QStringList paths;
    QSet<QString> seen;
    for (const Item &item : items) {
        if (!seen.contains(item.path)) {
            seen.insert(item.path);
            paths << item.path;
        }
    }
    return paths;
}

QList<MountedDrive> ParseMountTable(QByteArrayView table,
                                    const std::function<bool(const QString &)> &isRemovable,
                                    const std::function<bool(const QString &)> &isFolder)
{
    QList<MountedDrive> drives;
    for (QByteArrayView line : QByteArray(table.data(), table.size()).split('\n')) {
        const QList<QByteArray> fields = QByteArray(line.data(), line.size()).simplified().split(' ');
        if (fields.size() < 3)
            continue;
        const QString device = UnescapeMountField(fields[0]);
        const QString mountPoint = UnescapeMountField(fields[1]);
        const QString type = UnescapeMountField(fields[2]);
        if (!mountPoint.startsWith(u'/') || IsKernelFileSystem(type) || IsSystemMountPoint(mountPoint)
            || !isFolder(mountPoint))
            continue;
        const DriveType driveType = TypeOf(type, device, isRemovable);
        auto same = std::find_if(drives.begin(), drives.end(),
                                 [&](const MountedDrive &d) { return d.mountPoint == mountPoint; });
        if (same != drives.end())
            same->type = driveType;
        else
            drives.append({mountPoint, driveType});
    }
    // The root folder is always a drive, the system's own, also where the
    // table does not list it (inside a chroot or some containers).
    const bool root = std::any_of(drives.begin(), drives.end(),
                                  [](const MountedDrive &d) { return d.mountPoint == u"/"; });
    if (!root && isFolder(QStringLiteral("/")))
        drives.prepend({QStringLiteral("/"), DriveType::Fixed});
    return drives;
}
