#include "platform/linux/mime_associations.h"
#include "platform/regular_file.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>
#include <QStandardPaths>

#include "platform/desktop_entry.h"
#include "platform/program_search.h"

namespace {

// Largest list file read; association lists are a few KB.
constexpr qint64 kListFileLimit = 4 * 1024 * 1024;

// group -> key -> values of a ";"-separated list file.
using ListFile = QHash<QString, QHash<QString, QStringList>>;

ListFile ReadListFile(const QString &path)
{
    ListFile groups;
    const RegularFileBytes file = ReadRegularFile(path, kListFileLimit);
    if (!file.read())
        return groups;
    QString group;
    const QString text = QString::fromUtf8(file.bytes);
    for (QStringView line : QStringView(text).split(u'\n')) {
        line = line.trimmed();
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.mid(1, line.size() - 2).toString();
        } else if (const qsizetype eq = line.indexOf(u'='); eq > 0 && !line.startsWith(u'#')) {
            QStringList &values = groups[group][line.left(eq).trimmed().toString()];
            for (QStringView id : line.mid(eq + 1).split(u';', Qt::SkipEmptyParts))
                values << id.trimmed().toString();
        }
    }
    return groups;
}

// The mimeapps.list files in precedence order: user config, system config,
// user and system application folders; in each the current desktop's own
// list before the common one.
QStringList MimeAppsFiles()
{
    QStringList desktops;
    for (const QString &d : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desktops << d.toLower();
    QStringList folders = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    folders += QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
    QStringList files;
    for (const QString &folder : folders) {
        for (const QString &desktop : desktops)
            files << folder + "/" + desktop + "-mimeapps.list";
        files << folder + "/mimeapps.list";
    }
    return files;
}

// The file of an installed desktop entry id ("org.app.desktop", or
// "kde-app.desktop" for kde/app.desktop); empty when it is not installed.
QString DesktopFileOf(const QString &id)
{
    for (const QString &folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation)) {
        QString candidate = id;
        for (;;) {
            const QString path = folder + "/" + candidate;
            if (QFileInfo(path).isFile())
                return path;
            const qsizetype dash = candidate.indexOf(u'-');
            if (dash < 0)
                break;
            candidate[dash] = u'/';
        }
    }
    return {};
}

// The whole command of a desktop entry file's Exec line for file, with its
// program as an absolute path; empty when the file or its program is
// missing, its Exec line is not valid, the entry is deleted (Hidden) or its
// TryExec program missing, and when it needs a terminal: a document opened
// without one would start a text-mode editor that no one sees and that
// waits for ever.
QStringList CommandOfDesktopFile(const QString &desktopFile, const QString &file, const ProgramSearch &search)
{
    if (desktopFile.isEmpty())
        return {};
    const DesktopEntry entry = ReadDesktopEntryFile(desktopFile, kListFileLimit);
    if (entry.terminal || entry.hidden
        || (!entry.tryExec.isEmpty() && DesktopEntryProgram(entry.tryExec, search).isEmpty()))
        return {};
    std::optional<QStringList> words = ExpandExecLine(entry.exec, {{file}, entry.icon, entry.name, desktopFile});
    if (!words)
        return {};
    const QString program = DesktopEntryProgram(words->first(), search);
    if (program.isEmpty())
        return {};
    (*words)[0] = program;
    return *words;
}

struct Associations {
    QList<ListFile> lists;
    QList<ListFile> caches;

    Associations()
    {
        for (const QString &file : MimeAppsFiles())
            lists << ReadListFile(file);
        for (const QString &folder : QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation))
            caches << ReadListFile(folder + "/mimeinfo.cache");
    }

    QStringList find(const QString &type, const QString &file, const ProgramSearch &search) const
    {
        QStringList removed;
        for (const ListFile &list : lists)
            removed += list.value("Removed Associations").value(type);
        auto firstInstalled = [&](const QStringList &ids) -> QStringList {
            for (const QString &id : ids) {
                if (removed.contains(id))
                    continue;
                if (QStringList command = CommandOfDesktopFile(DesktopFileOf(id), file, search); !command.isEmpty())
                    return command;
            }
            return {};
        };
        for (const char *group : {"Default Applications", "Added Associations"}) {
            for (const ListFile &list : lists) {
                if (QStringList command = firstInstalled(list.value(group).value(type)); !command.isEmpty())
                    return command;
            }
        }
        for (const ListFile &cache : caches) {
            if (QStringList command = firstInstalled(cache.value("MIME Cache").value(type)); !command.isEmpty())
                return command;
        }
        return {};
    }
};

} // namespace

QStringList DefaultCommandFor(const QString &mimeType, const QString &file, const ProgramSearch &search)
{
    const Associations associations;
    QStringList types = {mimeType};
    const QMimeType known = QMimeDatabase().mimeTypeForName(mimeType);
    if (known.isValid())
        types += known.allAncestors();
    for (const QString &type : types) {
        if (QStringList command = associations.find(type, file, search); !command.isEmpty())
            return command;
    }
    return {};
}

QString DefaultProgramFor(const QString &mimeType)
{
    return DefaultCommandFor(mimeType, QString(), ProgramSearch()).value(0);
}
