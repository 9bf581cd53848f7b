#include "platform/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QMimeDatabase>

namespace {

FileKind KindOfStatus(const struct stat &info)
{
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::NotRegular;
}

FileKind KindOfError(int error)
{
    return (error == ENOENT || error == ENOTDIR) ? FileKind::Missing : FileKind::Unreadable;
}

// A descriptor of the regular file name in folder, or -1. Opened without
// waiting (O_NONBLOCK) and checked on the descriptor; a name that is no
// regular file at first look is not opened at all, so no device sees an open.
int OpenDescriptor(int folder, const char *name, bool followLinks, FileKind &kind, struct stat &info)
{
    struct stat first {};
    if (::fstatat(folder, name, &first, followLinks ? 0 : AT_SYMLINK_NOFOLLOW) != 0) {
        kind = KindOfError(errno);
        return -1;
    }
    kind = KindOfStatus(first);
    if (kind != FileKind::Regular)
        return -1;
    const int fd = ::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (followLinks ? 0 : O_NOFOLLOW));
    if (fd < 0) {
        // A link put in the name's place meanwhile (ELOOP) is no regular file.
        kind = errno == ELOOP ? FileKind::NotRegular : KindOfError(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || KindOfStatus(info) != FileKind::Regular) {
        kind = FileKind::NotRegular;
        ::close(fd);
        return -1;
    }
    // Reads of a regular file never wait; the flag is dropped all the same,
    // so the descriptor behaves as one opened the usual way.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

} // namespace

int OpenRegularDescriptorAt(int folder, const char *name, bool followLinks, FileKind *kind, struct stat *info)
{
    FileKind found = FileKind::Missing;
    struct stat status {};
    const int fd = OpenDescriptor(folder, name, followLinks, found, status);
    if (kind)
        *kind = found;
    if (info)
        *info = status;
    if (fd < 0 && found == FileKind::NotRegular)
        errno = ENXIO;
    return fd;
}

int OpenRegularDescriptor(const QString &path, FileKind *kind, struct stat *info)
{
    if (path.isEmpty()) {
        if (kind)
            *kind = FileKind::Missing;
        errno = ENOENT;
        return -1;
    }
    return OpenRegularDescriptorAt(AT_FDCWD, QFile::encodeName(path).constData(), true, kind, info);
}

FileKind KindOfFile(const QString &path)
{
    if (path.isEmpty())
        return FileKind::Missing;
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return KindOfError(errno);
    return KindOfStatus(info);
}

std::unique_ptr<QFile> OpenRegularFile(const QString &path, FileKind *kind, struct stat *info)
{
    FileKind found = FileKind::Missing;
    const int fd = OpenRegularDescriptor(path, &found, info);
    if (kind)
        *kind = found;
    if (fd < 0)
        return nullptr;
    // A file opened on a descriptor has no name: the picture reader tells
    // the format by the content, as it does for a name it cannot go by.
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (kind)
            *kind = FileKind::Unreadable;
        return nullptr;
    }
    return file;
}

RegularFileBytes ReadRegularFile(const QString &path, qint64 maxBytes)
{
    RegularFileBytes result;
    const int fd = OpenRegularDescriptor(path, &result.kind, &result.info);
    if (fd < 0)
        return result;
    // The size of the file as opened; one byte more is asked for, so a file
    // that grew since is seen to be too large without reading it whole.
    if (result.info.st_size > maxBytes) {
        result.tooLarge = true;
        ::close(fd);
        return result;
    }
    QByteArray bytes(qsizetype(result.info.st_size) + 1, Qt::Uninitialized);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result.kind = FileKind::Unreadable;
            ::close(fd);
            return result;
        }
        if (got == 0)
            break;
        done += got;
        if (done > maxBytes) {
            result.tooLarge = true;
            ::close(fd);
            return result;
        }
        if (done == bytes.size())
            bytes.resize(bytes.size() + 4096);
    }
    ::close(fd);
    bytes.resize(done);
    result.bytes = std::move(bytes);
    return result;
}

QMimeType MimeTypeOfFile(const QString &path)
{
    const QMimeDatabase types;
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode))
        return types.mimeTypeForName(QStringLiteral("inode/directory"));
    if (const std::unique_ptr<QFile> file = OpenRegularFile(path))
        return types.mimeTypeForFileNameAndData(path, file.get());
    return types.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
}

QString NotRegularFileMessage(const QString &path)
{
    return QStringLiteral("通常のファイルではない（パイプや装置などの）ため、読み込めません。\n")
        + QDir::toNativeSeparators(path);
}
