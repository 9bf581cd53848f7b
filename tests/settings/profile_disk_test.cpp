// Profile files on disk: CP932 text, the parsed-file cache, atomic and failed
// writes, and files full of things the engine does not understand.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>

#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

class ProfileDisk : public ::testing::Test {
protected:
    void give(const QByteArray &bytes) { folder.writeBytes("test.ini", bytes); }
    QByteArray bytes() const { return folder.readBytes("test.ini"); }

    TempFolder folder;
    const QString path = folder.file("test.ini");
};

TEST_F(ProfileDisk, JapaneseTextIsShiftJisOnDisk)
{
    ASSERT_TRUE(WriteIniValue("日記", "コメント", "ソ表です", path));
    EXPECT_EQ(bytes(), "[\x93\xfa\x8b\x4c]\r\n"
                       "\x83\x52\x83\x81\x83\x93\x83\x67=\x83\x5c\x95\x5c\x82\xc5\x82\xb7\r\n");
    EXPECT_EQ(ReadIniValue("日記", "コメント", "", path), "ソ表です");
}

TEST_F(ProfileDisk, TrailBytesEqualToBackslashOrBracketsStayInTheirCharacter)
{
    // [ゾ表] opens section "ゾ表" although ゾ ends with the byte of "]" and
    // 表 with that of "\"; the key ゼ ends with the byte of "[".
    give("[\x83\x5d\x95\x5c]\r\n\x83\x5b=\x83\x5c\r\nnext=\x8f\x5c\r\n");
    EXPECT_EQ(ReadIniValue("ゾ表", "ゼ", "", path), "ソ");
    EXPECT_EQ(ReadIniValue("ゾ表", "next", "", path), "十");
}

TEST_F(ProfileDisk, CharactersWithoutCp932FormBecomeQuestionMarks)
{
    ASSERT_TRUE(WriteIniValue("A", "k", QString::fromUtf8("a\xF0\x9F\x98\x80\xC3\xA9表"), path));
    EXPECT_EQ(bytes(), "[A]\r\nk=a??\x95\x5c\r\n");
    EXPECT_EQ(AnsiByteLength(QString::fromUtf8("\xF0\x9F\x98\x80")), 1);
}

TEST(AnsiText, AsciiBytesAreTheirAsciiCharactersEvenBesideJapanese)
{
    QByteArray ascii;
    for (int b = 0; b < 0x80; ++b)
        ascii.append(char(b));
    EXPECT_EQ(DecodeAnsi(ascii), QString::fromLatin1(ascii));
    EXPECT_EQ(EncodeAnsi(QString::fromLatin1(ascii)), ascii);
    const QByteArray mixed = "\x83\x5c" + ascii + "\x95\x5c";
    EXPECT_EQ(DecodeAnsi(mixed), "ソ" + QString::fromLatin1(ascii) + "表");
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(mixed)), mixed);
}

TEST_F(ProfileDisk, CacheSeesChangesMadeByOthers)
{
    ASSERT_TRUE(WriteIniValue("A", "k", "1", path));
    EXPECT_EQ(ReadIniValue("A", "k", "", path), "1");
    give("[A]\r\nk=2\r\n");  // same size, at once: the file's time may not have moved
    EXPECT_EQ(ReadIniValue("A", "k", "", path), "2");
    give("[A]\r\nk=three\r\n");
    EXPECT_EQ(ReadIniValue("A", "k", "", path), "three");
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(ReadIniValue("A", "k", "gone", path), "gone");
    give("[A]\r\nk=4\r\n");
    ASSERT_TRUE(WriteIniValue("A", "j", "5", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=4\r\nj=5\r\n") << "a write starts from the file on disk";
}

TEST_F(ProfileDisk, WriteReplacesTheFileInsteadOfChangingItInPlace)
{
    // A second name for the old file shows what a reader that opened the old
    // file (or a crash in the middle of the write) would see.
    give("[A]\r\nk=1\r\n");
    const QString oldName = folder.file("old.ini");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(oldName).constData()), 0);
    ASSERT_TRUE(WriteIniValue("A", "k", "2", path));
    EXPECT_EQ(folder.readBytes("old.ini"), "[A]\r\nk=1\r\n");
    EXPECT_EQ(bytes(), "[A]\r\nk=2\r\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no temporary file left";
}

TEST_F(ProfileDisk, UnwritablePlacesReportFailureAndChangeNothing)
{
    folder.writeBytes("plain.txt", "not a folder");
    EXPECT_FALSE(WriteIniValue("A", "k", "1", folder.file("missing/test.ini")));
    EXPECT_FALSE(WriteIniValue("A", "k", "1", folder.file("plain.txt/test.ini")));
    EXPECT_FALSE(QDir(folder.file("missing")).exists());
    EXPECT_EQ(folder.readBytes("plain.txt"), "not a folder");

    ASSERT_TRUE(QDir(folder.path()).mkdir("sub.ini"));
    EXPECT_EQ(ReadIniValue("A", "k", "def", folder.file("sub.ini")), "def");
    EXPECT_FALSE(WriteIniValue("A", "k", "1", folder.file("sub.ini")));
    EXPECT_TRUE(QFileInfo(folder.file("sub.ini")).isDir());

    ProfileBatch batch(folder.file("missing/test.ini"));
    batch.write("A", "k", "1");
    EXPECT_FALSE(batch.commit());
}

TEST_F(ProfileDisk, ReadOnlyFolderReportsFailureAndKeepsTheFile)
{
    give("[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(folder.path()).constData(), 0555), 0);
    const bool enforced = !QFile(folder.file("probe")).open(QIODevice::WriteOnly);
    QFile::remove(folder.file("probe"));
    const bool written = enforced ? WriteIniValue("A", "k", "2", path) : false;
    ::chmod(QFile::encodeName(folder.path()).constData(), 0755);
    if (!enforced)
        GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_FALSE(written);
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileDisk, FileThatCannotBeReadIsNeverOverwritten)
{
    give("[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0200), 0);
    if (QFile(path).open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions are not enforced for this user";
    EXPECT_EQ(ReadIniValue("A", "k", "def", path), "def");
    EXPECT_FALSE(WriteIniValue("A", "j", "2", path));
    ::chmod(QFile::encodeName(path).constData(), 0644);
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileDisk, GarbageSurvivesWritesByteForByte)
{
    QByteArray binary;
    for (int b = 0; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            binary.append(char(b));
    }
    const QByteArray before = "\xff\xfe\x80\xa0 [A\r\n" + binary + "\r\n[S]\r\nk=1\r\n"
                              + binary + "=" + binary + "\r\n" + QByteArray(1 << 20, 'x')
                              + "\r\n[S]\r\nk=dup\r\n[unterminated\r\n\x83\r\n";
    give(before);
    ASSERT_TRUE(WriteIniValue("S", "k", "2", path));
    ASSERT_TRUE(WriteIniValue("New", "n", "3", path));
    QByteArray expected = before;
    expected.replace("[S]\r\nk=1\r\n", "[S]\r\nk=2\r\n");
    expected += "[New]\r\nn=3\r\n";
    EXPECT_TRUE(bytes() == expected);
    EXPECT_EQ(ReadIniValue("S", "k", "", path), "2");
}

} // namespace
