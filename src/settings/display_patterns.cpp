#include "settings/display_patterns.h"

#include "settings/profile.h"

QString CalendarIniPath(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + QStringLiteral("Calender.ini");
}

QString ReadFormatPattern(const QString &programFolder, bool timePatterns, int number)
{
    const QString section = timePatterns ? QStringLiteral("TimeFormat") : QStringLiteral("DateFormat");
    return ReadIniValue(section, QString::number(number), QString(), CalendarIniPath(programFolder));
}

DisplayPatterns ReadDisplayPatterns(const QString &programFolder, qint16 datePattern,
                                    qint16 timePattern)
{
    const QString comma = QStringLiteral(",");
    return {GetField(ReadFormatPattern(programFolder, false, datePattern), 1, comma),
            GetField(ReadFormatPattern(programFolder, true, timePattern), 1, comma)};
}
