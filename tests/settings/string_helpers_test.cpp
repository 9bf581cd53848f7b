// The string helpers every file of the program is read and written through.
#include <gtest/gtest.h>

#include <QDir>

#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

TEST(GetField, SplitsAtEveryDelimiter)
{
    EXPECT_EQ(GetField("a,b,,d", 1, ","), "a");
    EXPECT_EQ(GetField("a,b,,d", 2, ","), "b");
    EXPECT_EQ(GetField("a,b,,d", 3, ","), "");
    EXPECT_EQ(GetField("a,b,,d", 4, ","), "d");
    EXPECT_EQ(GetField("a,b", 5, ","), "");
    EXPECT_EQ(GetField("a,b", 3, ","), "");
    EXPECT_EQ(GetField("whole", 1, ","), "whole");
    EXPECT_EQ(GetField("whole", 2, ","), "");
    EXPECT_EQ(GetField("a,b", 0, ","), "a");
    EXPECT_EQ(GetField("a,b", -3, ","), "a");
}

TEST(GetField, DelimiterMayBeLongerThanOneCharacter)
{
    const QString text = "one\r\ntwo\r\n\r\nfo\rur\nx";
    EXPECT_EQ(GetField(text, 2, "\r\n"), "two");
    EXPECT_EQ(GetField(text, 3, "\r\n"), "");
    EXPECT_EQ(GetField(text, 4, "\r\n"), "fo\rur\nx");
    EXPECT_EQ(GetField("1::2::", 3, "::"), "");
}

TEST(FindLastOf, GivesOneBasedPositionOfLastOccurrence)
{
    EXPECT_EQ(FindLastOf("C:\\a\\b.txt", "\\"), 5);
    EXPECT_EQ(FindLastOf("/home/user/b.txt", "/"), 11);
    EXPECT_EQ(FindLastOf("abcabc", "bc"), 5);
    EXPECT_EQ(FindLastOf("abc", "x"), 0);
    EXPECT_EQ(FindLastOf("ab", "abc"), 0);
    EXPECT_EQ(FindLastOf("", "a"), 0);
    EXPECT_EQ(FindLastOf("abc", ""), 0);
}

TEST(TrimAtNul, EndsTextAtFirstNul)
{
    EXPECT_EQ(TrimAtNul(QString("ab") + QChar(0) + "cd" + QChar(0)), "ab");
    EXPECT_EQ(TrimAtNul(QChar(0) + QString("ab")), "");
    EXPECT_EQ(TrimAtNul("abc"), "abc");
}

TEST(AnsiByteLength, DoubleByteCharactersCountTwo)
{
    EXPECT_EQ(AnsiByteLength(""), 0);
    EXPECT_EQ(AnsiByteLength("abc"), 3);
    EXPECT_EQ(AnsiByteLength("時間です"), 8);
    EXPECT_EQ(AnsiByteLength("A表"), 3);
    EXPECT_EQ(AnsiByteLength("ｱｲ"), 2) << "half-width katakana are single bytes";
}

TEST(AnsiText, EveryCharacterWrittenExactlyReadsBackAsWritten)
{
    // The converter's table also writes a character as the bytes of another
    // (U+F86F as those of "№"): such a character has no CP932 form. Only the
    // seven characters input methods type for CP932 glyphs read back as
    // those glyphs.
    int written = 0, readAsGlyph = 0;
    for (char16_t c = 0x80; c != 0; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString text(QChar{c});
        const std::optional<QByteArray> bytes = EncodeAnsiExactly(text);
        if (!bytes) {
            EXPECT_EQ(EncodeAnsi(text), "?") << "U+" << std::hex << int(c);
            continue;
        }
        ++written;
        EXPECT_EQ(EncodeAnsi(text), *bytes);
        if (DecodeAnsi(*bytes) != text)
            ++readAsGlyph;
        EXPECT_EQ(EncodeAnsiExactly(DecodeAnsi(*bytes)), bytes) << "U+" << std::hex << int(c);
    }
    EXPECT_GT(written, 7000);
    EXPECT_EQ(readAsGlyph, 7);
    EXPECT_FALSE(EncodeAnsiExactly(u"表\uF86F"));
    EXPECT_EQ(EncodeAnsi(u"a\uF86F表"), "a?\x95\x5c");
}

