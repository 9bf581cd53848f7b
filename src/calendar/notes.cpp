#include "calendar/notes.h"

#include <QRegularExpression>

#include "settings/profile.h"

namespace {

const QString kMemoSection = QStringLiteral("Fusen");
const QString kLineBreak = QStringLiteral("\r\n");

NoteLines ReadLines(const QString &section, const QString &path)
{
    NoteLines lines;
    for (int i = 0; i < NoteLineLimit; ++i)
        lines[i] = ReadIniValue(section, QString::number(i), QString(), path);
    return lines;
}

bool WriteLines(const QString &section, const NoteLines &lines, const QString &path)
{
    ProfileBatch batch(path);
    for (int i = 0; i < NoteLineLimit; ++i)
        batch.write(section, QString::number(i), QuoteIniValue(lines[i]));
    return batch.commit();
}

} // namespace

QString DiaryFilePathFor(const QString &programFolder, int year)
{
    return AddTrailingSeparator(programFolder) + QStringLiteral("NIKI")
        + QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) + QStringLiteral(".txt");
}

QString DiarySectionFor(int month, int day)
{
    return QStringLiteral("%1月%2日").arg(month).arg(day);
}

qint16 CountNoteLines(const NoteLines &lines)
{
    for (int i = NoteLineLimit - 1; i >= 0; --i) {
        if (!lines[i].isEmpty())
            return static_cast<qint16>(i + 1);
    }
    return 0;
}

NoteLines SplitNoteLines(const QString &text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    const QStringList parts = text.split(lineBreak);
    NoteLines lines;
    for (int i = 0; i < NoteLineLimit && i < parts.size(); ++i)
        lines[i] = parts[i];
    return lines;
}

QString JoinNoteLines(const NoteLines &lines, int count)
{
    QString text;
    for (int i = 0; i < count && i < NoteLineLimit; ++i) {
        if (i > 0)
            text += kLineBreak;
        text += lines[i];
    }
    return text;
}

qint16 LoadDiaryDay(NoteData &notes, const QString &programFolder, qint16 year, qint16 month,
                    qint16 day)
{
    notes.DiaryFilePath = DiaryFilePathFor(programFolder, year);
    notes.DiaryLines = ReadLines(DiarySectionFor(month, day), notes.DiaryFilePath);
    return CountNoteLines(notes.DiaryLines);
}

bool DiaryDayHasEntry(const QString &programFolder, qint16 year, qint16 month, qint16 day)
{
    const QString path = DiaryFilePathFor(programFolder, year);
    const QString section = DiarySectionFor(month, day);
    for (int i = 0; i < NoteLineLimit; ++i) {
        if (!ReadIniValue(section, QString::number(i), QString(), path).isEmpty())
            return true;
    }
    return false;
}

bool SaveDiaryDay(NoteData &notes, const QString &programFolder, qint16 year, qint16 month,
                  qint16 day)
{
    notes.DiaryFilePath = DiaryFilePathFor(programFolder, year);
    return WriteLines(DiarySectionFor(month, day), notes.DiaryLines, notes.DiaryFilePath);
}

qint16 LoadMemo(NoteData &notes, const QString &settingsPath)
{
    notes.MemoLines = ReadLines(kMemoSection, settingsPath);
    notes.MemoLineCount = CountNoteLines(notes.MemoLines);
    return notes.MemoLineCount;
}

void JoinMemo(NoteData &notes)
{
    notes.MemoText = JoinNoteLines(notes.MemoLines, notes.MemoLineCount);
}

bool SaveMemo(const NoteData &notes, const QString &settingsPath)
{
    return WriteLines(kMemoSection, notes.MemoLines, settingsPath);
}
