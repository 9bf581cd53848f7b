#pragma once
// A screen of several monitors in a session of a given kind.
#include "platform/monitor_layout.h"
#include "platform/screen_geometry.h"
#include "support/fake_services.h"

class FakeMonitorScreen : public FakeScreen, public MonitorLayout {
public:
    QRect monitorRect(QPoint at) const override { return NearestMonitor(at, monitors); }
    QList<QRect> monitorAreas() const override { return monitors; }
    DesktopSession session() const override { return sessionKind; }

    QList<QRect> monitors = {desktop};
    DesktopSession sessionKind = DesktopSession::X11;
};
