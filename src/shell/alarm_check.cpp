#include "shell/alarm_check.h"

#include <QUrl>

#include "settings/profile.h"

QTime AlarmTimeOfDay(const QString &timeText)
{
    if (timeText.size() != 5 || timeText[2] != ':')
        return {};
    for (int i : {0, 1, 3, 4})
        if (timeText[i] < '0' || timeText[i] > '9')
            return {};
    return QTime(timeText.left(2).toInt(), timeText.mid(3, 2).toInt(), 0);
}

QList<int> AlarmCheck::dueSlots(const std::array<AlarmEntry, 3> &alarms, const QDateTime &now)
{
    // The first tick has no predecessor: it stands for itself.
    const QDateTime previous = previousTick_.isValid() ? previousTick_ : now;
    previousTick_ = now;

    QList<int> due;
    for (int slot = 0; slot < 3; ++slot) {
        const AlarmEntry &alarm = alarms[slot];
        if (alarm.Enabled == 0)
            continue;
        const QTime time = AlarmTimeOfDay(alarm.Time);
        if (!time.isValid())
            continue;
        const QDateTime moment(now.date(), time);
        const bool inItsMinute = now >= moment && now < moment.addSecs(60);
        // Ticks that were already past the alarm second before this one have
        // had their chance; only the first tick at or after it fires.
        const bool notYetPassed = previous < moment.addSecs(1);
        if (inItsMinute && notYetPassed && lastFired_[slot] != moment) {
            lastFired_[slot] = moment;
            due.append(slot);
        }
    }
    return due;
}

QString AlarmSoundPath(const QString &programFolder, const QString &file)
{
    if (file.trimmed().isEmpty())
        return {};
    if (file.startsWith(QLatin1String("file:")))
        return QUrl(file).toLocalFile();
    return ResolveUserPath(file, programFolder);
}
