#include "platform/linux/seven_zip_archiver.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QProcess>
#include <QStandardPaths>

#include "platform/archivers.h"
#include "platform/linux/archive_entries.h"

// 7-Zip writes what it extracts into a private folder inside the target
// folder; from there only plain files and folders whose names stay inside the
// target are moved into place, never through a link. 7-Zip sees only names of
// our own making (it reads "*" and "?" in names as wildcards and a leading
// "-" or "@" as a switch or a list file), so any archive name works.

namespace fs = std::filesystem;

namespace {

fs::path PathOf(const QString &path)
{
    return fs::path(QFile::encodeName(path).toStdString());
}

fs::path PathOf(const QByteArray &bytes)
{
    return fs::path(bytes.toStdString());
}

// A folder of its own below root, removed with everything in it at the end.
class PrivateFolder {
public:
    explicit PrivateFolder(const QString &root)
    {
        QByteArray pattern = QFile::encodeName(root + QStringLiteral("/.tockara-XXXXXX"));
        if (mkdtemp(pattern.data()))
            path_ = PathOf(pattern);
    }
    ~PrivateFolder()
    {
        std::error_code ignored;
        if (!path_.empty())
            fs::remove_all(path_, ignored);
    }
    PrivateFolder(const PrivateFolder &) = delete;
    PrivateFolder &operator=(const PrivateFolder &) = delete;
    const fs::path &path() const { return path_; }

private:
    fs::path path_;
};

struct ListedEntry {
    QByteArray path;  // as 7-Zip names it, which is also its name on disk
    bool folder = false;
};

// The entries of a technical listing ("l -slt -ba"): blocks of "Key = value"
// lines, each beginning with "Path".
QList<ListedEntry> ParseListing(const QByteArray &listing)
{
    QList<ListedEntry> entries;
    for (const QByteArray &line : listing.split('\n')) {
        if (line.startsWith("Path = "))
            entries.append({line.mid(7), false});
        else if (line == "Folder = +" && !entries.isEmpty())
            entries.last().folder = true;
    }
    return entries;
}

// A stored path that cannot leave the private folder it is extracted into.
bool StaysInside(const QByteArray &path)
{
    if (path.isEmpty() || path.startsWith('/'))
        return false;
    for (const QByteArray &part : path.split('/')) {
        if (part == "..")
            return false;
    }
    return true;
}

enum class Made { Ok, Refused, Failed };

// The folders of relative below root, created where missing; refused when a
// part of the way is a link (it could lead out of the target folder).
Made MakeFolders(const fs::path &root, const QString &relative)
{
    fs::path path = root;
    for (const QString &part : relative.split(u'/', Qt::SkipEmptyParts)) {
        path /= PathOf(part);
        std::error_code error;
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::is_symlink(status))
            return Made::Refused;
        if (fs::is_directory(status))
            continue;
        if (fs::exists(status) || !fs::create_directory(path, error))
            return Made::Failed;
    }
    return Made::Ok;
}

struct SevenZipRun {
    bool started = false;
    int exitCode = -1;
    QByteArray output;
};

SevenZipRun RunSevenZip(const QString &program, const QStringList &arguments, const fs::path &folder,
                        bool keepOutput)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(QFile::decodeName(folder.c_str()));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    // An archive with a password would ask for it: it reads nothing and fails.
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    if (!keepOutput)
        process.setStandardOutputFile(QProcess::nullDevice());
    process.start();
    SevenZipRun run;
    run.started = process.waitForStarted(-1);
    if (!run.started)
        return run;
    process.waitForFinished(-1);
    if (keepOutput)
        run.output = process.readAllStandardOutput();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return run;
}

} // namespace

SevenZipArchiver::SevenZipArchiver(QString program) : program_(std::move(program)) {}

QString SevenZipArchiver::resolved() const
{
    if (program_.contains(u'/')) {
        const QFileInfo file(program_);
        return file.isFile() && file.isExecutable() ? file.absoluteFilePath() : QString();
    }
    return QStandardPaths::findExecutable(program_);
}

bool SevenZipArchiver::available() const
{
    return !resolved().isEmpty();
}

int SevenZipArchiver::extract(const QString &archivePath, const QString &target) const
{
    const QString program = resolved();
    const QFileInfo archiveFile(archivePath);
    if (program.isEmpty() || !archiveFile.isFile())
        return kArchiverUnreadable;
    const QString root = PrepareTargetFolder(target);
    if (root.isEmpty())
        return kArchiverWriteFailed;
    PrivateFolder work(root);
    if (work.path().empty())
        return kArchiverWriteFailed;
    const fs::path archiveLink = work.path() / "archive.arj";
    if (symlink(QFile::encodeName(archiveFile.absoluteFilePath()).constData(), archiveLink.c_str()) != 0)
        return kArchiverWriteFailed;

    const QStringList type{QStringLiteral("-tarj")};
    const SevenZipRun listing = RunSevenZip(
        program, QStringList{"l", "-slt", "-ba"} + type + QStringList{"archive.arj"}, work.path(), true);
    if (!listing.started || listing.exitCode != 0)
        return kArchiverUnreadable;
    const SevenZipRun unpack = RunSevenZip(
        program, QStringList{"x", "-y", "-bd", "-oout"} + type + QStringList{"archive.arj"},
        work.path(), false);

    int result = kArchiverOk;
    const auto fail = [&result](int code) {
        if (result == kArchiverOk)
            result = code;
    };
    if (!unpack.started || unpack.exitCode != 0)
        fail(kArchiverUnreadable);
    const fs::path rootPath = PathOf(root);
    for (const ListedEntry &entry : ParseListing(listing.output)) {
        const std::optional<QString> relative = RelativeEntryPath(DecodeEntryName(entry.path));
        if (!relative || !StaysInside(entry.path)) {
            fail(kArchiverRefused);
            continue;
        }
        if (entry.folder) {
            if (const Made made = MakeFolders(rootPath, *relative); made != Made::Ok)
                fail(made == Made::Refused ? kArchiverRefused : kArchiverWriteFailed);
            continue;
        }
        const fs::path extracted = work.path() / "out" / PathOf(entry.path);
        std::error_code error;
        const fs::file_status status = fs::symlink_status(extracted, error);
        if (!fs::exists(status)) {
            fail(kArchiverUnreadable);  // 7-Zip could not extract it
            continue;
        }
        if (!fs::is_regular_file(status) || relative->isEmpty()) {
            fail(kArchiverRefused);
            continue;
        }
        const int slash = relative->lastIndexOf(u'/');
        if (const Made made = MakeFolders(rootPath, slash < 0 ? QString() : relative->left(slash));
            made != Made::Ok) {
            fail(made == Made::Refused ? kArchiverRefused : kArchiverWriteFailed);
            continue;
        }
        const fs::path destination = rootPath / PathOf(*relative);
        if (fs::is_directory(fs::symlink_status(destination, error))) {
            fail(kArchiverWriteFailed);
            continue;
        }
        fs::rename(extracted, destination, error);
        if (error)
            fail(kArchiverWriteFailed);
    }
    return result;
}

QList<std::pair<QByteArray, bool>> ListedPaths(const QByteArray &listing)
{
    QList<std::pair<QByteArray, bool>> paths;
    for (const ListedEntry &entry : ParseListing(listing))
        paths.append({entry.path, entry.folder});
    return paths;
}

bool ListedPathStaysInside(const QByteArray &path)
{
    return StaysInside(path);
}
