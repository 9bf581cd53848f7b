#include "platform/linux/extraction_folder.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringList>

#include "platform/archivers.h"

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
    return error == ENOSPC || error == EDQUOT ? kArchiverDiskFull : kArchiverWriteFailed;
}

// Opens part inside parent, creating it when missing.
int OpenFolderPart(int parent, const QByteArray &part, UniqueFd &folder)
{
    constexpr int flags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
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

// The folder part and the file name of relative.
std::pair<QString, QByteArray> SplitLeaf(const QString &relative)
{
    const qsizetype slash = relative.lastIndexOf(u'/');
    return {slash < 0 ? QString() : relative.left(slash), QFile::encodeName(relative.mid(slash + 1))};
}

// Refuses to replace a folder with a file: a rename over an empty folder
// would succeed on some file systems, and one that is not empty holds the
// user's files.
bool FolderStandsAt(int folder, const QByteArray &leaf)
{
    struct stat status;
    return fstatat(folder, leaf.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
}

int RenameInto(int fromFolder, const QByteArray &from, int toFolder, const QByteArray &to)
{
    if (FolderStandsAt(toFolder, to))
        return kArchiverWriteFailed;
    return renameat(fromFolder, from.constData(), toFolder, to.constData()) == 0 ? kArchiverOk
                                                                                 : WriteFailure(errno);
}

} // namespace

TargetFolder::TargetFolder(const QString &target)
{
    if (target.isEmpty() || !QDir().mkpath(target))
        return;
    path_ = QFileInfo(target).canonicalFilePath();
    const int fd = open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        fd_ = UniqueFd(fd);
}

qint64 TargetFolder::freeBytes() const
{
    struct statvfs disk;
    if (fstatvfs(fd_.get(), &disk) != 0)
        return -1;
    return qint64(disk.f_bavail) * qint64(disk.f_frsize);
}

int TargetFolder::openFolder(const QString &relative, UniqueFd &folder) const
{
    UniqueFd current(fcntl(fd_.get(), F_DUPFD_CLOEXEC, 0));
    if (current.get() < 0)
        return kArchiverWriteFailed;
    for (const QString &part : relative.split(u'/', Qt::SkipEmptyParts)) {
        UniqueFd next;
        if (const int opened = OpenFolderPart(current.get(), QFile::encodeName(part), next); opened != kArchiverOk)
            return opened;
        current = std::move(next);
    }
    folder = std::move(current);
    return kArchiverOk;
}

EntryFile::EntryFile(const TargetFolder &target, const QString &relative, mode_t mode)
{
    const auto [folder, leaf] = SplitLeaf(relative);
    leaf_ = leaf;
    result_ = target.openFolder(folder, folder_);
    if (result_ != kArchiverOk)
        return;
    // A name of our own beside the final one: the rename stays on one disk,
    // and a dot keeps it out of file managers' views meanwhile.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = ".tockara-" + QByteArray::number(QRandomGenerator::global()->generate(), 36) + ".part";
        const int fd = openat(folder_.get(), name.constData(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode & 0777);
        if (fd >= 0) {
            file_ = UniqueFd(fd);
            temporary_ = name;
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
    file_.close();
    if (!temporary_.isEmpty())
        unlinkat(folder_.get(), temporary_.constData(), 0);
}

int EntryFile::write(const char *data, size_t size, qint64 offset)
{
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
    // A file system that writes late (network, FUSE) reports the failure here.
    errno = 0;
    if (!file_.close())
        return WriteFailure(errno);
    const int renamed = RenameInto(folder_.get(), temporary_, folder_.get(), leaf_);
    if (renamed == kArchiverOk)
        temporary_.clear();
    return renamed;
}

int PlaceFile(const TargetFolder &target, const QByteArray &source, const QString &relative)
{
    const auto [folderPart, leaf] = SplitLeaf(relative);
    UniqueFd folder;
    if (const int opened = target.openFolder(folderPart, folder); opened != kArchiverOk)
        return opened;
    return RenameInto(AT_FDCWD, source, folder.get(), leaf);
}
