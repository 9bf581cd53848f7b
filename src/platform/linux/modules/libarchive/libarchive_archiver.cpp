#include "platform/linux/libarchive_archiver.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <archive.h>
#include <archive_entry.h>
#include <memory>

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"
#include "platform/linux/extraction_folder.h"
#include "platform/regular_file.h"

namespace {

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

// The archive file, opened once as a regular file and read through its
// descriptor's own name: a pipe, a device or a socket is never opened, and
// a file put in its place meanwhile is not read.
struct ArchiveFile {
    explicit ArchiveFile(const QString &path) : fd(OpenRegularDescriptor(path)), notAFile(fd.get() < 0 && errno == ENXIO) {}
    QString readPath() const { return QStringLiteral("/proc/self/fd/%1").arg(fd.get()); }
    UniqueFd fd;
    bool notAFile;
};

Reader OpenReader(LibarchiveFormat format, const ArchiveFile &file)
{
    if (file.fd.get() < 0)
        return Reader(nullptr, archive_read_free);
    const QString path = file.readPath();
    Reader reader(archive_read_new(), archive_read_free);
    if (format == LibarchiveFormat::Zip) {
        // Names are decoded entry by entry (UTF-8 or Shift-JIS), so the
        // reader hands them over as stored.
        archive_read_support_format_zip(reader.get());
    } else {
        // LZH names are Shift-JIS; the reader must know it to find the "\"
        // separators between the double-byte characters.
        archive_read_support_format_lha(reader.get());
        archive_read_set_format_option(reader.get(), "lha", "hdrcharset", "CP932");
    }
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 1 << 16)
        != ARCHIVE_OK)
        reader.reset();
    return reader;
}

// The stored names of the ZIP entries made on Unix whose mode is a pipe, a
// device or a socket. The reader hands a pipe over as a plain file (some
// tools mark a file read from their input so), so its type is read from the
// central directory here. Names given there are compared as stored.
QSet<QByteArray> SpecialZipEntries(int fd, qint64 size)
{
    constexpr qint64 kEndSize = 22;
    constexpr qint64 kCentralMost = qint64(64) << 20;
    QSet<QByteArray> special;
    if (size < kEndSize)
        return special;
    const qint64 tail = std::min<qint64>(size, kEndSize + 0xFFFF);
    const QByteArray end = ReadBytesAt(fd, size - tail, tail).value_or(QByteArray());
    const qsizetype at = end.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (at < 0 || at + kEndSize > end.size())
        return special;
    const qint64 centralSize = LittleEndian(end, at + 12, 4);
    const qint64 centralOffset = LittleEndian(end, at + 16, 4);
    if (centralSize > kCentralMost || centralOffset + centralSize > size)
        return special;
    const QByteArray central = ReadBytesAt(fd, centralOffset, centralSize).value_or(QByteArray());
    for (qsizetype entry = 0; entry + 46 <= central.size();) {
        if (LittleEndian(central, entry, 4) != 0x02014b50)
            break;
        const bool unix = quint8(central[entry + 5]) == 3;
        const quint32 mode = LittleEndian(central, entry + 38, 4) >> 16;
        const qsizetype nameSize = LittleEndian(central, entry + 28, 2);
        const qsizetype rest = nameSize + LittleEndian(central, entry + 30, 2) + LittleEndian(central, entry + 32, 2);
        if (entry + 46 + nameSize > central.size())
            break;
        const quint32 type = mode & S_IFMT;
        if (unix && type != 0 && type != S_IFREG && type != S_IFDIR)
            special.insert(central.mid(entry + 46, nameSize));
        entry += 46 + rest;
    }
    return special;
}

// An entry's name as decoded from the archive.
QString StoredName(archive_entry *entry)
{
    const char *name = archive_entry_pathname(entry);
    return name ? DecodeEntryName(name) : QString();
}

bool IsFolder(archive_entry *entry, const QString &stored)
{
    return archive_entry_filetype(entry) == AE_IFDIR || NamesFolder(stored);
}

