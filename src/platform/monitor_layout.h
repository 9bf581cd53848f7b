#pragma once
// The monitors and the session, for the windows that keep themselves on a
// monitor. The screen service of the desktop implements this beside
// ScreenInfo; a screen service that does not stands for one monitor as large
// as its desktop, in an X11 session.
#include <QList>
#include <QRect>

#include "platform/desktop_session.h"
#include "platform/screen_info.h"

class MonitorLayout {
public:
    virtual ~MonitorLayout() = default;
    // Each monitor's area for windows (without the desktop's panels), pixels.
    virtual QList<QRect> monitorAreas() const = 0;
    // The desktop session the program runs in.
    virtual DesktopSession session() const = 0;
};

QList<QRect> MonitorAreas(const ScreenInfo &screen);
DesktopSession SessionOf(const ScreenInfo &screen);
