#include "platform/linux/libarchive_archiver.h"

#include <errno.h>
#include <sys/stat.h>
#include <unistd.h>

#include <archive.h>
#include <archive_entry.h>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <limits>
#include <memory>
#include <mutex>
#include <thread>

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
        // The reader must convert LZH names to some character set, and stops
        // at a name that does not convert: each byte is taken as a Latin-1
        // character, which every byte is, and the name is decoded from its
        // bytes as a ZIP name is (StoredBytes).
        archive_read_support_format_lha(reader.get());
        archive_read_set_format_option(reader.get(), "lha", "hdrcharset", "ISO-8859-1");
    }
    if (archive_read_open_filename(reader.get(), QFile::encodeName(path).constData(), 1 << 16)
        != ARCHIVE_OK)
        reader.reset();
    return reader;
}

// What the ZIP central directory tells before any entry is read.
struct ZipDirectory {
    // The stored names of the entries made on Unix whose mode is a pipe, a
    // device or a socket. The reader hands a pipe over as a plain file (some
    // tools mark a file read from their input so), so its type is read here.
    // Names given there are compared as stored.
    QSet<QByteArray> special;
    // The entries' stated sizes, summed without overflow; nothing when the
    // directory could not be read whole (the headers are surveyed then).
    std::optional<qint64> stated;
};

// The size an entry of the central directory states for its data, at entry;
// a size too large for its field is in the entry's ZIP64 extra field.
std::optional<qint64> ZipStatedSize(const QByteArray &central, qsizetype entry)
{
    const quint32 size = LittleEndian(central, entry + 24, 4);
    if (size != 0xFFFFFFFFu)
        return size;
    const qsizetype nameSize = LittleEndian(central, entry + 28, 2);
    const qsizetype extraEnd = entry + 46 + nameSize + LittleEndian(central, entry + 30, 2);
    for (qsizetype at = entry + 46 + nameSize; at + 4 <= extraEnd;) {
        const quint32 id = LittleEndian(central, at, 2);
        const qsizetype length = LittleEndian(central, at + 2, 2);
        if (id == 0x0001 && length >= 8 && at + 12 <= extraEnd) {
            const quint64 wide = quint64(LittleEndian(central, at + 8, 4)) << 32 | LittleEndian(central, at + 4, 4);
            return wide > quint64(std::numeric_limits<qint64>::max()) ? std::numeric_limits<qint64>::max()
                                                                       : qint64(wide);
        }
        at += 4 + length;
    }
    return std::nullopt;
}

ZipDirectory ReadZipDirectory(int fd, qint64 size)
{
    constexpr qint64 kEndSize = 22;
    constexpr qint64 kCentralMost = qint64(64) << 20;
    ZipDirectory directory;
    if (size < kEndSize)
        return directory;
    const qint64 tail = std::min<qint64>(size, kEndSize + 0xFFFF);
    const QByteArray end = ReadBytesAt(fd, size - tail, tail).value_or(QByteArray());
    const qsizetype at = end.lastIndexOf(QByteArray("PK\x05\x06", 4));
    if (at < 0 || at + kEndSize > end.size())
        return directory;
    const qint64 entries = LittleEndian(end, at + 10, 2);
    const qint64 centralSize = LittleEndian(end, at + 12, 4);
    const qint64 centralOffset = LittleEndian(end, at + 16, 4);
    if (centralSize > kCentralMost || centralOffset + centralSize > size)
        return directory;
    const QByteArray central = ReadBytesAt(fd, centralOffset, centralSize).value_or(QByteArray());
    qint64 stated = 0;
    qint64 read = 0;
    bool sized = true;
    for (qsizetype entry = 0; entry + 46 <= central.size(); ++read) {
        if (LittleEndian(central, entry, 4) != 0x02014b50)
            break;
        const bool unix = quint8(central[entry + 5]) == 3;
        const quint32 mode = LittleEndian(central, entry + 38, 4) >> 16;
        const qsizetype nameSize = LittleEndian(central, entry + 28, 2);
        const qsizetype rest = nameSize + LittleEndian(central, entry + 30, 2) + LittleEndian(central, entry + 32, 2);
        if (entry + 46 + rest > central.size()) {
            sized = false;
            if (entry + 46 + nameSize > central.size())
                break;
        }
        const quint32 type = mode & S_IFMT;
        if (unix && type != 0 && type != S_IFREG && type != S_IFDIR)
            directory.special.insert(central.mid(entry + 46, nameSize));
        if (const std::optional<qint64> entrySize = sized ? ZipStatedSize(central, entry) : std::nullopt)
            stated = SaturatingSum(stated, *entrySize);
        else
            sized = false;
        entry += 46 + rest;
    }
    // Only a directory read to its stated count, with every size found, is
    // taken for the entries' sizes.
    if (sized && read == entries && entries != 0xFFFF)
        directory.stated = stated;
    return directory;
}

