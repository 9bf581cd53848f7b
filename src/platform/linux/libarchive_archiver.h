#pragma once
// The ZIP and LZH components, on libarchive in this process.
#include <QString>

enum class LibarchiveFormat { Zip, Lha };

// Extracts every entry of the archive of that format into target (see
// ArchiverService::run for what is refused); returns an ArchiverResult.
int ExtractWithLibarchive(LibarchiveFormat format, const QString &archive, const QString &target);
