#pragma once
// The three archive formats the extraction tests run each case in: the
// component that unpacks it, its verb and extension, and the writer of test
// archives of that format.
#include <QByteArray>
#include <QList>

#include "support/archive_bytes.h"

namespace archive_formats_table {

enum FormatBit { Zip = 1, Lzh = 2, Arj = 4, All = 7 };

struct Format {
    FormatBit bit;
    const char *library, *verb, *suffix;
    QByteArray (*write)(const QList<ArchiveItem> &);
};

inline const Format kFormats[] = {
    {Zip, "unzip32", "-xs", "zip", [](const QList<ArchiveItem> &items) { return ZipBytes(items); }},
    {Lzh, "unlha32", "x", "lzh", LzhBytes},
    {Arj, "unarj32j", "x", "arj", ArjBytes},
};

} // namespace archive_formats_table
