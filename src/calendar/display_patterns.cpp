#include "calendar/display_patterns.h"

#include "calendar/calendar_data.h"
#include "settings/profile.h"

DisplayPatterns ReadDisplayPatterns(const QString &programFolder, qint16 datePattern,
                                    qint16 timePattern)
{
    const QString comma = QStringLiteral(",");
    return {GetField(ReadFormatPattern(programFolder, false, datePattern), 1, comma),
            GetField(ReadFormatPattern(programFolder, true, timePattern), 1, comma)};
}
