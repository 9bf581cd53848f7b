#pragma once
// The three alarms: which of them are due at a tick.
//
// An alarm slot fires when it is armed and the current second is its "hh:nn:00".
// Each slot fires once per alarm second, however many ticks fall into that
// second; a second missed because a tick came late (a busy or suspended
// machine) still fires at the next tick within the same minute.
#include <array>
#include <QDateTime>
#include <QList>

#include "settings/settings.h"

class AlarmCheck {
public:
    // The slots (0..2, in slot order) due at now; each is reported once.
    QList<int> dueSlots(const std::array<AlarmEntry, 3> &alarms, const QDateTime &now);

private:
    QDateTime previousTick_;
    std::array<QDateTime, 3> lastFired_;
};

// The alarm time of day for a Time text that is exactly two digits, a colon
// and two digits naming a valid time; an invalid QTime otherwise ("7:30" never fires).
QTime AlarmTimeOfDay(const QString &timeText);

// The sound file of an alarm whose "File" is file, as typed on the alarm
// page: an absolute path as it stands, "~/..." below the home folder, a
// "file:" address as its path, any other text relative to programFolder (the
// folder of Tockara.ini). Empty when file is empty or only blanks: no sound.
QString AlarmSoundPath(const QString &programFolder, const QString &file);
