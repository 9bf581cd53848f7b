#pragma once
// The date and time format texts the face's overlay draws with: the patterns
// "Digital" "DatePattern" and "TimePattern" name in Calender.ini.
#include <QString>

struct DisplayPatterns {
    QString DatePatternFormat;   // empty: no date text
    QString TimePatternFormat;   // empty: no time text
};

// The format texts of the date pattern and time pattern numbers, read from
// the program folder's Calender.ini (the part before the comma).
DisplayPatterns ReadDisplayPatterns(const QString &programFolder, qint16 datePattern,
                                    qint16 timePattern);
