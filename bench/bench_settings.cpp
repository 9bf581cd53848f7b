// Costs of the settings file and the profile engine: saving Tockara.ini as
// every settings change and start-up do, loading it, and reading a month of
// diary entries from a year's diary file the way the month view does.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/profile.h"
#include "settings/profile_file.h"
#include "settings/settings.h"

namespace {

QString DiarySection(int month, int day)
{
    return QStringLiteral("%1月%2日").arg(month).arg(day);
}

// A year of diary entries, every day with ten lines of Japanese text.
QString WriteDiaryYear(const QString &folder)
{
    const QString path = folder + "/NIKI2024.txt";
    ProfileBatch batch(path);
    for (int month = 1; month <= 12; ++month) {
        for (int day = 1; day <= 31; ++day) {
            for (int line = 0; line < 10; ++line)
                batch.write(DiarySection(month, day), QString::number(line),
                            QStringLiteral("今日は表計算ソフトで%1行目を書いた。").arg(line));
        }
    }
    batch.commit();
    return path;
}

// A settings change: one value differs from the file, so the file is written.
void BM_SaveSettings(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = SettingsPathFor(folder.path());
    Settings settings;
    LoadSettings(settings, path, folder.path());
    SaveSettings(settings, path);  // the file exists, as after the first start
    for (auto _ : state) {
        settings.Setting.Left ^= 1;
        benchmark::DoNotOptimize(SaveSettings(settings, path));
    }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// The save at start-up: every value as read, so nothing is written.
void BM_SaveUnchangedSettings(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = SettingsPathFor(folder.path());
    Settings settings;
    LoadSettings(settings, path, folder.path());
    SaveSettings(settings, path);
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveSettings(settings, path));
}
BENCHMARK(BM_SaveUnchangedSettings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

void BM_LoadSettings(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = SettingsPathFor(folder.path());
    Settings settings;
    LoadSettings(settings, path, folder.path());
    SaveSettings(settings, path);
    for (auto _ : state) {
        LoadSettings(settings, path, folder.path());
        benchmark::DoNotOptimize(settings);
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// 31 days x 10 keys, as the month view reads them, from the parsed (cached) file.
void BM_ReadMonthOfDiary(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = WriteDiaryYear(folder.path());
    for (auto _ : state) {
        qsizetype total = 0;
        for (int day = 1; day <= 31; ++day) {
            const QString section = DiarySection(6, day);
            for (int line = 0; line < 10; ++line)
                total += ReadIniValue(section, QString::number(line), QString(), path).size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadMonthOfDiary)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

// Parsing a year's diary file, paid once per change of the file.
void BM_ParseDiaryYear(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile file(WriteDiaryYear(folder.path()));
    file.open(QIODevice::ReadOnly);
    const QByteArray bytes = file.readAll();
    state.counters["bytes"] = double(bytes.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(ProfileFile::parse(bytes));
}
BENCHMARK(BM_ParseDiaryYear)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace
