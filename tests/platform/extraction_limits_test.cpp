// Where an extraction stops: a bomb, a full disk, the program ending. Each
// stop leaves the entry under way unwritten and the files already in the
// target as they were. Archives read from a pipe (as one dragged from a
// remote folder is) are weighed only while they are written.
#include <gtest/gtest.h>

#include <csignal>
#include <future>
#include <sys/stat.h>
#include <thread>

#include <QDirIterator>
#include <QTest>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

namespace {

// Writes bytes into a named pipe from a thread of its own: up to pauseAt,
// then the rest once resumed.
class PipeFeeder {
public:
    PipeFeeder(const QString &path, QByteArray bytes, qint64 pauseAt = -1)
    {
        // A reader that stops early closes the pipe: the writes fail instead
        // of ending the test program.
        std::signal(SIGPIPE, SIG_IGN);
        mkfifo(QFile::encodeName(path).constData(), 0600);
        thread_ = std::thread([this, path, bytes = std::move(bytes), pauseAt] {
            QFile pipe(path);
            if (!pipe.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                return;
            const qint64 first = pauseAt < 0 ? bytes.size() : pauseAt;
            pipe.write(bytes.constData(), first);
            resumed_.get_future().wait();
            pipe.write(bytes.constData() + first, bytes.size() - first);
        });
        if (pauseAt < 0)
            resume();
    }
    ~PipeFeeder()
    {
        resume();
        thread_.join();
    }
    void resume()
    {
        if (!resumedOnce_.exchange(true))
            resumed_.set_value();
    }

private:
    std::promise<void> resumed_;
    std::atomic<bool> resumedOnce_ = false;
    std::thread thread_;
};

std::optional<ArchiverReport> ExtractZip(const QString &archive, const QString &target, std::stop_token stop = {})
{
    return MakeLinuxArchivers()->run("unzip32", {"-xs", archive, target + "/"}, stop);
}

TEST(ExtractionLimits, ABombIsRefusedBeforeWritingOrStoppedWhileWriting)
{
    TempFolder folder;
    const QString file = folder.writeBytes("bomb.zip", ZipBombBytes());
    const std::optional<ArchiverReport> refused = ExtractZip(file, folder.file("out1"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->result, kArchiverTooLarge);
    ASSERT_EQ(refused->notExtracted.size(), 1);
    EXPECT_EQ(refused->notExtracted[0].name, "zeros.bin");
    EXPECT_EQ(FolderTree(folder.file("out1")), QStringList());

    // From a pipe the stated size cannot be weighed first.
    PipeFeeder feeder(folder.file("bomb-pipe.zip"), ZipBombBytes());
    const std::optional<ArchiverReport> stopped = ExtractZip(folder.file("bomb-pipe.zip"), folder.file("out2"));
    ASSERT_TRUE(stopped.has_value());
    EXPECT_EQ(stopped->result, kArchiverTooLarge);
    EXPECT_EQ(FolderTree(folder.file("out2")), QStringList()) << "the cut entry is removed";
}

TEST(ExtractionLimits, AFullDiskStopsTheExtractionAndLeavesNoCutFile)
{
    TempFolder folder;
    SmallDisk disk(folder.file("disk"), 16);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    folder.writeBytes("disk/big.bin", "original");
    const QByteArray archive =
        ZipBytes({{"small.txt", "small"}, {"big.bin", QByteArray(40 << 20, 'b')}, {"after.txt", "after"}});

    // From a file: the stated 40 MB do not fit, nothing is written.
    const std::optional<ArchiverReport> refused =
        ExtractZip(folder.writeBytes("big.zip", archive), folder.file("disk"));
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->result, kArchiverDiskFull);
    EXPECT_GT(refused->neededBytes, refused->freeBytes);
    EXPECT_EQ(refused->notExtracted.size(), 3);
    EXPECT_EQ(FolderTree(folder.file("disk")), QStringList{"big.bin"});

    // From a pipe: the disk fills while big.bin is written.
    PipeFeeder feeder(folder.file("big-pipe.zip"), archive);
    const std::optional<ArchiverReport> stopped = ExtractZip(folder.file("big-pipe.zip"), folder.file("disk"));
    ASSERT_TRUE(stopped.has_value());
    EXPECT_EQ(stopped->result, kArchiverDiskFull);
    EXPECT_EQ(stopped->extracted, QStringList{"small.txt"});
    ASSERT_FALSE(stopped->notExtracted.isEmpty());
    EXPECT_EQ(stopped->notExtracted[0].name, "big.bin");
    EXPECT_EQ(stopped->notExtracted[0].result, kArchiverDiskFull);
    EXPECT_EQ(FolderTree(folder.file("disk")), (QStringList{"big.bin", "small.txt"}));
    EXPECT_EQ(folder.readBytes("disk/big.bin"), "original");
}

TEST(ExtractionLimits, AStopRequestRemovesTheEntryUnderWay)
{
    TempFolder folder;
    folder.writeBytes("out/big.bin", "original");
    const QByteArray archive = ZipBytes({{"first.txt", "1"}, {"big.bin", QByteArray(4 << 20, 'b')}});
    PipeFeeder feeder(folder.file("slow.zip"), archive, 2 << 20);
    std::stop_source stop;
    auto running = std::async(std::launch::async, [&] {
        return ExtractZip(folder.file("slow.zip"), folder.file("out"), stop.get_token());
    });
    // The program ends while big.bin is half written.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !FolderTree(folder.file("out")).filter(".tockara-").isEmpty(); }, 5000));
    stop.request_stop();
    feeder.resume();
    const std::optional<ArchiverReport> report = running.get();
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->result, kArchiverCancelled);
    EXPECT_EQ(report->extracted, QStringList{"first.txt"});
    EXPECT_EQ(FolderTree(folder.file("out")), (QStringList{"big.bin", "first.txt"}));
    EXPECT_EQ(folder.readBytes("out/big.bin"), "original");
}

} // namespace
