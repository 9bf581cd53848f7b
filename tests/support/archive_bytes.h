#pragma once
// Small archives written byte by byte, so tests control every stored name
// (Shift-JIS, "..", absolute paths) that archiving tools would not write.
// Entries are stored without compression.
#include <QByteArray>
#include <QList>
#include <QString>

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
    // The packing method stated for the data, which is written as given:
    // ZIP's number, LZH's name ("-lh1-"); stored when not set.
    quint16 zipMethod = 0;
    QByteArray lzhMethod = {};
};

// A ZIP archive; utf8Names sets the flag that says the names are UTF-8.
// Links and devices carry Unix modes.
QByteArray ZipBytes(const QList<ArchiveItem> &items, bool utf8Names = false);
// A ZIP archive bomb: 64 MiB of zeros in 200 bytes (bzip2), stating
// statedSize bytes.
QByteArray ZipBombBytes(quint32 statedSize = 64u << 20);
// An LZH archive with level-0 headers (folders as "-lhd-"); a mode is kept
// in the extension LHa for UNIX adds (a link's target after a "|" in its
// name, as LHa stores it).
QByteArray LzhBytes(const QList<ArchiveItem> &items);
// An ARJ archive made on DOS; with a mode, made by ARJ for Unix, which keeps
// a kind of its own: a link, pipe or device is of file type 6, its mode
// marked 0x4000, described in an extended header.
QByteArray ArjBytes(const QList<ArchiveItem> &items);

// A name as a Japanese Windows archiver stores it.
QByteArray ShiftJis(const QString &text);
