#include "platform/program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

void copyMissing(const QString &from, const QString &to)
{
    QFileInfo source(from);
    if (source.isDir()) {
        QDir().mkpath(to);
        for (const QString &name : QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
            copyMissing(from + "/" + name, to + "/" + name);
    } else if (source.isFile() && !QFileInfo::exists(to)) {
        QFile::copy(from, to);
    }
}

// The folder the package installs its data files into, relative to the
// executable's folder (bin/../share/tockara).
QString installedDataFolder(const QString &executableFolder)
{
    return QDir::cleanPath(executableFolder + "/../share/tockara");
}

bool holdsCalendarRules(const QString &folder)
{
    return QFileInfo::exists(folder + "/Calender.ini");
}

// A folder the clock was run from as a portable copy: it keeps its settings
// or its calendar rules there. Either is enough, so a copy whose Calender.ini
// went missing keeps its position, memo and alarms (and shows the default
// holidays) instead of quietly moving to the user's data folder.
bool isPortableFolder(const QString &folder)
{
    return holdsCalendarRules(folder) || QFileInfo::exists(folder + "/Tockara.ini");
}

QString userDataFolder()
{
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/tockara");
}

} // namespace

QString ResolveProgramFolder(const QString &executableFolder)
{
    const QString beside = QDir::cleanPath(executableFolder);
    if (isPortableFolder(beside))
        return beside;

    const QString userFolder = userDataFolder();
    QDir().mkpath(userFolder);
    const QString data = installedDataFolder(executableFolder);
    copyMissing(data + "/Calender.ini", userFolder + "/Calender.ini");
    copyMissing(data + "/help", userFolder + "/help");
    copyMissing(data + "/anime", SampleFolder(userFolder));
    copyMissing(data + "/sounds", userFolder + "/sounds");
    return userFolder;
}

QString ExecutableFolder()
{
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath()).path();
}

QString SampleFolder(const QString &programFolder)
{
    return QDir::cleanPath(programFolder + "/anime");
}

QString ProgramFolderToRead(const QString &executableFolder)
{
    const QString beside = QDir::cleanPath(executableFolder);
    if (isPortableFolder(beside))
        return beside;
    const QString userFolder = userDataFolder();
    return holdsCalendarRules(userFolder) ? userFolder : installedDataFolder(executableFolder);
}
