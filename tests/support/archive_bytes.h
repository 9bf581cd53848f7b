#pragma once
// Small archives written byte by byte, so tests control every stored name
// (Shift-JIS, "..", absolute paths) that archiving tools would not write.
// Entries are stored without compression.
#include <QByteArray>
#include <QList>

struct ArchiveItem {
    enum Kind { File, Folder, Link, Device };
    QByteArray name;  // stored as is
    QByteArray data;  // a link's target for Link
    Kind kind = File;
    bool encrypted = false;    // marked as encrypted with a password (ZIP, ARJ)
    bool wrongCrc = false;     // the stored checksum does not match the data
    // A Unix mode (type and permission bits) as an archive made on Unix
    // stores it (ZIP, ARJ); 0 for none.
    quint32 mode = 0;
    qint64 statedSize = -1;    // the size stated for the data when not its own (ZIP)
};

// A ZIP archive; utf8Names sets the flag that says the names are UTF-8.
// Links and devices carry Unix modes.
QByteArray ZipBytes(const QList<ArchiveItem> &items, bool utf8Names = false);
// A ZIP archive bomb: 64 MiB of zeros in 200 bytes (bzip2), stating
// statedSize bytes.
QByteArray ZipBombBytes(quint32 statedSize = 64u << 20);
// An LZH archive with level-0 headers (folders as "-lhd-"); no links.
QByteArray LzhBytes(const QList<ArchiveItem> &items);
// An ARJ archive made on DOS; no links.
QByteArray ArjBytes(const QList<ArchiveItem> &items);
