// The hourly chime's rules, on the clock's time alone.
#include <gtest/gtest.h>
#include <QTimeZone>

#include "shell/hourly_chime.h"

namespace {

using ChimeSettings = decltype(Settings::Chime);

ChimeSettings Chime(qint16 quiet = 0, QString from = "22:00", QString to = "07:00")
{
    return {.Enabled = 1, .File = {}, .Quiet = quiet, .QuietFrom = std::move(from), .QuietTo = std::move(to)};
}

// Drives a chime with ticks and records the wall-clock times it chimed at.
struct ChimeRun {
    HourlyChime chime;
    ChimeSettings settings = Chime();
    std::array<AlarmEntry, 3> alarms;
    QStringList chimed;

    void tick(const QDateTime &at)
    {
        if (chime.due(settings, alarms, at))
            chimed << at.toString("MM-dd hh:mm:ss.zzz t");
    }
    // Ticks every step ms from `from` up to (not including) `until`.
    void run(const QDateTime &from, const QDateTime &until, qint64 step = 100)
    {
        for (QDateTime at = from; at < until; at = at.addMSecs(step))
            tick(at);
    }
};

const QTimeZone kTokyo("Asia/Tokyo");
const QTimeZone kBerlin("Europe/Berlin");

QDateTime At(int month, int day, const char *time, const QTimeZone &zone = kTokyo)
{
    return QDateTime(QDate(2026, month, day), QTime::fromString(QString::fromLatin1(time), "hh:mm:ss.zzz"), zone);
}

} // namespace

TEST(QuietTime, FromIsInsideToIsOutsideAndARangePastMidnightWraps)
{
    const struct {
        const char *from, *to, *at;
        bool quiet;
    } cases[] = {
        {"22:00", "07:00", "21:00", false}, {"22:00", "07:00", "22:00", true},
        {"22:00", "07:00", "00:00", true},  {"22:00", "07:00", "06:00", true},
        {"22:00", "07:00", "07:00", false}, {"12:00", "13:00", "12:00", true},
        {"12:00", "13:00", "13:00", false}, {"12:00", "13:00", "11:00", false},
        {"22:30", "06:30", "22:00", false}, {"22:30", "06:30", "23:00", true},
        {"22:30", "06:30", "06:00", true},  {"22:30", "06:30", "07:00", false},
        {"08:00", "08:00", "08:00", false}, {"00:00", "00:00", "12:00", false},
        {"25:00", "07:00", "23:00", false}, {"22:00", "7:00", "23:00", false},
    };
    for (const auto &c : cases) {
        const QTime from = QTime::fromString(c.from, "hh:mm"), to = QTime::fromString(c.to, "hh:mm");
        EXPECT_EQ(InQuietTime(from, to, QTime::fromString(c.at, "hh:mm")), c.quiet)
            << c.from << "-" << c.to << " at " << c.at;
    }
}

TEST(HourlyChime, ChimesOnceAtEachFullHourOutsideTheQuietTime)
{
    const struct {
        const char *what;
        qint16 enabled, quiet;
        QStringList chimed;
    } cases[] = {
        {"no quiet time", 1, 0, {"05-01 21:00:00.000 JST", "05-01 22:00:00.000 JST", "05-01 23:00:00.000 JST"}},
        {"quiet from 22:00", 1, 1, {"05-01 21:00:00.000 JST"}},
        {"off", 0, 0, {}},
    };
    for (const auto &c : cases) {
        ChimeRun run;
        run.settings = Chime(c.quiet, "22:00", "07:00");
        run.settings.Enabled = c.enabled;
        run.run(At(5, 1, "20:59:59.000"), At(5, 1, "23:00:00.300"));
        EXPECT_EQ(run.chimed, c.chimed) << c.what;
    }
}

