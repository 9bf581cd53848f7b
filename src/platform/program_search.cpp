#include "platform/program_search.h"
#include "platform/regular_file.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeType>
#include <QRegularExpression>

namespace {

// The real path of folder (links resolved), or its clean absolute form when
// it does not exist (yet): an extraction folder may be made later.
QString RealFolder(const QString &folder)
{
    const QString real = QFileInfo(folder).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(QFileInfo(folder).absoluteFilePath()) : real;
}

} // namespace

void ProgramSearch::setUntrustedFolders(const QStringList &folders)
{
    QStringList real;
    for (const QString &folder : folders) {
        if (!folder.isEmpty())
            real << RealFolder(folder);
    }
    // Compared by identity: a link or a bind mount of an untrusted folder
    // on the search path is that folder.
    const ProtectedPlaces places = ProtectedPlaces{real, {}, {}, nullptr}.resolved();
    std::lock_guard lock(mutex_);
    untrusted_ = real;
    places_ = places;
}

QStringList ProgramSearch::untrustedFolders() const
{
    std::lock_guard lock(mutex_);
    return untrusted_;
}

bool ProgramSearch::untrusted(const QString &folder) const
{
    ProtectedPlaces places;
    {
        std::lock_guard lock(mutex_);
        places = places_;
    }
    return !places.folders.isEmpty() && places.coversFolder(folder);
}

QString ProgramSearch::find(const QString &name) const
{
    if (name.isEmpty())
        return {};
    if (name.contains(u'/')) {
        const QFileInfo file(name);
        return file.isAbsolute() && file.isFile() && file.isExecutable() ? name : QString();
    }
    const QString path = qEnvironmentVariable("PATH");
    for (const QString &folder : path.split(u':')) {
        // An empty or relative entry is the current folder, or counts from it.
        if (!QDir::isAbsolutePath(folder) || !QFileInfo(folder).isDir() || untrusted(folder))
            continue;
        const QString candidate = QDir::cleanPath(folder + u'/' + name);
        const QFileInfo file(candidate);
        if (file.isFile() && file.isExecutable())
            return candidate;
    }
    return {};
}

bool IsSystemFolder(const QString &folder)
{
    struct stat status {};
    if (::stat(QFile::encodeName(folder).constData(), &status) != 0 || !S_ISDIR(status.st_mode))
        return false;
    return status.st_uid == 0 && !(status.st_mode & (S_IWGRP | S_IWOTH));
}

QStringList UntrustedProgramFolders(const QString &programFolder, const QString &executableFolder,
                                    const QString &extractionFolder)
{
    QStringList folders;
    for (const QString &folder : {programFolder, extractionFolder}) {
        if (!folder.isEmpty())
            folders << folder;
    }
    if (!executableFolder.isEmpty() && !IsSystemFolder(executableFolder))
        folders << executableFolder;
    return folders;
}

bool IsRunnableProgram(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    const QMimeType type = MimeTypeOfFile(path);
    for (const char *program : {"application/x-executable", "application/x-pie-executable",
                                "application/x-sharedlib"}) {
        if (type.inherits(QLatin1String(program)))
            return true;
    }
    return false;
}

bool IsAddress(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}
