#pragma once
// The ZIP and LZH components, on libarchive in this process. The extraction
// lives in the on-demand module "libarchive", loaded at the first archive.
#include <optional>
#include <stop_token>
#include <QString>
#include <QStringList>

#include "platform/archivers.h"

enum class LibarchiveFormat { Zip, Lha };

// Extracts every entry of the archive of that format into target on the
// terms of rules (see ArchiverService::run for what is refused and when it
// stops); nothing when the module cannot be loaded.
std::optional<ArchiverReport> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                                    const QString &target, const ExtractionRules &rules,
                                                    std::stop_token stop);
// The paths of the archive's file entries below the target (empty when it
// cannot be read); nothing when the module cannot be loaded.
std::optional<QStringList> LibarchiveFiles(LibarchiveFormat format, const QString &archive);
// Whether the module can be loaded.
bool LibarchiveAvailable();

// The module's entry points, always loaded. (Named anew whenever their
// shape changes, so a module of another build is not called.)
// The extraction with the rules' defaults: nothing protected, a taken name
// kept both.
extern "C" void tockara_libarchive_extract(int format, const QString *archive, const QString *target,
                                           const std::stop_token *stop, ArchiverReport *report);
// The extraction on the terms of rules.
extern "C" void tockara_libarchive_extract_by_rules(int format, const QString *archive, const QString *target,
                                                    const ExtractionRules *rules, const std::stop_token *stop,
                                                    ArchiverReport *report);
// The file entries' paths into files; false when the archive cannot be read.
extern "C" bool tockara_libarchive_files(int format, const QString *archive, QStringList *files);
