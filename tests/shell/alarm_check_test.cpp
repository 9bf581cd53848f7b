#include <gtest/gtest.h>
#include <QDir>

#include "shell/alarm_check.h"

namespace {

std::array<AlarmEntry, 3> alarmsAt(const QString &time, qint16 enabled = 1)
{
    std::array<AlarmEntry, 3> alarms;
    alarms[0].Time = time;
    alarms[0].Enabled = enabled;
    return alarms;
}

// Runs ticks every step ms from `from` for `span` seconds; returns the times
// at which each slot fired.
QList<QPair<int, QDateTime>> runTicks(AlarmCheck &check, const std::array<AlarmEntry, 3> &alarms,
                                      QDateTime from, int spanSeconds, int stepMs = 100)
{
    QList<QPair<int, QDateTime>> fired;
    for (QDateTime t = from; t < from.addSecs(spanSeconds); t = t.addMSecs(stepMs))
        for (int slot : check.dueSlots(alarms, t))
            fired.append({slot, t});
    return fired;
}

const QDate kDay(2026, 12, 7);

} // namespace

TEST(AlarmCheck, FiresOnceDuringItsSecondOnly)
{
    AlarmCheck check;
    auto fired = runTicks(check, alarmsAt("07:30"), QDateTime(kDay, QTime(7, 28, 0)), 300);
    ASSERT_EQ(fired.size(), 1);
    EXPECT_EQ(fired[0].first, 0);
    EXPECT_EQ(fired[0].second, QDateTime(kDay, QTime(7, 30, 0)));
}

TEST(AlarmCheck, FiresAgainTheNextDay)
{
    AlarmCheck check;
    auto alarms = alarmsAt("07:30");
    EXPECT_EQ(runTicks(check, alarms, QDateTime(kDay, QTime(7, 29, 59)), 3).size(), 1);
    EXPECT_EQ(runTicks(check, alarms, QDateTime(kDay.addDays(1), QTime(7, 29, 59)), 3).size(), 1);
}

TEST(AlarmCheck, DisabledOrMalformedNeverFires)
{
    for (auto alarms : {alarmsAt("07:30", 0), alarmsAt("7:30"), alarmsAt("07:3"), alarmsAt("0a:30"),
                        alarmsAt("25:00"), alarmsAt("07-30"), alarmsAt("")}) {
        AlarmCheck check;
        EXPECT_TRUE(runTicks(check, alarms, QDateTime(kDay, QTime(7, 29, 0)), 120).isEmpty())
            << alarms[0].Time.toStdString();
    }
}

TEST(AlarmCheck, AnyNonZeroFlagArms)
{
    AlarmCheck check;
    EXPECT_EQ(runTicks(check, alarmsAt("07:30", -1), QDateTime(kDay, QTime(7, 29, 59)), 2).size(), 1);
}

TEST(AlarmCheck, TwoSlotsAtTheSameTimeFireInSlotOrder)
{
    AlarmCheck check;
    auto alarms = alarmsAt("12:00");
    alarms[2].Time = "12:00";
    alarms[2].Enabled = 1;
    QList<int> due = check.dueSlots(alarms, QDateTime(kDay, QTime(11, 59, 59, 950)));
    EXPECT_TRUE(due.isEmpty());
    due = check.dueSlots(alarms, QDateTime(kDay, QTime(12, 0, 0, 50)));
    EXPECT_EQ(due, (QList<int>{0, 2}));
}

TEST(AlarmCheck, ASkippedSecondStillFiresWithinItsMinute)
{
    AlarmCheck check;
    auto alarms = alarmsAt("07:30");
    check.dueSlots(alarms, QDateTime(kDay, QTime(7, 29, 59, 900)));
    // The machine was busy: the next tick comes 20 seconds late.
    EXPECT_EQ(check.dueSlots(alarms, QDateTime(kDay, QTime(7, 30, 20))), QList<int>{0});
    EXPECT_TRUE(check.dueSlots(alarms, QDateTime(kDay, QTime(7, 30, 20, 100))).isEmpty());
}

TEST(AlarmCheck, ALateTickAfterItsMinuteDoesNotFire)
{
    AlarmCheck check;
    auto alarms = alarmsAt("07:30");
    check.dueSlots(alarms, QDateTime(kDay, QTime(7, 29, 59, 900)));
    EXPECT_TRUE(check.dueSlots(alarms, QDateTime(kDay, QTime(7, 31, 0))).isEmpty());
}

TEST(AlarmCheck, StartingAfterTheAlarmSecondDoesNotFire)
{
    AlarmCheck check;
    EXPECT_TRUE(check.dueSlots(alarmsAt("07:30"), QDateTime(kDay, QTime(7, 30, 5))).isEmpty());
}

TEST(AlarmSoundPath, TheTypedFileIsFoundWhereTheUserMeansIt)
{
    const QPair<QString, QString> cases[] = {
        {"", ""},
        {"  ", ""},
        {"/music/ring.wav", "/music/ring.wav"},
        {"sounds/朝 の 鐘.mp3", "/prog/sounds/朝 の 鐘.mp3"},
        {" ring.wav", "/prog/ ring.wav"},
        {"~/ring.ogg", QDir::homePath() + "/ring.ogg"},
        {"~ring.ogg", "/prog/~ring.ogg"},
        {"file:///music/a%20b.wav", "/music/a b.wav"},
    };
    for (const auto &[typed, path] : cases)
        EXPECT_EQ(AlarmSoundPath("/prog", typed), path) << typed.toStdString();
}
