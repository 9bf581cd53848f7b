#pragma once
// Calender.ini's date and time display patterns: the numbered entries
// "pattern,description" of its sections "DateFormat" and "TimeFormat", read
// by the face's overlay, the calendar and the デジタル表示 page alike.
#include <QString>

// The path of Calender.ini in the program folder.
QString CalendarIniPath(const QString &programFolder);

// Entry number of section "TimeFormat" (timePatterns) or "DateFormat" of
// Calender.ini: "pattern,description", or "" when there is none.
QString ReadFormatPattern(const QString &programFolder, bool timePatterns, int number);

struct DisplayPatterns {
    QString DatePatternFormat;   // empty: no date text
    QString TimePatternFormat;   // empty: no time text
};

// The format texts of the date pattern and time pattern numbers, read from
// the program folder's Calender.ini (the part before the comma).
DisplayPatterns ReadDisplayPatterns(const QString &programFolder, qint16 datePattern,
                                    qint16 timePattern);
