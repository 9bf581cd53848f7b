#include "platform/instance_lock.h"

#include <memory>
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <QtGlobal>

#include "platform/linux/linux_services.h"

namespace {

// A lock file per user (the runtime folder is per user) and per display, so
// clocks on two X displays of one user do not exclude each other.
QString lockFilePath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QString display = qEnvironmentVariable("DISPLAY", "none");
    display.replace('/', '_');
    return folder + "/tockara-" + display + ".lock";
}

class FileInstanceLock : public InstanceLock {
public:
    FileInstanceLock() : lock_(lockFilePath()) { lock_.setStaleLockTime(0); }
    // QLockFile removes a lock whose owning process is gone, so a crashed
    // clock never blocks the next start.
    bool tryLock() override { return lock_.tryLock(0); }

private:
    QLockFile lock_;
};

} // namespace

std::unique_ptr<InstanceLock> MakeLinuxInstanceLock()
{
    return std::make_unique<FileInstanceLock>();
}
