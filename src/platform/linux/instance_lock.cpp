#include "platform/instance_lock.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "platform/linux/linux_services.h"

namespace {

// The lock is the folder itself, locked with flock: every spelling of the
// folder (symbolic links, "..", another DISPLAY or runtime folder) names the
// same inode, it needs no write access, and the kernel drops it when the
// clock's process ends, however it ends. The descriptor is closed on exec,
// so a program the clock starts never keeps the lock after the clock ended.
//
// Where the folder's file system cannot lock it (some network file systems),
// a file of the user's runtime folder named after the folder's real path
// stands in.
class FolderInstanceLock : public InstanceLock {
public:
    explicit FolderInstanceLock(QString folder) : folder_(std::move(folder)) {}
    ~FolderInstanceLock() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    bool tryLock() override
    {
        if (fd_ >= 0)
            return true;
        switch (lockOpened(::open(QFile::encodeName(folder_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))) {
        case Result::Locked: return true;
        case Result::Held: return false;
        case Result::Unsupported: break;
        }
        return lockOpened(::open(QFile::encodeName(standInPath()).constData(),
                                 O_RDWR | O_CREAT | O_CLOEXEC, 0600))
            != Result::Held;
    }

private:
    enum class Result { Locked, Held, Unsupported };

    // Locks fd and keeps it when that succeeded; closes it otherwise.
    Result lockOpened(int fd)
    {
        if (fd < 0)
            return Result::Unsupported;
        int rc;
        do
            rc = ::flock(fd, LOCK_EX | LOCK_NB);
        while (rc != 0 && errno == EINTR);
        if (rc == 0) {
            fd_ = fd;
            return Result::Locked;
        }
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        return held ? Result::Held : Result::Unsupported;
    }

    QString standInPath() const
    {
        QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (runtime.isEmpty())
            runtime = QDir::tempPath();
        QString real = QFileInfo(folder_).canonicalFilePath();
        if (real.isEmpty())
            real = QDir::cleanPath(QFileInfo(folder_).absoluteFilePath());
        const QByteArray key = QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha256).toHex();
        return runtime + "/tockara-" + QString::fromLatin1(key.left(32)) + ".lock";
    }

    QString folder_;
    int fd_ = -1;
};

} // namespace

std::unique_ptr<InstanceLock> MakeLinuxInstanceLock(const QString &programFolder)
{
    return std::make_unique<FolderInstanceLock>(programFolder);
}
