#include "platform/linux/extraction_folder.h"

#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include "platform/archivers.h"
#include "platform/file_places.h"
#include "platform/linux/archive_entries.h"
#include "platform/regular_file.h"

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other) {
        close();
        fd_ = other.release();
    }
    return *this;
}

UniqueFd::~UniqueFd()
{
    close();
}

int UniqueFd::release()
{
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

bool UniqueFd::close()
{
    if (fd_ < 0)
        return true;
    // Linux releases the descriptor even when close fails: never retried.
    const bool closed = ::close(release()) == 0;
    return closed;
}

int WriteFailure(int error)
{
    return error == ENOSPC || error == EDQUOT ? kArchiverDiskFull : kArchiverWriteFailed;
}

namespace {

// A folder part that does not open as a folder: a link is refused (it could
// lead anywhere), anything else stands in the way.
int FolderPartFailure(int parent, const QByteArray &part, int error)
{
    struct stat status;
    if (fstatat(parent, part.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISLNK(status.st_mode))
        return kArchiverRefused;
    return WriteFailure(error);
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
// A folder on the way to the target is only passed through: it needs no
// right to be read, only to be searched.
constexpr int kWayFlags = O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Opens part inside parent, creating it when missing.
int OpenFolderPart(int parent, const QByteArray &part, UniqueFd &folder, int flags = kFolderFlags)
{
    int fd = openat(parent, part.constData(), flags);
    if (fd < 0 && errno == ENOENT) {
        if (mkdirat(parent, part.constData(), 0777) != 0 && errno != EEXIST)
            return FolderPartFailure(parent, part, errno);
        fd = openat(parent, part.constData(), flags);
    }
    if (fd < 0)
        return FolderPartFailure(parent, part, errno);
    folder = UniqueFd(fd);
    return kArchiverOk;
}

// The visible folder relative as openFolder knows it: its parts, empty ones
// left out.
QString FolderKey(const QString &relative)
{
    QStringList parts = relative.split(u'/', Qt::SkipEmptyParts);
    for (QString &part : parts)
        part = VisiblePart(part);
    return parts.join(u'/');
}

// An open file without a name is linked into a folder through its path
// in /proc (a link from the descriptor itself needs a privilege).
bool OpenFilesLinkable()
{
    static const bool linkable = access("/proc/self/fd", X_OK) == 0;
    return linkable;
}

QByteArray OpenFilePath(int file)
{
    return "/proc/self/fd/" + QByteArray::number(file);
}

bool Exists(int folder, const QByteArray &leaf, struct stat *status = nullptr)
{
    struct stat own;
    return fstatat(folder, leaf.constData(), status ? status : &own, AT_SYMLINK_NOFOLLOW) == 0;
}

// Renames from to to unless to is taken: 0, or -1 with errno (EEXIST when
// taken). A file system without that rename gets a link and an unlink, which
// refuse a taken name too.
int RenameNoReplace(int fromFolder, const QByteArray &from, int toFolder, const QByteArray &to)
{
    if (renameat2(fromFolder, from.constData(), toFolder, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    if (linkat(fromFolder, from.constData(), toFolder, to.constData(), 0) == 0) {
        unlinkat(fromFolder, from.constData(), 0);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    // Neither (a file system without links): the name is looked at first.
    if (Exists(toFolder, to)) {
        errno = EEXIST;
        return -1;
    }
    return renameat(fromFolder, from.constData(), toFolder, to.constData());
}

// The clock's own temporaries: ".tockara-" and a random part, then what
// they are. A file being written (".part"), the folder 7-Zip unpacks into
// (".work") and the record of where an extraction put those (".journal").
// Each is locked by whoever is using it, so a stale one is one nobody holds.
constexpr char kTemporaryPrefix[] = ".tockara-";
constexpr char kPartSuffix[] = ".part";
constexpr char kWorkSuffix[] = ".work";
constexpr char kJournalSuffix[] = ".journal";
// A journal records a folder or two per folder of the archive.
constexpr qint64 kJournalMost = qint64(4) << 20;

QByteArray TemporaryName(const char *suffix)
{
    return kTemporaryPrefix + QByteArray::number(QRandomGenerator::global()->generate64(), 36) + suffix;
}

bool IsTemporaryName(const QByteArray &name, const char *suffix)
{
    return name.size() > qsizetype(strlen(kTemporaryPrefix) + strlen(suffix)) && name.startsWith(kTemporaryPrefix)
           && name.endsWith(suffix);
}

// Opens name in folder when it is a file or folder (as asked) of this user
// that nobody holds, and holds it: the descriptor, or -1.
int OpenUnheld(int folder, const char *name, bool isFolder)
{
    const int flags = O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | (isFolder ? O_DIRECTORY : 0);
    UniqueFd fd(openat(folder, name, flags));
    struct stat status;
    if (fd.get() < 0 || fstat(fd.get(), &status) != 0 || status.st_uid != getuid()
        || (isFolder ? !S_ISDIR(status.st_mode) : !S_ISREG(status.st_mode)) || flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
        return -1;
    return fd.release();
}

// Removes name in folder with everything below it, never following a link.
void RemoveTree(int folder, const QByteArray &name)
{
    if (unlinkat(folder, name.constData(), 0) == 0 || (errno != EISDIR && errno != EPERM))
        return;
    const int fd = openat(folder, name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    DIR *dir = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!dir) {
        if (fd >= 0)
            ::close(fd);
        return;
    }
    while (const dirent *entry = readdir(dir)) {
        const QByteArray child(entry->d_name);
        if (child != "." && child != "..")
            RemoveTree(dirfd(dir), child);
    }
    closedir(dir);
    unlinkat(folder, name.constData(), AT_REMOVEDIR);
}

// Removes every folder below folder that holds nothing else, then says
// whether folder is empty now. Files are never removed.
bool RemoveEmptyFolders(int folder)
{
    const int listing = fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR *dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return false;
    }
    bool empty = true;
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name == "." || name == "..")
            continue;
        UniqueFd sub(openat(folder, name.constData(), kFolderFlags));
        if (sub.get() >= 0 && RemoveEmptyFolders(sub.get()) && unlinkat(folder, name.constData(), AT_REMOVEDIR) == 0)
            continue;
        empty = false;
    }
    closedir(dir);
    return empty;
}

// Opens the folder relative ("/"-separated) below base, never following a
// link and creating nothing; -1 when a part is missing, climbs or is no
// folder.
int OpenExistingFolder(int base, const QByteArray &relative)
{
    UniqueFd current(fcntl(base, F_DUPFD_CLOEXEC, 0));
    for (const QByteArray &part : relative.split('/')) {
        if (part.isEmpty())
            continue;
        if (part == "." || part == ".." || current.get() < 0)
            return -1;
        current = UniqueFd(openat(current.get(), part.constData(), kFolderFlags));
    }
    return current.release();
}

void SweepTemporaries(int folder, bool journals);

// Follows a stale journal (held) of folder: sweeps the folders it names, and
// removes the folder the extraction made when it holds nothing but empty
// folders.
void FollowJournal(int folder, int journal)
{
    struct stat status;
    if (fstat(journal, &status) != 0 || status.st_size > kJournalMost)
        return;
    const QByteArray text = ReadBytesAt(journal, 0, status.st_size).value_or(QByteArray());
    QList<QByteArray> made;
    for (const QByteArray &record : text.split('\0')) {
        const QByteArray path = record.mid(1);
        if (record.startsWith('T')) {
            const UniqueFd below(OpenExistingFolder(folder, path));
            if (below.get() >= 0)
                SweepTemporaries(below.get(), false);
        } else if (record.startsWith('M') && !path.isEmpty() && !path.contains('/') && path != "..") {
            made << path;
        }
    }
    for (const QByteArray &name : made) {
        const UniqueFd below(openat(folder, name.constData(), kFolderFlags));
        if (below.get() >= 0 && RemoveEmptyFolders(below.get()))
            unlinkat(folder, name.constData(), AT_REMOVEDIR);
    }
}

// Removes the clock's own temporaries in folder that nobody holds: files
// being written and 7-Zip's folders; with journals, also the journals of
// extractions into folder that ended without finishing, after following
// them.
void SweepTemporaries(int folder, bool journals)
{
    const int listing = fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR *dir = listing >= 0 ? fdopendir(listing) : nullptr;
    if (!dir) {
        if (listing >= 0)
            ::close(listing);
        return;
    }
    while (const dirent *entry = readdir(dir)) {
        const QByteArray name(entry->d_name);
        const bool work = IsTemporaryName(name, kWorkSuffix);
        const bool journal = journals && IsTemporaryName(name, kJournalSuffix);
        if (!work && !journal && !IsTemporaryName(name, kPartSuffix))
            continue;
        const UniqueFd held(OpenUnheld(folder, name.constData(), work));
        if (held.get() < 0)
            continue;
        if (journal)
            FollowJournal(folder, held.get());
        if (work)
            RemoveTree(folder, name);
        else
            unlinkat(folder, name.constData(), 0);
    }
    closedir(dir);
}

// The reserve kept free on a disk of total bytes: 1 % of it, at least
// 32 MiB and at most 1 GiB, and never more than a tenth of a small disk.
qint64 ReserveFor(qint64 total)
{
    const qint64 reserve = std::clamp<qint64>(total / 100, qint64(32) << 20, qint64(1) << 30);
    return std::min(reserve, total / 10);
}

qint64 RoomOn(int fd)
{
    struct statvfs disk;
    if (fstatvfs(fd, &disk) != 0)
        return -1;
    const qint64 free = qint64(disk.f_bavail) * qint64(disk.f_frsize);
    const qint64 total = qint64(disk.f_blocks) * qint64(disk.f_frsize);
    return std::max<qint64>(free - ReserveFor(total), 0);
}

} // namespace

QString VisiblePart(const QString &part)
{
    return part.startsWith(u'.') ? u'_' + part : part;
}

QString VisiblePath(const QString &relative)
{
    QStringList parts = relative.split(u'/');
    for (QString &part : parts)
        part = VisiblePart(part);
    return parts.join(u'/');
}

QString NumberedName(const QString &name, int n)
{
    const QString number = QStringLiteral(" (%1)").arg(n);
    // The extension is what follows the last dot, when something other
    // than dots comes before it.
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= 0 || name[dot - 1] == u'.')
        return name + number;
    return name.left(dot) + number + name.mid(dot);
}

mode_t ExtractedFileMode()
{
    // The umask can only be read by setting it; the kernel shows it to the
    // process itself, which leaves it alone for the other threads.
    static const mode_t mask = [] {
        const RegularFileBytes status = ReadRegularFile(QStringLiteral("/proc/self/status"), 1 << 16);
        if (status.read()) {
            for (const QByteArray &line : status.bytes.split('\n')) {
                bool ok = false;
                if (line.startsWith("Umask:")) {
                    const uint value = line.mid(6).trimmed().toUInt(&ok, 8);
                    if (ok)
                        return mode_t(value & 0777);
                }
            }
        }
        return mode_t(022);
    }();
    return 0666 & ~mask;
}

TargetFolder::TargetFolder(const QString &target, const ExtractionRules &rules)
    : rules_{rules.protectedPlaces.resolved(), rules.existing, rules.newFolder}
{
    if (target.isEmpty())
        return;
    if (rules_.newFolder)
        openNew(target);
    else
        open(target);
}

void TargetFolder::open(const QString &target)
{
    checked_ = rules_.protectedPlaces.checkFolder(target);
    if (checked_.covered) {
        failure_ = kArchiverRefused;
        return;
    }
    const QString &resolved = checked_.resolved;
    // The folder checked is the folder opened: walked from the root without
    // following a link (the resolved path holds none), the missing parts
    // made on the way.
    const QStringList parts = resolved.split(u'/', Qt::SkipEmptyParts);
    UniqueFd folder(::open("/", (parts.isEmpty() ? kFolderFlags : kWayFlags) & ~O_NOFOLLOW));
    for (qsizetype i = 0; i < parts.size() && folder.get() >= 0; ++i) {
        UniqueFd next;
        const int flags = i + 1 == parts.size() ? kFolderFlags : kWayFlags;
        if (const int opened = OpenFolderPart(folder.get(), QFile::encodeName(parts[i]), next, flags); opened != kArchiverOk) {
            failure_ = opened;
            return;
        }
        folder = std::move(next);
    }
    if (folder.get() < 0)
        return;
    path_ = resolved;
    fd_ = std::move(folder);
    // What an extraction into this folder that was killed left, here and
    // in the folders its journal names.
    SweepTemporaries(fd_.get(), true);
}

void TargetFolder::openNew(const QString &target)
{
    QString spelled = target;
    while (spelled.size() > 1 && spelled.endsWith(u'/'))
        spelled.chop(1);
    const qsizetype slash = spelled.lastIndexOf(u'/');
    const QString name = spelled.mid(slash + 1);
    if (name.isEmpty() || name == u"." || name == u"..")
        return;
    open(slash < 0 ? QStringLiteral(".") : slash == 0 ? QStringLiteral("/") : spelled.left(slash));
    if (!isOpen())
        return;
    parent_ = std::move(fd_);
    const FolderCheck parent = checked_;
    path_.clear();
    for (int n = 1; n < 1000; ++n) {
        const QString candidate = n == 1 ? name : NumberedName(name, n);
        FolderCheck check = rules_.protectedPlaces.checkEntry(parent, parent_.get(), candidate, true);
        if (check.covered)
            continue;
        const QByteArray encoded = QFile::encodeName(candidate);
        if (mkdirat(parent_.get(), encoded.constData(), 0777) != 0) {
            if (errno == EEXIST)
                continue;
            failure_ = WriteFailure(errno);
            return;
        }
        madeName_ = encoded;
        record('M', encoded);
        const int fd = openat(parent_.get(), encoded.constData(), kFolderFlags);
        if (fd >= 0) {
            fd_ = UniqueFd(fd);
            path_ = check.resolved;
            checked_ = std::move(check);
        }
        return;
    }
}

qint64 TargetFolder::freeBytes() const
{
    struct statvfs disk;
    if (fstatvfs(fd_.get(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

qint64 TargetFolder::roomBytes() const
{
    return RoomOn(fd_.get());
}

bool TargetFolder::roomFor(int file, qint64 growth) const
{
    // The disk is never filled: the reserve stays for the rest of the
    // system, whatever sizes the archive stated. Its room is looked at when
    // the first file starts to grow, then again whenever half the room seen
    // then (at most 16 MiB) has been written since, by any file of the
    // extraction: one look serves many small files.
    constexpr qint64 kMostBetweenLooks = qint64(16) << 20;
    if (room_ < 0 || grown_ + growth > std::min(room_ / 2, kMostBetweenLooks)) {
        room_ = RoomOn(file);
        grown_ = 0;
        if (room_ >= 0 && growth > room_)
            return false;
    }
    grown_ += growth;
    return true;
}

bool TargetFolder::isProtected(const QString &relative) const
{
    const QStringList parts = VisiblePath(relative).split(u'/', Qt::SkipEmptyParts);
    if (parts.isEmpty())
        return false;
    // An entry in a folder opened before (most entries: they come folder by
    // folder) is looked at by its own name only: the folder was checked
    // when it was opened, and it is written through that descriptor.
    const QString key = parts.first(parts.size() - 1).join(u'/');
    if (key.isEmpty() && root_)
        return rules_.protectedPlaces.checkEntry(checked_, root_->get(), parts.last(), true).covered;
    if (const auto at = folders_.find(key); at != folders_.end())
        return rules_.protectedPlaces.checkEntry(at->second.check, at->second.fd->get(), parts.last(), true).covered;
    // Otherwise walked as it stands, making nothing: a part not there yet
    // is checked by its name below its parent.
    FolderCheck current = checked_;
    UniqueFd folder(fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const bool leaf = i + 1 == parts.size();
        current = rules_.protectedPlaces.checkEntry(std::move(current), folder.get(), parts[i], leaf);
        if (current.covered)
            return true;
        if (!leaf)
            folder = UniqueFd(folder.get() < 0 ? -1 : openat(folder.get(), QFile::encodeName(parts[i]).constData(), kWayFlags));
    }
    return false;
}

EntryPath::EntryPath(const QString &relative) : relative(relative), visible(VisiblePath(relative))
{
    const qsizetype slash = visible.lastIndexOf(u'/');
    leaf = visible.mid(slash + 1);
    if (slash < 0)
        return;
    folderKey = visible.left(slash);
    if (folderKey.startsWith(u'/') || folderKey.endsWith(u'/') || folderKey.contains(QStringLiteral("//")))
        folderKey = FolderKey(folderKey);
}

int TargetFolder::openFolder(const QString &relative, SharedFd &folder, FolderCheck *check) const
{
    return openKeyed(FolderKey(relative), folder, check);
}

int TargetFolder::openFolder(const EntryPath &entry, SharedFd &folder, FolderCheck *check) const
{
    return openKeyed(entry.folderKey, folder, check);
}

int TargetFolder::openKeyed(const QString &key, SharedFd &folder, FolderCheck *check) const
{
    if (key.isEmpty()) {
        if (!root_)
            root_ = std::make_shared<const UniqueFd>(fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
        folder = root_;
        if (check)
            *check = checked_;
        return root_->get() >= 0 ? kArchiverOk : kArchiverWriteFailed;
    }
    // Each folder is opened once, from the one above it, and checked there
    // by its identity: entries come folder by folder, and a walk from the
    // target for each would cost a system call per part and entry.
    if (const auto at = folders_.find(key); at != folders_.end()) {
        folder = at->second.fd;
        if (check)
            *check = at->second.check;
        return kArchiverOk;
    }
    const qsizetype slash = key.lastIndexOf(u'/');
    SharedFd parent;
    FolderCheck parentCheck;
    if (const int opened = openKeyed(slash < 0 ? QString() : key.left(slash), parent, &parentCheck);
        opened != kArchiverOk)
        return opened;
    const QString name = key.mid(slash + 1);
    FolderCheck walked = rules_.protectedPlaces.checkEntry(std::move(parentCheck), parent->get(), name, false);
    if (walked.covered)
        return kArchiverRefused;
    UniqueFd next;
    if (const int opened = OpenFolderPart(parent->get(), QFile::encodeName(name), next); opened != kArchiverOk)
        return opened;
    if (folders_.size() >= kOpenFoldersMost)
        folders_.clear();  // the descriptors in use stay open with their users
    folder = std::make_shared<const UniqueFd>(std::move(next));
    if (check)
        *check = walked;
    folders_.emplace(key, OpenFolder{folder, std::move(walked)});
    return kArchiverOk;
}

int TargetFolder::makeFolder(const QString &relative) const
{
    SharedFd folder;
    const int made = openFolder(relative, folder);
    if (made == kArchiverOk)
        noteRename(relative + u'/', VisiblePath(relative) + u'/');
    return made;
}

void TargetFolder::noteRename(const QString &stored, const QString &written) const
{
    if (stored != written || shownNames_.contains(stored))
        renamed_.append({stored, written});
}

void TargetFolder::noteStoredName(const QString &relative, const QString &shown) const
{
    shownNames_.insert(relative, shown);
    shownNames_.insert(relative + u'/', shown.endsWith(u'/') ? shown : shown + u'/');
}

bool TargetFolder::isProtected(const EntryPath &entry) const
{
    // An entry in a folder opened before (most entries: they come folder by
    // folder) is looked at by its own name only, as in isProtected above.
    if (!entry.leaf.isEmpty()) {
        if (entry.folderKey.isEmpty() && root_)
            return rules_.protectedPlaces.checkEntry(checked_, root_->get(), entry.leaf, true).covered;
        if (const auto at = folders_.find(entry.folderKey); at != folders_.end())
            return rules_.protectedPlaces.checkEntry(at->second.check, at->second.fd->get(), entry.leaf, true).covered;
    }
    return isProtected(entry.visible);
}

int TargetFolder::place(int fromFolder, const QByteArray &from, const QString &relative) const
{
    return place(fromFolder, from, EntryPath(relative));
}

int TargetFolder::place(int fromFolder, const QByteArray &from, const EntryPath &entry) const
{
    return placeBy(entry, [&](int folder, const QByteArray &leaf, bool over) {
        return over ? renameat(fromFolder, from.constData(), folder, leaf.constData())
                    : RenameNoReplace(fromFolder, from, folder, leaf);
    });
}

int TargetFolder::placeUnnamed(int file, const EntryPath &entry) const
{
    return placeBy(entry, [&](int folder, const QByteArray &leaf, bool over) {
        const QByteArray self = OpenFilePath(file);
        if (!over)
            return linkat(AT_FDCWD, self.constData(), folder, leaf.constData(), AT_SYMLINK_FOLLOW);
        // A link never replaces a name: the file is linked under a name of
        // our own beside it, then renamed over it, so the name is never
        // missing. The lock tells a sweep meanwhile that it is in use.
        noteTemporaries(entry.folderKey, folder);
        flock(file, LOCK_EX | LOCK_NB);
        for (int attempt = 0; attempt < 100; ++attempt) {
            const QByteArray temporary = TemporaryName(kPartSuffix);
            if (linkat(AT_FDCWD, self.constData(), folder, temporary.constData(), AT_SYMLINK_FOLLOW) != 0) {
                if (errno == EEXIST)
                    continue;
                return -1;
            }
            if (renameat(folder, temporary.constData(), folder, leaf.constData()) == 0)
                return 0;
            const int error = errno;
            unlinkat(folder, temporary.constData(), 0);
            errno = error;
            return -1;
        }
        errno = EIO;
        return -1;
    });
}

// Gives a complete file its place: move(folder, leaf, over) names it leaf
// in folder, over an existing file when over, else failing with EEXIST
// when the name is taken (0, or -1 with errno).
template <typename Move>
int TargetFolder::placeBy(const EntryPath &entry, Move move) const
{
    if (isProtected(entry) || written_.contains(entry.visible))
        return kArchiverRefused;
    SharedFd folder;
    FolderCheck folderCheck;
    if (const int opened = openKeyed(entry.folderKey, folder, &folderCheck); opened != kArchiverOk)
        return opened;
    const QString &leafName = entry.leaf;
    const QString prefix = entry.visible.left(entry.visible.size() - leafName.size());
    const QByteArray leaf = QFile::encodeName(leafName);
    QString written = entry.visible;
    struct stat status;
    if (rules_.existing == ExistingName::Replace && Exists(folder->get(), leaf, &status)) {
        // A file or a link is replaced, never a folder: a rename over an
        // empty folder would succeed on some file systems, and one that is
        // not empty holds the user's files.
        if (S_ISDIR(status.st_mode))
            return kArchiverWriteFailed;
        if (move(folder->get(), leaf, true) != 0)
            return WriteFailure(errno);
        replaced_ << entry.visible;
    } else if (move(folder->get(), leaf, false) != 0) {
        if (errno != EEXIST)
            return WriteFailure(errno);
        if (rules_.existing != ExistingName::KeepBoth)
            return kArchiverSkipped;  // Replace only meets a name taken meanwhile: left alone
        for (int n = 2;; ++n) {
            if (n >= 10000)
                return kArchiverWriteFailed;
            const QString numbered = NumberedName(leafName, n);
            written = prefix + numbered;
            if (written_.contains(written)
                || rules_.protectedPlaces.checkEntry(folderCheck, folder->get(), numbered, true).covered)
                continue;
            if (move(folder->get(), QFile::encodeName(numbered), false) == 0)
                break;
            if (errno != EEXIST)
                return WriteFailure(errno);
        }
    }
    written_.insert(written);
    noteRename(entry.relative, written);
    return kArchiverOk;
}

int TargetFolder::journalFolder() const
{
    return parent_.get() >= 0 ? parent_.get() : fd_.get();
}

void TargetFolder::record(char kind, const QByteArray &path) const
{
    if (journal_.get() < 0 && journalName_.isNull()) {
        // Made on the first record, held while the extraction runs.
        for (int attempt = 0; attempt < 100 && journal_.get() < 0; ++attempt) {
            const QByteArray name = TemporaryName(kJournalSuffix);
            const int fd = openat(journalFolder(), name.constData(),
                                  O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd < 0 && errno == EEXIST)
                continue;
            if (fd < 0)
                break;
            flock(fd, LOCK_EX | LOCK_NB);
            journal_ = UniqueFd(fd);
            journalName_ = name;
        }
        if (journalName_.isNull())
            journalName_ = "";  // none could be made: not tried again
    }
    if (journal_.get() < 0)
        return;
    const QByteArray line = kind + path + '\0';
    // One write: a record is whole or missing, never cut.
    [[maybe_unused]] const ssize_t written = ::write(journal_.get(), line.constData(), size_t(line.size()));
}

void TargetFolder::sweepOnce(const QString &visibleFolder, int folder) const
{
    if (swept_.contains(visibleFolder))
        return;
    swept_.insert(visibleFolder);
    // The target itself was swept when it was opened (or made new).
    if (!visibleFolder.isEmpty())
        SweepTemporaries(folder, false);
}

void TargetFolder::noteTemporaries(const QString &visibleFolder, int folder) const
{
    sweepOnce(visibleFolder, folder);
    if (temporariesIn_.contains(visibleFolder))
        return;
    temporariesIn_.insert(visibleFolder);
    QByteArray path = madeName_.isEmpty() ? QByteArray() : madeName_ + '/';
    record('T', path + QFile::encodeName(visibleFolder));
}

TargetFolder::~TargetFolder()
{
    if (journal_.get() >= 0)
        unlinkat(journalFolder(), journalName_.constData(), 0);
}

void TargetFolder::finish(ArchiverReport &report) const
{
    if (!isOpen())
        return;
    report.target = path_ + u'/';
    for (const auto &[stored, written] : renamed_) {
        const qsizetype at = report.extracted.indexOf(stored);
        if (at >= 0)
            report.extracted[at] = written;
    }
    for (const auto &[stored, written] : renamed_)
        report.renamed.append({shownNames_.value(stored, stored), written});
    report.replaced += replaced_;
    if (madeName_.isEmpty() || report.result == kArchiverOk || report.wroteFile())
        return;
    if (RemoveEmptyFolders(fd_.get()) && unlinkat(parent_.get(), madeName_.constData(), AT_REMOVEDIR) == 0) {
        report.removedTarget = true;
        report.extracted.clear();
        report.renamed.clear();
    }
}

EntryFile::EntryFile(const TargetFolder &target, const QString &relative)
    : target_(target), path_(relative)
{
    // The folders on the way are checked as they are opened; the name
    // itself when the complete file takes its place (TargetFolder::place),
    // the one moment it matters.
    result_ = target.openFolder(path_, folder_);
    if (result_ != kArchiverOk)
        return;
    // A file without a name in its folder: nothing of it shows before it
    // is complete and linked in, and nothing is left when the program ends
    // meanwhile, even killed.
    target.sweepOnce(path_.folderKey, folder_->get());
    if (target.triesUnnamed() && OpenFilesLinkable()) {
        const int fd = openat(folder_->get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            file_ = UniqueFd(fd);
            return;
        }
        // A file system without such files (or an older kernel): named
        // files from now on.
        if (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)
            target.noteUnnamedRefused();
    }
    target.noteTemporaries(path_.folderKey, folder_->get());
    // A name of our own beside the final one: the rename stays on one disk,
    // and a dot keeps it out of file managers' views meanwhile. The lock
    // tells a later sweep that the file is being written.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryName(kPartSuffix);
        const int fd = openat(folder_->get(), name.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            file_ = UniqueFd(fd);
            temporary_ = name;
            flock(fd, LOCK_EX | LOCK_NB);
            return;
        }
        if (errno != EEXIST) {
            result_ = WriteFailure(errno);
            return;
        }
    }
    result_ = kArchiverWriteFailed;
}

EntryFile::~EntryFile()
{
    if (!temporary_.isEmpty())
        unlinkat(folder_->get(), temporary_.constData(), 0);
    file_.close();
}

int EntryFile::write(const char *data, size_t size, qint64 offset)
{
    if (const qint64 growth = offset + qint64(size) - end_; growth > 0 && !roomFor(growth))
        return kArchiverDiskFull;
    while (size > 0) {
        const ssize_t written = pwrite(file_.get(), data, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)  // 0 cannot happen on a disk; taken as no room
            return written == 0 ? kArchiverDiskFull : WriteFailure(errno);
        data += written;
        size -= size_t(written);
        offset += written;
        end_ = std::max(end_, offset);
    }
    return kArchiverOk;
}

bool EntryFile::roomFor(qint64 growth)
{
    return target_.roomFor(file_.get(), growth);
}

int EntryFile::commit(qint64 expectedSize, time_t mtime)
{
    if (result_ != kArchiverOk)
        return result_;
    if (expectedSize >= 0 && end_ != expectedSize)
        return kArchiverDamaged;
    if (mtime >= 0) {
        const timespec times[2] = {{0, UTIME_OMIT}, {mtime, 0}};
        futimens(file_.get(), times);  // a time that cannot be set leaves the file whole
    }
    // A file system that writes late (network, FUSE) reports the failure
    // when a descriptor of the file is closed. A file without a name is
    // linked while open: a copy of its descriptor is closed first.
    errno = 0;
    if (temporary_.isEmpty()) {
        if (!UniqueFd(fcntl(file_.get(), F_DUPFD_CLOEXEC, 0)).close())
            return WriteFailure(errno);
        const int placed = target_.placeUnnamed(file_.get(), path_);
        file_.close();
        return placed;
    }
    if (!file_.close())
        return WriteFailure(errno);
    const int placed = target_.place(folder_->get(), temporary_, path_);
    if (placed == kArchiverOk)
        temporary_.clear();
    return placed;
}

int PlaceFile(const TargetFolder &target, const QByteArray &source, const QString &relative)
{
    {
        const UniqueFd file(OpenRegularDescriptorAt(AT_FDCWD, source.constData(), false));
        if (file.get() < 0)
            return kArchiverRefused;
        if (fchmod(file.get(), ExtractedFileMode()) != 0)
            return kArchiverWriteFailed;
    }
    return target.place(AT_FDCWD, source, relative);
}

WorkFolder::WorkFolder(const TargetFolder &target) : target_(target)
{
    target.noteTemporaries(QString(), target.descriptor());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = TemporaryName(kWorkSuffix);
        if (mkdirat(target.descriptor(), name.constData(), 0700) != 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        name_ = name;
        held_ = UniqueFd(openat(target.descriptor(), name.constData(), kFolderFlags));
        if (held_.get() >= 0)
            flock(held_.get(), LOCK_EX | LOCK_NB);
        return;
    }
}

WorkFolder::~WorkFolder()
{
    if (!name_.isEmpty())
        RemoveTree(target_.descriptor(), name_);
}

QByteArray WorkFolder::path() const
{
    return held_.get() < 0 ? QByteArray() : QFile::encodeName(target_.path()) + '/' + name_;
}
