// Extracting ZIP archives of three shapes with the clock, beside bsdtar (the
// command-line tool on the same library) extracting the same archive into
// the same kind of folder in the same iterations: one big file; thousands of
// small files in folders; and a typical download of both, taken through the
// whole drop as from the release of the drop on the clock. Each reports the
// clock's time, bsdtar's, and bsdtar's over the clock's (above 1: the clock
// is ahead); at its end the program prints that ratio per shape, the median
// of its runs.
//
// What each time holds. bsdtar's: its whole run, from its start as a
// program to its end. The clock's, for one big file and for the small
// files: the extraction alone, by the running clock's archiver component
// (the clock is running already when something is dropped on it). The
// clock's, for the whole drop: the look at names already taken in the
// folder (none are, so no question is asked), the extraction with its
// checks of the stated sizes and of the disk's reserve, and the request to
// show the folder, up to the file manager (a program that does nothing)
// being started; its running is not timed, and bsdtar shows nothing.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

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

// bsdtar's time over the clock's of each run, by what was measured; printed
// with their medians when the program ends, after the table.
class Ratios {
public:
    void add(const std::string &what, double ratio)
    {
        if (!ratios_.contains(what))
            order_.push_back(what);
        ratios_[what].push_back(ratio);
    }
    ~Ratios()
    {
        if (order_.empty())
            return;
        std::printf("\nZIP extraction against bsdtar in this run: bsdtar's time / the clock's "
                    "(above 1: the clock is ahead), median of the runs\n");
        for (const std::string &what : order_) {
            std::vector<double> &all = ratios_[what];
            std::sort(all.begin(), all.end());
            const size_t n = all.size();
            const double median = n % 2 ? all[n / 2] : (all[n / 2 - 1] + all[n / 2]) / 2;
            std::printf("  %-45s %5.2f  (%s, %zu runs)\n", what.c_str(), median,
                        median > 1 ? "the clock ahead" : "bsdtar ahead", n);
        }
        std::fflush(stdout);
    }

private:
    std::vector<std::string> order_;
    std::map<std::string, std::vector<double>> ratios_;
};

Ratios &RunRatios()
{
    static Ratios ratios;
    return ratios;
}

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

// A folder in memory (/dev/shm) where there is one, else in the temporary
// folder. The files an archive is made of are written and removed there:
// thousands of files removed from a disk without a journal make ext4 slow
// to create each new file for half a minute (it reads past every inode
// removed that recently), which would measure the disk's state rather than
// the extraction.
QTemporaryDir MemoryFolder()
{
    if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        return QTemporaryDir(QStringLiteral("/dev/shm/bench_archive-XXXXXX"));
    return QTemporaryDir();
}

// The archive of a shape, made once; its path is empty on failure.
struct BenchArchive {
    QTemporaryDir folder = MemoryFolder();
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

// A new empty folder in outputs, for one extraction. One count for every
// extraction, whoever makes it: the clock and bsdtar never share a folder.
QString FreshFolder(const QTemporaryDir &outputs)
{
    static int made = 0;
    return outputs.filePath(QString::number(++made));
}

// The folder on the disk that the shapes of many files are extracted into:
// removed when the program ends, so that no benchmark meets the removal of
// another's files.
const QTemporaryDir &KeptOutputs()
{
    static const QTemporaryDir outputs;
    return outputs;
}

// Seconds extract took to unpack the archive into a fresh folder of
// outputs; negative when it failed.
template <typename Extract>
double TimeExtraction(const QString &archive, const QTemporaryDir &outputs, Extract extract)
{
    const QString out = FreshFolder(outputs);
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
// they wrote is removed only at the end (of the program, for many files;
// see MemoryFolder). The time reported is the clock's;
// "bsdtar/clock" is how many times the clock's time bsdtar took in all
// (above 1: the clock is ahead).
template <typename Extract>
void MeasureBesideBsdtar(benchmark::State &state, const std::string &what, const Shape &shape, Extract clock)
{
    const QString archive = ArchiveOf(shape);
    if (archive.isEmpty()) {
        state.SkipWithError("bsdtar could not make the archive");
        return;
    }
    // A shape of one file is removed at its end (a few removals cost
    // nothing later); the many files of the others only with the program.
    const QTemporaryDir ownOutputs;
    const QTemporaryDir &outputs = shape.smallFiles > 0 ? KeptOutputs() : ownOutputs;
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
    const double ratio = clockTotal > 0 ? bsdtarTotal / clockTotal : 0;
    state.counters["bsdtar/clock"] = benchmark::Counter(ratio);
    RunRatios().add(what, ratio);
}

void ZipComponent(benchmark::State &state, const Shape &shape)
{
    auto archivers = MakeLinuxArchivers();
    const std::string what = shape.smallFiles > 0 ? "extraction, 2,000 small files in 40 folders"
                                                  : "extraction, one file of 30 MB";
    MeasureBesideBsdtar(state, what, shape, [&](const QString &archive, const QString &target) {
        const std::optional<ArchiverReport> report = archivers->run("unzip32", {"-xs", archive, target});
        return report && report->result == kArchiverOk;
    });
}

// The whole drop, as the clock does it, on the real services: from the
// request to the file manager started (see the top of this file).
void WholeDrop(benchmark::State &state, const Shape &shape)
{
    static Services services = MakeLinuxServices();
    auto archivers = MakeLinuxArchivers();
    ArchiveExtractor extractor(*archivers, *services.messages, *services.programs);
    std::optional<ExtractionOutcome> outcome;
    QObject::connect(&extractor, &ArchiveExtractor::finished,
                     [&outcome](const QString &, ExtractionOutcome finished) { outcome = finished; });
    MeasureBesideBsdtar(state, "whole drop, both in one archive", shape, [&](const QString &archive, const QString &target) {
        const ExtractionSettings settings{target, false, QStringLiteral("/bin/true"), QDir::tempPath() + "/none", {}};
        outcome.reset();
        extractor.ExtractArchive(archive, settings);
        while (!outcome)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return *outcome == ExtractionOutcome::Extracted;
    });
}

// The look at the names an archive would take in a folder, before the
// question: a part of the whole drop, on its own. The folder is empty (as
// in the whole drop), or holds a file of another name, which has the
// archive's names read.
void TakenNamesLook(benchmark::State &state, const Shape &shape, bool holdsAFile)
{
    auto archivers = MakeLinuxArchivers();
    const QString archive = ArchiveOf(shape);
    QTemporaryDir out;
    if (holdsAFile) {
        QFile other(out.filePath("other.txt"));
        if (!other.open(QIODevice::WriteOnly)) {
            state.SkipWithError("the folder could not be filled");
            return;
        }
    }
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
BENCHMARK_CAPTURE(TakenNamesLook, Download, kDownload, false)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(TakenNamesLook, DownloadBesideAFile, kDownload, true)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
