#include "platform/monitor_layout.h"

QList<QRect> MonitorAreas(const ScreenInfo &screen)
{
    if (const auto *layout = dynamic_cast<const MonitorLayout *>(&screen))
        return layout->monitorAreas();
    return {screen.desktopRect()};
}

DesktopSession SessionOf(const ScreenInfo &screen)
{
    if (const auto *layout = dynamic_cast<const MonitorLayout *>(&screen))
        return layout->session();
    return DesktopSession::X11;
}
