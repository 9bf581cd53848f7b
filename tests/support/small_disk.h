#pragma once
#include <QDir>
#include <QProcess>
#include <QString>

// A small disk of its own: a tmpfs of the given size mounted on folder while
// the object lives. Mounting needs root; mounted() tells whether it worked,
// and a test without it skips.
class SmallDisk {
public:
    SmallDisk(const QString &folder, int megabytes) : folder_(folder)
    {
        QDir().mkpath(folder);
        QProcess mount;
        mount.setProcessChannelMode(QProcess::ForwardedOutputChannel);  // its complaint is noise
        mount.start("mount", {"-t", "tmpfs", "-o", QString("size=%1m").arg(megabytes), "tmpfs", folder});
        mounted_ = mount.waitForFinished() && mount.exitStatus() == QProcess::NormalExit && mount.exitCode() == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            QProcess::execute("umount", {folder_});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;
    bool mounted() const { return mounted_; }

private:
    QString folder_;
    bool mounted_ = false;
};