// The bytes of an LZH entry's name as stored, from the reader's Latin-1
// reading of it. The reader makes every "\\" a "/", also the second byte of
// a Shift-JIS character: a "/" right after a first byte of one was that.
QByteArray LhaNameBytes(const wchar_t *name)
{
    QByteArray bytes;
    for (; *name; ++name)
        bytes += char(quint8(*name));
    for (qsizetype i = 0; i + 1 < bytes.size(); ++i) {
        const quint8 byte = quint8(bytes[i]);
        if ((byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC)) {
            if (bytes[i + 1] == '/')
                bytes[i + 1] = '\\';
            ++i;
        }
    }
    return bytes;
}

// An entry's name as stored; empty when the reader gave none.
QByteArray StoredBytes(LibarchiveFormat format, archive_entry *entry)
{
    if (format == LibarchiveFormat::Lha) {
        const wchar_t *name = archive_entry_pathname_w(entry);
        return name ? LhaNameBytes(name) : QByteArray();
    }
    const char *name = archive_entry_pathname(entry);
    return name ? QByteArray(name) : QByteArray();
}

// Why the library could not read an entry's data, or the header of one it
// skips: a method it cannot unpack (the entry is whole, the library says
// so in its own words), else damage.
int ReadFailure(archive *reader)
{
    const QByteArray said = QByteArray(archive_error_string(reader)).toLower();
    return said.contains("unsupported") || said.contains("not supported") ? kArchiverUnsupported : kArchiverDamaged;
}

// One entry's header as the survey and the extraction read it.
struct Header {
    int status = ARCHIVE_FATAL;  // of archive_read_next_header
    archive_entry *entry = nullptr;
    QByteArray stored;           // the name as stored; empty when the header gave none
    std::optional<QString> relative;
    bool folder = false;
    QString name;                // what the report tells it by

    // Whether the header could be read whole: the entry can be extracted.
    bool whole() const { return status == ARCHIVE_OK || status == ARCHIVE_WARN; }
    // Whether the header could not be read, but the next one can (bsdtar
    // goes on as well): a link of a method the library cannot unpack, a
    // link without its target.
    bool skipped() const { return status == ARCHIVE_FAILED; }
};

// The next header; position counts the entries from 1, for one without a name.
Header NextHeader(archive *reader, LibarchiveFormat format, int position)
{
    Header header;
    header.status = archive_read_next_header(reader, &header.entry);
    if (!header.whole() && !header.skipped())
        return header;
    header.stored = StoredBytes(format, header.entry);
    const QString decoded = DecodeEntryName(header.stored);
    header.relative = RelativeEntryPath(decoded);
    header.folder = archive_entry_filetype(header.entry) == AE_IFDIR || NamesFolder(decoded);
    if (header.stored.isEmpty() && header.skipped())
        header.name = QStringLiteral("（%1番目の項目）").arg(position);
    else if (!header.relative || header.relative->isEmpty())
        header.name = decoded;
    else
        header.name = header.folder ? *header.relative + u'/' : *header.relative;
    return header;
}

