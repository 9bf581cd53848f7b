#include "settings/profile_cache.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRandomGenerator>

#include "platform/regular_file.h"
#include "settings/profile.h"

// A cached file is trusted while its identity on disk (device, inode, size,
// modification and change times) is the one seen when it was read. File
// times are only as fine as the clock that stamps them, so a file changed
// again within that grain after it was read would keep its stamp: while its
// modification time is that recent, the bytes are read again and compared.
namespace {

constexpr qint64 kNsPerSecond = 1'000'000'000;
// How long a fresh modification time is not proof of an unchanged file: the
// file system's clock grain (a timer tick on local file systems), or two
// seconds on file systems that keep whole seconds only.
constexpr qint64 kFineGrainNs = 50'000'000;
constexpr qint64 kCoarseGrainNs = 2 * kNsPerSecond;
// Files kept parsed; the least recently used is dropped beyond this.
constexpr int kCacheCapacity = 16;

struct DiskStamp {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const DiskStamp &) const = default;
};

enum class DiskState { Missing, Unreadable, Present };

qint64 Nanoseconds(const timespec &time)
{
    return qint64(time.tv_sec) * kNsPerSecond + time.tv_nsec;
}

qint64 NowNs()
{
    using namespace std::chrono;
    return duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
}

DiskStamp StampOf(const struct stat &info)
{
    return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim), Nanoseconds(info.st_ctim)};
}

DiskState StatFile(const QString &path, DiskStamp &stamp)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? DiskState::Missing : DiskState::Unreadable;
    // A folder, a pipe or a device is not a profile file (and a pipe would
    // block); a file above the limit is not read at all.
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxProfileFileBytes)
        return DiskState::Unreadable;
    stamp = StampOf(info);
    return DiskState::Present;
}

// The file's bytes and the stamp of the file they were read from; false for a
// file that is no regular file (it is never opened in a way that waits), that
// cannot be read, or that is above the limit (nothing of it is read).
bool ReadBytes(const QString &path, QByteArray &bytes, DiskStamp &stamp)
{
    RegularFileBytes file = ReadRegularFile(path, kMaxProfileFileBytes);
    if (!file.read())
        return false;
    bytes = std::move(file.bytes);
    stamp = StampOf(file.info);
    return true;
}

// Whether the stamp alone proves the file unchanged since the moment checkedNs.
bool StampIsProof(const DiskStamp &stamp, qint64 checkedNs)
{
    const qint64 grain = (stamp.modifiedNs % kNsPerSecond == 0) ? kCoarseGrainNs : kFineGrainNs;
    return stamp.modifiedNs + grain < checkedNs;
}

struct Entry {
    DiskStamp stamp;
    std::shared_ptr<const ProfileFile> file;
    size_t contentHash = 0;
    qsizetype contentSize = 0;
    bool stampIsProof = false;
    quint64 lastUse = 0;
};

class Cache {
public:
    // The parsed file at path; state tells why there is none.
    std::shared_ptr<const ProfileFile> load(const QString &path, DiskState &state);
    void store(const QString &path, const QByteArray &bytes);

    QMutex mutex;

private:
    std::shared_ptr<const ProfileFile> parseInto(const QString &path, const DiskStamp &stamp,
                                                 const QByteArray &bytes, qint64 checkedNs);

    QHash<QString, Entry> entries_;
    quint64 uses_ = 0;
};

std::shared_ptr<const ProfileFile> Cache::load(const QString &path, DiskState &state)
{
    const qint64 checkedNs = NowNs();
    DiskStamp stamp;
    state = StatFile(path, stamp);
    if (state != DiskState::Present) {
        entries_.remove(path);
        return nullptr;
    }
    auto found = entries_.find(path);
    if (found != entries_.end() && found->stamp == stamp && found->stampIsProof) {
        found->lastUse = ++uses_;
        return found->file;
    }
    QByteArray bytes;
    if (!ReadBytes(path, bytes, stamp)) {
        entries_.remove(path);
        state = DiskState::Unreadable;
        return nullptr;
    }
    if (found != entries_.end() && found->stamp == stamp && found->contentSize == bytes.size()
        && found->contentHash == qHash(bytes)) {
        found->stampIsProof = StampIsProof(stamp, checkedNs);
        found->lastUse = ++uses_;
        return found->file;
    }
    return parseInto(path, stamp, bytes, checkedNs);
}

void Cache::store(const QString &path, const QByteArray &bytes)
{
    DiskStamp stamp;
    if (StatFile(path, stamp) != DiskState::Present) {
        entries_.remove(path);
        return;
    }
    parseInto(path, stamp, bytes, NowNs());
}

std::shared_ptr<const ProfileFile> Cache::parseInto(const QString &path, const DiskStamp &stamp,
                                                    const QByteArray &bytes, qint64 checkedNs)
{
    if (!entries_.contains(path) && entries_.size() >= kCacheCapacity) {
        auto oldest = entries_.begin();
        for (auto it = entries_.begin(); it != entries_.end(); ++it) {
            if (it->lastUse < oldest->lastUse)
                oldest = it;
        }
        entries_.erase(oldest);
    }
    Entry &entry = entries_[path];
    entry.stamp = stamp;
    entry.file = std::make_shared<const ProfileFile>(ProfileFile::parse(bytes));
    entry.contentHash = qHash(bytes);
    entry.contentSize = bytes.size();
    entry.stampIsProof = StampIsProof(stamp, checkedNs);
    entry.lastUse = ++uses_;
    return entry.file;
}

