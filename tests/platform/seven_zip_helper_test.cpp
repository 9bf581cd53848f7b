// 7-Zip, the helper program of the ARJ component: it reads the archive the
// clock checked, whatever is put in the archive's place afterwards; it is
// stopped and told as a failure when it does not finish in time; and it
// ends with the clock.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDirIterator>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/seven_zip_archiver.h"
#include "support/archive_bytes.h"
#include "support/temp_folder.h"

namespace {

using namespace std::chrono_literals;

// A stand-in for 7-Zip: the shell script body, run with 7-Zip's arguments.
QString FakeSevenZip(const TempFolder &folder, const QString &name, const QByteArray &body)
{
    const QString path = folder.writeBytes(name, "#!/bin/sh\n" + body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

std::shared_ptr<const ProgramSearch> NoSearch()
{
    return std::make_shared<ProgramSearch>();
}

// The processes whose parent is pid.
QList<pid_t> ChildrenOf(pid_t pid)
{
    QList<pid_t> children;
    QDirIterator it("/proc", QDir::Dirs | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        bool number = false;
        const pid_t candidate = it.fileName().toInt(&number);
        QFile stat(it.filePath() + "/stat");
        if (!number || !stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toInt() == pid)
            children << candidate;
    }
    return children;
}

bool Running(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    return line.mid(line.lastIndexOf(')') + 2, 1) != "Z";
}

class SevenZipHelper : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const QString &name : SevenZipPrograms())
            if (sevenZip.isEmpty())
                sevenZip = QStandardPaths::findExecutable(name);
        if (sevenZip.isEmpty())
            GTEST_SKIP() << "7-Zip is not installed (scripts/install-deps.sh installs it)";
        archive = folder.writeBytes("dl/data.arj", ArjBytes({{"a.txt", "checked"}, {"sub/b.txt", "content"}}));
    }

    TempFolder folder;
    QString sevenZip;
    QString archive;
};

TEST_F(SevenZipHelper, ReadsTheArchiveTheClockCheckedWhateverTakesItsPlace)
{
    const QString other = folder.writeBytes("other.arj", ArjBytes({{"planted.txt", "planted"}}));
    const struct {
        const char *what;
        QString swap;  // shell commands run before 7-Zip, with $A the archive's path
    } cases[] = {
        {"a pipe", "rm -f \"$A\"; mkfifo \"$A\""},
        {"a link to an endless device", "rm -f \"$A\"; ln -s /dev/zero \"$A\""},
        {"another archive", "cp \"" + other + "\" \"$A.new\"; mv \"$A.new\" \"$A\""},
        {"nothing", "rm -f \"$A\""},
        {"a folder", "rm -f \"$A\"; mkdir \"$A\""},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString dropped = folder.writeBytes(QStringLiteral("dl/%1.arj").arg(++n), folder.readBytes("dl/data.arj"));
        // The archive is swapped at each start of 7-Zip: after the clock's
        // check, before 7-Zip opens anything.
        const QString fake = FakeSevenZip(folder, QStringLiteral("7zz-%1").arg(n),
                                          "A='" + QFile::encodeName(dropped) + "'\n" + c.swap.toUtf8() + "\nexec '"
                                              + QFile::encodeName(sevenZip) + "' \"$@\"");
        const SevenZipArchiver archiver({fake}, NoSearch(), 10s);
        QElapsedTimer timer;
        timer.start();
        const ArchiverReport report = archiver.extract(dropped, folder.file(QStringLiteral("out%1").arg(n)), {}, {});
        EXPECT_LT(timer.elapsed(), 10000) << "7-Zip never waits for a writer";
        EXPECT_EQ(report.result, kArchiverOk);
        EXPECT_EQ(report.extracted, (QStringList{"a.txt", "sub/b.txt"}));
        EXPECT_EQ(folder.readBytes(QStringLiteral("out%1/a.txt").arg(n)), "checked");
        EXPECT_FALSE(QFileInfo::exists(folder.file(QStringLiteral("out%1/planted.txt").arg(n))));
    }
}

TEST_F(SevenZipHelper, OneThatDoesNotFinishInTimeIsStoppedAndToldAsAFailure)
{
    const QByteArray real = "'" + QFile::encodeName(sevenZip) + "'";
    const struct {
        const char *what;
        QByteArray body;
        QStringList notReached;
    } cases[] = {
        {"listing never ends", "exec sleep 300", {}},
        {"unpacking never ends", "[ \"$1\" = l ] && exec " + real + " \"$@\"\nexec sleep 300", {"a.txt", "sub/b.txt"}},
        {"unpacks a part, then hangs ignoring signals but the last",
         "[ \"$1\" = l ] && exec " + real + " \"$@\"\ntrap '' TERM INT HUP\nmkdir -p out; echo part > out/a.txt\n"
         "while :; do sleep 1; done",
         {"a.txt", "sub/b.txt"}},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const SevenZipArchiver archiver({FakeSevenZip(folder, QStringLiteral("slow-%1").arg(++n), c.body)}, NoSearch(), 1s);
        const QString out = folder.file(QStringLiteral("slow%1").arg(n));
        QElapsedTimer timer;
        timer.start();
        const ArchiverReport report = archiver.extract(archive, out, {}, {});
        EXPECT_LT(timer.elapsed(), 8000);
        EXPECT_EQ(report.result, kArchiverTimedOut);
        QStringList notReached;
        for (const ArchiverReport::Entry &entry : report.notExtracted) {
            EXPECT_EQ(entry.result, kArchiverNotReached);
            notReached << entry.name;
        }
        EXPECT_EQ(notReached, c.notReached);
        EXPECT_EQ(FolderTree(out), QStringList()) << "nothing of it is left, its own folder neither";
        EXPECT_TRUE(ChildrenOf(getpid()).isEmpty()) << "the helper was ended";
    }
}

// The clock killed while 7-Zip unpacks: 7-Zip ends too, and leaves nothing
// running that would go on filling the disk.
TEST_F(SevenZipHelper, EndsWithTheClock)
{
    const QString fake = FakeSevenZip(folder, "7zz-slow",
                                      "[ \"$1\" = l ] && exec '" + QFile::encodeName(sevenZip)
                                          + "' \"$@\"\nexec sleep 300");
    const QString out = folder.file("out");
    const pid_t clock = fork();
    ASSERT_GE(clock, 0);
    if (clock == 0) {
        const SevenZipArchiver archiver({fake}, NoSearch(), 600s);
        archiver.extract(archive, out, {}, {});
        _exit(0);
    }
    // Its unpacking 7-Zip (a sleep in its place) is the clock's child.
    pid_t unpacking = 0;
    QElapsedTimer timer;
    timer.start();
    while (!unpacking && timer.elapsed() < 10000) {
        for (const pid_t child : ChildrenOf(clock)) {
            QFile command(QStringLiteral("/proc/%1/cmdline").arg(child));
            if (command.open(QIODevice::ReadOnly) && command.readAll().startsWith("sleep"))
                unpacking = child;
        }
        QTest::qWait(20);
    }
    kill(clock, SIGKILL);
    int status = 0;
    waitpid(clock, &status, 0);
    ASSERT_NE(unpacking, 0) << "7-Zip did not start";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Running(unpacking); }, 5000)) << "7-Zip runs on without the clock";
    if (Running(unpacking))
        kill(unpacking, SIGKILL);
}

} // namespace
