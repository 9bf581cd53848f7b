#include "platform/linux/seven_zip_archiver.h"

#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <system_error>

#include <zlib.h>

#include <QElapsedTimer>
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
#include "platform/regular_file.h"

// 7-Zip writes what it extracts into a private folder inside the target
// folder; from there only plain files and folders whose names stay inside the
// target are moved into place, never through a link, and a file only when its
// size and CRC are those the archive lists: what 7-Zip could not write whole
// (a full disk, a damaged entry) never takes a file's name. 7-Zip sees only
// names of our own making (it reads "*" and "?" in names as wildcards and a
// leading "-" or "@" as a switch or a list file), so any archive name works:
// it reads the archive as the descriptor the clock opened.

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const QByteArray &bytes)
{
    return fs::path(bytes.toStdString());
}

struct ListedEntry {
    QByteArray path;  // as 7-Zip names it, which is also its name on disk
    bool folder = false;
    bool encrypted = false;
    bool listedTwice = false;  // a file whose path is listed again: 7-Zip kept one of them
    qint64 size = -1;
    std::optional<quint32> crc;
    bool unixHost = false;  // made on a Unix system, whose attributes can say link or device
    bool special = false;   // a link, a pipe, a device or a socket
    bool unsupported = false;  // packed with a method 7-Zip cannot unpack
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
        } else if (line == "Host OS = UNIX" || line == "Host OS = NeXT") {
            entry.unixHost = true;
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

// ARJ headers: "\x60\xEA", the size of the basic header, the basic header,
// its CRC-32, then extended headers (each a size, data and CRC) up to a size
// of 0; an entry's data follows. The basic header holds the host system at
// byte 3, the method at 5, the file type at 6, the compressed size at 12 and
// the access mode at 26; the name starts where its first byte says.
constexpr qint64 kArjHeaderMost = 2600;
constexpr qint64 kArjSearch = qint64(1) << 20;  // a self-extracting archive's program comes first
constexpr quint8 kArjMostMethod = 4;           // methods 0 (stored) to 4, all that ARJ defines

// The basic header at offset when it is one (its CRC matches): the header
// and where what follows it begins.
std::optional<std::pair<QByteArray, qint64>> ArjHeaderAt(int fd, qint64 offset)
{
    const std::optional<QByteArray> start = ReadBytesAt(fd, offset, 4);
    if (!start || quint8((*start)[0]) != 0x60 || quint8((*start)[1]) != 0xEA)
        return std::nullopt;
    const qint64 size = LittleEndian(*start, 2, 2);
    if (size == 0)
        return std::pair{QByteArray(), offset + 4};
    if (size > kArjHeaderMost || size < 30)
        return std::nullopt;
    const std::optional<QByteArray> basic = ReadBytesAt(fd, offset + 4, size + 4);
    if (!basic || crc32(0, reinterpret_cast<const Bytef *>(basic->constData()), uInt(size)) != LittleEndian(*basic, int(size), 4))
        return std::nullopt;
    qint64 next = offset + 4 + size + 4;
    for (;;) {  // extended headers
        const std::optional<QByteArray> extended = ReadBytesAt(fd, next, 2);
        if (!extended)
            return std::nullopt;
        const qint64 extendedSize = LittleEndian(*extended, 0, 2);
        next += 2;
        if (extendedSize == 0)
            break;
        next += extendedSize + 4;
    }
    return std::pair{basic->left(size), next};
}

// An entry as its ARJ header describes it.
struct ArjHeaderEntry {
    QByteArray name;  // as stored
    ArjEntryKind kind = ArjEntryKind::Other;
    bool knownMethod = false;
};

// The entries of the ARJ archive in fd, in order, up to the first header
// that cannot be read (all of them when the archive is whole).
QList<ArjHeaderEntry> ReadArjHeaders(int fd)
{
    QByteArray start(kArjSearch, Qt::Uninitialized);
    const ssize_t got = pread(fd, start.data(), size_t(start.size()), 0);
    start.truncate(std::max<ssize_t>(got, 0));
    std::optional<std::pair<QByteArray, qint64>> header;
    qint64 offset = -1;
    while (!header || header->first.isEmpty()) {
        offset = start.indexOf("\x60\xEA", offset + 1);
        if (offset < 0)
            return {};
        header = ArjHeaderAt(fd, offset);
    }
    QList<ArjHeaderEntry> entries;  // the first header is the archive's own
    for (offset = header->second; (header = ArjHeaderAt(fd, offset)) && !header->first.isEmpty();) {
        const QByteArray &basic = header->first;
        const qsizetype nameAt = quint8(basic[0]);
        const qsizetype nameEnd = basic.indexOf('\0', nameAt);
        ArjHeaderEntry entry;
        if (nameAt >= 30 && nameEnd >= 0) {
            entry.name = basic.mid(nameAt, nameEnd - nameAt);
            entry.kind = ArjKindOf(quint8(basic[3]), quint8(basic[6]), quint16(LittleEndian(basic, 26, 2)));
            entry.knownMethod = quint8(basic[5]) <= kArjMostMethod;
        }
        entries << entry;
        offset = header->second + qint64(LittleEndian(basic, 12, 4));
    }
    return entries;
}

// Marks the listed entries that are links, pipes, devices or sockets, or
// packed with a method ARJ does not define, by what their headers say. An
// entry whose header was not read, or names another path than 7-Zip lists,
// is of an unknown kind: taken for a link when made on a Unix system.
void MarkEntries(QList<ListedEntry> &entries, int archive)
{
    const QList<ArjHeaderEntry> headers = ReadArjHeaders(archive);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        ListedEntry &entry = entries[i];
        if (i >= headers.size() || headers[i].name != entry.path) {
            entry.special = entry.unixHost;
            continue;
        }
        const ArjEntryKind kind = headers[i].kind;
        entry.special = kind == ArjEntryKind::Other || (kind == ArjEntryKind::Folder) != entry.folder;
        entry.unsupported = !headers[i].knownMethod;
    }
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
    const UniqueFd file(OpenRegularDescriptorAt(AT_FDCWD, path.c_str(), false));
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
    bool timedOut = false;
    int exitCode = -1;
    QByteArray output;
    QByteArray errors;
};

