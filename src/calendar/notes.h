#pragma once
// The two kinds of short notes, each at most ten lines: a diary entry per
// calendar day (one INI-syntax file per year, NIKI<year>.txt, one section per
// day such as "12月6日", keys "0".."9") and the quick memo (section "Fusen"
// of Tockara.ini, keys "0".."9").
#include <array>
#include <QString>

constexpr int NoteLineLimit = 10;
using NoteLines = std::array<QString, NoteLineLimit>;

struct NoteDate {
    qint16 Year = 0;
    qint16 Month = 0;
    qint16 Day = 0;
};

struct NoteData {
    NoteDate DiaryDate;        // the day the diary window shows; set by the month view
    NoteLines DiaryLines;      // the diary lines last read or about to be written
    QString DiaryFilePath;     // the diary file of the last read or write
    NoteLines MemoLines;
    qint16 MemoLineCount = 0;  // lines up to and including the last non-empty one
    QString MemoText;          // the memo lines joined with CR LF (for the hover window)
};

// programFolder/NIKI<year as at least four digits>.txt
QString DiaryFilePathFor(const QString &programFolder, int year);
// The section of a day: month "月" day "日", no leading zeros ("12月6日").
QString DiarySectionFor(int month, int day);

// 1 + the position of the last non-empty line, 0 when all are empty.
qint16 CountNoteLines(const NoteLines &lines);
// A typed text split at its line breaks (CR LF, LF or CR) into ten lines:
// lines after the tenth are dropped, missing ones are empty.
NoteLines SplitNoteLines(const QString &text);
// The first count lines joined with CR LF ("" for a count of 0).
QString JoinNoteLines(const NoteLines &lines, int count);

// Reads the ten lines of a day into DiaryLines; returns their count.
qint16 LoadDiaryDay(NoteData &notes, const QString &programFolder, qint16 year, qint16 month,
                    qint16 day);
// Whether the day's diary entry has a non-empty line (LoadDiaryDay would
// count more than 0), reading no further than the first such line.
bool DiaryDayHasEntry(const QString &programFolder, qint16 year, qint16 month, qint16 day);
// Writes all ten DiaryLines (empty ones as empty values) to the day's section,
// with one file write. false, file untouched, when it cannot be written.
bool SaveDiaryDay(NoteData &notes, const QString &programFolder, qint16 year, qint16 month,
                  qint16 day);

// Reads the memo lines of "Fusen" into MemoLines, sets MemoLineCount and
// returns it. JoinMemo then builds MemoText.
qint16 LoadMemo(NoteData &notes, const QString &settingsPath);
// MemoText := the first MemoLineCount memo lines joined with CR LF.
void JoinMemo(NoteData &notes);
// Writes all ten MemoLines to "Fusen", with one file write.
bool SaveMemo(const NoteData &notes, const QString &settingsPath);
