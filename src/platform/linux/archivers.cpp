#include <QStringList>

#include "platform/archivers.h"
#include "platform/linux/libarchive_archiver.h"
#include "platform/linux/linux_services.h"
#include "platform/linux/seven_zip_archiver.h"
#include "platform/log.h"

namespace {

// The three components by the names of the libraries they stand in for, each
// with the verb it accepts.
class LinuxArchivers : public ArchiverService {
public:
    explicit LinuxArchivers(const QString &sevenZip) : sevenZip_(sevenZip) {}

    std::optional<int> run(const QString &library, const QStringList &commandLine) override
    {
        const QString name = library.toLower();
        if (name == u"unarj32j" && !sevenZip_.available()) {
            qCWarning(lcArchive).noquote() << "ARJ archives need 7-Zip:" << sevenZip_.program()
                                           << "is not installed";
            return std::nullopt;
        }
        if (name != u"unzip32" && name != u"unlha32" && name != u"unarj32j")
            return std::nullopt;
        if (commandLine.size() != 3)
            return kArchiverUnreadable;
        const QString &verb = commandLine[0];
        const QString &archive = commandLine[1];
        const QString &target = commandLine[2];
        if (name == u"unzip32")
            return verb == u"-xs" ? ExtractWithLibarchive(LibarchiveFormat::Zip, archive, target)
                                  : std::optional<int>(kArchiverUnreadable);
        if (verb != u"x")
            return kArchiverUnreadable;
        if (name == u"unlha32")
            return ExtractWithLibarchive(LibarchiveFormat::Lha, archive, target);
        return sevenZip_.extract(archive, target);
    }

private:
    SevenZipArchiver sevenZip_;
};

} // namespace

std::unique_ptr<ArchiverService> MakeLinuxArchivers(const QString &sevenZipProgram)
{
    return std::make_unique<LinuxArchivers>(sevenZipProgram);
}
