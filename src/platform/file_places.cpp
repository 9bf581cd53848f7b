#include "platform/file_places.h"

#include <algorithm>
#include <cstdlib>
#include <optional>

#include <QDir>
#include <QFile>

#include "platform/regular_file.h"

namespace {

// The mount table of a process with a few thousand mounts stays far below.
constexpr qint64 kMountInfoLimit = 16 * 1024 * 1024;

// The real path of an existing path, or nothing.
std::optional<QString> RealPath(const QString &path)
{
    char *real = ::realpath(QFile::encodeName(path).constData(), nullptr);
    if (!real)
        return std::nullopt;
    QString resolved = QFile::decodeName(real);
    std::free(real);
    return resolved;
}

QString ParentOf(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return slash <= 0 ? QStringLiteral("/") : path.left(slash);
}

QString Join(const QString &folder, const QString &name)
{
    return folder.endsWith(u'/') ? folder + name : folder + u'/' + name;
}

bool IsOrLiesIn(const QString &path, const QString &folder)
{
    return path == folder || folder == u"/" || path.startsWith(folder + u'/');
}

} // namespace

QString ResolvedPath(const QString &path)
{
    const QString absolute = QDir::isAbsolutePath(path) ? path : QDir::currentPath() + u'/' + path;
    if (std::optional<QString> whole = RealPath(absolute))
        return *whole;
    // Part by part, as the system walks it, up to the first part that is
    // not there; from there on the parts are only names.
    QString current = QStringLiteral("/");
    bool there = true;
    for (const QString &part : absolute.split(u'/', Qt::SkipEmptyParts)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            current = ParentOf(current);
            continue;
        }
        const QString next = Join(current, part);
        if (there) {
            if (std::optional<QString> real = RealPath(next)) {
                current = *real;
                continue;
            }
            there = false;
        }
        current = next;
    }
    return current;
}

QStringList FoldersOnTheWay(const QString &resolved)
{
    QStringList folders = {QStringLiteral("/")};
    QString walked;
    for (const QString &part : resolved.split(u'/', Qt::SkipEmptyParts)) {
        walked += u'/' + part;
        folders << walked;
    }
    return folders;
}

QString UnescapeMountField(QByteArrayView field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' && field[i + 1] <= '3'
            && field[i + 2] >= '0' && field[i + 2] <= '7' && field[i + 3] >= '0' && field[i + 3] <= '7') {
            out += char((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return QFile::decodeName(out);
}

bool FilePlace::liesIn(const FilePlace &other) const
{
    return fileSystem == other.fileSystem && IsOrLiesIn(path, other.path);
}

MountTable MountTable::Current()
{
    const RegularFileBytes table = ReadRegularFile(QStringLiteral("/proc/self/mountinfo"), kMountInfoLimit);
    return table.read() ? Parse(table.bytes) : MountTable();
}

MountTable MountTable::Parse(QByteArrayView mountinfo)
{
    MountTable table;
    for (const QByteArray &line : QByteArray(mountinfo.data(), mountinfo.size()).split('\n')) {
        // id, parent id, major:minor, root, mount point, options, …
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() < 5)
            continue;
        bool idOk = false, parentOk = false;
        Mount mount;
        mount.id = fields[0].toInt(&idOk);
        mount.parent = fields[1].toInt(&parentOk);
        mount.device = QString::fromLatin1(fields[2]);
        mount.root = UnescapeMountField(fields[3]);
        mount.point = UnescapeMountField(fields[4]);
        if (idOk && parentOk && mount.point.startsWith(u'/') && mount.root.startsWith(u'/')) {
            table.points_.insert(mount.point);
            table.mounts_.append(mount);
        }
    }
    return table;
}

const MountTable::Mount *MountTable::mountedAt(int parent, const QString &point) const
{
    const Mount *found = nullptr;
    for (const Mount &mount : mounts_) {
        if (mount.parent == parent && mount.id != parent && mount.point == point)
            found = &mount;
    }
    return found;
}

bool MountTable::isMountPoint(const QString &resolved) const
{
    return points_.contains(resolved);
}

FilePlace MountTable::placeOf(const QString &resolved) const
{
    // The namespace's root: mounted at "/" on a mount outside the table.
    const Mount *current = nullptr;
    for (const Mount &mount : mounts_) {
        const bool parentListed = std::any_of(mounts_.cbegin(), mounts_.cend(),
                                              [&](const Mount &other) { return other.id == mount.parent; });
        if (mount.point == u"/" && !parentListed)
            current = &mount;
    }
    if (!current)
        return {QString(), resolved};
    // As the system walks the path: at each folder, the mount on top of it.
    const auto climb = [&](const QString &point) {
        for (int depth = 0; depth < 64; ++depth) {
            const Mount *over = mountedAt(current->id, point);
            if (!over)
                return;
            current = over;
        }
    };
    for (const QString &folder : FoldersOnTheWay(resolved))
        climb(folder);
    const QString inside = current->point == u"/" ? resolved : resolved.mid(current->point.size());
    return {current->device, QDir::cleanPath(current->root + u'/' + inside)};
}
