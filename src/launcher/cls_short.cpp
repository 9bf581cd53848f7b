#include "launcher/cls_short.h"

#include <QFile>
#include <QFileInfo>

#include "launcher/shortcut_readers.h"

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

bool clsShort::Load(const QString &fileName, bool readOnly)
{
    const qint16 type = ShortcutTypeOf(fileName);
    // Only regular files: a folder named "x.lnk" is no shortcut, and reading
    // a pipe would wait for ever.
    if (type == NoLink || !QFileInfo(fileName).isFile())
        return false;

    ShortcutTarget target;
    if (type == InternetShortcut) {
        target = ReadInternetShortcut(fileName);
    } else {
        QFile file(fileName);
        if (file.size() > ShortcutFileLimit || !file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.read(ShortcutFileLimit);
        target = type == ShellLink            ? ReadShellLink(bytes)
               : type == ProgramInformation   ? ReadProgramInformation(bytes)
                                              : ReadDesktopLauncher(bytes);
    }
    if (!target.loaded)
        return false;

    fileName_ = fileName;
    linkType_ = type;
    readOnly_ = readOnly || type == ProgramInformation;
    path_ = target.path;
    workingDirectory_ = target.workingDirectory;
    arguments_ = target.arguments;
    return true;
}
