// What an extraction killed on its way leaves (its files being written,
// 7-Zip's folder, the folder made for its archive), and the next extraction
// into the same extraction folder removes, in every mode and for every
// format; never what a running extraction holds, nor the user's files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QStandardPaths>

#include "platform/archivers.h"
#include "platform/linux/extraction_folder.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/archive_formats_table.h"
#include "support/temp_folder.h"

namespace {

using namespace archive_formats_table;

// What the killed extraction had done when it was killed.
struct Killed {
    const char *what;
    bool newFolder;     // it made a folder for its archive
    bool wroteAFile;    // one of its entries was complete
    bool workFolder;    // 7-Zip was unpacking
    bool namedFiles;    // its files were written under temporary names, as
                        // on a file system without files that have no name
};

// An extraction of archive "data" into folder, killed (SIGKILL) while an
// entry deep in the archive's folders and one at its top are being
// written: runs in a child process, as the clock it stands for.
void ExtractAndGetKilled(const QString &folder, const Killed &killed)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const TargetFolder root(killed.newFolder ? folder + "/data" : folder,
                                ExtractionRules{{}, ExistingName::KeepBoth, killed.newFolder});
        if (killed.namedFiles)
            root.noteUnnamedRefused();
        if (killed.wroteAFile) {
            EntryFile done(root, "done.txt");
            done.write("done", 4, 0);
            done.commit(4, -1);
        }
        const QByteArray block(1 << 20, 'p');
        EntryFile deep(root, "deep/er/big.bin");
        deep.write(block.constData(), size_t(block.size()), 0);
        EntryFile top(root, "top.bin");
        top.write(block.constData(), size_t(block.size()), 0);
        std::optional<WorkFolder> work;
        if (killed.workFolder) {
            work.emplace(root);
            const QByteArray out = work->path() + "/out/sub";
            QDir().mkpath(QFile::decodeName(out));
            QFile part(QFile::decodeName(out + "/unpacked.bin"));
            part.open(QIODevice::WriteOnly);
            part.write(block);
            part.close();
        }
        raise(SIGKILL);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
}

// Whether files without a name (O_TMPFILE) can be made in folder.
bool UnnamedFilesIn(const QString &folder)
{
    const int fd = open(QFile::encodeName(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

const Killed kKilled[] = {
    {"in the extraction folder", false, false, false, false},
    {"in the extraction folder, files under temporary names", false, true, false, true},
    {"in the extraction folder, with 7-Zip's folder", false, true, true, false},
    {"in a folder made for the archive", true, false, false, false},
    {"in a folder made for the archive, files under temporary names", true, false, false, true},
    {"in a folder made for the archive, with 7-Zip's folder", true, false, true, false},
    {"in a folder made for the archive, after a whole file", true, true, true, false},
};

class Leftovers : public ::testing::TestWithParam<Format> {
protected:
    std::optional<ArchiverReport> extract(const QString &folder, bool newFolder)
    {
        const Format &format = GetParam();
        const QString archive = tmp.writeBytes(QStringLiteral("next.") + format.suffix, format.write({{"next.txt", "n"}}));
        const QString target = newFolder ? folder + "/next" : folder;
        return archivers->run(format.library, {format.verb, archive, target + "/"}, {},
                              ExtractionRules{{}, ExistingName::KeepBoth, newFolder});
    }

    TempFolder tmp;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
};

TEST_P(Leftovers, OfAKilledExtractionGoAtTheNextOneIntoTheSameFolder)
{
    for (const Killed &killed : kKilled) {
        for (const bool nextNewFolder : {false, true}) {
            SCOPED_TRACE(std::string(killed.what) + (nextNewFolder ? ", then one in a folder of its own" : ""));
            const QString folder = tmp.file(QStringLiteral("dl-%1-%2").arg(&killed - kKilled).arg(nextNewFolder));
            tmp.writeBytes(QDir(tmp.path()).relativeFilePath(folder) + "/mine.txt", "the user's");
            ExtractAndGetKilled(folder, killed);
            // The files being written leave nothing where the file system
            // writes files without a name; the journal of a folder made for
            // the archive and 7-Zip's folder are always left.
            if (killed.newFolder || killed.workFolder || killed.namedFiles) {
                ASSERT_FALSE(FolderTree(folder).filter(".tockara-").isEmpty()) << "the kill left nothing to remove";
            } else if (UnnamedFilesIn(folder)) {
                EXPECT_TRUE(FolderTree(folder).filter(".tockara-").isEmpty()) << "the entries being written were left";
            }

            const std::optional<ArchiverReport> report = extract(folder, nextNewFolder);
            if (!report)
                GTEST_SKIP() << "7-Zip is not installed";
            EXPECT_EQ(report->result, kArchiverOk);
            QStringList expected{"mine.txt", nextNewFolder ? "next" : "next.txt"};
            if (nextNewFolder)
                expected << "next/next.txt";
            if (killed.wroteAFile)
                expected << (killed.newFolder ? QStringList{"data", "data/done.txt"} : QStringList{"done.txt"});
            // The folders of the archive's entries, made in the user's
            // folder, stay: nothing tells them from the user's own.
            if (!killed.newFolder)
                expected << "deep" << "deep/er";
            expected.sort();
            EXPECT_EQ(FolderTree(folder), expected);
        }
    }
}

TEST_P(Leftovers, ThatARunningExtractionHoldsStay)
{
    const QString folder = tmp.file("dl");
    tmp.writeBytes("dl/mine.txt", "the user's");
    // Another extraction into the same folder, under way.
    const TargetFolder running(folder + "/data", ExtractionRules{{}, ExistingName::KeepBoth, true});
    EntryFile writing(running, "deep/big.bin");
    ASSERT_EQ(writing.write("w", 1, 0), kArchiverOk);
    const WorkFolder unpacking(running);
    ASSERT_FALSE(unpacking.path().isEmpty());
    // Files of the user that only look like the clock's.
    tmp.writeBytes("dl/.tockara-notes.txt", "mine");
    tmp.writeBytes("dl/tockara-1.part", "mine");
    QDir().mkpath(folder + "/.tockara-mine");

    const QStringList before = FolderTree(folder);
    const std::optional<ArchiverReport> report = extract(folder, false);
    if (!report)
        GTEST_SKIP() << "7-Zip is not installed";
    EXPECT_EQ(report->result, kArchiverOk);
    QStringList after = FolderTree(folder);
    after.removeAll("next.txt");
    EXPECT_EQ(after, before);
}

INSTANTIATE_TEST_SUITE_P(Formats, Leftovers, ::testing::ValuesIn(kFormats),
                         [](const auto &info) { return std::string(info.param.suffix); });

} // namespace
