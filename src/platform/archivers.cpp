#include "platform/archivers.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include <mutex>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <QDir>
#include <QFile>
#include <QHash>

#include "platform/file_places.h"
#include "platform/user_folders.h"

namespace {

// Most serious first: what stopped the extraction outranks what only
// concerned one entry.
constexpr int kSeriousness[] = {
    kArchiverCancelled, kArchiverTimedOut, kArchiverDiskFull,    kArchiverTooLarge,
    kArchiverDamaged,   kArchiverUnsupported, kArchiverEncrypted, kArchiverRefused,
    kArchiverWriteFailed, kArchiverNotAFile, kArchiverUnreadable,
};

int Rank(int result)
{
    const auto at = std::find(std::begin(kSeriousness), std::end(kSeriousness), result);
    return int(at - std::begin(kSeriousness));  // the end (and kArchiverOk) ranks last
}

bool IsOrLiesIn(const QString &path, const QString &folder)
{
    if (folder.isEmpty())
        return false;
    return path == folder || folder == u"/" || path.startsWith(folder + u'/');
}

// Whether a part of path below folder starts with ".".
bool HiddenBelow(const QString &path, const QString &folder)
{
    if (folder.isEmpty() || path == folder || !IsOrLiesIn(path, folder))
        return false;
    const QStringList parts = path.mid(folder.size()).split(u'/', Qt::SkipEmptyParts);
    return std::any_of(parts.cbegin(), parts.cend(), [](const QString &part) { return part.startsWith(u'.'); });
}

} // namespace

// One protected place as it was found when looked up.
struct KnownPlace {
    QString resolved;
    FilePlace place;
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;

    bool is(const struct stat &status) const { return exists && status.st_dev == device && status.st_ino == inode; }
};

struct PlaceIndex {
    MountTable mounts;
    QList<KnownPlace> folders;
    QList<KnownPlace> files;
    std::optional<KnownPlace> hidden;
    // What was found for each path asked about: one extraction asks about
    // the same folders for entry after entry.
    mutable std::mutex lock;
    mutable QHash<QString, bool> folderVerdicts;
    mutable QHash<QString, bool> verdicts;
};

