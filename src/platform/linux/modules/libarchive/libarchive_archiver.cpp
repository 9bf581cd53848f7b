#include "platform/linux/libarchive_archiver.h"

#include <archive.h>
#include <archive_entry.h>
#include <memory>

#include <QFile>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"

namespace {

using Reader = std::unique_ptr<archive, decltype(&archive_read_free)>;
using Writer = std::unique_ptr<archive, decltype(&archive_write_free)>;

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

Writer OpenWriter()
{
    Writer writer(archive_write_disk_new(), archive_write_free);
    // Entry paths are made absolute below the target folder here, so the
    // library checks what remains for it: no "..", and no link on the way.
    archive_write_disk_set_options(writer.get(), ARCHIVE_EXTRACT_TIME
                                                     | ARCHIVE_EXTRACT_SECURE_SYMLINKS
                                                     | ARCHIVE_EXTRACT_SECURE_NODOTDOT);
    return writer;
}

// Only plain files and folders are extracted: links could point anywhere and
// devices have no place in a download folder.
bool IsPlainFileOrFolder(archive_entry *entry)
{
    const auto type = archive_entry_filetype(entry);
    return (type == AE_IFREG && !archive_entry_hardlink(entry)) || type == AE_IFDIR;
}

// Copies the entry's data; an ArchiverResult.
int CopyData(archive *reader, archive *writer)
{
    for (;;) {
        const void *block = nullptr;
        size_t size = 0;
        la_int64_t offset = 0;
        const int read = archive_read_data_block(reader, &block, &size, &offset);
        if (read == ARCHIVE_EOF)
            return kArchiverOk;
        if (read != ARCHIVE_OK)  // a damaged entry or a wrong checksum
            return kArchiverUnreadable;
        if (archive_write_data_block(writer, block, size, offset) < ARCHIVE_WARN)
            return kArchiverWriteFailed;
    }
}

} // namespace

namespace {

int Extract(LibarchiveFormat format, const QString &archivePath, const QString &target)
{
    Utf8ThreadLocale utf8;
    const QString root = PrepareTargetFolder(target);
    if (root.isEmpty())
        return kArchiverWriteFailed;
    Reader reader = OpenReader(format, archivePath);
    if (!reader)
        return kArchiverUnreadable;
    Writer writer = OpenWriter();

    int result = kArchiverOk;
    const auto fail = [&result](int code) {
        if (result == kArchiverOk)
            result = code;
    };
    for (;;) {
        archive_entry *entry = nullptr;
        const int header = archive_read_next_header(reader.get(), &entry);
        if (header == ARCHIVE_EOF)
            break;
        if (header < ARCHIVE_WARN) {
            fail(kArchiverUnreadable);
            break;
        }
        const std::optional<QString> relative =
            RelativeEntryPath(DecodeEntryName(archive_entry_pathname(entry)));
        if (!relative || !IsPlainFileOrFolder(entry)) {
            fail(kArchiverRefused);
            continue;
        }
        if (relative->isEmpty()) {
            // The target folder itself ("./"): nothing to write.
            if (archive_entry_filetype(entry) != AE_IFDIR)
                fail(kArchiverRefused);
            continue;
        }
        archive_entry_copy_pathname(entry, QFile::encodeName(root + u'/' + *relative).constData());
        if (archive_write_header(writer.get(), entry) < ARCHIVE_WARN) {
            fail(kArchiverWriteFailed);
            continue;
        }
        if (archive_entry_size(entry) > 0) {
            // A damaged entry does not stop the others: the next header
            // tells whether the archive can still be read.
            if (const int copied = CopyData(reader.get(), writer.get()); copied != kArchiverOk)
                fail(copied);
        }
        if (archive_write_finish_entry(writer.get()) < ARCHIVE_WARN)
            fail(kArchiverWriteFailed);
    }
    if (archive_write_close(writer.get()) < ARCHIVE_WARN)
        fail(kArchiverWriteFailed);
    return result;
}

} // namespace

extern "C" Q_DECL_EXPORT int tockara_extract_with_libarchive(int format, const QString *archive,
                                                            const QString *target)
{
    return Extract(LibarchiveFormat(format), *archive, *target);
}
