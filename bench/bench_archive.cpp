// Throughput of extracting a 50 MB ZIP archive with the clock's ZIP component,
// beside bsdtar (the command-line tool on the same library) extracting the
// same archive into the same kind of folder. Both report the bytes of the
// extracted files per second.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "platform/archivers.h"
#include "platform/linux/linux_services.h"

namespace {

constexpr int kFiles = 50;
constexpr qint64 kFileSize = 1 << 20;  // 50 files of 1 MiB

// The archive, made once: half of the files text (compresses well), half
// random bytes (does not), as in a typical download. Empty on failure.
struct BenchArchive {
    QTemporaryDir folder;
    QString path;

    BenchArchive()
    {
        QDir(folder.path()).mkpath("files/docs");
        QRandomGenerator random(7);
        for (int i = 0; i < kFiles; ++i) {
            QByteArray bytes(kFileSize, Qt::Uninitialized);
            if (i % 2 == 0) {
                random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), kFileSize / 4);
            } else {
                const QByteArray line = QByteArray("line of a text document, number ").repeated(2) + "\n";
                for (qint64 at = 0; at < kFileSize; ++at)
                    bytes[at] = line[at % line.size()];
            }
            QFile file(folder.filePath(QString("files/docs/file%1.dat").arg(i)));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
        }
        const QString zip = folder.filePath("bench.zip");
        if (QProcess::execute("bsdtar", {"--format", "zip", "-cf", zip, "-C", folder.filePath("files"), "."}) == 0)
            path = zip;
    }
};

BenchArchive &Archive()
{
    static BenchArchive archive;
    return archive;
}

// Runs extract into a fresh folder per iteration; the clean-up is not timed.
template <typename Extract>
void MeasureExtraction(benchmark::State &state, Extract extract)
{
    const QString archive = Archive().path;
    if (archive.isEmpty()) {
        state.SkipWithError("bsdtar could not make the archive");
        return;
    }
    for (auto _ : state) {
        QTemporaryDir out;
        if (!extract(archive, out.path() + "/")) {
            state.SkipWithError("extraction failed");
            return;
        }
        state.PauseTiming();
        out.remove();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * kFiles * kFileSize);
}

void BM_ExtractZipComponent(benchmark::State &state)
{
    auto archivers = MakeLinuxArchivers();
    MeasureExtraction(state, [&](const QString &archive, const QString &target) {
        const std::optional<ArchiverReport> report = archivers->run("unzip32", {"-xs", archive, target});
        return report && report->result == kArchiverOk;
    });
}
BENCHMARK(BM_ExtractZipComponent)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ExtractZipBsdtar(benchmark::State &state)
{
    MeasureExtraction(state, [](const QString &archive, const QString &target) {
        return QProcess::execute("bsdtar", {"-xf", archive, "-C", target}) == 0;
    });
}
BENCHMARK(BM_ExtractZipBsdtar)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
