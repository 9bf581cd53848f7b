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

// The Motif hints: which fields count, the functions the window manager may
// offer and the decorations it may draw.
constexpr long kMwmHintsFunctions = 1 << 0;
constexpr long kMwmHintsDecorations = 1 << 1;
constexpr long kMwmFuncMove = 1 << 2;
constexpr long kMwmFuncClose = 1 << 5;
constexpr long kMwmDecorBorder = 1 << 1;
constexpr long kMwmDecorTitle = 1 << 3;
constexpr long kMwmDecorMenu = 1 << 4;

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

void KeepFixedSizeOnX11(QWindow &window)
{
    Display *display = ApplicationDisplay();
    if (!display)
        return;
    // Moved and closed only: no resize handles, no maximise or minimise
    // button (a dialog of the clock is never minimised on its own).
    long hints[5] = {kMwmHintsFunctions | kMwmHintsDecorations, kMwmFuncMove | kMwmFuncClose,
                     kMwmDecorBorder | kMwmDecorTitle | kMwmDecorMenu, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, Window(window.winId()), motif, motif, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(hints), 5);
    XFlush(display);
}