// The name 7-Zip reads the archive by: the descriptor the clock opened and
// checked, which 7-Zip inherits. Never the archive's own path again, which
// may name another file by now (a pipe would keep 7-Zip waiting).
QString ArchiveArgument(int archive)
{
    return QStringLiteral("/proc/self/fd/%1").arg(archive);
}

// Runs 7-Zip in folder until it ends; kills it when stop is requested or
// when it runs longer than limit.
SevenZipRun RunSevenZip(const QString &program, const QStringList &arguments, const QString &folder, int archive,
                        bool keepOutput, std::chrono::milliseconds limit, std::stop_token stop)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    // An archive with a password would ask for it: it reads nothing and fails.
    process.setStandardInputFile(QProcess::nullDevice());
    if (!keepOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    const pid_t clock = getpid();
    process.setChildProcessModifier([clock, archive] {
        // 7-Zip ends with the thread that waits for it, however the clock
        // ends (a kill included): nothing unpacks on unseen.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != clock)
            _exit(127);
        // The checked archive stays open across exec.
        fcntl(archive, F_SETFD, 0);
    });
    QElapsedTimer running;
    running.start();
    process.start();
    SevenZipRun run;
    run.started = process.waitForStarted(-1);
    if (!run.started) {
        qCWarning(lcArchive).noquote() << program << "did not start:" << process.errorString();
        return run;
    }
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(100)) {
        run.cancelled = stop.stop_requested();
        run.timedOut = !run.cancelled && std::chrono::milliseconds(running.elapsed()) > limit;
        if (run.cancelled || run.timedOut) {
            process.kill();
            process.waitForFinished(-1);
            if (run.timedOut)
                qCWarning(lcArchive).noquote() << program << arguments.first() << "did not finish within"
                                               << limit.count() / 1000 << "seconds and was stopped";
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
    if (!relative || !StaysInside(entry.path) || relative->isEmpty() || entry.listedTwice || entry.special)
        return kArchiverRefused;
    if (entry.encrypted)
        return kArchiverEncrypted;
    if (entry.unsupported && !entry.folder)
        return kArchiverUnsupported;
    if (!names.admit(*relative, entry.folder))
        return kArchiverRefused;
    if (entry.folder)
        return root.makeFolder(*relative);
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

SevenZipArchiver::SevenZipArchiver(QStringList programs, std::shared_ptr<const ProgramSearch> search,
                                   std::chrono::milliseconds leastTime)
    : programs_(std::move(programs)), search_(std::move(search)), leastTime_(leastTime)
{
}

QString SevenZipArchiver::resolved() const
{
    for (const QString &program : programs_) {
        if (program.contains(u'/')) {
            const QFileInfo file(program);
            if (file.isFile() && file.isExecutable())
                return file.absoluteFilePath();
        } else if (QString found = search_->find(program); !found.isEmpty()) {
            return found;
        }
    }
    return QString();
}

bool SevenZipArchiver::available() const
{
    return !resolved().isEmpty();
}

namespace {

// The listing of the archive, each entry marked when it is a link or a
// device; nothing when 7-Zip could not list it.
std::optional<QList<ListedEntry>> ListArchive(const QString &program, int archive, const QString &folder,
                                              std::chrono::milliseconds limit, std::stop_token stop,
                                              SevenZipRun &listing)
{
    listing = RunSevenZip(program, {"l", "-slt", "-ba", "-tarj", ArchiveArgument(archive)}, folder, archive, true,
                          limit, stop);
    // An archive cut short still lists the entries before the cut.
    QList<ListedEntry> entries = ParseListing(listing.output);
    if (!listing.started || listing.cancelled || listing.timedOut || (listing.exitCode != 0 && entries.isEmpty()))
        return std::nullopt;
    MarkEntries(entries, archive);
    return entries;
}

qint64 SizeOf(int fd)
{
    struct stat status;
    return fstat(fd, &status) == 0 ? qint64(status.st_size) : -1;
}

} // namespace

std::chrono::milliseconds SevenZipArchiver::timeLimit(qint64 bytes) const
{
    // A second for every megabyte read or written: far slower than any disk
    // 7-Zip unpacks to, so only a 7-Zip that waits or loops is stopped.
    return leastTime_ + std::chrono::seconds(std::max<qint64>(bytes, 0) >> 20);
}

ArchiverReport SevenZipArchiver::extract(const QString &archivePath, const QString &target,
                                         const ExtractionRules &rules, std::stop_token stop) const
{
    ArchiverReport report;
    const QString program = resolved();
    const UniqueFd archive(OpenRegularDescriptor(archivePath));
    if (program.isEmpty() || archive.get() < 0) {
        report.note(archive.get() < 0 && errno == ENXIO ? kArchiverNotAFile : kArchiverUnreadable);
        return report;
    }
    const TargetFolder root(target, rules);
    if (!root.isOpen()) {
        report.note(root.failure());
        return report;
    }
    extractInto(root, archive.get(), stop, report);
    root.finish(report);
    return report;
}

void SevenZipArchiver::extractInto(const TargetFolder &root, int archive, std::stop_token stop,
                                   ArchiverReport &report) const
{
    const QString program = resolved();
    const WorkFolder work(root);
    const QString workPath = QFile::decodeName(work.path());
    if (workPath.isEmpty()) {
        report.note(kArchiverWriteFailed);
        return;
    }
    const qint64 archiveSize = SizeOf(archive);
    SevenZipRun listing;
    const std::optional<QList<ListedEntry>> listed =
        ListArchive(program, archive, workPath, timeLimit(archiveSize), stop, listing);
    if (!listed) {
        report.note(listing.cancelled ? kArchiverCancelled : listing.timedOut ? kArchiverTimedOut : kArchiverUnreadable);
        return;
    }
    const QList<ListedEntry> &entries = *listed;
    const bool listedWhole = listing.exitCode == 0;
    qint64 stated = 0;
    for (const ListedEntry &entry : entries)
        stated = SaturatingSum(stated, entry.size);
    const qint64 room = root.roomBytes();
    if (const int fits = CheckStatedSize(stated, archiveSize, room); fits != kArchiverOk) {
        report.neededBytes = stated;
        report.freeBytes = room;
        for (const ListedEntry &entry : entries)
            report.fail(ReportName(entry, RelativeEntryPath(DecodeEntryName(entry.path))), kArchiverNotReached);
        report.note(fits);
        return;
    }

    const SevenZipRun unpack =
        RunSevenZip(program, {"x", "-y", "-bd", "-oout", "-tarj", ArchiveArgument(archive)}, workPath, archive,
                    false, timeLimit(SaturatingSum(archiveSize, stated)), stop);
    const bool outOfSpace = RanOutOfSpace(unpack);
    const bool cutShort = unpack.cancelled || unpack.timedOut;
    EntryNames names;
    for (const ListedEntry &entry : entries) {
        const std::optional<QString> relative = RelativeEntryPath(DecodeEntryName(entry.path));
        const QString name = ReportName(entry, relative);
        if (const std::optional<QString> shown = UndecodedEntryName(entry.path); shown && relative)
            root.noteStoredName(*relative, *shown);
        // Nothing is placed from an extraction cut short.
        const int result = cutShort ? kArchiverNotReached
                                    : PlaceEntry(entry, relative, root, PathOf(work.path()) / "out", outOfSpace, names);
        if (result == kArchiverOk)
            report.extracted << name;
        else
            report.fail(name, result);
    }
    if (!listedWhole) {
        report.note(kArchiverDamaged);
        report.restUnread = true;
    }
    if (cutShort) {
        report.note(unpack.cancelled ? kArchiverCancelled : kArchiverTimedOut);
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
}

std::optional<QStringList> SevenZipArchiver::files(const QString &archivePath) const
{
    const QString program = resolved();
    if (program.isEmpty())
        return std::nullopt;
    const UniqueFd archive(OpenRegularDescriptor(archivePath));
    if (archive.get() < 0)
        return QStringList();
    SevenZipRun listing;
    const std::optional<QList<ListedEntry>> listed =
        ListArchive(program, archive.get(), QStringLiteral("/"), timeLimit(SizeOf(archive.get())), {}, listing);
    QStringList found;
    for (const ListedEntry &entry : listed.value_or(QList<ListedEntry>())) {
        const std::optional<QString> relative = RelativeEntryPath(DecodeEntryName(entry.path));
        if (relative && !relative->isEmpty() && !entry.folder && !entry.special && StaysInside(entry.path))
            found << *relative;
    }
    return found;
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

ArjEntryKind ArjKindOf(quint8 host, quint8 fileType, quint16 accessMode)
{
    enum : quint8 { kBinary = 0, kText = 1, kDirectory = 3 };
    enum : quint8 { kUnixHost = 2, kNextHost = 8 };
    if (fileType != kBinary && fileType != kText && fileType != kDirectory)
        return ArjEntryKind::Other;  // a label, a chapter, a Unix link or device
    const bool folder = fileType == kDirectory;
    if (host == kUnixHost || host == kNextHost) {
        const quint16 kind = accessMode & 0xF000;
        const quint16 arjKind = folder ? 0x2000 : 0x1000;
        const quint16 unixKind = folder ? S_IFDIR : S_IFREG;
        if (kind != 0 && kind != arjKind && kind != unixKind)
            return ArjEntryKind::Other;
    }
    return folder ? ArjEntryKind::Folder : ArjEntryKind::File;
}
