#include "settings/profile_cache.h"

#include <cerrno>
#include <chrono>
#include <sys/stat.h>

#include <QFile>
#include <QHash>
#include <QMutex>
#include <QSaveFile>

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

DiskState StatFile(const QString &path, DiskStamp &stamp)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return (errno == ENOENT || errno == ENOTDIR) ? DiskState::Missing : DiskState::Unreadable;
    // A folder, a pipe or a device is not a profile file (and a pipe would block).
    if (!S_ISREG(info.st_mode))
        return DiskState::Unreadable;
    stamp = {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
             Nanoseconds(info.st_ctim)};
    return DiskState::Present;
}

bool ReadBytes(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
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
    if (!ReadBytes(path, bytes)) {
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

// Writes bytes to a new file in the same folder and renames it over path, so
// a reader or a crash sees either the old file or the new one, never a part.
bool ReplaceFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

std::shared_ptr<const ProfileFile> CachedProfile(const QString &path)
{
    Cache &cache = TheCache();
    QMutexLocker lock(&cache.mutex);
    DiskState state;
    return cache.load(path, state);
}

bool EditProfile(const QString &path, const std::function<void(ProfileFile &)> &edit)
{
    Cache &cache = TheCache();
    QMutexLocker lock(&cache.mutex);
    DiskState state;
    const std::shared_ptr<const ProfileFile> current = cache.load(path, state);
    if (state == DiskState::Unreadable)
        return false;
    ProfileFile edited = current ? *current : ProfileFile::parse({});
    edit(edited);
    const QByteArray bytes = edited.serialize();
    if (!ReplaceFile(path, bytes))
        return false;
    // Parsed again from the bytes written, so the cache holds exactly what a
    // later read of the file would find.
    cache.store(path, bytes);
    return true;
}
