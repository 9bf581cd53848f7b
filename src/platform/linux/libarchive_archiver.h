#pragma once
// The ZIP and LZH components, on libarchive in this process. The extraction
// lives in the on-demand module "libarchive", loaded at the first archive.
#include <optional>
#include <QString>

enum class LibarchiveFormat { Zip, Lha };

// Extracts every entry of the archive of that format into target (see
// ArchiverService::run for what is refused); returns an ArchiverResult, or
// nothing when the module cannot be loaded.
std::optional<int> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                         const QString &target);

// The module's entry point: the same, always loaded.
extern "C" int tockara_extract_with_libarchive(int format, const QString *archive, const QString *target);
