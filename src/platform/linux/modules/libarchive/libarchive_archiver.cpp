#include "platform/linux/libarchive_archiver.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>

#include <QFile>
#include <QFileInfo>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"
#include "platform/linux/extraction_folder.h"

namespace {

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;

Reader OpenReader(LibarchiveFormat format, const QString &path)
{
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
    qint64 stated = 0;
};

Survey SurveyArchive(LibarchiveFormat format, const QString &path)
{
    Survey survey;
    Reader reader = OpenReader(format, path);
    if (!reader)
        return survey;
    archive_entry *entry = nullptr;
    int header;
    while ((header = archive_read_next_header(reader.get(), &entry)) == ARCHIVE_OK || header == ARCHIVE_WARN) {
        survey.readable = true;
        const QString stored = StoredName(entry);
        survey.names << ReportName(stored, RelativeEntryPath(stored), IsFolder(entry, stored));
        if (archive_entry_size_is_set(entry))
            survey.stated += std::max<la_int64_t>(archive_entry_size(entry), 0);
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
    Extraction(archive *reader, const TargetFolder &root, qint64 archiveSize, std::stop_token stop,
               ArchiverReport &report)
        : reader_(reader), root_(root), archiveSize_(archiveSize), stop_(stop), report_(report)
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
        if (!relative || (!folder && type != AE_IFREG) || archive_entry_hardlink(entry)
            || archive_entry_symlink(entry))
            return kArchiverRefused;
        if (archive_entry_is_encrypted(entry))
            return kArchiverEncrypted;
        if (relative->isEmpty())  // the target folder itself ("./")
            return folder ? kArchiverOk : kArchiverRefused;
        if (!names_.admit(*relative, folder))
            return kArchiverRefused;
        if (folder) {
            UniqueFd opened;
            return root_.openFolder(*relative, opened);
        }
        EntryFile file(root_, *relative, archive_entry_perm(entry) | 0600);
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
    std::stop_token stop_;
    ArchiverReport &report_;
    EntryNames names_;
    qint64 unpacked_ = 0;
};

void Extract(LibarchiveFormat format, const QString &archivePath, const QString &target,
             std::stop_token stop, ArchiverReport &report)
{
    Utf8ThreadLocale utf8;
    const TargetFolder root(target);
    if (!root.isOpen()) {
        report.note(kArchiverWriteFailed);
        return;
    }
    // A file is read twice: first its headers, to weigh its stated size
    // against the free space before anything is written. A pipe can be read
    // only once, and is weighed while it is written.
    const QFileInfo file(archivePath);
    const qint64 archiveSize = file.isFile() ? file.size() : -1;
    QStringList names;
    if (archiveSize >= 0) {
        const Survey survey = SurveyArchive(format, archivePath);
        if (!survey.readable) {
            report.note(kArchiverUnreadable);
            return;
        }
        const qint64 freeBytes = root.freeBytes();
        if (const int fits = CheckStatedSize(survey.stated, archiveSize, freeBytes); fits != kArchiverOk) {
            report.neededBytes = survey.stated;
            report.freeBytes = freeBytes;
            for (const QString &name : survey.names)
                report.fail(name, kArchiverNotReached);
            report.note(fits);
            return;
        }
        names = survey.names;
    }
    Reader reader = OpenReader(format, archivePath);
    if (!reader) {
        report.note(kArchiverUnreadable);
        return;
    }
    const int read = Extraction(reader.get(), root, archiveSize, stop, report).run();
    for (qsizetype i = read; i < names.size(); ++i)
        report.fail(names[i], kArchiverNotReached);
}

} // namespace

extern "C" Q_DECL_EXPORT void tockara_libarchive_extract(int format, const QString *archive,
                                                         const QString *target,
                                                         const std::stop_token *stop,
                                                         ArchiverReport *report)
{
    Extract(LibarchiveFormat(format), *archive, *target, *stop, *report);
}
