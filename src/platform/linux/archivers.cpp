#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

#include <QFile>
#include <QHash>
#include <QStringList>

#include "platform/archive_formats.h"
#include "platform/archivers.h"
#include "platform/log.h"
#include "platform/linux/extraction_folder.h"
#include "platform/linux/libarchive_archiver.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/on_demand_module.h"
#include "platform/linux/seven_zip_archiver.h"

namespace {

// Whether the folder at path holds no entry or is not there; false when
// that cannot be told.
bool HoldsNothing(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT;
    DIR *dir = fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return false;
    }
    bool empty = true;
    errno = 0;
    while (const dirent *entry = readdir(dir)) {
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0) {
            empty = false;
            break;
        }
    }
    if (errno != 0)
        empty = false;
    closedir(dir);
    return empty;
}

// The components of the archive formats, each reached by the name of the
// library it stands in for and accepting that format's verb.
class LinuxArchivers : public ArchiverService {
public:
    LinuxArchivers(const QStringList &sevenZip, std::shared_ptr<const ProgramSearch> search)
        : sevenZip_(sevenZip, std::move(search))
    {
    }

    std::optional<ArchiverReport> run(const QString &library, const QStringList &commandLine,
                                      std::stop_token stop, const ExtractionRules &rules) override
    {
        const ArchiveFormat *format = ArchiveFormatForLibrary(library);
        if (!format)
            return std::nullopt;
        if (format->backend == ArchiveBackend::SevenZipArj && !sevenZip_.available()) {
            qCWarning(lcArchive).noquote() << "ARJ archives need 7-Zip:" << sevenZip_.programs().join(u" or ")
                                           << "is not installed";
            return std::nullopt;
        }
        if (commandLine.size() != 3 || commandLine[0] != format->verb) {
            ArchiverReport unknownVerb;
            unknownVerb.note(kArchiverUnreadable);
            return unknownVerb;
        }
        const QString &archive = commandLine[1];
        const QString &target = commandLine[2];
        switch (format->backend) {
        case ArchiveBackend::LibarchiveZip:
            return ExtractWithLibarchive(LibarchiveFormat::Zip, archive, target, rules, stop);
        case ArchiveBackend::LibarchiveLha:
            return ExtractWithLibarchive(LibarchiveFormat::Lha, archive, target, rules, stop);
        case ArchiveBackend::SevenZipArj:
            return sevenZip_.extract(archive, target, rules, stop);
        }
        return std::nullopt;
    }

    std::optional<QStringList> takenNames(const QString &library, const QString &archive,
                                          const QString &target) override
    {
        const ArchiveFormat *format = ArchiveFormatForLibrary(library);
        if (!format)
            return std::nullopt;
        // A folder that holds nothing (or is not there yet) has no name
        // taken: the archive is not read for its names.
        if (HoldsNothing(target)) {
            const bool available = format->backend == ArchiveBackend::SevenZipArj ? sevenZip_.available()
                                                                                  : LibarchiveAvailable();
            return available ? std::optional(QStringList()) : std::nullopt;
        }
        std::optional<QStringList> files;
        switch (format->backend) {
        case ArchiveBackend::LibarchiveZip:
            files = LibarchiveFiles(LibarchiveFormat::Zip, archive);
            break;
        case ArchiveBackend::LibarchiveLha:
            files = LibarchiveFiles(LibarchiveFormat::Lha, archive);
            break;
        case ArchiveBackend::SevenZipArj:
            files = sevenZip_.files(archive);
            break;
        }
        if (!files)
            return std::nullopt;
        QStringList taken;
        const QByteArray folder = QFile::encodeName(target) + '/';
        // Whether something is there at path below the target, looked at
        // without following a last link: any name counts, a link to nothing
        // included.
        const auto there = [&folder](const QString &path) {
            struct stat status;
            return lstat((folder + QFile::encodeName(path)).constData(), &status) == 0;
        };
        // A folder that is not there holds no name: its files are not
        // looked at one by one (one look for the many files of a folder
        // the archive brings new).
        QHash<QString, bool> folders;
        const std::function<bool(const QString &)> folderThere = [&](const QString &path) {
            const qsizetype slash = path.lastIndexOf(u'/');
            if (slash < 0)
                return true;  // the target itself
            const QString parent = path.left(slash);
            if (const auto known = folders.constFind(parent); known != folders.cend())
                return *known;
            const bool found = folderThere(parent) && there(parent);
            folders.insert(parent, found);
            return found;
        };
        for (const QString &file : *files) {
            const QString written = VisiblePath(file);
            if (folderThere(written) && there(written))
                taken << written;
        }
        taken.removeDuplicates();
        return taken;
    }

    QStringList codeFolders() const override { return OnDemandModuleFolders(); }

private:
    SevenZipArchiver sevenZip_;
};

} // namespace

QStringList SevenZipPrograms()
{
    return {QStringLiteral("7zz"), QStringLiteral("7z")};
}

std::unique_ptr<ArchiverService> MakeLinuxArchivers(const QStringList &sevenZipPrograms,
                                                   std::shared_ptr<const ProgramSearch> search)
{
    return std::make_unique<LinuxArchivers>(sevenZipPrograms, std::move(search));
}
