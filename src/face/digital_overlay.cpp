#include "face/digital_overlay.h"

#include <algorithm>
#include <cmath>
#include <QDate>
#include <QRegion>

#include "face/color_value.h"

namespace {

// The fields of a "yyyy/mm/dd hh:nn:ss" time text; unreadable ones are 0.
struct TimeFields {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    int weekday = 0;   // 1 = Monday ... 7 = Sunday; 0 for no valid date
};

TimeFields ParseTimeText(const QString &timeText)
{
    auto number = [&](int position, int length) { return timeText.mid(position, length).toInt(); };
    TimeFields f;
    f.year = number(0, 4);
    f.month = number(5, 2);
    f.day = number(8, 2);
    f.hour = number(11, 2);
    f.minute = number(14, 2);
    f.second = number(17, 2);
    f.weekday = QDate(f.year, f.month, f.day).dayOfWeek();
    return f;
}

QString Padded(int value, int width)
{
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString JapaneseWeekday(int weekday, bool full)
{
    static const QString days = QStringLiteral("月火水木金土日");
    if (weekday < 1 || weekday > 7)
        return {};
    const QString day = days.mid(weekday - 1, 1);
    return full ? day + QStringLiteral("曜日") : day;
}

QString EnglishWeekday(int weekday, bool full)
{
    static const char *const names[] = {"Monday", "Tuesday", "Wednesday", "Thursday",
                                        "Friday", "Saturday", "Sunday"};
    if (weekday < 1 || weekday > 7)
        return {};
    const QString name = QString::fromLatin1(names[weekday - 1]);
    return full ? name : name.left(3);
}

// Number of times the letter at i repeats from i on, ignoring case.
int RunLength(const QString &pattern, int i)
{
    const QChar letter = pattern[i].toLower();
    int end = i;
    while (end < pattern.size() && pattern[end].toLower() == letter)
        ++end;
    return end - i;
}

// Formats one token starting at i, or returns 0 when the character there is
// no token. `afterHour` carries the "m after an hour means minutes" rule.
int FormatToken(const QString &pattern, int i, const TimeFields &f, bool &afterHour, QString &out)
{
    const QChar letter = pattern[i].toLower();
    const int run = RunLength(pattern, i);
    bool hourToken = false;
    int used = 0;
    if (letter == u'y' && run >= 2) {
        used = run >= 4 ? 4 : 2;
        out += used == 4 ? Padded(f.year, 4) : Padded(f.year % 100, 2);
    } else if (letter == u'm') {
        used = run >= 2 ? 2 : 1;
        out += Padded(afterHour ? f.minute : f.month, used);
    } else if (letter == u'd') {
        used = std::min(run, 4);
        out += used >= 3 ? EnglishWeekday(f.weekday, used == 4) : Padded(f.day, used);
    } else if (letter == u'a' && run >= 3) {
        used = std::min(run, 4);
        out += JapaneseWeekday(f.weekday, used == 4);
    } else if (letter == u'h' || letter == u'n' || letter == u's') {
        used = run >= 2 ? 2 : 1;
        const int value = letter == u'h' ? f.hour : letter == u'n' ? f.minute : f.second;
        out += Padded(value, used);
        hourToken = letter == u'h';
    }
    if (used > 0)
        afterHour = hourToken;
    return used;
}

} // namespace

QString TimeTextFor(const QDateTime &moment)
{
    // Built by hand: the tick asks for it ten times a second, and the
    // toolkit's pattern formatting costs more than the face's drawing.
    const QDate date = moment.date();
    const QTime time = moment.time();
    char text[20];
    auto put = [&text](int at, int value, int width) {
        for (int i = width - 1; i >= 0; --i, value /= 10)
            text[at + i] = char('0' + value % 10);
    };
    put(0, qBound(0, date.year(), 9999), 4);
    text[4] = '/';
    put(5, date.month(), 2);
    text[7] = '/';
    put(8, date.day(), 2);
    text[10] = ' ';
    put(11, time.hour(), 2);
    text[13] = ':';
    put(14, time.minute(), 2);
    text[16] = ':';
    put(17, time.second(), 2);
    return QString::fromLatin1(text, 19);
}

QString FormatTimeText(const QString &timeText, const QString &pattern)
{
    const TimeFields fields = ParseTimeText(timeText);
    QString out;
    bool afterHour = false;
    int i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        if (c == u'\\') {
            if (i + 1 < pattern.size())
                out += pattern[i + 1];
            i += 2;
        } else if (c == u'"') {
            const int close = pattern.indexOf(u'"', i + 1);
            const int end = close < 0 ? pattern.size() : close;
            out += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (const int used = FormatToken(pattern, i, fields, afterHour, out); used > 0) {
            i += used;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

OverlayPlacement PlaceOverlayTexts(int faceHeight, bool showDate, bool showTime, int dateHeight,
                                   int timeHeight)
{
    const int middle = faceHeight / 2;
    // Rounds halves to the even neighbour (the default rounding mode).
    auto above = [middle](int height) { return static_cast<int>(std::nearbyint(middle - 2.5 * height)); };
    OverlayPlacement placement;
    if (showDate && showTime) {
        placement.dateTop = middle - 3 * dateHeight;
        placement.timeTop = middle - 2 * timeHeight;
    } else if (showDate) {
        placement.dateTop = above(dateHeight);
    } else if (showTime) {
        placement.timeTop = above(timeHeight);
    }
    return placement;
}

int ShiftIntoFace(QSize faceSize, const QList<QRect> &boxes)
{
    // The window's own shape (ClockWindow's mask), made once per size; the
    // texts change once a minute at most, so the last answer is kept.
    static QSize shapeSize;
    static QRegion shape;
    static QList<QRect> lastBoxes;
    static int lastShift = 0;
    if (shapeSize == faceSize && boxes == lastBoxes)
        return lastShift;
    if (shapeSize != faceSize) {
        shapeSize = faceSize;
        shape = QRegion(0, 0, faceSize.width(), faceSize.height(), QRegion::Ellipse);
    }
    lastBoxes = boxes;
    lastShift = 0;
    const auto inside = [](const QRect &box) {
        return shape.contains(box.topLeft()) && shape.contains(box.topRight())
            && shape.contains(box.bottomLeft()) && shape.contains(box.bottomRight());
    };
    for (int shift = 0; shift < faceSize.height(); ++shift) {
        if (std::all_of(boxes.begin(), boxes.end(),
                        [&](const QRect &box) { return box.isEmpty() || inside(box.translated(0, shift)); }))
            return lastShift = shift;
    }
    return lastShift;
}

void DrawDigitalOverlay(QImage &frame, const Settings &settings, const QString &datePatternFormat,
                        const QString &timePatternFormat, const QString &timeText)
{
    const auto &digital = settings.Digital;
    const bool showDate = digital.DatePattern > 0;
    const bool showTime = digital.TimePattern > 0;
    if (!showDate && !showTime)
        return;

    const int width = settings.Setting.Width;
    const int height = settings.Setting.Height;
    const QString dateLine = showDate ? FormatTimeText(timeText, datePatternFormat) : QString();
    const QString timeLine = showTime ? FormatTimeText(timeText, timePatternFormat) : QString();
    const QSize dateSize = MeasureFaceText(dateLine, FaceTextPointSize);
    const QSize timeSize = MeasureFaceText(timeLine, FaceTextPointSize);
    const OverlayPlacement placement =
        PlaceOverlayTexts(height, showDate, showTime, dateSize.height(), timeSize.height());

    struct Line {
        bool drawn;
        QString text;
        QColor colour, outline;
        int k, x, y;
    };
    const Line lines[] = {
        {digital.DatePosition == 0 && !dateLine.isEmpty(), dateLine, ToQColor(digital.DateColor),
         ToQColor(digital.DateFuchiColor), digital.DateFuchiEnabled, (width - dateSize.width()) / 2,
         placement.dateTop},
        {digital.TimePosition == 0 && !timeLine.isEmpty(), timeLine, ToQColor(digital.TimeColor),
         ToQColor(digital.TimeFuchiColor), digital.TimeFuchiEnabled, (width - timeSize.width()) / 2,
         placement.timeTop},
    };
    QList<QRect> boxes;
    for (const Line &line : lines) {
        if (line.drawn)
            boxes << OutlinedTextBounds(QSize(width, height), FaceTextPointSize, line.colour, line.x, line.y,
                                        line.text, line.k, line.outline);
    }
    const int shift = ShiftIntoFace(QSize(width, height), boxes);
    for (const Line &line : lines) {
        if (line.drawn)
            DrawOutlinedText(frame, FaceTextPointSize, line.colour, line.x, line.y + shift, line.text, line.k,
                             line.outline);
    }
}
