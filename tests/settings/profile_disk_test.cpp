// Profile files on disk: CP932 text, the parsed-file cache, atomic and failed
// writes, and files full of things the engine does not understand.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStringEncoder>

#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

QByteArray Utf16Le(const QString &text)
{
    return QStringEncoder(QStringConverter::Utf16LE).encode(text);
}

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

TEST_F(ProfileDisk, InputMethodCharactersAreStoredAsTheirCp932Glyphs)
{
    // 〜 − ‖ — ¢ £ ¬ as Linux input methods type them.
    ASSERT_TRUE(WriteIniValue("A", "k", QString::fromUtf16(u"\u301C\u2212\u2016\u2014\u00A2\u00A3\u00AC"),
                              path));
    EXPECT_EQ(bytes(), "[A]\r\nk=\x81\x60\x81\x7c\x81\x61\x81\x5c\x81\x91\x81\x92\x81\xca\r\n");
    EXPECT_EQ(ReadIniValue("A", "k", "", path),
              QString::fromUtf16(u"\uFF5E\uFF0D\u2225\u2015\uFFE0\uFFE1\uFFE2"));
}

TEST_F(ProfileDisk, TextCp932CannotHoldTurnsTheFileIntoUtf16)
{
    // Every other line keeps its text, trail bytes equal to "]" and "\" included.
    give("note\r\n[\x83\x5d\x95\x5c]\r\n\x83\x5b=\x83\x5c\r\n\r\n[B]\nk=1\n");
    const QString picture = QString::fromUtf8("/home/jos\xC3\xA9/caf\xC3\xA9 \xF0\x9F\x98\x80.png");
    ASSERT_TRUE(WriteIniValue("B", "file", picture, path));
    EXPECT_EQ(bytes(), "\xff\xfe" + Utf16Le("note\r\n[ゾ表]\r\nゼ=ソ\r\n\r\n[B]\r\nk=1\r\nfile=" + picture
                                            + "\r\n"));
    EXPECT_EQ(ReadIniValue("B", "file", "", path), picture);
    EXPECT_EQ(ReadIniValue("ゾ表", "ゼ", "", path), "ソ");

    ASSERT_TRUE(WriteIniValue("B", "k", "表", path));
    EXPECT_EQ(bytes(), "\xff\xfe" + Utf16Le("note\r\n[ゾ表]\r\nゼ=ソ\r\n\r\n[B]\r\nk=表\r\nfile="
                                            + picture + "\r\n"))
        << "a UTF-16 file stays UTF-16";
}

TEST_F(ProfileDisk, EmptyValuesAndSectionsGoIntoUtf16Files)
{
    // A null text has no characters at all, and nothing may be copied from
    // its null pointer (run under UBSan, such a copy is reported).
    give("\xff\xfe" + Utf16Le("[A]\r\nk=表\r\nx=é\r\n"));
    ASSERT_TRUE(WriteIniValue("A", "k", QString(), path));
    ASSERT_TRUE(WriteIniValue("A", QString(), QString(), path));
    EXPECT_EQ(bytes(), "\xff\xfe" + Utf16Le("[A]\r\nk=\r\nx=é\r\n=\r\n"));
    EXPECT_EQ(ReadIniValue("A", "k", "default", path), "");
}

