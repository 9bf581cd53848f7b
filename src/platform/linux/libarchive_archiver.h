#pragma once
// The ZIP and LZH components, on libarchive in this process. The extraction
// lives in the on-demand module "libarchive", loaded at the first archive.
#include <optional>
#include <stop_token>
#include <QString>

#include "platform/archivers.h"

enum class LibarchiveFormat { Zip, Lha };

// Extracts every entry of the archive of that format into target (see
// ArchiverService::run for what is refused and when it stops); nothing when
// the module cannot be loaded.
std::optional<ArchiverReport> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                                    const QString &target, std::stop_token stop);

// The module's entry point: the same, always loaded, into report. (Named
// anew whenever its shape changes, so a module of another build is not called.)
extern "C" void tockara_libarchive_extract(int format, const QString *archive, const QString *target,
                                                const std::stop_token *stop, ArchiverReport *report);
