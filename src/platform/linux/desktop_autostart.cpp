#include "platform/linux/desktop_autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include "platform/desktop_entry.h"
#include "platform/log.h"

QString AutostartEntryPath()
{
    // $XDG_CONFIG_HOME when set, otherwise ~/.config.
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
         + "/autostart/tockara.desktop";
}

QByteArray AutostartEntryText(const QString &program)
{
    // Names and comments as in the installed launcher entry. TryExec names
    // the program itself (a path, not a command line): once it is removed
    // with its package, desktops skip the entry instead of failing to run it.
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=Tockara\n"
                                        "GenericName=Desktop Clock\n"
                                        "GenericName[ja]=デスクトップ時計\n"
                                        "Comment=An analog clock on the desktop with a calendar, memo and launcher\n"
                                        "Comment[ja]=カレンダー・メモ・ランチャー付きのデスクトップ時計\n"
                                        "Exec=%1\n"
                                        "TryExec=%2\n"
                                        "Icon=tockara\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(DesktopEntryValue(ExecLineWord(program)), DesktopEntryValue(program));
    return text.toUtf8();
}

bool DesktopAutostart::enabled()
{
    return QFileInfo::exists(AutostartEntryPath());
}

bool DesktopAutostart::setEnabled(bool enabled, const QString &program)
{
    const QString entryPath = AutostartEntryPath();
    if (!enabled) {
        QFile entry(entryPath);
        if (!entry.exists() || entry.remove())
            return true;
        qCWarning(lcDesktop).noquote() << "the autostart entry" << entryPath
                                       << "could not be removed:" << entry.errorString();
        return false;
    }
    if (!QDir().mkpath(QFileInfo(entryPath).absolutePath())) {
        qCWarning(lcDesktop).noquote() << "the autostart folder of" << entryPath << "could not be made";
        return false;
    }
    QSaveFile file(entryPath);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(AutostartEntryText(program));
        if (file.commit())
            return true;
    }
    qCWarning(lcDesktop).noquote() << "the autostart entry" << entryPath
                                   << "could not be written:" << file.errorString();
    return false;
}