// Why a header that could not be read is skipped: a link or a device, which
// would be refused anyway, or what the library says.
int SkippedResult(const Header &header, archive *reader)
{
    const auto type = archive_entry_filetype(header.entry);
    if (type != 0 && type != AE_IFREG && type != AE_IFDIR)
        return kArchiverRefused;
    return ReadFailure(reader);
}

// What stops the reading of headers for good: encrypted headers (an
// encrypted ZIP central directory), or damage.
int StopResult(const Header &header)
{
    return header.entry && archive_entry_is_metadata_encrypted(header.entry) ? kArchiverEncrypted : kArchiverDamaged;
}

// Whether the file begins as an archive of the format does, though the
// library cannot read it as one: a damaged archive, not another kind of file.
bool BeginsAsFormat(LibarchiveFormat format, int fd)
{
    const QByteArray start = ReadBytesAt(fd, 0, 7).value_or(QByteArray());
    if (start.size() < 7)
        return false;
    if (format == LibarchiveFormat::Zip)
        return start.startsWith("PK\x03\x04") || start.startsWith("PK\x05\x06");
    // An LZH header: its size and checksum, then the method ("-lh5-").
    return start[2] == '-' && start[3] == 'l' && start[6] == '-';
}

// The entries' names and their stated total, from the headers alone.
struct Survey {
    bool readable = false;  // of the format (the reader recognised it)
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
    survey.readable = true;
    for (int position = 1;; ++position) {
        const Header header = NextHeader(reader.get(), format, position);
        if (!header.whole() && !header.skipped())
            break;
        survey.names << header.name;
        if (!header.whole())
            continue;
        if (header.relative && !header.relative->isEmpty() && !header.folder
            && archive_entry_filetype(header.entry) == AE_IFREG)
            survey.files << *header.relative;
        if (archive_entry_size_is_set(header.entry))
            survey.stated = SaturatingSum(survey.stated, archive_entry_size(header.entry));
    }
    return survey;
}

bool StopsExtraction(int result)
{
    return result == kArchiverDiskFull || result == kArchiverTooLarge || result == kArchiverCancelled;
}

// What the extraction needs to know of one header, read on the reading
// thread (the library's entry lasts only until the next header is read).
struct ReadHeader {
    int status = ARCHIVE_FATAL;
    QByteArray stored;
    std::optional<QString> relative;
    bool folder = false;
    QString name;
    int type = 0;  // AE_IFREG, AE_IFDIR, ...
    bool link = false;  // a hard or symbolic link
    bool encrypted = false;
    qint64 size = -1;  // -1: not given
    time_t mtime = -1;
    int failure = kArchiverOk;  // why a header skipped or stopping could not be read

    bool whole() const { return status == ARCHIVE_OK || status == ARCHIVE_WARN; }
    bool skipped() const { return status == ARCHIVE_FAILED; }
};

// What the reading thread hands over, in the archive's order: a header,
// then for an entry whose data is read, its blocks and their end.
struct ReadItem {
    enum Kind { Header, Block, End } kind;
    ReadHeader header;       // Header
    QByteArray bytes;        // Block
    qint64 offset = 0;       // Block: where in the entry's file
    qint64 packed = 0;       // Block: bytes of the archive read by then
    int result = kArchiverOk;  // End: kArchiverOk, or why the data could not be read
};