TEST(HourlyChime, ASkippedFirstSecondStillChimesWithinTheHoursFirstMinute)
{
    const struct {
        const char *what;
        QList<QDateTime> ticks;
        QStringList chimed;
    } cases[] = {
        {"resumed within the minute", {At(5, 1, "14:59:30.000"), At(5, 1, "15:00:40.000")},
         {"05-01 15:00:40.000 JST"}},
        {"resumed an hour later, within the minute", {At(5, 1, "13:10:00.000"), At(5, 1, "15:00:59.900")},
         {"05-01 15:00:59.900 JST"}},
        {"resumed after the minute", {At(5, 1, "14:59:30.000"), At(5, 1, "15:01:00.000")}, {}},
        {"started in the first second", {At(5, 1, "15:00:00.500"), At(5, 1, "15:00:00.600")},
         {"05-01 15:00:00.500 JST"}},
        {"started after it", {At(5, 1, "15:00:05.000"), At(5, 1, "15:00:06.000")}, {}},
        {"many ticks in the first second", {At(5, 1, "14:59:59.950"), At(5, 1, "15:00:00.050"),
                                            At(5, 1, "15:00:00.150"), At(5, 1, "15:00:00.950")},
         {"05-01 15:00:00.050 JST"}},
    };
    for (const auto &c : cases) {
        ChimeRun run;
        for (const QDateTime &at : c.ticks)
            run.tick(at);
        EXPECT_EQ(run.chimed, c.chimed) << c.what;
    }

    // Turned on in the hour's first minute, after its first second: the
    // hour has passed.
    ChimeRun late;
    late.settings.Enabled = 0;
    late.run(At(5, 1, "14:59:59.000"), At(5, 1, "15:00:30.000"));
    late.settings.Enabled = 1;
    late.run(At(5, 1, "15:00:30.000"), At(5, 1, "16:00:00.100"));
    EXPECT_EQ(late.chimed, QStringList{"05-01 16:00:00.000 JST"});
}

TEST(HourlyChime, NoHourChimesTwiceWhenTheClockIsSetBack)
{
    const struct {
        const char *what;
        QDateTime setBackTo, until;
        QStringList chimed;
    } cases[] = {
        {"a few seconds", At(5, 1, "14:59:58.000"), At(5, 1, "16:00:01.000"),
         {"05-01 15:00:00.000 JST", "05-01 16:00:00.000 JST"}},
        {"two hours", At(5, 1, "13:30:00.000"), At(5, 1, "16:00:01.000"),
         {"05-01 15:00:00.000 JST", "05-01 16:00:00.000 JST"}},
        {"two days: a wrong date put right", At(4, 29, "14:59:58.000"), At(4, 29, "16:00:01.000"),
         {"05-01 15:00:00.000 JST", "04-29 15:00:00.000 JST", "04-29 16:00:00.000 JST"}},
    };
    for (const auto &c : cases) {
        ChimeRun run;
        run.run(At(5, 1, "14:59:59.000"), At(5, 1, "15:00:03.000"));
        run.run(c.setBackTo, c.until, 1000);
        EXPECT_EQ(run.chimed, c.chimed) << c.what;
    }
}

TEST(HourlyChime, DaylightSavingChangesChimeEachHourTheClockShowsOnce)
{
    const struct {
        const char *what;
        QDateTime from, until;
        QStringList chimed;
    } cases[] = {
        // 02:00 CET becomes 03:00 CEST: there is no 02:00 to chime.
        {"spring forward", At(3, 29, "00:59:58.000", kBerlin), At(3, 29, "04:00:01.000", kBerlin),
         {"03-29 01:00:00.000 CET", "03-29 03:00:00.000 CEST", "03-29 04:00:00.000 CEST"}},
        // 03:00 CEST becomes 02:00 CET: the hour 02 the clock shows twice
        // chimes once.
        {"fall back", At(10, 25, "01:59:58.000", kBerlin), At(10, 25, "04:00:01.000", kBerlin),
         {"10-25 02:00:00.000 CEST", "10-25 03:00:00.000 CET", "10-25 04:00:00.000 CET"}},
    };
    for (const auto &c : cases) {
        ChimeRun run;
        run.run(c.from, c.until, 500);
        EXPECT_EQ(run.chimed, c.chimed) << c.what;
    }
}

TEST(HourlyChime, AnAlarmOfTheSameMinuteSilencesTheChime)
{
    const struct {
        const char *what;
        AlarmEntry alarm;
        bool chimes;
    } cases[] = {
        {"armed at the hour", {1, "15:00", "x", ""}, false},
        {"armed at the hour, flag -1", {-1, "15:00", "x", ""}, false},
        {"not armed", {0, "15:00", "x", ""}, true},
        {"a minute later", {1, "15:01", "x", ""}, true},
        {"another hour", {1, "14:00", "x", ""}, true},
    };
    for (const auto &c : cases) {
        ChimeRun run;
        run.alarms[2] = c.alarm;
        run.run(At(5, 1, "14:59:59.900"), At(5, 1, "15:00:00.200"));
        EXPECT_EQ(run.chimed.size(), c.chimes ? 1 : 0) << c.what;
    }
}
