// Extracting ZIP archives of three shapes with the clock, beside bsdtar (the
// command-line tool on the same library) extracting the same archive into
// the same kind of folder in the same iterations: one big file; thousands of
// small files in folders; and a typical download of both, taken through the
// whole drop (the look at names already taken, the extraction with its
// checks of the disk's reserve, the file manager started), as from the
// release of the drop on the clock. Each reports the clock's time, bsdtar's,
// and bsdtar's over the clock's (above 1: the clock is ahead).
#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <memory>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "archive/archive_extractor.h"
#include "platform/archivers.h"
#include "platform/linux/linux_services.h"
#include "platform/services.h"

namespace {

struct Shape {
    int bigFiles;     // of 30 MB
    int smallFiles;   // of 10 KB, 50 to a folder
};

constexpr qint64 kBigSize = qint64(30) << 20;
constexpr qint64 kSmallSize = 10 << 10;
constexpr Shape kOneBigFile{1, 0};
constexpr Shape kSmallFiles{0, 2000};
constexpr Shape kDownload{1, 2000};

qint64 BytesOf(const Shape &shape)
{
    return shape.bigFiles * kBigSize + shape.smallFiles * kSmallSize;
}

// Bytes as a download holds them: text that packs well and bytes that do
// not, by halves.
QByteArray Content(QRandomGenerator &random, qint64 size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    const qint64 half = size / 2 / 4 * 4;
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), half / 4);
    const QByteArray line = QByteArray("line of a text document, number ").repeated(2) + "\n";
    for (qint64 at = half; at < size; ++at)
        bytes[at] = line[at % line.size()];
    return bytes;
}

// The archive of a shape, made once; its path is empty on failure.
struct BenchArchive {
    QTemporaryDir folder;
    QString path;

    explicit BenchArchive(const Shape &shape)
    {
        QRandomGenerator random(7);
        const QString files = folder.filePath("files");
        QDir().mkpath(files);
        const auto write = [](const QString &path, const QByteArray &bytes) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        };
        for (int i = 0; i < shape.bigFiles; ++i)
            write(QString("%1/big%2.dat").arg(files).arg(i), Content(random, kBigSize));
        for (int i = 0; i < shape.smallFiles; ++i)
            write(QString("%1/docs/part%2/note%3.txt").arg(files).arg(i / 50).arg(i), Content(random, kSmallSize));
        const QString zip = folder.filePath("bench.zip");
        if (QProcess::execute("bsdtar", {"--format", "zip", "-cf", zip, "-C", files, "."}) == 0)
            path = zip;
        QDir(files).removeRecursively();
    }
};

const QString &ArchiveOf(const Shape &shape)
{
    static std::map<std::pair<int, int>, std::unique_ptr<BenchArchive>> made;
    auto &archive = made[{shape.bigFiles, shape.smallFiles}];
    if (!archive)
        archive = std::make_unique<BenchArchive>(shape);
    return archive->path;
}

// Seconds extract took to unpack the archive into a fresh folder of
// outputs; negative when it failed.
template <typename Extract>
double TimeExtraction(const QString &archive, const QTemporaryDir &outputs, Extract extract)
{
    static int made = 0;
    const QString out = outputs.filePath(QString::number(++made));
    QDir().mkpath(out);
    QElapsedTimer timer;
    timer.start();
    const bool done = extract(archive, out + "/");
    const double seconds = double(timer.nsecsElapsed()) / 1e9;
    return done ? seconds : -1;
}

bool ExtractWithBsdtar(const QString &archive, const QString &target)
{
    return QProcess::execute("bsdtar", {"-xf", archive, "-C", target}) == 0;
}