Cache &TheCache()
{
    static Cache cache;
    return cache;
}

bool InGroup(gid_t group)
{
    if (group == ::getegid())
        return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(size_t(count), 0);
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, group) != groups.begin() + got;
}

// Whether the file's mode bits let the user running the program write it:
// the owner's bits for its owner, the group's for a member, the others' for
// everyone else. The superuser is held to the same bits: the system would let
// it write anything, and a file made read-only must stay as it is.
bool ModeLetsUserWrite(const struct stat &info)
{
    if (info.st_uid == ::geteuid())
        return info.st_mode & S_IWUSR;
    if (InGroup(info.st_gid))
        return info.st_mode & S_IWGRP;
    return info.st_mode & S_IWOTH;
}

bool WriteAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

// Gives the new file the old one's owner and group, or at least its group,
// as far as the user may; false when it stays the user's own.
bool KeepOwner(int fd, const struct stat &old)
{
    return ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, uid_t(-1), old.st_gid) == 0;
}

// The file a write to path changes: the target of a link (so the link stays).
QByteArray WriteTarget(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymLink())
        return QFile::encodeName(path);
    const QString target = info.canonicalFilePath();
    return QFile::encodeName(target.isEmpty() ? info.symLinkTarget() : target);
}

// A save writes the new file as "<file>.saving-<random letters and digits>"
// beside the file; RemoveUnfinishedSaves knows the same name.
const QByteArray kSavingMark = QByteArrayLiteral(".saving-");

// Makes a rename in the folder of file durable: the folder's entries are
// written out, so after a power cut the name leads to the new file, not to the
// old one or to nothing. A file system that cannot sync folders has nothing to
// write out; the rename itself has succeeded either way.
void SyncFolderOf(const QByteArray &file)
{
    const qsizetype slash = file.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : file.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes bytes to a new file in the same folder and renames it over path, so
// a reader or a crash sees either the old file or the new one, never a part.
// The replacement needs no right on the old file itself, so its mode bits are
// checked here; the new file takes its mode (and its owner and group as far
// as the user may give them). A new file gets 0666 less the umask.
bool ReplaceFile(const QString &path, const QByteArray &bytes)
{
    const QByteArray name = WriteTarget(path);
    struct stat old {};
    const bool exists = ::stat(name.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        return false;
    if (exists && (!S_ISREG(old.st_mode) || !ModeLetsUserWrite(old)
                   || ::faccessat(AT_FDCWD, name.constData(), W_OK, AT_EACCESS) != 0))
        return false;
    const mode_t mode = exists ? (old.st_mode & 07777) : 0666;

    // Created with at most the old file's rights, so its text is never
    // readable by more users than before, even for a moment.
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = name + kSavingMark + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    if (fd < 0)
        return false;
    bool ok = WriteAll(fd, bytes);
    if (ok && exists) {
        KeepOwner(fd, old);  // best effort: a user may not give files away
        ok = ::fchmod(fd, mode) == 0;
    }
    ok = ok && ::fdatasync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.constData(), name.constData()) == 0;
    if (!ok)
        ::unlink(temporary.constData());
    else
        SyncFolderOf(name);
    return ok;
}

} // namespace

std::shared_ptr<const ProfileFile> CachedProfile(const QString &path)
{
    Cache &cache = TheCache();
    QMutexLocker lock(&cache.mutex);
    DiskState state;
    return cache.load(path, state);
}

bool EditProfile(const QString &path, const std::function<bool(ProfileFile &)> &edit)
{
    Cache &cache = TheCache();
    QMutexLocker lock(&cache.mutex);
    DiskState state;
    const std::shared_ptr<const ProfileFile> current = cache.load(path, state);
    if (state == DiskState::Unreadable)
        return false;
    ProfileFile edited = current ? *current : ProfileFile::parse({});
    // Nothing to change: the file stays as it is, whatever its mode.
    if (!edit(edited))
        return true;
    const QByteArray bytes = edited.serialize();
    // A file the engine would refuse to read back is not written.
    if (bytes.size() > kMaxProfileFileBytes || !ReplaceFile(path, bytes))
        return false;
    // Parsed again from the bytes written, so the cache holds exactly what a
    // later read of the file would find.
    cache.store(path, bytes);
    return true;
}

int RemoveUnfinishedSaves(const QString &path)
{
    const QByteArray name = WriteTarget(path);
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : name.left(slash + 1);
    const QByteArray prefix = name.mid(slash + 1) + kSavingMark;
    int removed = 0;
    // Only names of the form the save makes: letters and digits of a 64-bit
    // number in base 36 after the mark, and only regular files of the user.
    for (const QString &entry : QDir(QFile::decodeName(folder)).entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray entryName = QFile::encodeName(entry);
        if (!entryName.startsWith(prefix))
            continue;
        const QByteArray suffix = entryName.mid(prefix.size());
        if (suffix.isEmpty() || suffix.size() > 13
            || !std::all_of(suffix.begin(), suffix.end(), [](char c) {
                   return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z');
               }))
            continue;
        const QByteArray full = folder + entryName;
        struct stat info {};
        if (::lstat(full.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid()
            && ::unlink(full.constData()) == 0)
            ++removed;
    }
    return removed;
}
