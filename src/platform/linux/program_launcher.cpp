// Starting programs and opening files on a Linux desktop: programs are
// started directly (no shell, so no file name can be read as a command);
// everything else goes to xdg-open, which knows the desktop's applications.
#include "platform/program_launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeType>
#include <QProcess>

#include "platform/linux/linux_services.h"
#include "platform/linux/mime_associations.h"
#include "platform/log.h"
#include "platform/program_search.h"
#include "platform/regular_file.h"

namespace {

// Where a name given relative to workFolder, or bare, is found.
struct Resolved {
    QString path;    // absolute; empty when nothing was found
    int missing = 0; // when not found: 1 the file, 2 its folder
};

// A bare name that is not in workFolder is a program on the search path
// when onSearchPath is set.
Resolved Resolve(const QString &name, const QString &workFolder, const ProgramSearch *onSearchPath)
{
    const bool workFolderExists = QFileInfo(workFolder).isDir();
    QString path;
    if (QDir::isAbsolutePath(name)) {
        path = name;
    } else if (workFolderExists) {
        path = QDir(workFolder).filePath(name);
        if (onSearchPath && !name.contains(u'/') && !QFileInfo::exists(path)) {
            if (QString found = onSearchPath->find(name); !found.isEmpty())
                path = found;
        }
    } else {
        return {{}, 2};
    }
    path = QDir::cleanPath(path);
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        return {path, 0};
    return {{}, QFileInfo(QFileInfo(path).path()).isDir() ? 1 : 2};
}

// A folder the started process may run in: workFolder, else the home folder.
QString RunFolder(const QString &workFolder)
{
    return QFileInfo(workFolder).isDir() ? workFolder : QDir::homePath();
}

bool StartDetached(const QString &program, const QStringList &arguments, const QString &folder)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    process.setStandardInputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        qCWarning(lcPlatform).noquote() << program << "did not start:" << process.errorString();
        return false;
    }
    qCDebug(lcPlatform).noquote() << "started" << program << arguments << "in" << folder;
    return true;
}

class LinuxProgramLauncher : public ProgramLauncher {
public:
    explicit LinuxProgramLauncher(std::shared_ptr<const ProgramSearch> search) : search_(std::move(search)) {}

    int startProgram(const QString &program, const QStringList &arguments,
                     const QString &workFolder) override
    {
        if (!QFileInfo(workFolder).isDir())
            return StartResult::PathNotFound;
        QString name = program;
        // Windows drops the dot of "README."; a file named so is "README".
        if (name.size() > 1 && name.endsWith(u'.') && !name.endsWith(u"/."))
            name.chop(1);
        if (name.isEmpty())
            return StartResult::FileNotFound;
        const Resolved resolved = Resolve(name, workFolder, search_.get());
        if (resolved.path.isEmpty())
            return resolved.missing == 1 ? StartResult::FileNotFound : StartResult::PathNotFound;
        if (!IsRunnableProgram(resolved.path)) {
            qCWarning(lcPlatform).noquote() << resolved.path << "not started: it is no program with its executable bit";
            return StartResult::Failed;
        }
        return StartDetached(resolved.path, arguments, workFolder) ? StartResult::Started
                                                                   : StartResult::Failed;
    }

    int shellOpen(const QString &target, const QStringList &arguments,
                  const QString &workFolder) override
    {
        if (target.isEmpty())
            return ShellResult::FileNotFound;
        if (IsAddress(target))
            return openWithDesktop(target, RunFolder(workFolder));
        const Resolved resolved = Resolve(target, workFolder, search_.get());
        if (resolved.path.isEmpty())
            return resolved.missing == 1 ? ShellResult::FileNotFound : ShellResult::PathNotFound;
        if (IsRunnableProgram(resolved.path)) {
            return StartDetached(resolved.path, arguments, RunFolder(workFolder))
                       ? ShellResult::Opened
                       : ShellResult::AccessDenied;
        }
        return openWithDesktop(resolved.path, RunFolder(workFolder));
    }

    int openDocument(const QString &target, const QString &workFolder) override
    {
        if (target.isEmpty())
            return ShellResult::FileNotFound;
        if (IsAddress(target))
            return openWithDesktop(target, RunFolder(workFolder));
        const Resolved resolved = Resolve(target, workFolder, nullptr);
        if (resolved.path.isEmpty())
            return resolved.missing == 1 ? ShellResult::FileNotFound : ShellResult::PathNotFound;
        return openWithDesktop(resolved.path, RunFolder(workFolder));
    }

    QStringList associatedCommand(const QString &file, const QString &workFolder) override
    {
        const Resolved resolved = Resolve(file, workFolder, nullptr);
        if (resolved.path.isEmpty())
            return {};
        const QString type = MimeTypeOfFile(resolved.path).name();
        return DefaultCommandFor(type, resolved.path, *search_);
    }

    QString findProgram(const QString &name) override { return search_->find(name); }

private:
    int openWithDesktop(const QString &what, const QString &folder) const
    {
        const QString opener = search_->find(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            qCWarning(lcPlatform).noquote() << what << "not opened: xdg-open is not installed";
            return ShellResult::NoOpener;
        }
        return StartDetached(opener, {what}, folder) ? ShellResult::Opened : ShellResult::NoAssociation;
    }

    std::shared_ptr<const ProgramSearch> search_;
};

} // namespace

std::unique_ptr<ProgramLauncher> MakeLinuxProgramLauncher(std::shared_ptr<const ProgramSearch> search)
{
    return std::make_unique<LinuxProgramLauncher>(std::move(search));
}
