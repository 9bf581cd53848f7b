#include <gtest/gtest.h>
#include <QFile>

#include "calendar/notes.h"
#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

NoteLines Make(std::initializer_list<const char16_t *> texts)
{
    NoteLines lines;
    int i = 0;
    for (const char16_t *text : texts)
        lines[i++] = QString::fromUtf16(text);
    return lines;
}

class NotesTest : public ::testing::Test {
protected:
    QString ini() const { return folder.file("Tockara.ini"); }
    TempFolder folder;
    NoteData notes;
};

TEST(NoteNamesTest, DiaryFileAndSectionNames)
{
    EXPECT_EQ(DiaryFilePathFor("/p", 1999), "/p/NIKI1999.txt");
    EXPECT_EQ(DiaryFilePathFor("/p/", 2000), "/p/NIKI2000.txt");
    EXPECT_EQ(DiaryFilePathFor("/p", 987), "/p/NIKI0987.txt");
    EXPECT_EQ(DiarySectionFor(12, 6), QStringLiteral("12月6日"));
    EXPECT_EQ(DiarySectionFor(1, 1), QStringLiteral("1月1日"));
}

TEST(NoteLinesTest, SplitKeepsTenLinesAndAnyLineBreak)
{
    QStringList twelve;
    for (int i = 1; i <= 12; ++i)
        twelve << QString::number(i);
    const NoteLines lines = SplitNoteLines(twelve.join("\r\n"));
    EXPECT_EQ(lines[0], "1");
    EXPECT_EQ(lines[9], "10");

    const NoteLines mixed = SplitNoteLines("a\nb\r\nc\rd");
    EXPECT_EQ(mixed, Make({u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(SplitNoteLines(""), NoteLines{});
}

TEST(NoteLinesTest, CountRunsToTheLastNonEmptyLine)
{
    EXPECT_EQ(CountNoteLines(NoteLines{}), 0);
    EXPECT_EQ(CountNoteLines(Make({u"a", u"", u"c"})), 3);
    EXPECT_EQ(CountNoteLines(Make({u"", u"", u"", u"", u"e"})), 5);
    NoteLines last;
    last[9] = "z";
    EXPECT_EQ(CountNoteLines(last), 10);
}

TEST_F(NotesTest, DiaryDayRoundTripsWithGapsInTheYearsFile)
{
    notes.DiaryLines = Make({u"朝", u"", u"夜"});
    ASSERT_TRUE(SaveDiaryDay(notes, folder.path(), 2000, 12, 6));
    EXPECT_EQ(notes.DiaryFilePath, folder.file("NIKI2000.txt"));
    EXPECT_TRUE(QFile::exists(folder.file("NIKI2000.txt")));

    // All ten keys are written, empty lines as empty values.
    const QString text = DecodeAnsi(folder.readBytes("NIKI2000.txt"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("[12月6日]\r\n0=朝\r\n1=\r\n2=夜\r\n3=\r\n")));
    EXPECT_TRUE(text.contains("9=\r\n"));

    NoteData reader;
    reader.DiaryLines[7] = "stale";
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2000, 12, 6), 3);
    EXPECT_EQ(reader.DiaryLines, notes.DiaryLines);
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2000, 12, 7), 0);
    EXPECT_EQ(reader.DiaryLines, NoteLines{});
    // The same day of another year lives in another file.
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2001, 12, 6), 0);
    EXPECT_EQ(reader.DiaryFilePath, folder.file("NIKI2001.txt"));
}

TEST_F(NotesTest, StoringAnEmptyDiaryLeavesNoEntry)
{
    notes.DiaryLines = Make({u"x"});
    SaveDiaryDay(notes, folder.path(), 1999, 1, 1);
    notes.DiaryLines = NoteLines{};
    SaveDiaryDay(notes, folder.path(), 1999, 1, 1);
    EXPECT_EQ(LoadDiaryDay(notes, folder.path(), 1999, 1, 1), 0);
}

TEST_F(NotesTest, LinesReadBackExactlyAsTyped)
{
    // Blanks at the edges, quotes, "=", semicolons, brackets and long lines
    // must all survive storing and reading back.
    const NoteLines typed = Make({u"  indented", u"trailing  ", u"\"quoted\"", u"'single'",
                                  u"a=b=c", u";not a comment", u"[not a section]", u" ",
                                  u"\"unmatched", u"全角　"});
    notes.DiaryLines = typed;
    SaveDiaryDay(notes, folder.path(), 2024, 2, 29);
    NoteData reader;
    EXPECT_EQ(LoadDiaryDay(reader, folder.path(), 2024, 2, 29), 10);
    EXPECT_EQ(reader.DiaryLines, typed);

    notes.MemoLines = typed;
    notes.MemoLines[3] = QString(600, u'あ');
    SaveMemo(notes, ini());
    EXPECT_EQ(LoadMemo(reader, ini()), 10);
    EXPECT_EQ(reader.MemoLines, notes.MemoLines);
}

TEST_F(NotesTest, AGarbledDiaryFileStillGivesItsDaysAndKeepsItsOtherBytes)
{
    // Invalid bytes, a header without "]" (no section), then the real day.
    const QByteArray garbage = QByteArray("\x81\x00 junk\r\n", 9)
                               + EncodeAnsi(QStringLiteral("[12月6日\r\n0=no section\r\n"));
    folder.writeBytes("NIKI2000.txt",
                      garbage + EncodeAnsi(QStringLiteral("[12月6日]\r\n0=ok\r\n2=あ\r\n")));
    EXPECT_EQ(LoadDiaryDay(notes, folder.path(), 2000, 12, 6), 3);
    EXPECT_EQ(notes.DiaryLines[0], "ok");
    EXPECT_EQ(notes.DiaryLines[1], "");
    EXPECT_EQ(notes.DiaryLines[2], QStringLiteral("あ"));

    notes.DiaryLines = Make({u"new"});
    ASSERT_TRUE(SaveDiaryDay(notes, folder.path(), 2000, 12, 7));
    EXPECT_TRUE(folder.readBytes("NIKI2000.txt").startsWith(garbage));
    EXPECT_EQ(LoadDiaryDay(notes, folder.path(), 2000, 12, 7), 1);
    EXPECT_EQ(notes.DiaryLines[0], "new");
    EXPECT_EQ(LoadDiaryDay(notes, folder.path(), 2000, 12, 6), 3);
}

TEST_F(NotesTest, MemoOnLineFiveOnly)
{
    WriteIniValue("Fusen", "4", QStringLiteral("牛乳"), ini());
    EXPECT_EQ(LoadMemo(notes, ini()), 5);
    EXPECT_EQ(notes.MemoLineCount, 5);
    JoinMemo(notes);
    EXPECT_EQ(notes.MemoText, QStringLiteral("\r\n\r\n\r\n\r\n牛乳"));
}

TEST_F(NotesTest, MemoJoinsItsCountedLinesWithCrLf)
{
    notes.MemoLines = Make({u"a", u"", u"c"});
    SaveMemo(notes, ini());
    NoteData reader;
    reader.MemoLines[9] = "stale";
    EXPECT_EQ(LoadMemo(reader, ini()), 3);
    JoinMemo(reader);
    EXPECT_EQ(reader.MemoText, "a\r\n\r\nc");

    EXPECT_EQ(LoadMemo(reader, folder.file("missing.ini")), 0);
    JoinMemo(reader);
    EXPECT_EQ(reader.MemoText, "");
}

} // namespace
