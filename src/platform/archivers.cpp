#include "platform/archivers.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include <QDir>
#include <QFileInfo>

namespace {

// Most serious first: what stopped the extraction outranks what only
// concerned one entry.
constexpr int kSeriousness[] = {
    kArchiverCancelled, kArchiverTimedOut, kArchiverDiskFull,    kArchiverTooLarge,
    kArchiverDamaged,   kArchiverUnsupported, kArchiverEncrypted, kArchiverRefused,
    kArchiverWriteFailed, kArchiverNotAFile, kArchiverUnreadable,
};

int Rank(int result)
{
    const auto at = std::find(std::begin(kSeriousness), std::end(kSeriousness), result);
    return int(at - std::begin(kSeriousness));  // the end (and kArchiverOk) ranks last
}

bool IsOrLiesIn(const QString &path, const QString &folder)
{
    if (folder.isEmpty())
        return false;
    if (path == folder)
        return true;
    return path.startsWith(folder.endsWith(u'/') ? folder : folder + u'/');
}

} // namespace

qint64 SaturatingSum(qint64 sum, qint64 size)
{
    if (size <= 0)
        return sum;
    qint64 total;
    if (__builtin_add_overflow(sum, size, &total))
        return std::numeric_limits<qint64>::max();
    return total;
}

QString CanonicalPath(const QString &path)
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    // The nearest part that exists carries the links; what follows it
    // cannot hold one yet.
    QString existing = clean;
    QString rest;
    while (!existing.isEmpty()) {
        const QString canonical = QFileInfo(existing).canonicalFilePath();
        if (!canonical.isEmpty())
            return QDir::cleanPath(canonical + rest);
        const qsizetype slash = existing.lastIndexOf(u'/');
        if (slash <= 0)
            break;
        rest.prepend(existing.mid(slash));
        existing.truncate(slash);
    }
    return clean;
}

ProtectedPlaces ProtectedPlaces::canonical() const
{
    ProtectedPlaces places;
    for (const QString &folder : folders) {
        if (!folder.isEmpty())
            places.folders << CanonicalPath(folder);
    }
    for (const QString &file : files) {
        if (!file.isEmpty())
            places.files << CanonicalPath(file);
    }
    places.folders.removeDuplicates();
    places.files.removeDuplicates();
    return places;
}

bool ProtectedPlaces::coversFolder(const QString &path) const
{
    return std::any_of(folders.cbegin(), folders.cend(),
                       [&](const QString &folder) { return IsOrLiesIn(path, folder); });
}

bool ProtectedPlaces::covers(const QString &path) const
{
    return files.contains(path) || coversFolder(path);
}

void ArchiverReport::note(int failure)
{
    if (failure != kArchiverOk && failure != kArchiverNotReached && failure != kArchiverSkipped
        && Rank(failure) < Rank(result))
        result = failure;
}

void ArchiverReport::fail(const QString &name, int failure)
{
    notExtracted.append({name, failure});
    note(failure);
}

bool ArchiverReport::wroteFile() const
{
    return std::any_of(extracted.cbegin(), extracted.cend(),
                       [](const QString &name) { return !name.endsWith(u'/'); });
}