// The name an entry is told by: its path in the target, or as stored when it
// has none.
QString ReportName(const QString &stored, const std::optional<QString> &relative, bool folder)
{
    if (!relative || relative->isEmpty())
        return stored;
    return folder ? *relative + u'/' : *relative;
}

// The entries' names and their stated total, from the headers alone.
struct Survey {
    bool readable = false;  // an entry, or the end of an empty archive, could be read
    QStringList names;
    QStringList files;      // the paths of the file entries below the target
    qint64 stated = 0;      // summed without overflow
};

Survey SurveyArchive(LibarchiveFormat format, const ArchiveFile &file)
{
    Survey survey;
    Reader reader = OpenReader(format, file);
    if (!reader)
        return survey;
    archive_entry *entry = nullptr;
    int header;
    while ((header = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK || header == ARCHIVE_WARN) {
        survey.readable = true;
        const QString stored = StoredName(entry);
        const std::optional<QString> relative = RelativeEntryPath(stored);
        const bool folder = IsFolder(entry, stored);
        survey.names << ReportName(stored, relative, folder);
        if (relative && !relative->isEmpty() && !folder && archive_entry_filetype(entry) == AE_IFREG)
            survey.files << *relative;
        if (archive_entry_size_is_set(entry))
            survey.stated = SaturatingSum(survey.stated, archive_entry_size(entry));
    }
    survey.readable = survey.readable || header == ARCHIVE_EOF;
    return survey;
}

bool StopsExtraction(int result)
{
    return result == kArchiverDiskFull || result == kArchiverTooLarge || result == kArchiverCancelled;
}

// One pass over the archive, writing each entry whole or not at all.
class Extraction {
public:
    Extraction(archive *reader, const TargetFolder &root, qint64 archiveSize, QSet<QByteArray> special,
               std::stop_token stop, ArchiverReport &report)
        : reader_(reader), root_(root), archiveSize_(archiveSize), special_(std::move(special)), stop_(stop),
          report_(report)
    {
    }

    // Returns the number of entries read.
    int run()
    {
        int count = 0;
        for (;;) {
            if (stop_.stop_requested()) {
                report_.note(kArchiverCancelled);
                break;
            }
            archive_entry *entry = nullptr;
            const int header = archive_read_next_header(reader_, &entry);
            if (header == ARCHIVE_EOF)
                break;
            if (header < ARCHIVE_WARN) {
                report_.note(count == 0 ? kArchiverUnreadable : kArchiverDamaged);
                report_.restUnread = count > 0;
                break;
            }
            ++count;
            const QString stored = StoredName(entry);
            const std::optional<QString> relative = RelativeEntryPath(stored);
            const bool folder = IsFolder(entry, stored);
            const int result = extractEntry(entry, relative, folder);
            const QString name = ReportName(stored, relative, folder);
            if (result == kArchiverOk)
                report_.extracted << name;
            else
                report_.fail(name, result);
            if (StopsExtraction(result))
                break;
        }
        return count;
    }

private:
    int extractEntry(archive_entry *entry, const std::optional<QString> &relative, bool folder)
    {
        // Only plain files and folders: links could point anywhere and
        // devices have no place in a download folder.
        const auto type = archive_entry_filetype(entry);
        const char *stored = archive_entry_pathname(entry);
        if (!relative || (!folder && type != AE_IFREG) || archive_entry_hardlink(entry)
            || archive_entry_symlink(entry) || (stored && special_.contains(QByteArray(stored))))
            return kArchiverRefused;
        if (archive_entry_is_encrypted(entry))
            return kArchiverEncrypted;
        if (relative->isEmpty())  // the target folder itself ("./")
            return folder ? kArchiverOk : kArchiverRefused;
        if (!names_.admit(*relative, folder))
            return kArchiverRefused;
        if (folder)
            return root_.makeFolder(*relative);
        // The archive's permission bits are not kept: nothing it brings is
        // executable.
        EntryFile file(root_, *relative);
        if (file.result() != kArchiverOk)
            return file.result();
        if (const int copied = copyData(file); copied != kArchiverOk)
            return copied;
        return file.commit(archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1,
                           archive_entry_mtime_is_set(entry) ? archive_entry_mtime(entry) : -1);
    }

    int copyData(EntryFile &file)
    {
        for (;;) {
            if (stop_.stop_requested())
                return kArchiverCancelled;
            const void *block = nullptr;
            size_t size = 0;
            la_int64_t offset = 0;
            const int read = archive_read_data_block(reader_, &block, &size, &offset);
            if (read == ARCHIVE_EOF)
                return kArchiverOk;
            // A wrong checksum comes as a warning at the end of the data.
            if (read != ARCHIVE_OK)
                return kArchiverDamaged;
            unpacked_ += qint64(size);
            const qint64 packed = std::max<qint64>(archiveSize_, archive_filter_bytes(reader_, -1));
            if (BeyondRealRatio(unpacked_, packed))
                return kArchiverTooLarge;
            if (const int written = file.write(static_cast<const char *>(block), size, offset);
                written != kArchiverOk)
                return written;
        }
    }

    archive *reader_;
    const TargetFolder &root_;
    const qint64 archiveSize_;
    const QSet<QByteArray> special_;
    std::stop_token stop_;
    ArchiverReport &report_;
    EntryNames names_;
    qint64 unpacked_ = 0;
};

void Extract(LibarchiveFormat format, const QString &archivePath, const QString &target,
             const ExtractionRules &rules, std::stop_token stop, ArchiverReport &report)
{
    Utf8ThreadLocale utf8;
    const ArchiveFile file(archivePath);
    if (file.fd.get() < 0) {
        report.note(file.notAFile ? kArchiverNotAFile : kArchiverUnreadable);
        return;
    }
    // A file is read twice: first its headers, to weigh its stated size
    // against the free space before anything is written.
    struct stat status;
    const qint64 archiveSize = fstat(file.fd.get(), &status) == 0 ? qint64(status.st_size) : -1;
    const Survey survey = SurveyArchive(format, file);
    if (!survey.readable) {
        report.note(kArchiverUnreadable);
        return;
    }
    const TargetFolder root(target, rules);
    if (!root.isOpen()) {
        report.note(root.failure());
        return;
    }
    const qint64 room = root.roomBytes();
    if (const int fits = CheckStatedSize(survey.stated, archiveSize, room); fits != kArchiverOk) {
        report.neededBytes = survey.stated;
        report.freeBytes = room;
        for (const QString &name : survey.names)
            report.fail(name, kArchiverNotReached);
        report.note(fits);
        root.finish(report);
        return;
    }
    Reader reader = OpenReader(format, file);
    if (!reader) {
        report.note(kArchiverUnreadable);
        root.finish(report);
        return;
    }
    QSet<QByteArray> special;
    if (format == LibarchiveFormat::Zip)
        special = SpecialZipEntries(file.fd.get(), archiveSize);
    const int read = Extraction(reader.get(), root, archiveSize, std::move(special), stop, report).run();
    for (qsizetype i = read; i < survey.names.size(); ++i)
        report.fail(survey.names[i], kArchiverNotReached);
    root.finish(report);
}

} // namespace

extern "C" Q_DECL_EXPORT void tockara_libarchive_extract(int format, const QString *archive,
                                                         const QString *target,
                                                         const std::stop_token *stop,
                                                         ArchiverReport *report)
{
    Extract(LibarchiveFormat(format), *archive, *target, ExtractionRules{}, *stop, *report);
}

extern "C" Q_DECL_EXPORT void tockara_libarchive_extract_by_rules(int format, const QString *archive,
                                                                  const QString *target,
                                                                  const ExtractionRules *rules,
                                                                  const std::stop_token *stop,
                                                                  ArchiverReport *report)
{
    Extract(LibarchiveFormat(format), *archive, *target, *rules, *stop, *report);
}

extern "C" Q_DECL_EXPORT bool tockara_libarchive_files(int format, const QString *archive, QStringList *files)
{
    Utf8ThreadLocale utf8;
    const ArchiveFile file(*archive);
    const Survey survey = SurveyArchive(format == int(LibarchiveFormat::Zip) ? LibarchiveFormat::Zip
                                                                             : LibarchiveFormat::Lha,
                                        file);
    *files = survey.files;
    return survey.readable;
}
