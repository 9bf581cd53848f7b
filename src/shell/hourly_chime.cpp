#include "shell/hourly_chime.h"

#include <utility>

#include "shell/alarm_check.h"

namespace {

constexpr qint64 kHourMs = 3'600'000;
// An hour chimed this many hours ahead of the clock's hour still counts as
// chimed: a clock set back by more (a wrong date put right) chimes anew.
constexpr qint64 kRememberedHours = 24;

} // namespace

QString ChimeSoundPath(const QString &programFolder, const QString &file)
{
    return AlarmSoundPath(programFolder, file.trimmed().isEmpty() ? Settings().Chime.File : file);
}

bool InQuietTime(QTime from, QTime to, QTime at)
{
    if (!from.isValid() || !to.isValid() || from == to)
        return false;
    if (from < to)
        return at >= from && at < to;
    return at >= from || at < to;
}

bool HourlyChime::due(const decltype(Settings::Chime) &chime, const std::array<AlarmEntry, 3> &alarms,
                      const QDateTime &now)
{
    const qint64 ms = now.toMSecsSinceEpoch();
    // The first tick has no predecessor: it stands for itself.
    const qint64 before = std::exchange(previousMs_, ms);
    const qint64 previous = before == kNever ? ms : before;
    // Until the next full hour nothing is due, as long as time runs forward;
    // a clock set back, or moved on past that hour, is looked at anew.
    if (chime.Enabled == 0 || (ms >= previous && ms < nextFullHourMs_))
        return false;
    return fullHour(chime, alarms, now, previous);
}

bool HourlyChime::fullHour(const decltype(Settings::Chime) &chime, const std::array<AlarmEntry, 3> &alarms,
                           const QDateTime &now, qint64 previousMs)
{
    // The hour as the clock shows it: its wall-clock time, whatever offset
    // from UTC holds now.
    const QTime time = now.time();
    const qint64 intoHour = (time.minute() * 60 + time.second()) * 1000 + time.msec();
    const qint64 hourStart = now.toMSecsSinceEpoch() - intoHour;
    nextFullHourMs_ = hourStart + kHourMs;
    // Only the first tick at or after the hour's first second chimes: the
    // ticks before this one had not yet passed it.
    if (time.minute() != 0 || previousMs >= hourStart + 1000)
        return false;

    const qint64 hour = now.date().toJulianDay() * 24 + time.hour();
    if (lastChimedHour_ != kNever && hour <= lastChimedHour_ && lastChimedHour_ - hour < kRememberedHours)
        return false;
    lastChimedHour_ = hour;

    const QTime fullHour(time.hour(), 0);
    if (chime.Quiet != 0 && InQuietTime(AlarmTimeOfDay(chime.QuietFrom), AlarmTimeOfDay(chime.QuietTo), fullHour))
        return false;
    for (const AlarmEntry &alarm : alarms)
        if (alarm.Enabled != 0 && AlarmTimeOfDay(alarm.Time) == fullHour)
            return false;
    return true;
}
