// The reading and writing rules of profile files, checked on the bytes of small files.
#include <gtest/gtest.h>

#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

// Bytes of a literal that may hold NUL characters.
template <size_t N>
QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

class ProfileRules : public ::testing::Test {
protected:
    void give(const QByteArray &bytes) { folder.writeBytes("test.ini", bytes); }
    QString read(const QString &section, const QString &key, const QString &def = "DEF")
    {
        return ReadIniValue(section, key, def, path);
    }
    QByteArray bytes() const { return folder.readBytes("test.ini"); }

    TempFolder folder;
    const QString path = folder.file("test.ini");
};

TEST_F(ProfileRules, NamesMatchWithoutCaseAndBlanks)
{
    give("[ Setting ]\r\n  Width  =  80  \r\n\tHeight\t=\t60\t\r\n");
    EXPECT_EQ(read("setting", "WIDTH"), "80");
    EXPECT_EQ(read(" SETTING ", " height "), "60");
}

TEST_F(ProfileRules, MatchingQuotesAreRemovedUnmatchedStay)
{
    give("[Q]\r\nd=\"abc\"\r\ns='abc'\r\nopen=\"abc\r\nmixed=\"abc'\r\n"
         "inner=\" padded \"\r\nempty=\"\"\r\none=\"\r\n");
    EXPECT_EQ(read("Q", "d"), "abc");
    EXPECT_EQ(read("Q", "s"), "abc");
    EXPECT_EQ(read("Q", "open"), "\"abc");
    EXPECT_EQ(read("Q", "mixed"), "\"abc'");
    EXPECT_EQ(read("Q", "inner"), " padded ");
    EXPECT_EQ(read("Q", "empty"), "");
    EXPECT_EQ(read("Q", "one"), "\"");
}

TEST_F(ProfileRules, MissingFileSectionOrKeyGivesDefaultWithoutTrailingBlanks)
{
    EXPECT_EQ(read("A", "k", "  x \t "), "  x");
    give("[A]\r\nk=1\r\n");
    EXPECT_EQ(read("B", "k", "def "), "def");
    EXPECT_EQ(read("A", "other", "def"), "def");
    EXPECT_EQ(read("A", "other", QString("ab") + QChar(0) + "cd"), "ab");
}

TEST_F(ProfileRules, EmptyValueIsNotAMissingKey)
{
    give("[A]\r\nempty=\r\nblank=   \r\n");
    EXPECT_EQ(read("A", "empty"), "");
    EXPECT_EQ(read("A", "blank"), "");
}

TEST_F(ProfileRules, OnlyFirstSectionAndFirstKeyOfANameCount)
{
    give("[A]\r\nk=1\r\nK=2\r\n[a]\r\nk=3\r\nonlyInSecond=4\r\n");
    EXPECT_EQ(read("A", "k"), "1");
    EXPECT_EQ(read("A", "onlyInSecond"), "DEF");
}

TEST_F(ProfileRules, LineShapes)
{
    give("top=0\r\n[A]\r\nlonely\r\n;x=1\r\na=b=c\r\n[X] trailing text\r\nk=X\r\n"
         "[Y\r\ny=still X\r\n");
    EXPECT_EQ(read("", "top"), "DEF") << "keys before any section belong to none";
    EXPECT_EQ(read("A", "lonely"), "DEF") << "a line without = is no key";
    EXPECT_EQ(read("A", ";x"), "1") << "no comment rule";
    EXPECT_EQ(read("A", "a"), "b=c");
    EXPECT_EQ(read("X", "k"), "X");
    EXPECT_EQ(read("X", "y"), "still X") << "a [ line without ] opens no section";
    EXPECT_EQ(read("Y", "y"), "DEF");
}

TEST_F(ProfileRules, LfAndCrLfLinesAndNulInValue)
{
    give(Bytes("[A]\nlf=1\n[B]\r\ncrlf=2\r\nnul=ab\0cd\r\nlast=3"));
    EXPECT_EQ(read("A", "lf"), "1");
    EXPECT_EQ(read("B", "crlf"), "2");
    EXPECT_EQ(read("B", "nul"), "ab");
    EXPECT_EQ(read("B", "last"), "3");
}

