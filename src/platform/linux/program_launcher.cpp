// Starting programs and opening files on a Linux desktop: programs are
// started directly (no shell, so no file name can be read as a command);
// everything else goes to xdg-open, which knows the desktop's applications.
#include "platform/program_launcher.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "platform/linux/linux_services.h"
#include "platform/linux/mime_associations.h"
#include "platform/log.h"

namespace {

// "https://…", "mailto:…", "file:///…": a scheme of two letters or more, so a
// Windows drive ("C:\…") is no address.
bool IsAddress(const QString &target)
{
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

// A program file: one the user made a program, by its type and its
// executable bit. The type comes from its name and, where the name says
// nothing, its content (shared-mime-info), so an executable "notes.txt" or
// "photo.jpg" that starts with "#!" is a document, as it is to the file
// manager, and so is any document that happens to carry the executable bit
// (common on FAT and NTFS drives). Program types: binaries, and the scripts
// that shared-mime-info counts as executables (shell, Python, Perl, …).
bool IsRunnableProgram(const QFileInfo &info)
{
    if (!info.isFile() || !info.isExecutable())
        return false;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    for (const char *program : {"application/x-executable", "application/x-pie-executable",
                                "application/x-sharedlib"}) {
        if (type.inherits(QLatin1String(program)))
            return true;
    }
    return false;
}

// Where a name given relative to workFolder, or bare, is found.
struct Resolved {
    QString path;    // absolute; empty when nothing was found
    int missing = 0; // when not found: 1 the file, 2 its folder
};

Resolved Resolve(const QString &name, const QString &workFolder)
{
    const bool workFolderExists = QFileInfo(workFolder).isDir();
    QString path;
    if (QDir::isAbsolutePath(name)) {
        path = name;
    } else if (workFolderExists) {
        path = QDir(workFolder).filePath(name);
        if (!name.contains(u'/') && !QFileInfo::exists(path)) {
            // A bare name that is not in the work folder: a program on the
            // search path.
            if (QString found = QStandardPaths::findExecutable(name); !found.isEmpty())
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
        const Resolved resolved = Resolve(name, workFolder);
        if (resolved.path.isEmpty())
            return resolved.missing == 1 ? StartResult::FileNotFound : StartResult::PathNotFound;
        if (!IsRunnableProgram(QFileInfo(resolved.path))) {
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
        const Resolved resolved = Resolve(target, workFolder);
        if (resolved.path.isEmpty())
            return resolved.missing == 1 ? ShellResult::FileNotFound : ShellResult::PathNotFound;
        const QFileInfo info(resolved.path);
        if (IsRunnableProgram(info)) {
            return StartDetached(resolved.path, arguments, RunFolder(workFolder))
                       ? ShellResult::Opened
                       : ShellResult::AccessDenied;
        }
        return openWithDesktop(resolved.path, RunFolder(workFolder));
    }

    QString findExecutable(const QString &file, const QString &workFolder) override
    {
        const Resolved resolved = Resolve(file, workFolder);
        if (resolved.path.isEmpty())
            return {};
        const QFileInfo info(resolved.path);
        if (IsRunnableProgram(info))
            return resolved.path;
        const QString type = QMimeDatabase().mimeTypeForFile(info).name();
        return DefaultProgramFor(type);
    }

private:
    static int openWithDesktop(const QString &what, const QString &folder)
    {
        const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
        if (opener.isEmpty()) {
            qCWarning(lcPlatform).noquote() << what << "not opened: xdg-open is not installed";
            return ShellResult::NoAssociation;
        }
        return StartDetached(opener, {what}, folder) ? ShellResult::Opened : ShellResult::NoAssociation;
    }
};

} // namespace

std::unique_ptr<ProgramLauncher> MakeLinuxProgramLauncher()
{
    return std::make_unique<LinuxProgramLauncher>();
}