// The items between the reading thread and the writing one. The reader
// waits while much is unwritten (the memory an archive may take stays
// small), and stops when the writer has stopped.
class ReadQueue {
public:
    // false when the writer has stopped: nothing more is wanted.
    bool push(ReadItem item)
    {
        std::unique_lock hold(lock_);
        const qint64 size = item.bytes.size() + kItemCost;
        readerWaits_ = true;
        roomLeft_.wait(hold, [&] { return quit_ || held_ + size <= kMostHeld || items_.empty(); });
        readerWaits_ = false;
        if (quit_)
            return false;
        held_ += size;
        items_.push_back(std::move(item));
        if (writerWaits_)
            itemsThere_.notify_one();
        return true;
    }
    // The reader read all it will.
    void close()
    {
        const std::lock_guard hold(lock_);
        closed_ = true;
        itemsThere_.notify_one();
    }
    // The next item, valid until the next pop; none when the reader closed
    // and everything was taken.
    const ReadItem *pop()
    {
        if (current_) {
            taken_.pop_front();
            current_ = false;
        }
        if (taken_.empty()) {
            std::unique_lock hold(lock_);
            writerWaits_ = true;
            itemsThere_.wait(hold, [&] { return closed_ || !items_.empty(); });
            writerWaits_ = false;
            // All at once: one lock for many items.
            taken_.swap(items_);
            held_ = 0;
            if (readerWaits_)
                roomLeft_.notify_one();
        }
        if (taken_.empty())
            return nullptr;
        current_ = true;
        return &taken_.front();
    }
    // The writer has stopped: the reader stops at its next item.
    void quit()
    {
        const std::lock_guard hold(lock_);
        quit_ = true;
        roomLeft_.notify_one();
    }

private:
    static constexpr qint64 kMostHeld = qint64(8) << 20;
    static constexpr qint64 kItemCost = 256;  // what an item without bytes takes
    std::mutex lock_;
    std::condition_variable roomLeft_;
    std::condition_variable itemsThere_;
    std::deque<ReadItem> items_;
    std::deque<ReadItem> taken_;  // the writer's alone
    bool current_ = false;        // the front of taken_ was handed out
    qint64 held_ = 0;
    bool closed_ = false;
    bool quit_ = false;
    bool readerWaits_ = false;
    bool writerWaits_ = false;
};

// The checks of an entry that need only its header: whether its data is
// to be written (else it is refused or is a folder, and its data is not
// read), and otherwise why not.
int HeaderVerdict(const ReadHeader &header, const QSet<QByteArray> &special)
{
    // Only plain files and folders: links could point anywhere and
    // devices have no place in a download folder.
    if (!header.relative || (!header.folder && header.type != AE_IFREG) || header.link
        || special.contains(header.stored))
        return kArchiverRefused;
    if (header.encrypted)
        return kArchiverEncrypted;
    if (header.relative->isEmpty())  // the target folder itself ("./")
        return header.folder ? kArchiverOk : kArchiverRefused;
    return kArchiverOk;
}

bool DataWanted(const ReadHeader &header, const QSet<QByteArray> &special)
{
    return header.whole() && !header.folder && HeaderVerdict(header, special) == kArchiverOk
           && !header.relative->isEmpty();
}

