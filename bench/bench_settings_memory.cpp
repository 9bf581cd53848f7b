// What a large settings file costs in memory while it is kept parsed: a
// Tockara.ini of 60,000 sections (3.9 MB), read once through the engine as the
// clock reads it. Reports the memory the parsed file holds (resident set
// before and after, the parse kept) against the file's size, and the peak.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

#include "settings/profile.h"
#include "settings/profile_file.h"

namespace {

// A line of /proc/self/status in kB ("VmRSS", "VmHWM").
double StatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field) + 1).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

QByteArray LargeSettingsFile()
{
    QByteArray bytes;
    for (int i = 0; i < 60000; ++i)
        bytes += "[Launcher" + QByteArray::number(i) + "]\r\nFile=/home/user/documents/file"
                 + QByteArray::number(i) + ".txt\r\n";
    return bytes;
}

void BM_LargeSettingsFileMemory(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("Tockara.ini");
    const QByteArray bytes = LargeSettingsFile();
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    for (auto _ : state) {
        const double before = StatusKb("VmRSS:");
        // The engine keeps the parsed file for later reads.
        benchmark::DoNotOptimize(ReadIniValue("Launcher59999", "File", "", path));
        const double after = StatusKb("VmRSS:");
        const ProfileFile parsed = ProfileFile::parse(bytes);
        state.counters["file_MB"] = bytes.size() / 1e6;
        state.counters["held_MB"] = (after - before) / 1e3;
        state.counters["accounted_MB"] = parsed.memoryBytes() / 1e6;
        state.counters["peak_MB"] = StatusKb("VmHWM:") / 1e3;
    }
}
BENCHMARK(BM_LargeSettingsFileMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
