// The technical listing 7-Zip prints for an ARJ archive ("l -slt -ba"), with
// the checks every listed path passes before it is moved into the target
// folder. Input: the listing's bytes. Properties: each path is the text of
// one "Path = " line; a path both checks accept is relative, has no ".."
// part and no NUL (the system reads a name up to its first NUL), neither as
// 7-Zip names it on disk nor as it is placed below the target folder.
#include "fuzz_support.h"
#include "platform/linux/archive_entries.h"
#include "platform/linux/seven_zip_archiver.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray listing = InputBytes(data, size);
    const QList<std::pair<QByteArray, bool>> paths = ListedPaths(listing);
    FUZZ_CHECK(paths.size() <= listing.count("Path = "));
    for (const auto &[path, folder] : paths) {
        FUZZ_CHECK(!path.contains('\n'));
        const std::optional<QString> relative = RelativeEntryPath(DecodeEntryName(path));
        if (!relative || !ListedPathStaysInside(path))
            continue;
        FUZZ_CHECK(!path.startsWith('/') && !path.contains('\0'));
        FUZZ_CHECK(!path.split('/').contains(".."));
        FUZZ_CHECK(!relative->startsWith(u'/') && !relative->contains(QChar(0)));
        FUZZ_CHECK(!relative->split(u'/').contains(QStringLiteral("..")));
    }
    return 0;
}