// Reads the archive's headers and the data of the entries to be written
// into queue, on a thread of its own, while the entries read before are
// written: unpacking and the file system's work overlap.
//
// The writer may stop wanting an entry's data (it was refused by its name,
// or its file failed): skipped names that entry's position, and its data is
// read no further (the library passes over the rest on the next header).
void ReadEntries(archive *reader, LibarchiveFormat format, const QSet<QByteArray> &special, ReadQueue &queue,
                 const std::atomic<int> &skipped)
{
    Utf8ThreadLocale utf8;
    for (int position = 1;; ++position) {
        const Header header = NextHeader(reader, format, position);
        ReadItem item{ReadItem::Header, {}, {}, 0, 0, kArchiverOk};
        ReadHeader &read = item.header;
        read.status = header.status;
        if (header.status != ARCHIVE_EOF && !header.whole() && !header.skipped())
            read.failure = StopResult(header);
        if (header.whole() || header.skipped()) {
            archive_entry *entry = header.entry;
            read.stored = header.stored;
            read.relative = header.relative;
            read.folder = header.folder;
            read.name = header.name;
            read.type = int(archive_entry_filetype(entry));
            read.link = archive_entry_hardlink(entry) || archive_entry_symlink(entry);
            read.encrypted = archive_entry_is_encrypted(entry);
            read.size = archive_entry_size_is_set(entry) ? archive_entry_size(entry) : -1;
            read.mtime = archive_entry_mtime_is_set(entry) ? archive_entry_mtime(entry) : -1;
            if (header.skipped())
                read.failure = SkippedResult(header, reader);
        }
        const bool more = read.whole() || read.skipped();
        const bool data = DataWanted(read, special);
        if (!queue.push(std::move(item)) || !more)
            break;
        if (!data)
            continue;
        for (;;) {
            const void *block = nullptr;
            size_t size = 0;
            la_int64_t offset = 0;
            const int status = archive_read_data_block(reader, &block, &size, &offset);
            ReadItem next{ReadItem::End, {}, {}, 0, 0, kArchiverOk};
            if (status == ARCHIVE_OK) {
                next.kind = ReadItem::Block;
                next.bytes = QByteArray(static_cast<const char *>(block), qsizetype(size));
                next.offset = offset;
                next.packed = archive_filter_bytes(reader, -1);
            } else if (status != ARCHIVE_EOF) {
                // A wrong checksum comes as a warning at the end of the data.
                next.result = ReadFailure(reader);
            }
            const bool end = next.kind == ReadItem::End;
            if (!queue.push(std::move(next)))
                return;
            if (end)
                break;
            if (skipped.load(std::memory_order_relaxed) == position) {
                if (!queue.push(ReadItem{ReadItem::End, {}, {}, 0, 0, kArchiverOk}))
                    return;
                break;
            }
        }
    }
}

// One pass over the archive, writing each entry whole or not at all. The
// archive is read on a thread of its own (ReadEntries); everything the
// file system sees, every check and the report are done here, entry by
// entry in the archive's order.
class Extraction {
public:
    Extraction(archive *reader, LibarchiveFormat format, const TargetFolder &root, qint64 archiveSize,
               QSet<QByteArray> special, std::stop_token stop, ArchiverReport &report)
        : reader_(reader), format_(format), root_(root), archiveSize_(archiveSize), special_(std::move(special)),
          stop_(stop), report_(report)
    {
    }

    // Returns the number of entries read.
    int run()
    {
        std::thread reading([this] {
            ReadEntries(reader_, format_, special_, queue_, skipped_);
            queue_.close();
        });
        const int count = write();
        queue_.quit();
        reading.join();
        return count;
    }

    // Whether the run read every header to the end of the archive.
    bool ended() const { return ended_; }

private:
    int write()
    {
        int count = 0;
        for (;;) {
            if (stop_.stop_requested()) {
                report_.note(kArchiverCancelled);
                break;
            }
            const ReadItem *item = queue_.pop();
            if (!item || item->kind != ReadItem::Header) {
                // The reader ends after a header that ends the reading.
                report_.note(kArchiverDamaged);
                break;
            }
            const ReadHeader header = item->header;  // the item lasts until the next pop
            if (header.status == ARCHIVE_EOF) {
                ended_ = true;
                break;
            }
            if (!header.whole() && !header.skipped()) {
                report_.note(header.failure);
                report_.restUnread = count > 0;
                break;
            }
            ++count;
            if (const std::optional<QString> shown = UndecodedEntryName(header.stored); shown && header.relative)
                root_.noteStoredName(*header.relative, *shown);
            dataLeft_ = DataWanted(header, special_);
            const int result = header.skipped() ? header.failure : extractEntry(header);
            // An entry not written whole: the rest of its data is not wanted.
            bool cancelled = false;
            if (dataLeft_ && !StopsExtraction(result)) {
                skipped_.store(count, std::memory_order_relaxed);
                cancelled = !skipData();
            }
            if (result == kArchiverOk)
                report_.extracted << header.name;
            else
                report_.fail(header.name, result);
            if (cancelled)
                report_.note(kArchiverCancelled);
            if (cancelled || StopsExtraction(result))
                break;
        }
        return count;
    }

