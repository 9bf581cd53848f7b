#include "platform/desktop_session.h"

#include <QStringList>

DesktopSession ClassifySession(const QString &sessionType, const QString &waylandDisplay,
                               const QString &currentDesktop)
{
    const bool wayland = !waylandDisplay.isEmpty() || sessionType.compare("wayland", Qt::CaseInsensitive) == 0;
    if (!wayland)
        return DesktopSession::X11;
    for (const QString &name : currentDesktop.split(':', Qt::SkipEmptyParts)) {
        const QString n = name.trimmed().toUpper();
        if (n == "GNOME" || n.startsWith("GNOME-"))
            return DesktopSession::WaylandGnome;
        if (n == "KDE")
            return DesktopSession::WaylandKde;
    }
    return DesktopSession::WaylandOther;
}

DesktopSession CurrentSession()
{
    return ClassifySession(qEnvironmentVariable("XDG_SESSION_TYPE"), qEnvironmentVariable("WAYLAND_DISPLAY"),
                           qEnvironmentVariable("XDG_CURRENT_DESKTOP"));
}

bool PlacesItsOwnWindow(DesktopSession session)
{
    return session == DesktopSession::X11 || session == DesktopSession::WaylandOther;
}

bool MarksItsWindowADock(DesktopSession session)
{
    return session == DesktopSession::WaylandGnome || session == DesktopSession::WaylandKde;
}

bool IgnoresWindowShape(DesktopSession session)
{
    return session != DesktopSession::X11;
}

bool LetsProgramsChangeDisplayModes(DesktopSession session)
{
    return session == DesktopSession::X11;
}
