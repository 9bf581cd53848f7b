#include "settings_window/page_values.h"

#include <algorithm>
#include <limits>

namespace {

// Full-width digits and signs, as a Japanese input method types them, in
// their ASCII forms. Only these: a general compatibility folding would also
// read a superscript or circled digit as a digit ("12²" as 122).
QString FoldFullWidthNumber(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u >= u'０' && u <= u'９')
            c = QChar(u'0' + (u - u'０'));
        else if (u == u'＋')
            c = QChar(u'+');
        else if (u == u'－')
            c = QChar(u'-');
    }
    return folded;
}

} // namespace

std::optional<qint64> ParseFieldNumber(const QString &text)
{
    const QString folded = FoldFullWidthNumber(text).trimmed();
    if (folded.isEmpty())
        return std::nullopt;
    int start = (folded[0] == '+' || folded[0] == '-') ? 1 : 0;
    if (start == folded.size())
        return std::nullopt;
    for (int i = start; i < folded.size(); ++i) {
        if (folded[i] < '0' || folded[i] > '9')
            return std::nullopt;
    }
    bool ok = false;
    const qint64 value = folded.toLongLong(&ok);
    if (!ok) {
        // More digits than 64 bits hold: far outside every field's range,
        // so the nearest representable value bounds it the same way.
        return folded[0] == '-' ? std::numeric_limits<qint64>::min()
                                : std::numeric_limits<qint64>::max();
    }
    return value;
}

qint16 ClampClockSize(qint64 pixels)
{
    return (pixels < 48 || pixels > 256) ? qint16(80) : qint16(pixels);
}

qint16 ClampHandThickness(qint64 width)
{
    return (width < 1 || width > 4) ? qint16(1) : qint16(width);
}

QString AlarmTimeText(qint64 hour, qint64 minute)
{
    if (hour < 0) {
        hour = 0;
        minute = 0;
    } else if (hour <= 23) {
        minute = std::clamp<qint64>(minute, 0, 59);
    } else {
        hour = 23;
        minute = 59;
    }
    return QStringLiteral("%1:%2").arg(hour, 2, 10, QChar('0')).arg(minute, 2, 10, QChar('0'));
}

QPair<QString, QString> SplitAlarmTime(const QString &time)
{
    if (time.count(':') == 1) {
        const int colon = time.indexOf(':');
        return {time.left(colon), time.mid(colon + 1)};
    }
    return {time.left(2), time.right(2)};
}
