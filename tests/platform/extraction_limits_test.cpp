// Where an extraction stops: a bomb, a full disk, the program ending, an
// archive that is no regular file. Each stop leaves the entry under way
// unwritten and the files already in the target as they were.
#include <gtest/gtest.h>

#include <limits>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDirIterator>
#include <QElapsedTimer>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"
#include "platform/linux/extraction_folder.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

namespace {

std::optional<ArchiverReport> ExtractZip(const QString &archive, const QString &target, std::stop_token stop = {})
{
    return MakeLinuxArchivers()->run("unzip32", {"-xs", archive, target + "/"}, stop);
}

TEST(ExtractionLimits, ABombIsRefusedBeforeWritingOrStoppedWhileWriting)
{
    TempFolder folder;
    const struct {
        const char *what;
        quint32 stated;
    } cases[] = {{"states its size", 64u << 20}, {"understates its size", 1024}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString out = folder.file(c.what);
        const std::optional<ArchiverReport> report = ExtractZip(folder.writeBytes("bomb.zip", ZipBombBytes(c.stated)), out);
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->result, kArchiverTooLarge);
        ASSERT_EQ(report->notExtracted.size(), 1);
        EXPECT_EQ(report->notExtracted[0].name, "zeros.bin");
        EXPECT_EQ(FolderTree(out), QStringList()) << "the cut entry is removed";
    }
}

TEST(ExtractionLimits, StatedSizesAddUpWithoutOverflow)
{
    constexpr qint64 most = std::numeric_limits<qint64>::max();
    const struct {
        QList<qint64> sizes;
        qint64 sum;
    } cases[] = {
        {{1, 2, 3}, 6},
        {{most, most}, most},
        {{most - 1, 1, 1}, most},
        {{-1, 5, std::numeric_limits<qint64>::min()}, 5},  // unknown sizes count as none
        {{}, 0},
    };
    for (const auto &c : cases) {
        qint64 sum = 0;
        for (const qint64 size : c.sizes)
            sum = SaturatingSum(sum, size);
        EXPECT_EQ(sum, c.sum);
        // A saturated total is still weighed: never taken as fitting.
        if (sum == most) {
            EXPECT_EQ(CheckStatedSize(sum, 1000, 1 << 30), kArchiverTooLarge);
            EXPECT_EQ(CheckStatedSize(sum, -1, 1 << 30), kArchiverDiskFull);
        }
    }
}

