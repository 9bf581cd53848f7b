#pragma once
// Small archives written byte by byte, so tests control every stored name
// (Shift-JIS, "..", absolute paths) that archiving tools would not write.
// Entries are stored without compression.
#include <QByteArray>
#include <QList>

struct ArchiveItem {
    enum Kind { File, Folder, Link };
    QByteArray name;  // stored as is
    QByteArray data;  // a link's target for Link
    Kind kind = File;
};

// A ZIP archive; utf8Names sets the flag that says the names are UTF-8.
// Links carry Unix modes.
QByteArray ZipBytes(const QList<ArchiveItem> &items, bool utf8Names = false);
// An LZH archive with level-0 headers (folders as "-lhd-"); no links.
QByteArray LzhBytes(const QList<ArchiveItem> &items);
// An ARJ archive made on DOS; no links.
QByteArray ArjBytes(const QList<ArchiveItem> &items);
