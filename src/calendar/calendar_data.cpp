#include "calendar/calendar_data.h"

#include <QDate>

#include "settings/profile.h"

namespace {

const QString kCalenderSection = QStringLiteral("Calender");
const QString kHolidaySection = QStringLiteral("NationalHoliday");
constexpr int kKeyFieldWidth = 9;

QString JoinDayStyle(const DayStyle &style)
{
    return QStringLiteral("%1,%2,%3,%4")
        .arg(style.Kind)
        .arg(style.TextColor)
        .arg(style.MarkColor)
        .arg(style.ExtraColor);
}

// A stored "kind,text,mark,extra" value; missing or unusable fields read as 0.
DayStyle ParseDayStyle(const QString &value)
{
    const QString comma = QStringLiteral(",");
    DayStyle style;
    style.Kind = ParseInt16(GetField(value, 1, comma), 0);
    style.TextColor = ParseInt32(GetField(value, 2, comma), 0);
    style.MarkColor = ParseInt32(GetField(value, 3, comma), 0);
    style.ExtraColor = ParseInt32(GetField(value, 4, comma), 0);
    return style;
}

// A "kind,month,day,name[,first year[,last year[,day]]]" rule; the name ends
// at a further comma. A seventh field, when present, overrides the day.
HolidayRule ParseHolidayRule(const QString &value)
{
    const QString comma = QStringLiteral(",");
    HolidayRule rule;
    rule.Kind = ParseInt16(GetField(value, 1, comma), 0);
    rule.Month = ParseInt16(GetField(value, 2, comma), 0);
    rule.Day = ParseInt16(GetField(value, 3, comma), 0);
    rule.Name = GetField(value, 4, comma);
    rule.FirstYear = ParseInt16(GetField(value, 5, comma).trimmed(), 0);
    rule.LastYear = ParseInt16(GetField(value, 6, comma).trimmed(), 0);
    const QString day = GetField(value, 7, comma).trimmed();
    if (!day.isEmpty())
        rule.Day = ParseInt16(day, 0);
    return rule;
}

} // namespace

CalendarData::CalendarData()
{
    for (int n = 0; n < DayType::Count; ++n)
        DayStyleTable[n] = DefaultDayStyle(n);
}

QString DayStyleKey(int dayType)
{
    if (dayType < 0 || dayType >= DayType::Count)
        return {};
    const QString names = QString::fromLatin1(DayStyleKeyNames);
    return names.mid(kKeyFieldWidth * dayType, kKeyFieldWidth).trimmed();
}

DayStyle DefaultDayStyle(int dayType)
{
    constexpr qint32 kYellow = 65535;
    constexpr qint32 kRed = 255;
    constexpr qint32 kBlue = 16711680;
    constexpr qint32 kTodayMark = 16744672;
    switch (dayType) {
    case DayType::Today:
        return {MarkKind::LargeSquare, kYellow, kTodayMark, 0};
    case DayType::Sunday:
        return {MarkKind::None, kRed, 0, 0};
    case DayType::Saturday:
        return {MarkKind::None, kBlue, 0, 0};
    case DayType::Special:
        return {MarkKind::FilledCircle, kYellow, 0, 0};
    case DayType::Holiday:
        return {MarkKind::None, kRed, 0, 0};
    case DayType::Nikki:
        return {MarkKind::CornerTriangle, 0, 0, 0};
    default:
        return {};
    }
}

void LoadDayStyles(CalendarData &data, const QString &settingsPath)
{
    data.CalendarFontName = ReadIniValue(kCalenderSection, QStringLiteral("Font"),
                                         QStringLiteral("ＭＳ ゴシック"), settingsPath);
    for (int n = 0; n < DayType::Count; ++n) {
        const QString value = ReadIniValue(kCalenderSection, DayStyleKey(n), QString(), settingsPath);
        data.DayStyleTable[n] = value.isEmpty() ? DefaultDayStyle(n) : ParseDayStyle(value);
    }
}

bool SaveDayStyles(const CalendarData &data, const QString &settingsPath)
{
    ProfileBatch batch(settingsPath);
    batch.write(kCalenderSection, QStringLiteral("Font"), QuoteIniValue(data.CalendarFontName));
    for (int n = 0; n < DayType::Count; ++n)
        batch.write(kCalenderSection, DayStyleKey(n), JoinDayStyle(data.DayStyleTable[n]));
    return batch.commit();
}

void LoadHolidays(CalendarData &data, const QString &programFolder)
{
    const QString path = CalendarIniPath(programFolder);
    data.HolidayCount = 0;
    for (int n = 1; n <= MaxHolidayRules; ++n) {
        const QString value = ReadIniValue(kHolidaySection, QString::number(n), QString(), path);
        if (value.isEmpty())
            break;
        data.HolidayTable[n] = ParseHolidayRule(value);
        data.HolidayCount = static_cast<qint16>(n);
    }
}

// The equinox formulas hold for 1900 to 2099 only; other years have no equinox
// holiday (0 never equals a day of the month).
qint16 VernalEquinoxDay(qint32 year)
{
    if (year < 1900 || year > 2099)
        return 0;
    const double day = year * 0.24242 - (year / 4) + 35.84;
    return static_cast<qint16>(day);
}

qint16 AutumnalEquinoxDay(qint16 year)
{
    if (year < 1900 || year > 2099)
        return 0;
    const double day = year * 0.24204 - (year / 4) + 39.01;
    return static_cast<qint16>(day);
}

qint16 SecondMondayOf(qint16 year, qint16 month)
{
    return NthMondayOf(year, month, 2);
}

qint16 NthMondayOf(qint16 year, qint16 month, int n)
{
    const QDate first(year, month, 1);
    if (!first.isValid() || n < 1)
        return 0;
    const int firstMonday = 1 + (Qt::Monday - first.dayOfWeek() + 7) % 7;
    const int day = firstMonday + 7 * (n - 1);
    return day <= first.daysInMonth() ? static_cast<qint16>(day) : 0;
}
