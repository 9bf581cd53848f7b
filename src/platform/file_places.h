#pragma once
// Where a file or folder lies, whatever spelling leads to it. A folder can be
// reached by many names: a link, a bind mount or a second mount of the same
// disk, "..", "//", a trailing "/", /proc/self/cwd, another case on a disk
// that ignores case. Places are compared by what they are (device and inode,
// and the file system with the path from its root), never by how a setting
// spells them.
#include <sys/types.h>

#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>

// path as the system resolves it: absolute (a relative path is taken from
// the current folder), each part that exists with its links resolved in turn
// (so a ".." after a link leads to the parent of what the link names), the
// parts that do not exist yet with "." and ".." taken out. No trailing "/".
QString ResolvedPath(const QString &path);

// The folders from the root to the resolved path, each as a path: "/",
// "/home", "/home/u", ….
QStringList FoldersOnTheWay(const QString &resolved);

// A field of the kernel's mount tables, with the blanks and other bytes it
// writes as "\040" and the like.
QString UnescapeMountField(QByteArrayView field);

// A place on a file system: the mount table's device number of the file
// system ("8:1") and the path from that file system's root. Empty fileSystem:
// unknown (no mount table); path is then the resolved path.
struct FilePlace {
    QString fileSystem;
    QString path;
    bool operator==(const FilePlace &) const = default;
    // Whether this place is other or lies below it on the same file system.
    bool liesIn(const FilePlace &other) const;
};

// The mounts of this process (its mount namespace), as the kernel lists them.
class MountTable {
public:
    // /proc/self/mountinfo, read through the regular-file rule; empty when
    // it cannot be read.
    static MountTable Current();
    // A table from the text of a mountinfo file.
    static MountTable Parse(QByteArrayView mountinfo);
    // Where the resolved path lies: the file system of the mount the system
    // finds at that path (the last one mounted over it) and the path inside
    // it, a bind mount's root included.
    FilePlace placeOf(const QString &resolved) const;
    // Whether something is mounted at the resolved path.
    bool isMountPoint(const QString &resolved) const;

private:
    struct Mount {
        int id = 0;
        int parent = 0;
        QString device;
        QString root;
        QString point;
    };
    const Mount *mountedAt(int parent, const QString &point) const;
    QList<Mount> mounts_;
    QSet<QString> points_;
};
