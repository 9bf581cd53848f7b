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