// A NUL ends a section or key name, in the file as in what is asked, as the
// Windows profile routines compare names; the line's bytes stay as they are.
TEST_F(ProfileRules, NamesEndAtTheirFirstNul)
{
    const struct {
        QByteArray file;
        QString section;
        const char *value;
    } cases[] = {
        {Bytes("[S]\r\nLeft\0=ab\r\nLeft=cd\r\n"), "S", "ab"},
        {Bytes("[S]\r\nLeft\0junk=ab\r\nLeft=cd\r\n"), "S", "ab"},
        {Bytes("[S\0]\r\nLeft=ab\r\n"), "S", "ab"},
        {Bytes("[S\0T]\r\nLeft=ab\r\n[S]\r\nLeft=cd\r\n"), "S", "ab"},
        {Bytes("[S]\r\n\0Left=ab\r\nLeft=cd\r\n"), "S", "cd"},   // a name of nothing
        {Bytes("[S]\r\nLeft=ab\r\n"), QString("S") + QChar(0) + "T", "ab"},
    };
    for (const auto &c : cases) {
        give(c.file);
        EXPECT_EQ(read(c.section, "Left"), c.value) << c.file.toStdString();
        EXPECT_EQ(read(c.section, QString("Left") + QChar(0) + "x"), c.value) << c.file.toStdString();
    }

    // A write finds the same line and keeps its name's bytes.
    give(Bytes("[S\0]\r\nLeft\0=ab\r\nLeft=cd\r\n"));
    ASSERT_TRUE(WriteIniValue("s", "LEFT", "zz", path));
    ASSERT_TRUE(WriteIniValue("S", "Top", "1", path));
    EXPECT_EQ(bytes(), Bytes("[S\0]\r\nLeft\0=zz\r\nLeft=cd\r\nTop=1\r\n"));
}

// UTF-16LE bytes, with the byte-order mark, of ASCII text.
QByteArray Utf16File(const QByteArray &ascii)
{
    QByteArray bytes("\xFF\xFE");
    for (char c : ascii)
        bytes.append(c).append('\0');
    return bytes;
}

TEST_F(ProfileRules, ALineEndsAtCrLfLfOrALoneCrBeforeItsQuotesAreTakenOff)
{
    const struct {
        QByteArray file;
        const char *section, *key;
        QString value;
    } cases[] = {
        {"[A]\r\nC=\"q\rw\"\r\n", "A", "C", "\"q"},
        {"[A]\nC=\"q\"\n", "A", "C", "q"},
        {"[A]\rC=\"q\"\r", "A", "C", "q"},
        {"[A]\r\nC='q' \rw'\r\n", "A", "C", "q"},
        {Bytes("[A]\r\nC=x \r\0y\r\n"), "A", "C", "x"},
        // What follows a lone CR is a line of its own: a key, a section.
        {"[A]\r\nC=ab\rD=cd\r\n", "A", "D", "cd"},
        {"[A]\r\nC=ab\r[B]\rD=1\r\n", "B", "D", "1"},
        {"[A]\r\nC=ab\r\r\nD=2", "A", "D", "2"},
        {Utf16File("[A]\rC=\"q\rw\"\r\n"), "A", "C", "\"q"},
        {Utf16File("[A]\r\nC=\"q\"\nD=\"r\"\r"), "A", "D", "r"},
    };
    for (const auto &c : cases) {
        give(c.file);
        const QString value = read(c.section, c.key);
        EXPECT_EQ(value, c.value) << c.file.toStdString();
        // Whatever is read can be written and read back the same.
        ASSERT_TRUE(WriteIniValue("Again", c.key, QuoteIniValue(value), path));
        EXPECT_EQ(read("Again", c.key), value) << c.file.toStdString();
    }

    // A write keeps every line, each ended with CR LF from then on.
    give("[A]\rC=\"q\rw\"\n");
    ASSERT_TRUE(WriteIniValue("A", "k", "1", path));
    EXPECT_EQ(bytes(), "[A]\r\nC=\"q\r\nk=1\r\nw\"\r\n");
}

