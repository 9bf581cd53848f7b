// Which archiver an archive goes to, where it is extracted, and the command
// lines and texts that go with it.
#include <gtest/gtest.h>

#include <QDir>

#include "archive/archive_command.h"

namespace {

TEST(ArchiveCommand, TheExtensionChoosesTheArchiverInAnyCase)
{
    const struct {
        const char *extension, *library, *verb;
    } cases[] = {
        {"lzh", "unlha32", "x"}, {"Zip", "unzip32", "-xs"}, {"ARJ", "unarj32j", "x"},
        {"tar", nullptr, nullptr}, {"", nullptr, nullptr}, {"zipx", nullptr, nullptr},
    };
    for (const auto &c : cases) {
        const ArchiverInfo *archiver = ArchiverFor(c.extension);
        if (!c.library) {
            EXPECT_EQ(archiver, nullptr) << c.extension;
            continue;
        }
        ASSERT_NE(archiver, nullptr) << c.extension;
        EXPECT_EQ(archiver->library, c.library);
        EXPECT_EQ(archiver->verb, c.verb);
    }
}

TEST(ArchiveCommand, TheTargetFolder)
{
    const struct {
        QString decompFolder;
        bool fileFold;
        QString expected;
    } cases[] = {
        {"/home/u/dl/", false, "/home/u/dl/"},
        {"/home/u/dl", false, "/home/u/dl/"},
        {"/home/u/dl/", true, "/home/u/dl/DATA.old/"},
        {"", false, "/opt/tockara/"},  // empty: the program folder
        {"", true, "/opt/tockara/DATA.old/"},
        {"out", false, "/opt/tockara/out/"},  // relative: inside the program folder
        {"~/dl", false, QDir::homePath() + "/dl/"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExtractionTarget(c.decompFolder, c.fileFold, "DATA.old", "/opt/tockara"), c.expected)
            << c.decompFolder.toStdString() << " " << c.fileFold;
}

TEST(ArchiveCommand, TheFolderNamedAfterAnArchiveIsOneFolderInsideTheExtractionFolder)
{
    const struct {
        QString baseName, folder;
    } cases[] = {
        {"..", "_.."},  // "...zip"
        {".", "_."},    // "..zip"
        {"", "_"},      // ".zip"
        {"...", "..."},
        {"a/b", "a_b"},
        {".hidden", ".hidden"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ExtractionTarget("/dl/", true, c.baseName, "/opt"), "/dl/" + c.folder + "/")
            << c.baseName.toStdString();
}

TEST(ArchiveCommand, TheMessageOfAnExtractionNotWholeSaysWhyAndNamesTheEntries)
{
    ArchiverReport full;
    full.extracted = {"a.txt", "docs/"};
    full.fail("big.bin", kArchiverDiskFull);
    full.fail("z.txt", kArchiverNotReached);
    EXPECT_EQ(ExtractionFailureText(full, "/dl/a.zip", "/out/"),
              "解凍先のディスクがいっぱいになったため、解凍を中止しました。\n\n"
              "書庫: /dl/a.zip\n解凍先: /out/\n解凍したファイル: a.txt、docs/\n"
              "解凍しなかったファイル: big.bin（空き容量不足）、z.txt（未処理）");

    ArchiverReport beforeWriting;
    beforeWriting.fail("big.bin", kArchiverNotReached);
    beforeWriting.note(kArchiverDiskFull);
    beforeWriting.neededBytes = 40 << 20;
    beforeWriting.freeBytes = 15 << 20;
    EXPECT_TRUE(ExtractionFailureText(beforeWriting, "/dl/a.zip", "/out/")
                    .startsWith("解凍先のディスクの空き容量が足りないため、解凍しませんでした。\n"
                                "必要な容量: 40.0 MB　空き容量: 15.0 MB\n\n"));

    // Each kind of failure has its own first line; the most serious leads.
    const struct {
        QList<int> failures;
        QString headline;
    } cases[] = {
        {{kArchiverEncrypted}, "パスワードで暗号化されたファイルは解凍できません。"},
        {{kArchiverRefused, kArchiverEncrypted},
         "パスワードで暗号化されたファイルは解凍できません。"},
        {{kArchiverRefused},
         "解凍先フォルダの外を指す名前、リンク、デバイス、重複した名前のファイルは、安全のため解凍しませんでした。"},
        {{kArchiverRefused, kArchiverDamaged}, "書庫ファイルが壊れているため、解凍できないファイルがありました。"},
        {{kArchiverTooLarge}, "展開すると元の1000倍を超える大きさになる異常な書庫のため、解凍を中止しました。"},
        {{kArchiverWriteFailed}, "解凍先フォルダにファイルを書き込めませんでした。"},
    };
    for (const auto &c : cases) {
        ArchiverReport report;
        for (int failure : c.failures)
            report.fail("x", failure);
        EXPECT_TRUE(ExtractionFailureText(report, "/a.zip", "/o/").startsWith(c.headline + "\n\n"))
            << c.headline.toStdString();
    }

    // Long lists are cut; an archive that ends early says so.
    ArchiverReport many;
    for (int i = 1; i <= 12; ++i)
        many.extracted << QString::number(i);
    many.note(kArchiverDamaged);
    many.restUnread = true;
    EXPECT_TRUE(ExtractionFailureText(many, "/a.zip", "/o/")
                    .endsWith("解凍したファイル: 1、2、3、4、5、6、7、8、9、10（ほか2個）\n"
                              "書庫のそれより後の部分は読めなかったため、解凍していません。"));
}

TEST(ArchiveCommand, TheArchivePathStaysOnePartWhateverItHolds)
{
    const QString archive = R"(/home/u/my "files"/data.zip)";
    EXPECT_EQ(ArchiverCommandLine(*ArchiverFor("zip"), archive, "/out dir/"),
              (QStringList{"-xs", archive, "/out dir/"}));
}

TEST(ArchiveCommand, MessageTexts)
{
    EXPECT_EQ(MissingArchiverText(*ArchiverFor("ARJ")),
              "ファイルUNARJ32.DLLが見つかりません。\n解凍作業はおこなえません。");
    const ArchiverInfo &lzh = *ArchiverFor("LZH");
    EXPECT_EQ(FormatFailureText(lzh, "/dl/a.lzh"),
              "指定された書庫ファイルは、LHA形式ではありません\n/dl/a.lzh");
    EXPECT_EQ(lzh.formatTitle, "UNLHA32");
    EXPECT_EQ(ArchiverFor("ZIP")->formatTitle, "UNZIP32j");
}

} // namespace
