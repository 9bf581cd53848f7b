#include <QList>
#include <QPointer>
#include <QTimer>
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

void KeepOnEveryWorkspaceOnX11(QWindow &window)
{
    Display *display = ApplicationDisplay();
    if (!display)
        return;
    const Window id = Window(window.winId());
    Atom sticky = XInternAtom(display, "_NET_WM_STATE_STICKY", False);
    XChangeProperty(display, id, XInternAtom(display, "_NET_WM_STATE", False), XA_ATOM, 32, PropModeAppend,
                    reinterpret_cast<unsigned char *>(&sticky), 1);
    long allDesktops = 0xFFFFFFFF;
    const Atom desktop = XInternAtom(display, "_NET_WM_DESKTOP", False);
    XChangeProperty(display, id, desktop, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(&allDesktops), 1);
    XFlush(display);
    // KWin takes the desktop of a tool window from the window it is
    // transient for (the toolkit's hidden group leader), whatever the window
    // says: once mapped, the window asks for all desktops again, as a pager
    // asks it, and the window manager has managed it by the time the request
    // comes (the map went first on the same connection).
    QTimer::singleShot(0, &window, [window = QPointer<QWindow>(&window), id, desktop] {
        Display *display = ApplicationDisplay();
        if (!display || !window || !window->isVisible())
            return;
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = id;
        event.xclient.message_type = desktop;
        event.xclient.format = 32;
        event.xclient.data.l[0] = 0xFFFFFFFF;
        event.xclient.data.l[1] = 2;
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &event);
        XFlush(display);
    });
}

void MarkAsDockOnX11(QWindow &window)
{
    Display *display = ApplicationDisplay();
    if (!display)
        return;
    const Window id = Window(window.winId());
    const Atom typeAtom = XInternAtom(display, "_NET_WM_WINDOW_TYPE", False);
    const Atom dock = XInternAtom(display, "_NET_WM_WINDOW_TYPE_DOCK", False);
    QList<Atom> types{dock};
    Atom actualType = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    if (XGetWindowProperty(display, id, typeAtom, 0, 32, False, XA_ATOM, &actualType, &format, &count, &after,
                           &data) == Success
        && data) {
        if (actualType == XA_ATOM && format == 32) {
            const auto *atoms = reinterpret_cast<const unsigned long *>(data);
            for (unsigned long i = 0; i < count; ++i)
                if (Atom(atoms[i]) != dock)
                    types.append(Atom(atoms[i]));
        }
        XFree(data);
    }
    XChangeProperty(display, id, typeAtom, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(types.data()), int(types.size()));
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
