// The running clock's request channel: one fixed request from the user's own
// processes, per program folder; anything else is dropped unread.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QTest>
#include <cstring>

#include "platform/linux/clock_requests.h"
#include "support/environment_value.h"
#include "support/temp_folder.h"

namespace {

struct ClockRequestsTest : ::testing::Test {
    ClockRequestsTest()
    {
        QDir(folder.path()).mkpath("runtime");
        QFile::setPermissions(folder.file("runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder.path()).mkpath("program");
        QDir(folder.path()).mkpath("other");
    }
    // Requests heard within a short while.
    int heard(int &count) const
    {
        QTest::qWait(100);
        return count;
    }
    // Sends bytes as one datagram to the socket of programFolder.
    bool sendRaw(const QString &programFolder, const QByteArray &bytes) const
    {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(ClockRequestSocketPath(programFolder));
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        const int fd = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        const bool sent = ::sendto(fd, bytes.constData(), size_t(bytes.size()), 0,
                                   reinterpret_cast<const sockaddr *>(&address), sizeof address)
                          == bytes.size();
        ::close(fd);
        return sent;
    }

    TempFolder folder;
    EnvironmentValue runtime{"XDG_RUNTIME_DIR", QFile::encodeName(folder.file("runtime"))};
    const QString program = folder.file("program");
};

TEST_F(ClockRequestsTest, TheClockHearsTheMenuRequestOfItsOwnFolderOnly)
{
    EXPECT_FALSE(SendLinuxClockRequest(program, ClockRequest::OpenMenu)) << "no clock listens yet";
    int count = 0;
    auto listener = MakeLinuxRequestListener(program);
    ASSERT_TRUE(listener->listen([&](ClockRequest) { ++count; }));
    EXPECT_TRUE(SendLinuxClockRequest(program, ClockRequest::OpenMenu));
    EXPECT_TRUE(SendLinuxClockRequest(folder.file("other/../program"), ClockRequest::OpenMenu));
    EXPECT_FALSE(SendLinuxClockRequest(folder.file("other"), ClockRequest::OpenMenu));
    EXPECT_EQ(heard(count), 2);
    const QFile::Permissions socket = QFile::permissions(ClockRequestSocketPath(program));
    EXPECT_FALSE(socket & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));

    listener.reset();
    EXPECT_FALSE(QFile::exists(ClockRequestSocketPath(program))) << "the socket goes with its clock";
    EXPECT_FALSE(SendLinuxClockRequest(program, ClockRequest::OpenMenu));
}

// Another program of the user's could send anything: only the exact request counts.
TEST_F(ClockRequestsTest, AnythingButTheExactRequestIsDropped)
{
    int count = 0;
    auto listener = MakeLinuxRequestListener(program);
    ASSERT_TRUE(listener->listen([&](ClockRequest) { ++count; }));
    for (const QByteArray &bytes : {QByteArray(""), QByteArray("men"), QByteArray("menu\n"), QByteArray("MENU"),
                                    QByteArray("menumenu"), QByteArray(60000, 'm'), QByteArray("menu\0", 5)})
        sendRaw(program, bytes);
    EXPECT_EQ(heard(count), 0);
    ASSERT_TRUE(sendRaw(program, "menu"));
    EXPECT_EQ(heard(count), 1) << "the channel still answers after the junk";
}

// A clock that died left its socket; the next one takes its place.
TEST_F(ClockRequestsTest, ASocketLeftBehindIsReplaced)
{
    int count = 0;
    auto first = MakeLinuxRequestListener(program);
    ASSERT_TRUE(first->listen([](ClockRequest) {}));
    const QString path = ClockRequestSocketPath(program);
    first.reset();
    // What a killed clock leaves: a file by the socket's name.
    QFile stale(path);
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();
    auto second = MakeLinuxRequestListener(program);
    ASSERT_TRUE(second->listen([&](ClockRequest) { ++count; }));
    EXPECT_TRUE(SendLinuxClockRequest(program, ClockRequest::OpenMenu));
    EXPECT_EQ(heard(count), 1);
}

// A runtime folder others may enter gives no channel at all.
TEST_F(ClockRequestsTest, ARuntimeFolderOthersCanEnterGivesNoChannel)
{
    QDir(folder.path()).mkpath("runtime/tockara");
    QFile::setPermissions(folder.file("runtime/tockara"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                              | QFile::ReadOther | QFile::ExeOther);
    EXPECT_EQ(ClockRequestSocketPath(program), QString());
    EXPECT_FALSE(MakeLinuxRequestListener(program)->listen([](ClockRequest) {}));
    EXPECT_FALSE(SendLinuxClockRequest(program, ClockRequest::OpenMenu));
}

} // namespace