TEST(ExtractionLimits, AFullDiskStopsTheExtractionWhileAReserveIsFree)
{
    TempFolder folder;
    SmallDisk disk(folder.file("disk"), 16);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    folder.writeBytes("disk/big.bin", "original");
    const QByteArray data(40 << 20, 'b');
    const struct {
        const char *what;
        qint64 stated;
        QStringList extracted;
    } cases[] = {
        // The stated 40 MB do not fit: nothing is written.
        {"stated", -1, {}},
        // 40 MB stated as 10 bytes: the disk would fill while big.bin is written.
        {"understated", 10, {"small.txt"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QByteArray archive = ZipBytes(
            {{"small.txt", "small"}, {"big.bin", data, ArchiveItem::File, false, false, 0, c.stated}, {"after.txt", "after"}});
        const std::optional<ArchiverReport> report = ExtractZip(folder.writeBytes("big.zip", archive), folder.file("disk"));
        ASSERT_TRUE(report.has_value());
        EXPECT_EQ(report->result, kArchiverDiskFull);
        EXPECT_EQ(report->extracted, c.extracted);
        QStringList left = c.extracted;
        left << "big.bin";
        left.sort();
        EXPECT_EQ(FolderTree(folder.file("disk")), left);
        EXPECT_EQ(folder.readBytes("disk/big.bin"), "original");
        struct statvfs after;
        ASSERT_EQ(statvfs(QFile::encodeName(folder.file("disk")).constData(), &after), 0);
        EXPECT_GT(qint64(after.f_bavail) * qint64(after.f_frsize), qint64(1) << 20) << "a reserve stays free";
        QFile::remove(folder.file("disk/small.txt"));
    }
}

TEST(ExtractionLimits, TheEntryUnderWayIsRemovedWhenTheExtractionStops)
{
    TempFolder folder;
    folder.writeBytes("out/big.bin", "original");
    {
        const TargetFolder target(folder.file("out"));
        ASSERT_TRUE(target.isOpen());
        // An entry never committed: stopped before, while and after writing.
        for (const QByteArray &written : {QByteArray(), QByteArray(1 << 20, 'b')}) {
            EntryFile file(target, "big.bin");
            ASSERT_EQ(file.result(), kArchiverOk);
            ASSERT_EQ(file.write(written.constData(), size_t(written.size()), 0), kArchiverOk);
        }
    }
    EXPECT_EQ(FolderTree(folder.file("out")), QStringList{"big.bin"}) << "nor the journal of the extraction";
    EXPECT_EQ(folder.readBytes("out/big.bin"), "original");

    // A stop asked for before the extraction writes nothing.
    std::stop_source stop;
    stop.request_stop();
    const std::optional<ArchiverReport> report =
        ExtractZip(folder.writeBytes("a.zip", ZipBytes({{"first.txt", "1"}, {"big.bin", "new"}})), folder.file("out"),
                   stop.get_token());
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverCancelled);
    EXPECT_EQ(FolderTree(folder.file("out")), QStringList{"big.bin"});
}

TEST(ExtractionLimits, AStalePartialFileIsRemovedAtTheNextExtraction)
{
    TempFolder folder;
    // Left by an extraction that was killed, in the target and in a folder below it.
    folder.writeBytes("out/.tockara-abc123.part", QByteArray(1000, 'x'));
    folder.writeBytes("out/sub/.tockara-zz.part", "x");
    // Files of the user that only look alike are kept.
    folder.writeBytes("out/.tockara-notes.txt", "mine");
    folder.writeBytes("out/tockara-1.part", "mine");
    // One being written now (held by its writer) is kept.
    const int held = open(QFile::encodeName(folder.writeBytes("out/.tockara-held.part", "w")).constData(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    const std::optional<ArchiverReport> report =
        ExtractZip(folder.writeBytes("a.zip", ZipBytes({{"a.txt", "a"}, {"sub/b.txt", "b"}})), folder.file("out"));
    ::close(held);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverOk);
    EXPECT_EQ(FolderTree(folder.file("out")),
              (QStringList{".tockara-held.part", ".tockara-notes.txt", "a.txt", "sub", "sub/b.txt", "tockara-1.part"}));
}

TEST(ExtractionLimits, OnlyARegularFileIsReadAsAnArchive)
{
    TempFolder folder;
    const QString fifo = folder.file("pipe.zip");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = folder.file("s.zip");
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    qstrncpy(address.sun_path, QFile::encodeName(socketPath).constData(), sizeof address.sun_path);
    ASSERT_EQ(bind(socketFd, reinterpret_cast<sockaddr *>(&address), sizeof address), 0);
    QFile::link(fifo, folder.file("link-to-pipe.zip"));
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
    const struct {
        const char *library, *verb;
    } formats[] = {{"unzip32", "-xs"}, {"unlha32", "x"}, {"unarj32j", "x"}};
    for (const auto &format : formats) {
        for (const QString &path : {fifo, socketPath, folder.file("link-to-pipe.zip"), QStringLiteral("/dev/null")}) {
            SCOPED_TRACE(format.library + (" " + path.toStdString()));
            QElapsedTimer timer;
            timer.start();
            const std::optional<ArchiverReport> report =
                archivers->run(format.library, {format.verb, path, folder.file("out/")});
            if (!report)
                continue;  // 7-Zip is missing
            EXPECT_EQ(report->result, kArchiverNotAFile);
            EXPECT_LT(timer.elapsed(), 5000) << "never waits for a writer";
            EXPECT_FALSE(QFileInfo::exists(folder.file("out"))) << "no folder made for it";
        }
    }
    ::close(socketFd);
}

} // namespace
