#include "platform/linux/seven_zip_archiver.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include <zlib.h>

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QStandardPaths>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"
#include "platform/linux/extraction_folder.h"
#include "platform/log.h"

// 7-Zip writes what it extracts into a private folder inside the target
// folder; from there only plain files and folders whose names stay inside the
// target are moved into place, never through a link, and a file only when its
// size and CRC are those the archive lists: what 7-Zip could not write whole
// (a full disk, a damaged entry) never takes a file's name. 7-Zip sees only
// names of our own making (it reads "*" and "?" in names as wildcards and a
// leading "-" or "@" as a switch or a list file), so any archive name works.

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const QByteArray &bytes)
{
    return fs::path(bytes.toStdString());
}

// A folder of its own below root, removed with everything in it at the end.
class PrivateFolder {
public:
    explicit PrivateFolder(const QString &root)
    {
        QByteArray pattern = QFile::encodeName(root + QStringLiteral("/.tockara-XXXXXX"));
        if (mkdtemp(pattern.data()))
            path_ = PathOf(pattern);
    }
    ~PrivateFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;
    const fs::path &path() const { return path_; }

private:
    fs::path path_;
};

struct ListedEntry {
    QByteArray path;  // as 7-Zip names it, which is also its name on disk
    bool folder = false;
    bool encrypted = false;
    bool listedTwice = false;  // a file whose path is listed again: 7-Zip kept one of them
    qint64 size = -1;
    std::optional<quint32> crc;
};

// The entries of a technical listing ("l -slt -ba"): blocks of "Key = value"
// lines, each beginning with "Path".
QList<ListedEntry> ParseListing(const QByteArray &listing)
{
    QList<ListedEntry> entries;
    for (const QByteArray &line : listing.split('\n')) {
        if (line.startsWith("Path = ")) {
            ListedEntry entry;
            entry.path = line.mid(7);
            entries.append(entry);
            continue;
        }
        if (entries.isEmpty())
            continue;
        ListedEntry &entry = entries.last();
        bool ok = false;
        if (line == "Folder = +") {
            entry.folder = true;
        } else if (line == "Encrypted = +") {
            entry.encrypted = true;
        } else if (line.startsWith("Size = ")) {
            const qint64 size = line.mid(7).toLongLong(&ok);
            entry.size = ok ? size : -1;
        } else if (line.startsWith("CRC = ")) {
            const quint32 crc = line.mid(6).toUInt(&ok, 16);
            if (ok)
                entry.crc = crc;
        }
    }
    QHash<QByteArray, int> files;
    for (const ListedEntry &entry : entries)
        files[entry.path] += entry.folder ? 0 : 1;
    for (ListedEntry &entry : entries)
        entry.listedTwice = !entry.folder && files.value(entry.path) > 1;
    return entries;
}

// A stored path that cannot leave the private folder it is extracted into.
bool StaysInside(const QByteArray &path)
{
    if (path.isEmpty() || path.startsWith('/'))
        return false;
    for (const QByteArray &part : path.split('/')) {
        if (part == "..")
            return false;
    }
    return true;
}

