#include "platform/linux/libarchive_archiver.h"

#include "platform/linux/on_demand_module.h"

std::optional<ArchiverReport> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                                    const QString &target, const ExtractionRules &rules,
                                                    std::stop_token stop)
{
    using Extract = void (*)(int, const QString *, const QString *, const ExtractionRules *,
                             const std::stop_token *, ArchiverReport *);
    static const auto extract =
        reinterpret_cast<Extract>(ResolveOnDemandModule("libarchive", "tockara_libarchive_extract_by_rules"));
    if (!extract)
        return std::nullopt;
    ArchiverReport report;
    extract(int(format), &archive, &target, &rules, &stop, &report);
    return report;
}

namespace {

using Files = bool (*)(int, const QString *, QStringList *);

Files FilesEntry()
{
    static const auto files = reinterpret_cast<Files>(ResolveOnDemandModule("libarchive", "tockara_libarchive_files"));
    return files;
}

} // namespace

bool LibarchiveAvailable()
{
    return FilesEntry() != nullptr;
}

std::optional<QStringList> LibarchiveFiles(LibarchiveFormat format, const QString &archive)
{
    const Files files = FilesEntry();
    if (!files)
        return std::nullopt;
    QStringList found;
    if (!files(int(format), &archive, &found))
        return QStringList();
    return found;
}