namespace {

KnownPlace LookUp(const QString &path, const MountTable &mounts)
{
    KnownPlace known;
    known.resolved = ResolvedPath(path);
    known.place = mounts.placeOf(known.resolved);
    struct stat status;
    if (::stat(QFile::encodeName(known.resolved).constData(), &status) == 0) {
        known.exists = true;
        known.device = status.st_dev;
        known.inode = status.st_ino;
    }
    return known;
}

std::shared_ptr<const PlaceIndex> MakeIndex(const ProtectedPlaces &places)
{
    auto index = std::make_shared<PlaceIndex>();
    index->mounts = MountTable::Current();
    for (const QString &folder : places.folders) {
        if (!folder.isEmpty())
            index->folders << LookUp(folder, index->mounts);
    }
    for (const QString &file : places.files) {
        if (!file.isEmpty())
            index->files << LookUp(file, index->mounts);
    }
    if (!places.hiddenIn.isEmpty())
        index->hidden = LookUp(places.hiddenIn, index->mounts);
    return index;
}

bool SameAsProtected(const PlaceIndex &index, const struct stat &status, bool withFiles)
{
    const auto same = [&](const KnownPlace &known) { return known.is(status); };
    return std::any_of(index.folders.cbegin(), index.folders.cend(), same)
           || (withFiles && std::any_of(index.files.cbegin(), index.files.cend(), same));
}

// Whether the place lies in a protected folder (on its file system, or by
// its resolved path) or, withFiles, is a protected file.
bool InProtected(const PlaceIndex &index, const FolderCheck &check, bool withFiles)
{
    for (const KnownPlace &folder : index.folders) {
        if (check.place.liesIn(folder.place) || IsOrLiesIn(check.resolved, folder.resolved))
            return true;
    }
    if (withFiles) {
        for (const KnownPlace &file : index.files) {
            if (check.place == file.place || check.resolved == file.resolved)
                return true;
        }
    }
    return false;
}

// The status of name in folder, not following a link, and whether it is
// where a file system is mounted: told by the kernel where it can, else
// nothing (the mount table is asked then).
bool LookAt(int folder, const QString &name, struct stat &status, std::optional<bool> &mounted)
{
    struct statx extended {};
    if (::statx(folder, QFile::encodeName(name).constData(), AT_SYMLINK_NOFOLLOW, STATX_TYPE | STATX_INO,
                &extended) != 0)
        return false;
    status.st_dev = makedev(extended.stx_dev_major, extended.stx_dev_minor);
    status.st_ino = extended.stx_ino;
    status.st_mode = extended.stx_mode;
    if (extended.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT)
        mounted = (extended.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
    return true;
}

FolderCheck CheckWhole(const PlaceIndex &index, const QString &path, bool withFiles)
{
    FolderCheck check;
    check.resolved = ResolvedPath(path);
    check.place = index.mounts.placeOf(check.resolved);
    // Every folder on the way that exists, and the place itself, by identity.
    for (const QString &folder : FoldersOnTheWay(check.resolved)) {
        struct stat status;
        if (::stat(QFile::encodeName(folder).constData(), &status) != 0)
            break;
        if (SameAsProtected(index, status, withFiles && folder == check.resolved)) {
            check.covered = true;
            return check;
        }
    }
    // Where it lies on its file system: in a protected folder mounted
    // elsewhere too, or below one that does not exist yet.
    check.covered = InProtected(index, check, withFiles);
    if (const std::optional<KnownPlace> &home = index.hidden; home && !check.covered) {
        check.covered = (check.place.fileSystem == home->place.fileSystem && HiddenBelow(check.place.path, home->place.path))
                        || HiddenBelow(check.resolved, home->resolved);
    }
    return check;
}

// Enough for the folders of any real archive; an archive of more names
// only costs a new look.
constexpr qsizetype kVerdictsKept = 65536;

bool CachedCovers(const ProtectedPlaces &places, const QString &path, bool withFiles)
{
    if (!places.index)
        return CheckWhole(*MakeIndex(places), path, withFiles).covered;
    const PlaceIndex &index = *places.index;
    QHash<QString, bool> &verdicts = withFiles ? index.verdicts : index.folderVerdicts;
    {
        const std::lock_guard hold(index.lock);
        if (const auto found = verdicts.constFind(path); found != verdicts.cend())
            return *found;
    }
    const bool covered = CheckWhole(index, path, withFiles).covered;
    const std::lock_guard hold(index.lock);
    if (verdicts.size() >= kVerdictsKept)
        verdicts.clear();
    verdicts.insert(path, covered);
    return covered;
}

} // namespace

qint64 SaturatingSum(qint64 sum, qint64 size)
{
    if (size <= 0)
        return sum;
    qint64 total;
    if (__builtin_add_overflow(sum, size, &total))
        return std::numeric_limits<qint64>::max();
    return total;
}

ProtectedPlaces &ProtectedPlaces::operator+=(const ProtectedPlaces &more)
{
    folders << more.folders;
    files << more.files;
    if (hiddenIn.isEmpty())
        hiddenIn = more.hiddenIn;
    index.reset();
    return *this;
}

ProtectedPlaces ProtectedPlaces::resolved() const
{
    ProtectedPlaces places = *this;
    places.index = MakeIndex(*this);
    return places;
}

bool ProtectedPlaces::coversFolder(const QString &path) const
{
    return CachedCovers(*this, path, false);
}

bool ProtectedPlaces::covers(const QString &path) const
{
    return CachedCovers(*this, path, true);
}

FolderCheck ProtectedPlaces::checkFolder(const QString &path) const
{
    return CheckWhole(index ? *index : *MakeIndex(*this), path, false);
}

FolderCheck ProtectedPlaces::checkEntry(FolderCheck parent, int parentFolder, const QString &name, bool withFiles) const
{
    if (parent.covered)
        return parent;
    const std::shared_ptr<const PlaceIndex> own = index ? index : MakeIndex(*this);
    bool hidden = false;
    if (const std::optional<KnownPlace> &home = own->hidden; home && name.startsWith(u'.')) {
        hidden = (parent.place.fileSystem == home->place.fileSystem && IsOrLiesIn(parent.place.path, home->place.path))
                 || IsOrLiesIn(parent.resolved, home->resolved);
    }
    // The parent's texts grow by the name (taken over, not copied: a deep
    // name costs its length once).
    FolderCheck check;
    check.resolved = std::move(parent.resolved);
    if (check.resolved != u"/")
        check.resolved += u'/';
    check.resolved += name;
    struct stat status {};
    std::optional<bool> mounted;
    const bool there = parentFolder >= 0 && LookAt(parentFolder, name, status, mounted);
    // What is no plain name below the parent, a link, or a mount (a bind
    // mount inside the target) is looked at whole.
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || (there && S_ISLNK(status.st_mode))
        || (there && (mounted ? *mounted : own->mounts.isMountPoint(check.resolved))))
        return CheckWhole(*own, check.resolved, withFiles);
    check.place.fileSystem = std::move(parent.place.fileSystem);
    check.place.path = std::move(parent.place.path);
    if (check.place.path != u"/")
        check.place.path += u'/';
    check.place.path += name;
    check.covered = hidden || (there && SameAsProtected(*own, status, withFiles)) || InProtected(*own, check, withFiles);
    return check;
}

ProtectedPlaces DesktopPlaces()
{
    return {DesktopSettingsFolders(), {}, QDir::homePath(), nullptr};
}

void ArchiverReport::note(int failure)
{
    if (failure != kArchiverOk && failure != kArchiverNotReached && failure != kArchiverSkipped
        && Rank(failure) < Rank(result))
        result = failure;
}

void ArchiverReport::fail(const QString &name, int failure)
{
    notExtracted.append({name, failure});
    note(failure);
}

bool ArchiverReport::wroteFile() const
{
    return std::any_of(extracted.cbegin(), extracted.cend(),
                       [](const QString &name) { return !name.endsWith(u'/'); });
}
