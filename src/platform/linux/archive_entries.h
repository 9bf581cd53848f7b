#pragma once
// What the archiver components share: how a stored entry name becomes a path
// inside the target folder, and the checks that keep every write inside it.
#include <optional>
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QtGlobal>

// The text of a stored entry name: the name itself when its bytes are valid
// UTF-8 (newer archives, and every name the library already converted),
// otherwise Shift-JIS (CP932), the names of archives made on Japanese
// Windows. Backslashes, the separator of archives made on DOS and Windows,
// become "/" (after decoding, since a Shift-JIS trail byte can be 0x5C).
// A name that is neither (made in another code page) keeps each byte that
// is no part of a Shift-JIS character as "%XX", and "%" as "%25", so that
// two names stored differently never come out as one.
QString DecodeEntryName(QByteArrayView raw);
// How a name that DecodeEntryName had to keep bytes of as "%XX" reads,
// each such byte shown as U+FFFD (for the list of names written otherwise
// than stored); nothing for any other name.
std::optional<QString> UndecodedEntryName(QByteArrayView raw);

// name as a path relative to the target folder, without empty and "." parts
// ("" for the folder itself); nothing when the name is absolute, climbs
// with ".." or holds a NUL.
std::optional<QString> RelativeEntryPath(const QString &name);

// Whether a decoded name stands for a folder: it ends with a separator, as
// folders do in ZIP archives, also those made with "\" on Windows.
bool NamesFolder(const QString &name);

// The names an extraction has written. A name given twice would let a later
// entry replace an earlier one, or a file take a folder's place; only folders
// may repeat.
class EntryNames {
public:
    // false when relative was written before and is not a folder both times.
    bool admit(const QString &relative, bool folder);

private:
    QHash<QString, bool> folders_;
};

// Whether an archive of archiveSize bytes (-1 when unknown, as for a pipe)
// that states it unpacks to stated bytes may be extracted onto a disk with
// freeBytes (-1 when unknown) left: kArchiverOk, kArchiverDiskFull, or
// kArchiverTooLarge for a ratio no real archive has.
int CheckStatedSize(qint64 stated, qint64 archiveSize, qint64 freeBytes);
// Whether unpacked bytes written from packed bytes read is a ratio no real
// archive reaches (a bomb); small outputs never are.
bool BeyondRealRatio(qint64 unpacked, qint64 packed);

// The size bytes at offset of the open file fd, read whole (a read cut short
// by a signal goes on); nothing when the file ends before or the range is
// empty or negative. Header readers take what they check from it.
std::optional<QByteArray> ReadBytesAt(int fd, qint64 offset, qint64 size);
// The little-endian number of size bytes (at most 4) at at of bytes, as
// ZIP, LZH and ARJ headers store their fields.
quint32 LittleEndian(const QByteArray &bytes, qsizetype at, int size);

// Sets UTF-8 as the character set of the calling thread for its lifetime, so
// that the archive library converts names to UTF-8 whatever the program's
// locale. Other threads are not affected.
class Utf8ThreadLocale {
public:
    Utf8ThreadLocale();
    ~Utf8ThreadLocale();
    Utf8ThreadLocale(const Utf8ThreadLocale &) = delete;
    Utf8ThreadLocale &operator=(const Utf8ThreadLocale &) = delete;

private:
    void *utf8_ = nullptr;
    void *previous_ = nullptr;
};
