#pragma once
#include <QDateTime>
#include <QString>

// The clock's current time text, "yyyy/mm/dd hh:nn:ss" (24-hour, zero-padded);
// the hands and the date/time texts of the face are drawn from it.
inline QString CurrentTimeText(const QDateTime &now)
{
    return now.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}
