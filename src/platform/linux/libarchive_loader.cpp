#include "platform/linux/libarchive_archiver.h"

#include "platform/linux/on_demand_module.h"

std::optional<ArchiverReport> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                                    const QString &target, std::stop_token stop)
{
    using Extract = void (*)(int, const QString *, const QString *, const std::stop_token *, ArchiverReport *);
    static const auto extract =
        reinterpret_cast<Extract>(ResolveOnDemandModule("libarchive", "tockara_libarchive_extract"));
    if (!extract)
        return std::nullopt;
    ArchiverReport report;
    extract(int(format), &archive, &target, &stop, &report);
    return report;
}