TEST(QuoteIniValue, QuotesWhatReadingWouldChangeAndReadsBackExactly)
{
    TempFolder folder;
    const QString path = folder.file("q.ini");
    const struct { QString text, written, read; } cases[] = {
        {"plain", "plain", "plain"},
        {"", "", ""},
        {"\"", "\"", "\""},
        {"a 'b'", "a 'b'", "a 'b'"},
        {"全角　", "全角　", "全角　"},
        {" lead", "\" lead\"", " lead"},
        {"trail\t", "\"trail\t\"", "trail\t"},
        {"'q'", "\"'q'\"", "'q'"},
        {"\"q\"", "\"\"q\"\"", "\"q\""},
        {"cut\r\nhere", "cut", "cut"},
        {" cut\nhere ", "\" cut\"", " cut"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(QuoteIniValue(c.text), c.written) << c.text.toStdString();
        ASSERT_TRUE(WriteIniValue("A", "k", QuoteIniValue(c.text), path));
        EXPECT_EQ(ReadIniValue("A", "k", "DEF", path), c.read) << c.text.toStdString();
    }
}

TEST(AddTrailingSeparator, AddsSlashOnlyWhenMissing)
{
    EXPECT_EQ(AddTrailingSeparator(""), "/");
    EXPECT_EQ(AddTrailingSeparator("/tmp"), "/tmp/");
    EXPECT_EQ(AddTrailingSeparator("/tmp/"), "/tmp/");
}

TEST(ContainingFolder, FindsTheFolderOfAPath)
{
    TempFolder folder;
    folder.writeBytes("file.txt", "x");
    ASSERT_TRUE(QDir(folder.path()).mkdir("sub"));
    EXPECT_EQ(ContainingFolder(folder.file("sub")), folder.file("sub"));
    EXPECT_EQ(ContainingFolder(folder.file("file.txt")), folder.path());
    EXPECT_EQ(ContainingFolder(folder.file("not-yet.txt")), folder.path());
    EXPECT_EQ(ContainingFolder(folder.file("missing/x.txt")), "");
    EXPECT_EQ(ContainingFolder(folder.file("file.txt/x")), "");
    EXPECT_EQ(ContainingFolder(""), "");
    EXPECT_EQ(ContainingFolder("no-slash-and-missing"), "");
    EXPECT_EQ(ContainingFolder("/no-such-file-here"), "/");
}

TEST(ParseInt, EmptyGarbageOrOutOfRangeGivesDefault)
{
    for (const char *bad : {"", "abc", "12abc", "1.5", "0x10", "32768", "-32769"})
        EXPECT_EQ(ParseInt16(bad, 7), 7) << bad;
    EXPECT_EQ(ParseInt16("-32768", 7), -32768);
    EXPECT_EQ(ParseInt16("32767", 7), 32767);
    EXPECT_EQ(ParseInt16("-1", 7), -1);
    EXPECT_EQ(ParseInt32("40000", 7), 40000);
    EXPECT_EQ(ParseInt32("-2147483648", 7), INT32_MIN);
    EXPECT_EQ(ParseInt32("2147483648", 7), 7);
    EXPECT_EQ(ParseInt32("99999999999999999999", 7), 7);
}

TEST(ReadIniInt, ReadsKeyOrDefault)
{
    TempFolder folder;
    folder.writeBytes("a.ini", "[A]\r\nn=-5\r\nbig=70000\r\nempty=\r\n");
    const QString path = folder.file("a.ini");
    EXPECT_EQ(ReadIniInt16("A", "n", 3, path), -5);
    EXPECT_EQ(ReadIniInt16("A", "big", 3, path), 3);
    EXPECT_EQ(ReadIniInt32("A", "big", 3, path), 70000);
    EXPECT_EQ(ReadIniInt32("A", "empty", 3, path), 3);
    EXPECT_EQ(ReadIniInt32("A", "missing", -3, path), -3);
}

} // namespace
