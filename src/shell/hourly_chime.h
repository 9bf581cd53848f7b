#pragma once
// The hourly chime (時報): whether a tick is the one that chimes the hour.
//
// The chime sounds once at each full hour of the clock's time, at the first
// tick of the hour's first second, or at the first tick after it within the
// hour's first minute when that second was skipped (a busy or suspended
// machine), as an alarm fires. It stays silent
// - when the hour lies in the quiet time (from QuietFrom, inclusive, until
//   QuietTo; a range past midnight wraps, equal ends make no quiet time);
// - when an armed alarm has the same minute: the alarm is what the user hears;
// - for an hour already chimed: a clock set back a little, or the hour that
//   repeats when daylight-saving time ends, chimes no hour twice.
// Between full hours a tick costs two comparisons.
#include <array>
#include <limits>
#include <QDateTime>

#include "settings/settings.h"

class HourlyChime {
public:
    // Whether the chime sounds at this tick; chime is "Chime" of the
    // settings, alarms are the three alarm slots.
    bool due(const decltype(Settings::Chime) &chime, const std::array<AlarmEntry, 3> &alarms,
             const QDateTime &now);

private:
    bool fullHour(const decltype(Settings::Chime) &chime, const std::array<AlarmEntry, 3> &alarms,
                  const QDateTime &now, qint64 previousMs);

    static constexpr qint64 kNever = std::numeric_limits<qint64>::min();
    qint64 previousMs_ = kNever;     // the last tick, ms since the epoch
    qint64 nextFullHourMs_ = kNever; // until then, time running forward, no chime is due
    qint64 lastChimedHour_ = kNever; // the hour chimed last, as a wall-clock hour number
};

// The sound file the chime plays for "Chime" "File" file, found as an
// alarm's (AlarmSoundPath); an empty file is the shipped chime.
QString ChimeSoundPath(const QString &programFolder, const QString &file);

// Whether the time of day `at` lies in the quiet time from..to: from itself
// is in it, to is not; a from later than to wraps past midnight; equal or
// invalid ends make no quiet time.
bool InQuietTime(QTime from, QTime to, QTime at);
