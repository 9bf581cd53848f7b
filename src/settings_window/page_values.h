#pragma once
// The value rules of the settings pages: how typed text becomes a number and
// how each page bounds what it stores.
#include <optional>
#include <QPair>
#include <QString>

// The number a text field holds: an optionally signed decimal integer,
// blanks around it allowed; full-width digits and signs (as a Japanese input
// method types them) count as their ASCII forms. Nothing for any other text,
// an empty field included.
std::optional<qint64> ParseFieldNumber(const QString &text);

// A clock width or height: 48..256 pixels as typed, anything else 80.
qint16 ClampClockSize(qint64 pixels);

// A hand thickness: 1..4 as typed, anything else 1.
qint16 ClampHandThickness(qint64 width);

// The alarm time "hh:nn" for a typed hour and minute, bounded as a pair: a
// negative hour gives 00:00, an hour past 23 gives 23:59, otherwise the
// minute alone is held to 0..59.
QString AlarmTimeText(qint64 hour, qint64 minute);

// The hour and minute texts a stored alarm time shows: the parts around its
// colon, or (a time without exactly one colon) its first and last two
// characters.
QPair<QString, QString> SplitAlarmTime(const QString &time);
