#include "platform/linux/desktop_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/desktop_entry.h"

QString AutostartEntryPath()
{
    // $XDG_CONFIG_HOME when set, otherwise ~/.config.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + "/autostart/tockara.desktop";
}

QByteArray AutostartEntryText(const QString &program)
{
    // Names and comments as in the installed launcher entry.
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tockara\n"
                                        "GenericName=Desktop Clock\n"
                                        "GenericName[ja]=デスクトップ時計\n"
                                        "Comment=An analog clock on the desktop with a calendar, memo and launcher\n"
                                        "Comment[ja]=カレンダー・メモ・ランチャー付きのデスクトップ時計\n"
                                        "Exec=%1\n"
                                        "Icon=tockara\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(DesktopEntryValue(ExecLineWord(program)));
    return text.toUtf8();
}

bool DesktopAutostart::enabled()
{
    return QFileInfo::exists(AutostartEntryPath());
}

bool DesktopAutostart::setEnabled(bool enabled, const QString &program)
{
    const QString entryPath = AutostartEntryPath();
    if (!enabled)
        return !QFileInfo::exists(entryPath) || QFile::remove(entryPath);
    if (!QDir().mkpath(QFileInfo(entryPath).absolutePath()))
        return false;
    QSaveFile file(entryPath);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(AutostartEntryText(program));
    return file.commit();
}
