#include "launcher/cls_short.h"

#include <sys/stat.h>
#include <unistd.h>

#include "launcher/shortcut_readers.h"
#include "platform/regular_file.h"

qint16 ShortcutTypeOf(const QString &fileName)
{
    static const struct {
        const char *ending;
        qint16 type;
    } kEndings[] = {
        {".lnk", clsShort::ShellLink},
        {".pif", clsShort::ProgramInformation},
        {".url", clsShort::InternetShortcut},
        {".desktop", clsShort::DesktopLauncher},
    };
    for (const auto &ending : kEndings) {
        if (fileName.endsWith(QLatin1String(ending.ending), Qt::CaseInsensitive))
            return ending.type;
    }
    return clsShort::NoLink;
}

namespace {

struct ShortcutFile {
    bool read = false;
    bool trusted = false;
    QByteArray bytes;
};

// Whether the user running the clock may execute a file of this status.
bool ExecutableByUser(const struct stat &status)
{
    if (status.st_uid == ::geteuid())
        return status.st_mode & S_IXUSR;
    if (status.st_gid == ::getegid() && (status.st_mode & S_IXGRP))
        return true;
    return status.st_mode & S_IXOTH;
}

// The bytes of a shortcut file and whether it is trusted, both from the one
// file opened: its status is read from the open file, so a file swapped in
// under the same name between the check and the reading counts for nothing.
// A link is followed and counts by the file it names. Only regular files up
// to the limit are read; opening does not wait (a pipe is refused at once).
ShortcutFile ReadShortcutFile(const QString &fileName)
{
    RegularFileBytes read = ReadRegularFile(fileName, ShortcutFileLimit);
    ShortcutFile file;
    if (!read.read())
        return file;
    const struct stat &status = read.info;
    file.trusted = (status.st_uid == ::geteuid() || status.st_uid == 0) && ExecutableByUser(status);
    file.bytes = std::move(read.bytes);
    file.read = true;
    return file;
}

} // namespace

bool clsShort::Load(const QString &fileName, bool readOnly)
{
    const qint16 type = ShortcutTypeOf(fileName);
    if (type == NoLink)
        return false;
    // Only regular files: a folder named "x.lnk" is no shortcut, and reading
    // a pipe would wait for ever.
    const ShortcutFile file = ReadShortcutFile(fileName);
    if (!file.read)
        return false;
    const ShortcutTarget target = type == ShellLink          ? ReadShellLink(file.bytes)
                                : type == ProgramInformation ? ReadProgramInformation(file.bytes)
                                : type == InternetShortcut   ? ReadInternetShortcut(file.bytes)
                                                             : ReadDesktopLauncher(file.bytes);
    if (!target.loaded)
        return false;

    fileName_ = fileName;
    linkType_ = type;
    trusted_ = file.trusted;
    launcher_ = type == DesktopLauncher ? ParseDesktopEntry(file.bytes) : DesktopEntry();
    readOnly_ = readOnly || type == ProgramInformation;
    path_ = target.path;
    workingDirectory_ = target.workingDirectory;
    arguments_ = target.arguments;
    return true;
}