TEST_F(ProfileRules, LongValuesAreReadWhole)
{
    const QString longJapanese = QString("表").repeated(300);
    const QByteArray longAscii(1000, 'x');
    ASSERT_TRUE(WriteIniValue("A", "jp", longJapanese, path));
    ASSERT_TRUE(WriteIniValue("A", "ascii", QString::fromLatin1(longAscii), path));
    EXPECT_EQ(read("A", "jp"), longJapanese);
    EXPECT_EQ(read("A", "ascii").size(), 1000);
}

TEST_F(ProfileRules, WriteReplacesInPlaceKeepingKeySpelling)
{
    give("[Setting]\r\n  WIDTH = 80\r\nHeight=80\r\n");
    ASSERT_TRUE(WriteIniValue("setting", "Width", "100", path));
    EXPECT_EQ(bytes(), "[Setting]\r\nWIDTH=100\r\nHeight=80\r\n");
}

TEST_F(ProfileRules, WriteAppendsKeyAfterLastKeyOfItsSection)
{
    give("[A]\r\nk=1\r\n\r\nnote\r\n[B]\r\nm=2\r\n[Empty]\r\n\r\n");
    ASSERT_TRUE(WriteIniValue("A", "j", "3", path));
    ASSERT_TRUE(WriteIniValue("empty", "e", "4", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\nj=3\r\n\r\nnote\r\n[B]\r\nm=2\r\n[Empty]\r\ne=4\r\n\r\n");
}

TEST_F(ProfileRules, WriteAppendsSectionAtEndOrCreatesFile)
{
    ASSERT_TRUE(WriteIniValue("A", "k", "1", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n");
    give("[A]\r\nk=1");
    ASSERT_TRUE(WriteIniValue("B", "m", "", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=1\r\n[B]\r\nm=\r\n");
}

TEST_F(ProfileRules, WriteGoesToFirstOfDuplicates)
{
    give("[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n");
    ASSERT_TRUE(WriteIniValue("a", "K", "9", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n");
}

TEST_F(ProfileRules, WriteKeepsEveryOtherLineAndEndsLinesWithCrLf)
{
    give("junk line\n\n[A]\nk=1\n  \n[ unterminated\n;k=2\n");
    ASSERT_TRUE(WriteIniValue("A", "k", "2", path));
    EXPECT_EQ(bytes(), "junk line\r\n\r\n[A]\r\nk=2\r\n  \r\n[ unterminated\r\n;k=2\r\n");
}

TEST_F(ProfileRules, WrittenValueEndsAtLineBreakOrNul)
{
    ASSERT_TRUE(WriteIniValue("A", "k", "one\r\n[Evil]\r\nx=1", path));
    ASSERT_TRUE(WriteIniValue("A", "n", QString("ab") + QChar(0) + "cd", path));
    EXPECT_EQ(bytes(), "[A]\r\nk=one\r\nn=ab\r\n");
}

TEST_F(ProfileRules, BatchAppliesKeysInOrderWithWriteRules)
{
    give("[B]\r\nkeep=1\r\n");
    ProfileBatch batch(path);
    batch.write("A", "k", "1");
    batch.write("B", "m", "2");
    batch.write("a", "K", "3");
    ASSERT_TRUE(batch.commit());
    EXPECT_EQ(bytes(), "[B]\r\nkeep=1\r\nm=2\r\n[A]\r\nk=3\r\n");
    EXPECT_EQ(read("A", "k"), "3");
}

TEST_F(ProfileRules, EmptyBatchWritesNothing)
{
    EXPECT_TRUE(ProfileBatch(path).commit());
    EXPECT_FALSE(QFile::exists(path));
}

} // namespace
