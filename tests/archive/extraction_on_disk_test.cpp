// A dropped archive extracted by the real components onto real folders:
// what the user sees (the message, the file manager) and what is left on disk.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <QSignalSpy>
#include <QTest>

#include "archive/archive_extractor.h"
#include "platform/linux/linux_services.h"
#include "support/archive_bytes.h"
#include "support/fake_services.h"
#include "support/small_disk.h"
#include "support/temp_folder.h"

namespace {

class ExtractionOnDisk : public ::testing::Test {
protected:
    void extract(const QString &archive, const ExtractionSettings &settings)
    {
        QSignalSpy finished(&extractor, &ArchiveExtractor::finished);
        ASSERT_TRUE(extractor.ExtractArchive(archive, settings));
        ASSERT_TRUE(QTest::qWaitFor([&] { return finished.count() == 1; }, 20000));
    }

    TempFolder folder;
    FakeServices fakes;
    std::unique_ptr<ArchiverService> archivers = MakeLinuxArchivers();
    ArchiveExtractor extractor{*archivers, *fakes.services.messages, *fakes.services.programs};
};

TEST_F(ExtractionOnDisk, AnArchiveLargerThanTheDiskIsToldAsSuchAndLeavesNothing)
{
    SmallDisk disk(folder.file("disk"), 16);
    if (!disk.mounted())
        GTEST_SKIP() << "no tmpfs can be mounted here";
    const QString archive = folder.writeBytes("dl/big.zip", ZipBytes({{"big.bin", QByteArray(40 << 20, 'b')}}));
    extract(archive, {folder.file("disk"), true, "xdg-open", folder.file("program"), {}});

    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
    EXPECT_TRUE(fakes.messages->shown[0].text.startsWith(
        "解凍先のディスクの空き容量が足りないため、解凍しませんでした。\n必要な容量: 40.0 MB"))
        << fakes.messages->shown[0].text.toStdString();
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("解凍しなかったファイル: big.bin（未処理）"));
    EXPECT_TRUE(fakes.programs->requests.isEmpty()) << "no file manager after a failure";
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("解凍のために作ったフォルダは削除しました。"));
    EXPECT_EQ(FolderTree(folder.file("disk")), QStringList()) << "the folder made for it goes again";
}

TEST_F(ExtractionOnDisk, AnArchiveNamedWithDotsStaysInsideTheExtractionFolder)
{
    const QString archive = folder.writeBytes("dl/...zip", ZipBytes({{"a.txt", "a"}}));
    extract(archive, {folder.file("dl/out"), true, "xdg-open", folder.file("program"), {}});
    EXPECT_TRUE(fakes.messages->shown.isEmpty());
    EXPECT_EQ(FolderTree(folder.path()), (QStringList{"dl", "dl/...zip", "dl/out", "dl/out/_..", "dl/out/_../a.txt"}));
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].arguments,
              QStringList{QFileInfo(folder.file("dl/out")).canonicalFilePath() + "/_../"});
}

} // namespace
