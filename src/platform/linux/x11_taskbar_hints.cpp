#include <QByteArray>
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

// The name the running window manager goes by (_NET_WM_NAME of its check
// window); empty when none runs or it gives no name.
QByteArray WindowManagerName(Display *display)
{
    const Window root = DefaultRootWindow(display);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    Window check = None;
    if (XGetWindowProperty(display, root, XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False), 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &after, &data) == Success
        && data && type == XA_WINDOW && format == 32 && count == 1)
        check = *reinterpret_cast<Window *>(data);
    if (data)
        XFree(data);
    if (check == None)
        return {};
    data = nullptr;
    QByteArray name;
    // The name is read off another program's window: at most 64 bytes.
    if (XGetWindowProperty(display, check, XInternAtom(display, "_NET_WM_NAME", False), 0, 16, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &after, &data)
            == Success
        && data && format == 8)
        name = QByteArray(reinterpret_cast<const char *>(data), int(count));
    if (data)
        XFree(data);
    return name;
}

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
    const Window id = Window(window.winId());
    XChangeProperty(display, id, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char *>(hints), 5);
    // Openbox believes no hint that takes a dialog's minimise button away,
    // and keeps a maximise button (one that does nothing) wherever a
    // minimise button stands between it and the title. Only a window of the
    // tool bar kind goes without both there: the window is named one, for
    // openbox alone (other window managers follow the hints above, and may
    // frame a tool bar otherwise).
    if (WindowManagerName(display) == "Openbox") {
        Atom toolbar = XInternAtom(display, "_NET_WM_WINDOW_TYPE_TOOLBAR", False);
        XChangeProperty(display, id, XInternAtom(display, "_NET_WM_WINDOW_TYPE", False), XA_ATOM, 32,
                        PropModeReplace, reinterpret_cast<unsigned char *>(&toolbar), 1);
    }
    XFlush(display);
}