    int extractEntry(const ReadHeader &header)
    {
        const std::optional<QString> &relative = header.relative;
        const bool folder = header.folder;
        if (const int verdict = HeaderVerdict(header, special_); verdict != kArchiverOk || relative->isEmpty())
            return verdict;
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
        return file.commit(header.size, header.mtime);
    }

    // The entry's data into file, to the end of its data.
    int copyData(EntryFile &file)
    {
        for (;;) {
            if (stop_.stop_requested())
                return kArchiverCancelled;
            const ReadItem *item = queue_.pop();
            if (!item || item->kind == ReadItem::Header)
                return kArchiverDamaged;  // cannot be: the reader ends an entry's data
            if (item->kind == ReadItem::End) {
                dataLeft_ = false;
                return item->result;
            }
            unpacked_ += item->bytes.size();
            const qint64 packed = std::max<qint64>(archiveSize_, item->packed);
            if (BeyondRealRatio(unpacked_, packed))
                return kArchiverTooLarge;
            if (const int written = file.write(item->bytes.constData(), size_t(item->bytes.size()), item->offset);
                written != kArchiverOk)
                return written;
        }
    }

    // Passes over what is left of the data of an entry not written whole,
    // to its end; false when the extraction is cancelled meanwhile.
    bool skipData()
    {
        while (dataLeft_) {
            if (stop_.stop_requested())
                return false;
            const ReadItem *item = queue_.pop();
            if (!item || item->kind == ReadItem::Header)
                return false;  // cannot be: the reader ends an entry's data
            dataLeft_ = item->kind != ReadItem::End;
        }
        return true;
    }

    archive *reader_;
    const LibarchiveFormat format_;
    const TargetFolder &root_;
    const qint64 archiveSize_;
    const QSet<QByteArray> special_;
    std::stop_token stop_;
    ArchiverReport &report_;
    ReadQueue queue_;
    std::atomic<int> skipped_{0};  // the position of an entry whose data is not wanted
    EntryNames names_;
    qint64 unpacked_ = 0;
    bool dataLeft_ = false;  // items of the entry's data are still to come
    bool ended_ = false;
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
    struct stat status;
    const qint64 archiveSize = fstat(file.fd.get(), &status) == 0 ? qint64(status.st_size) : -1;
    Reader reader = OpenReader(format, file);
    if (!reader) {
        report.note(BeginsAsFormat(format, file.fd.get()) ? kArchiverDamaged : kArchiverUnreadable);
        return;
    }
    // The stated size is weighed against the free space before anything is
    // written: a ZIP states every entry's size in its central directory,
    // read once; other archives (and a ZIP whose directory cannot be read
    // whole) have their headers read in a pass of their own first. The
    // entries' names are read that way too, only when some must be told as
    // not reached.
    ZipDirectory directory;
    if (format == LibarchiveFormat::Zip)
        directory = ReadZipDirectory(file.fd.get(), archiveSize);
    std::optional<Survey> survey;
    const auto surveyed = [&]() -> const Survey & {
        if (!survey)
            survey = SurveyArchive(format, file);
        return *survey;
    };
    const qint64 stated = directory.stated ? *directory.stated : surveyed().stated;
    const TargetFolder root(target, rules);
    if (!root.isOpen()) {
        report.note(root.failure());
        return;
    }
    const qint64 room = root.roomBytes();
    if (const int fits = CheckStatedSize(stated, archiveSize, room); fits != kArchiverOk) {
        report.neededBytes = stated;
        report.freeBytes = room;
        for (const QString &name : surveyed().names)
            report.fail(name, kArchiverNotReached);
        report.note(fits);
        root.finish(report);
        return;
    }
    Extraction extraction(reader.get(), format, root, archiveSize, std::move(directory.special), stop, report);
    const int read = extraction.run();
    if (!extraction.ended()) {
        const QStringList &names = surveyed().names;
        for (qsizetype i = read; i < names.size(); ++i)
            report.fail(names[i], kArchiverNotReached);
    }
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
