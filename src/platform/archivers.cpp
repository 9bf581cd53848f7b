#include "platform/archivers.h"

#include <algorithm>
#include <iterator>

namespace {

// Most serious first: what stopped the extraction outranks what only
// concerned one entry.
constexpr int kSeriousness[] = {
    kArchiverCancelled, kArchiverDiskFull, kArchiverTooLarge, kArchiverDamaged,
    kArchiverEncrypted, kArchiverRefused,  kArchiverWriteFailed, kArchiverUnreadable,
};

int Rank(int result)
{
    const auto at = std::find(std::begin(kSeriousness), std::end(kSeriousness), result);
    return int(at - std::begin(kSeriousness));  // the end (and kArchiverOk) ranks last
}

} // namespace

void ArchiverReport::note(int failure)
{
    if (failure != kArchiverOk && failure != kArchiverNotReached && Rank(failure) < Rank(result))
        result = failure;
}

void ArchiverReport::fail(const QString &name, int failure)
{
    notExtracted.append({name, failure});
    note(failure);
}
