#include "platform/linux/clock_requests.h"

#include <cerrno>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#include <QByteArray>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>

namespace {

// The one request there is, as it goes over the socket.
constexpr char kOpenMenu[] = "menu";
constexpr size_t kOpenMenuSize = sizeof(kOpenMenu) - 1;
// Datagrams taken per wake-up: a flood cannot keep the clock from ticking.
constexpr int kRequestsPerWake = 16;

QByteArray FolderKey(const QString &programFolder)
{
    QString real = QFileInfo(programFolder).canonicalFilePath();
    if (real.isEmpty())
        real = QDir::cleanPath(QFileInfo(programFolder).absoluteFilePath());
    return QCryptographicHash::hash(QFile::encodeName(real), QCryptographicHash::Sha256).toHex().left(32);
}

// The socket address of path; false when the path is too long for one.
bool AddressOf(const QByteArray &path, sockaddr_un &address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    return true;
}

// One datagram off the socket: whether it was the whole request, sent by a
// process of this user.
bool ReadRequest(int fd, bool &more)
{
    char bytes[kOpenMenuSize + 1];
    iovec part{bytes, sizeof bytes};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    msghdr message{};
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t size = ::recvmsg(fd, &message, MSG_DONTWAIT | MSG_CMSG_CLOEXEC);
    more = size >= 0 || errno == EINTR;
    if (size < 0 || (message.msg_flags & (MSG_TRUNC | MSG_CTRUNC)) != 0)
        return false;
    bool fromUser = false;
    for (cmsghdr *header = CMSG_FIRSTHDR(&message); header; header = CMSG_NXTHDR(&message, header)) {
        if (header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_CREDENTIALS) {
            ucred sender{};
            std::memcpy(&sender, CMSG_DATA(header), sizeof sender);
            fromUser = sender.uid == ::getuid();
        }
    }
    return fromUser && size_t(size) == kOpenMenuSize && std::memcmp(bytes, kOpenMenu, kOpenMenuSize) == 0;
}

// The bound socket and a notifier on it: the clock sleeps until a datagram
// comes, with no timer of its own.
class SocketRequestListener : public ClockRequestListener {
public:
    explicit SocketRequestListener(QByteArray path) : path_(std::move(path)) {}
    ~SocketRequestListener() override
    {
        delete notifier_;
        if (fd_ >= 0) {
            ::close(fd_);
            ::unlink(path_.constData());
        }
    }

    bool listen(std::function<void(ClockRequest)> onRequest) override
    {
        sockaddr_un address;
        if (fd_ >= 0 || !AddressOf(path_, address))
            return false;
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0)
            return false;
        const int on = 1;
        // The holder of the folder's lock owns the name: a socket left by a
        // clock that ended without removing it goes.
        ::unlink(path_.constData());
        if (::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) != 0
            || ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0) {
            ::close(fd);
            return false;
        }
        ::chmod(path_.constData(), 0600);
        fd_ = fd;
        onRequest_ = std::move(onRequest);
        notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { readRequests(); });
        return true;
    }

private:
    void readRequests()
    {
        bool more = true;
        for (int n = 0; more && n < kRequestsPerWake; ++n) {
            if (ReadRequest(fd_, more))
                // Handled once this wake-up is over: the handler may open a
                // menu, whose own event loop must not run inside this one.
                QMetaObject::invokeMethod(notifier_, [this] { onRequest_(ClockRequest::OpenMenu); },
                                          Qt::QueuedConnection);
        }
    }

    QByteArray path_;
    int fd_ = -1;
    QSocketNotifier *notifier_ = nullptr;
    std::function<void(ClockRequest)> onRequest_;
};

} // namespace

// The user's runtime folder and in it "tockara"; /tmp/tockara-<uid> where no
// runtime folder is set. Made 0700 when missing; refused unless it is a real
// folder of the user that no one else may enter.
QByteArray PrivateRuntimeFolder()
{
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray folder = runtime.isEmpty() ? "/tmp/tockara-" + QByteArray::number(::getuid())
                                                : runtime + "/tockara";
    if (::mkdir(folder.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat info {};
    if (::lstat(folder.constData(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid()
        || (info.st_mode & 0077) != 0)
        return {};
    return folder;
}

QString ClockRequestSocketPath(const QString &programFolder)
{
    const QByteArray folder = PrivateRuntimeFolder();
    if (folder.isEmpty())
        return {};
    return QFile::decodeName(folder + "/" + FolderKey(programFolder) + ".sock");
}

std::unique_ptr<ClockRequestListener> MakeLinuxRequestListener(const QString &programFolder)
{
    return std::make_unique<SocketRequestListener>(QFile::encodeName(ClockRequestSocketPath(programFolder)));
}

bool SendLinuxClockRequest(const QString &programFolder, ClockRequest)
{
    sockaddr_un address;
    if (!AddressOf(QFile::encodeName(ClockRequestSocketPath(programFolder)), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return false;
    ssize_t sent;
    do
        sent = ::sendto(fd, kOpenMenu, kOpenMenuSize, MSG_DONTWAIT | MSG_NOSIGNAL,
                        reinterpret_cast<const sockaddr *>(&address), sizeof address);
    while (sent < 0 && errno == EINTR);
    ::close(fd);
    return sent == ssize_t(kOpenMenuSize);
}