// UTF-16 is kept only while some line needs it: the first write after the
// last such character is gone stores the file as CP932 again, the form the
// original's readers read, with the code page's forms of the input methods'
// glyphs; a write that changes no value does it too.
TEST_F(ProfileDisk, AUtf16FileGoesBackToCp932OnceCp932CanHoldItAgain)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct {
        const char *what;
        QByteArray file;
        QString key, value;
        QByteArray after;
    } cases[] = {
        {"the character is written over", "\xff\xfe" + Utf16Le("[A]\r\nk=表\r\np=" + smile + "\r\n"), "p", "x",
         "[A]\r\nk=\x95\x5c\r\np=x\r\n"},
        {"the input method's wave dash", "\xff\xfe" + Utf16Le("[\u301C]\nk=\u301C\n[A]\np=" + smile + "\n"), "p", "",
         "[\x81\x60]\r\nk=\x81\x60\r\n[A]\r\np=\r\n"},
        {"no value changes", "\xff\xfe" + Utf16Le("[A]\r\nk=表\r\n"), "k", "表", "[A]\r\nk=\x95\x5c\r\n"},
        {"a character still needs it", "\xff\xfe" + Utf16Le("[A]\r\nk=é\r\np=" + smile + "\r\n"), "p", "x",
         "\xff\xfe" + Utf16Le("[A]\r\nk=é\r\np=x\r\n")},
        {"a UTF-8 file keeps its form", "\xef\xbb\xbf[A]\r\nk=1\r\n", "k", "2", "\xef\xbb\xbf[A]\r\nk=2\r\n"},
    };
    for (const auto &c : cases) {
        give(c.file);
        ASSERT_TRUE(WriteIniValue("A", c.key, c.value, path)) << c.what;
        EXPECT_EQ(bytes(), c.after) << c.what;
        EXPECT_EQ(ReadIniValue("A", c.key, "default", path), c.value) << c.what;
    }

    // The round trip: UTF-16 for the picture's name, CP932 once it is gone.
    give("[A]\r\nk=\x95\x5c\r\n");
    ASSERT_TRUE(WriteIniValue("A", "p", smile, path));
    ASSERT_TRUE(bytes().startsWith("\xff\xfe"));
    ASSERT_TRUE(WriteIniValue("A", "p", "plain.png", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=\x95\x5c\r\np=plain.png\r\n");
}

// A save killed between writing the new file and renaming it leaves that
// file beside the old one; the next start removes it, and only it.
TEST_F(ProfileDisk, UnfinishedSavesAreRemovedAndNothingElse)
{
    give("[A]\r\nk=1\r\n");
    struct Case {
        const char *name;
        bool removed;
    } cases[] = {
        {"test.ini.saving-3k9zq1x0a7b2c", true},
        {"test.ini.saving-0", true},
        {"test.ini.saving-", false},
        {"test.ini.saving-ABC", false},
        {"test.ini.saving-12345678901234", false},   // longer than a 64-bit number
        {"test.ini.bak", false},
        {"test.ini~", false},
        {"other.ini.saving-abc", false},
        {"test.ini.saving-abc.txt", false},
    };
    for (const Case &c : cases)
        folder.writeBytes(c.name, "x");
    QDir(folder.path()).mkdir("test.ini.saving-dir");
    EXPECT_EQ(RemoveUnfinishedSaves(path), 2);
    for (const Case &c : cases)
        EXPECT_EQ(QFileInfo::exists(folder.file(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(QFileInfo(folder.file("test.ini.saving-dir")).isDir());
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n");
}

TEST_F(ProfileDisk, FilesWithByteOrderMarkAreReadAndWrittenInTheirEncoding)
{
    const QString text = QString::fromUtf8("[日記]\r\nkey=caf\xC3\xA9\xE3\x80\x9C\r\nother=x\r\n");
    QString changed = text;
    changed.replace("other=x", "other=y");
    const struct { QByteArray mark; QByteArray (*encode)(const QString &); } forms[] = {
        {"\xef\xbb\xbf", [](const QString &t) { return t.toUtf8(); }},
        {"\xff\xfe", &Utf16Le},
    };
    for (const auto &form : forms) {
        give(form.mark + form.encode(text));
        EXPECT_EQ(ReadIniValue("日記", "key", "", path), QString::fromUtf8("caf\xC3\xA9\xE3\x80\x9C"));
        ASSERT_TRUE(WriteIniValue("日記", "other", "y", path));
        EXPECT_EQ(bytes(), form.mark + form.encode(changed));
    }
}

TEST_F(ProfileDisk, ValuesWrittenUnchangedKeepTheirBytes)
{
    // Invalid Shift-JIS, quotes and blanks, a NUL and an LF line end: the
    // values read and written back change nothing, so the file is not written.
    QByteArray before = "[A]\r\nbad=\x83\x41\xff\xa0\x81\r\n Spaced =  ' x '  \r\n";
    before += QByteArray("nul=ab\0cd\n", 10);
    give(before);
    ProfileBatch batch(path);
    for (const char *key : {"bad", "spaced", "nul"})
        batch.write("A", key, QuoteIniValue(ReadIniValue("A", key, "", path)));
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(bytes(), before);

    ASSERT_TRUE(WriteIniValue("A", "nul", "abc", path));
    EXPECT_EQ(bytes(), "[A]\r\nbad=\x83\x41\xff\xa0\x81\r\n Spaced =  ' x '  \r\nnul=abc\r\n");
}

TEST_F(ProfileDisk, OversizedFileIsNotReadAndNeverWritten)
{
    const QByteArray start = "[A]\r\nk=1\r\n";
    give(start);
    for (const qint64 size : {kMaxProfileFileBytes + 1, qint64(2) << 30}) {
        ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), size), 0);  // sparse
        EXPECT_EQ(ReadIniValue("A", "k", "def", path), "def");
        EXPECT_FALSE(WriteIniValue("A", "k", "2", path));
        EXPECT_EQ(QFileInfo(path).size(), size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.read(start.size()), start);
    }
    // At the limit the file is read, but not grown beyond it.
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), kMaxProfileFileBytes), 0);
    EXPECT_EQ(ReadIniValue("A", "k", "def", path), "1");
    EXPECT_FALSE(WriteIniValue("A", "longer", "2", path));
    EXPECT_EQ(QFileInfo(path).size(), kMaxProfileFileBytes);
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

TEST_F(ProfileDisk, ModeBitsDecideWhetherTheFileIsReplacedAndAreKept)
{
    // Checked by the engine itself, so they hold for the superuser too.
    for (const mode_t mode : {0444, 0400, 0600, 0640, 0664}) {
        give("[A]\r\nk=1\r\n");
        ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), mode), 0);
        const bool writable = mode & S_IWUSR;
        EXPECT_EQ(WriteIniValue("A", "k", "2", path), writable) << std::oct << mode;
        struct stat info {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
        ::chmod(QFile::encodeName(path).constData(), 0644);
        EXPECT_EQ(bytes(), writable ? "[A]\r\nk=2\r\n" : "[A]\r\nk=1\r\n") << std::oct << mode;
    }
}

TEST_F(ProfileDisk, ReplacedFileKeepsItsOwner)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a file to another user";
    give("[A]\r\nk=1\r\n");
    const QByteArray name = QFile::encodeName(path);
    ASSERT_EQ(::chown(name.constData(), 4321, 4321), 0);
    ASSERT_EQ(::chmod(name.constData(), 0644), 0);
    EXPECT_FALSE(WriteIniValue("A", "k", "2", path)) << "others may not write it";
    ASSERT_EQ(::chmod(name.constData(), 0646), 0);
    ASSERT_TRUE(WriteIniValue("A", "k", "2", path));
    struct stat info {};
    ASSERT_EQ(::stat(name.constData(), &info), 0);
    EXPECT_EQ(info.st_uid, 4321u);
    EXPECT_EQ(info.st_gid, 4321u);
    EXPECT_EQ(info.st_mode & 07777, 0646u);
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
    // (Not starting with FF FE, the byte-order mark of a UTF-16 file.)
    const QByteArray before = "\x80\xff\xfe\xa0 [A\r\n" + binary + "\r\n[S]\r\nk=1\r\n"
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
