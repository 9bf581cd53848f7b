#include "platform/regular_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include <QDir>

namespace {

FileKind KindOfStatus(const struct stat &info)
{
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::NotRegular;
}

FileKind KindOfError(int error)
{
    return (error == ENOENT || error == ENOTDIR) ? FileKind::Missing : FileKind::Unreadable;
}

// A descriptor of the regular file at path, or -1. Opened without waiting
// (O_NONBLOCK) and checked on the descriptor; a name that is no regular file
// at first look is not opened at all, so no device sees an open.
int OpenRegularDescriptor(const QString &path, FileKind &kind, struct stat &info)
{
    kind = KindOfFile(path);
    if (kind != FileKind::Regular)
        return -1;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        kind = KindOfError(errno);
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
    struct stat status {};
    const int fd = OpenRegularDescriptor(path, found, status);
    if (kind)
        *kind = found;
    if (info)
        *info = status;
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
    const int fd = OpenRegularDescriptor(path, result.kind, result.info);
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

QString NotRegularFileMessage(const QString &path)
{
    return QStringLiteral("通常のファイルではない（パイプや装置などの）ため、読み込めません。\n")
        + QDir::toNativeSeparators(path);
}
