#pragma once
#include <QList>
#include <QPoint>

// One display mode of a monitor: its size in pixels and colour depth in bits
// per pixel. id tells the service which mode of which output is meant;
// current marks the mode the monitor shows now.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int depth = 0;
    quint64 id = 0;
    quint64 output = 0;
    bool current = false;
};

// Results of testing or setting a mode, as the desktop's display settings
// report them: 0 done (or possible now), 1 possible only after a restart,
// negative not possible.
enum DisplayChange : int {
    DisplayChangeDone = 0,
    DisplayChangeRestart = 1,
    DisplayChangeFailed = -1,
    DisplayChangeBadMode = -2,
    // The session keeps the display modes to itself (a Wayland compositor).
    DisplayChangeNotAllowed = -3,
};

// The display modes of the monitors.
class DisplayModeService {
public:
    virtual ~DisplayModeService() = default;
    // The modes of the monitor that shows the screen point at (the primary
    // monitor when none does), each size once, in the system's order; empty
    // when the display cannot list modes (no X server with RandR).
    virtual QList<DisplayMode> modes(QPoint at) = 0;
    // Whether mode could be set now, without setting it: a DisplayChange.
    virtual int testMode(const DisplayMode &mode) = 0;
    // Sets mode on its monitor: a DisplayChange. Keeping it for the next
    // session is the desktop's own concern, so persist changes nothing here.
    virtual int setMode(const DisplayMode &mode, bool persist) = 0;
};