// Each iteration extracts the archive with the clock and with bsdtar, in
// turns (one first, then the other), so that both meet the same disk. What
// they wrote is removed only at the end: for half a minute after many files
// were removed, ext4 makes each new one far slower (it skips the inodes of
// the removed ones, reading each), which would measure the file system's
// state rather than the extraction. The time reported is the clock's;
// "bsdtar/clock" is how many times the clock's time bsdtar took in all
// (above 1: the clock is ahead).
template <typename Extract>
void MeasureBesideBsdtar(benchmark::State &state, const Shape &shape, Extract clock)
{
    const QString archive = ArchiveOf(shape);
    if (archive.isEmpty()) {
        state.SkipWithError("bsdtar could not make the archive");
        return;
    }
    const QTemporaryDir outputs;
    double clockTotal = 0, bsdtarTotal = 0;
    bool clockFirst = true;
    for (auto _ : state) {
        double clockTime, bsdtarTime;
        if (clockFirst) {
            clockTime = TimeExtraction(archive, outputs, clock);
            bsdtarTime = TimeExtraction(archive, outputs, ExtractWithBsdtar);
        } else {
            bsdtarTime = TimeExtraction(archive, outputs, ExtractWithBsdtar);
            clockTime = TimeExtraction(archive, outputs, clock);
        }
        clockFirst = !clockFirst;
        if (clockTime < 0 || bsdtarTime < 0) {
            state.SkipWithError(clockTime < 0 ? "the clock's extraction failed" : "bsdtar failed");
            return;
        }
        state.SetIterationTime(clockTime);
        clockTotal += clockTime;
        bsdtarTotal += bsdtarTime;
    }
    state.SetBytesProcessed(state.iterations() * BytesOf(shape));
    state.counters["bsdtar_ms"] = benchmark::Counter(bsdtarTotal * 1000 / double(state.iterations()));
    state.counters["bsdtar/clock"] = benchmark::Counter(clockTotal > 0 ? bsdtarTotal / clockTotal : 0);
}

void ZipComponent(benchmark::State &state, const Shape &shape)
{
    auto archivers = MakeLinuxArchivers();
    MeasureBesideBsdtar(state, shape, [&](const QString &archive, const QString &target) {
        const std::optional<ArchiverReport> report = archivers->run("unzip32", {"-xs", archive, target});
        return report && report->result == kArchiverOk;
    });
}

// The whole drop, as the clock does it: from the request to the file
// manager started (a program that does nothing), on the real services: the
// look at names already taken in the folder, the extraction with its look
// at the stated sizes and the disk's reserve, the file manager.
void WholeDrop(benchmark::State &state, const Shape &shape)
{
    static Services services = MakeLinuxServices();
    auto archivers = MakeLinuxArchivers();
    ArchiveExtractor extractor(*archivers, *services.messages, *services.programs);
    std::optional<ExtractionOutcome> outcome;
    QObject::connect(&extractor, &ArchiveExtractor::finished,
                     [&outcome](const QString &, ExtractionOutcome finished) { outcome = finished; });
    MeasureBesideBsdtar(state, shape, [&](const QString &archive, const QString &target) {
        const ExtractionSettings settings{target, false, QStringLiteral("/bin/true"), QDir::tempPath() + "/none", {}};
        outcome.reset();
        extractor.ExtractArchive(archive, settings);
        while (!outcome)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return *outcome == ExtractionOutcome::Extracted;
    });
}

// The look at the names an archive would take in a folder, before the
// question: a part of the whole drop, on its own.
void TakenNamesLook(benchmark::State &state, const Shape &shape)
{
    auto archivers = MakeLinuxArchivers();
    const QString archive = ArchiveOf(shape);
    QTemporaryDir out;
    for (auto _ : state) {
        const std::optional<QStringList> taken = archivers->takenNames("unzip32", archive, out.path());
        if (!taken || !taken->isEmpty()) {
            state.SkipWithError("the look failed");
            return;
        }
    }
}

BENCHMARK_CAPTURE(ZipComponent, OneBigFile, kOneBigFile)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(ZipComponent, SmallFilesInFolders, kSmallFiles)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(WholeDrop, Download, kDownload)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK_CAPTURE(TakenNamesLook, Download, kDownload)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