// The CRC-32 of a file, as ARJ stores it; nothing when it cannot be read.
// The path's bytes are used as they are: 7-Zip wrote Shift-JIS names as
// stored, which are no UTF-8 file names.
std::optional<quint32> FileCrc(const fs::path &path)
{
    const UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (file.get() < 0)
        return std::nullopt;
    uLong crc = crc32(0, nullptr, 0);
    QByteArray block(1 << 16, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = read(file.get(), block.data(), size_t(block.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return quint32(crc);
        crc = crc32(crc, reinterpret_cast<const Bytef *>(block.constData()), uInt(got));
    }
}

struct SevenZipRun {
    bool started = false;
    bool cancelled = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// Runs 7-Zip in folder until it ends, or kills it when stop is requested.
SevenZipRun RunSevenZip(const QString &program, const QStringList &arguments, const fs::path &folder,
                        bool keepOutput, std::stop_token stop)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QFile::decodeName(folder.c_str()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    // An archive with a password would ask for it: it reads nothing and fails.
    process.setStandardInputFile(QProcess::nullDevice());
    if (!keepOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    SevenZipRun run;
    run.started = process.waitForStarted(-1);
    if (!run.started) {
        qCWarning(lcArchive).noquote() << program << "did not start:" << process.errorString();
        return run;
    }
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
        if (stop.stop_requested()) {
            process.kill();
            process.waitForFinished(-1);
            run.cancelled = true;
            return run;
        }
    }
    if (keepOutput)
        run.output = process.readAllStandardOutput();
    run.errors = process.readAllStandardError();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (run.exitCode != 0) {
        // 7-Zip says why on its error output; the log keeps its last line,
        // whose entry names come from the archive: control characters are
        // not passed on to the terminal.
        QString said = QString::fromLocal8Bit(run.errors.trimmed().split('\n').last());
        for (QChar &c : said) {
            if (c.category() == QChar::Other_Control)
                c = u'?';
        }
        qCWarning(lcArchive).noquote()
            << program << arguments.first()
            << (run.exitCode < 0 ? QStringLiteral("crashed:") : QStringLiteral("failed: exit code %1:").arg(run.exitCode))
            << said.trimmed();
    }
    return run;
}

// 7-Zip tells a full disk by its error number (ENOSPC) and text.
bool RanOutOfSpace(const SevenZipRun &run)
{
    return run.errors.contains("errno=28") || run.errors.contains("No space left on device");
}

// Moves one listed entry from 7-Zip's folder into the target; an ArchiverResult.
int PlaceEntry(const ListedEntry &entry, const std::optional<QString> &relative, const TargetFolder &root,
               const fs::path &unpacked, bool outOfSpace, EntryNames &names)
{
    if (!relative || !StaysInside(entry.path) || relative->isEmpty() || entry.listedTwice)
        return kArchiverRefused;
    if (entry.encrypted)
        return kArchiverEncrypted;
    if (!names.admit(*relative, entry.folder))
        return kArchiverRefused;
    if (entry.folder) {
        UniqueFd folder;
        return root.openFolder(*relative, folder);
    }
    // What 7-Zip could not write whole is left in its folder.
    const int incomplete = outOfSpace ? kArchiverDiskFull : kArchiverDamaged;
    const fs::path extracted = unpacked / PathOf(entry.path);
    std::error_code error;
    const fs::file_status status = fs::symlink_status(extracted, error);
    if (!fs::exists(status))
        return incomplete;
    if (!fs::is_regular_file(status))
        return kArchiverRefused;
    if (entry.size >= 0 && qint64(fs::file_size(extracted, error)) != entry.size)
        return incomplete;
    if (entry.crc && FileCrc(extracted) != entry.crc)
        return incomplete;
    return PlaceFile(root, QByteArray(extracted.c_str()), *relative);
}

QString ReportName(const ListedEntry &entry, const std::optional<QString> &relative)
{
    if (!relative || relative->isEmpty())
        return DecodeEntryName(entry.path);
    return entry.folder ? *relative + u'/' : *relative;
}

} // namespace

SevenZipArchiver::SevenZipArchiver(QString program, std::shared_ptr<const ProgramSearch> search)
    : program_(std::move(program)), search_(std::move(search))
{
}

QString SevenZipArchiver::resolved() const
{
    if (program_.contains(u'/')) {
        const QFileInfo file(program_);
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    }
    return search_->find(program_);
}

bool SevenZipArchiver::available() const
{
    return !resolved().isEmpty();
}

ArchiverReport SevenZipArchiver::extract(const QString &archivePath, const QString &target,
                                         std::stop_token stop) const
{
    ArchiverReport report;
    const QString program = resolved();
    const QFileInfo archiveFile(archivePath);
    if (program.isEmpty() || !archiveFile.isFile()) {
        report.note(kArchiverUnreadable);
        return report;
    }
    const TargetFolder root(target);
    if (!root.isOpen()) {
        report.note(kArchiverWriteFailed);
        return report;
    }
    PrivateFolder work(root.path());
    const fs::path archiveLink = work.path() / "archive.arj";
    if (work.path().empty()
        || symlink(QFile::encodeName(archiveFile.absoluteFilePath()).constData(), archiveLink.c_str()) != 0) {
        report.note(kArchiverWriteFailed);
        return report;
    }

    const QStringList type{QStringLiteral("-tarj")};
    const SevenZipRun listing = RunSevenZip(
        program, QStringList{"l", "-slt", "-ba"} + type + QStringList{"archive.arj"}, work.path(), true, stop);
    // An archive cut short still lists the entries before the cut.
    const QList<ListedEntry> entries = ParseListing(listing.output);
    if (!listing.started || listing.cancelled || (listing.exitCode != 0 && entries.isEmpty())) {
        report.note(listing.cancelled ? kArchiverCancelled : kArchiverUnreadable);
        return report;
    }
    const bool listedWhole = listing.exitCode == 0;
    qint64 stated = 0;
    for (const ListedEntry &entry : entries)
        stated += std::max<qint64>(entry.size, 0);
    const qint64 freeBytes = root.freeBytes();
    if (const int fits = CheckStatedSize(stated, archiveFile.size(), freeBytes); fits != kArchiverOk) {
        report.neededBytes = stated;
        report.freeBytes = freeBytes;
        for (const ListedEntry &entry : entries)
            report.fail(ReportName(entry, RelativeEntryPath(DecodeEntryName(entry.path))), kArchiverNotReached);
        report.note(fits);
        return report;
    }

    const SevenZipRun unpack = RunSevenZip(
        program, QStringList{"x", "-y", "-bd", "-oout"} + type + QStringList{"archive.arj"},
        work.path(), false, stop);
    const bool outOfSpace = RanOutOfSpace(unpack);
    EntryNames names;
    for (const ListedEntry &entry : entries) {
        const std::optional<QString> relative = RelativeEntryPath(DecodeEntryName(entry.path));
        const QString name = ReportName(entry, relative);
        // Nothing is placed from an extraction cut short.
        const int result = unpack.cancelled ? kArchiverNotReached
                                            : PlaceEntry(entry, relative, root, work.path() / "out",
                                                         outOfSpace, names);
        if (result == kArchiverOk)
            report.extracted << name;
        else
            report.fail(name, result);
    }
    if (!listedWhole) {
        report.note(kArchiverDamaged);
        report.restUnread = true;
    }
    if (unpack.cancelled) {
        report.note(kArchiverCancelled);
    } else if (!unpack.started || unpack.exitCode != 0) {
        // 7-Zip failed on something the listing did not show: the archive
        // ends early or is damaged past the entries it could name.
        if (outOfSpace) {
            report.note(kArchiverDiskFull);
        } else if (report.notExtracted.isEmpty()) {
            report.note(kArchiverDamaged);
            report.restUnread = true;
        }
    }
    return report;
}

QList<std::pair<QByteArray, bool>> ListedPaths(const QByteArray &listing)
{
    QList<std::pair<QByteArray, bool>> paths;
    for (const ListedEntry &entry : ParseListing(listing))
        paths.append({entry.path, entry.folder});
    return paths;
}

bool ListedPathStaysInside(const QByteArray &path)
{
    return StaysInside(path);
}
