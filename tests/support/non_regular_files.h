#pragma once
// Things that are no regular files, made in a test's folder under a given
// name: a FIFO, a socket, a device (a link to /dev/null, as a user can make
// one anywhere), a folder, and a link to a FIFO.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <QFile>
#include <QList>

#include "support/temp_folder.h"

struct NonRegularFile {
    const char *what;
    QString path;
};

inline QList<NonRegularFile> MakeNonRegularFiles(const TempFolder &folder, const QString &name)
{
    QList<NonRegularFile> made;
    const auto path = [&](const char *what) { return folder.file(QString::fromLatin1(what) + "-" + name); };

    const QString fifo = path("fifo");
    if (::mkfifo(QFile::encodeName(fifo).constData(), 0600) == 0)
        made.append({"FIFO", fifo});

    const QString socketPath = path("socket");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray encoded = QFile::encodeName(socketPath);
    if (fd >= 0 && size_t(encoded.size()) < sizeof address.sun_path) {
        std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
        if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0)
            made.append({"socket", socketPath});
    }
    if (fd >= 0)
        ::close(fd);

    const QString device = path("device");
    if (QFile::link("/dev/null", device))
        made.append({"device", device});

    const QString folderPath = path("folder");
    if (QDir().mkpath(folderPath))
        made.append({"folder", folderPath});

    const QString link = path("link");
    if (QFile::link(fifo, link))
        made.append({"link to a FIFO", link});
    return made;
}
