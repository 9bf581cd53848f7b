#include "shell/toolkit_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "platform/program_folder.h"

namespace {

const char kPluginPathVariable[] = "QT_PLUGIN_PATH";

QString CanonicalExecutableFolder()
{
    return QDir(ExecutableFolder()).canonicalPath();
}

} // namespace

void KeepToolkitOutOfExecutableFolder()
{
    const QString executableFolder = CanonicalExecutableFolder();
    if (executableFolder.isEmpty())
        return;
    // The application object adds the executable's folder to the plugin
    // paths when it is made, and keeps only the removals of paths it had
    // already listed. So the folder is listed first (through the variable the
    // toolkit reads, set for this moment only), then removed.
    const QByteArray userPaths = qgetenv(kPluginPathVariable);
    const bool hadUserPaths = qEnvironmentVariableIsSet(kPluginPathVariable);
    qputenv(kPluginPathVariable, QFile::encodeName(executableFolder)
                                     + (userPaths.isEmpty() ? QByteArray() : ":" + userPaths));
    QStringList paths = QCoreApplication::libraryPaths();
    paths.removeAll(executableFolder);
    QCoreApplication::setLibraryPaths(paths);
    if (hadUserPaths)
        qputenv(kPluginPathVariable, userPaths);
    else
        qunsetenv(kPluginPathVariable);
}

void CheckToolkitFolders()
{
    const QString executableFolder = CanonicalExecutableFolder();
    if (!executableFolder.isEmpty() && QCoreApplication::libraryPaths().contains(executableFolder))
        QCoreApplication::removeLibraryPath(executableFolder);
}
