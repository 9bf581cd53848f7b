#include "platform/linux/libarchive_archiver.h"

#include "platform/linux/on_demand_module.h"

std::optional<int> ExtractWithLibarchive(LibarchiveFormat format, const QString &archive,
                                         const QString &target)
{
    using Extract = int (*)(int, const QString *, const QString *);
    static const auto extract =
        reinterpret_cast<Extract>(ResolveOnDemandModule("libarchive", "tockara_extract_with_libarchive"));
    if (!extract)
        return std::nullopt;
    return extract(int(format), &archive, &target);
}
