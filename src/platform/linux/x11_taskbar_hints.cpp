#include <QList>
#include <QWindow>

#include "platform/linux/x11_display.h"
#include "platform/linux/x11_window_requests.h"

// Xlib's macros clash with Qt's names: its headers come last.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

// The GNOME hints' "not in the window list" and "not on the task bar".
constexpr long kWinHintsSkipWinlist = 1 << 1;
constexpr long kWinHintsSkipTaskbar = 1 << 2;

} // namespace

void KeepOffTaskbarOnX11(QWindow &window)
{
    Display *display = ApplicationDisplay();
    if (!display)
        return;
    const Window id = Window(window.winId());
    Atom states[] = {XInternAtom(display, "_NET_WM_STATE_SKIP_TASKBAR", False),
                     XInternAtom(display, "_NET_WM_STATE_SKIP_PAGER", False)};
    // Appended: the states already asked for stay.
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<unsigned char *>(states), 2);
    long hints = kWinHintsSkipWinlist | kWinHintsSkipTaskbar;
    const Atom winHints = XInternAtom(display, "_WIN_HINTS", False);
    XChangeProperty(display, id, winHints, XA_CARDINAL, 32, PropModeReplace, reinterpret_cast<unsigned char *>(&hints),
                    1);
    XFlush(display);
}
