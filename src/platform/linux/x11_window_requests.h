#pragma once
// What the program's windows ask of the X server beyond what the toolkit
// says for them: to stay off task bars and pagers, and to keep a window that
// bypasses the window manager above the windows of other programs in the X
// server's stacking order. On Wayland compositors of
// the wlroots family the clock is such a window: the compositor draws it
// above the windows it manages, but raises the X11 windows it focuses in
// XWayland's own order, and XWayland sends the pointer to the X window on
// top there.
#include <QList>
#include <QtGlobal>

class QWindow;

struct StackedWindow {
    quint32 id = 0;
    bool ours = false;       // a window of this program
    bool viewable = false;   // mapped, with its parent mapped
    bool unmanaged = false;  // override-redirect (menus, the hover window)
};

// The windows to raise, one after another, so that `window` lies above every
// viewable window of other programs while the program's own unmanaged
// windows that were above it stay above it, in their order; nothing when it
// already lies above them all (or is not among the windows).
QList<quint32> RaisesToKeepAbove(const QList<StackedWindow> &bottomToTop, quint32 window);

// Watches the root window's children over a connection of its own and
// restacks `window` as RaisesToKeepAbove says whenever another program's
// window is mapped or restacked; the watch ends with the window. Nothing
// happens without an X display.
void KeepAboveOtherProgramsOnX11(QWindow &window);

// Marks the window, before it is first shown, as one that no task bar or
// pager lists, in the hints window managers read: the extended hints' state
// (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER, which the toolkit
// keeps when it adds its own states) and the older GNOME hints (_WIN_HINTS)
// that fluxbox and IceWM read too. Nothing happens without an X display.
void KeepOffTaskbarOnX11(QWindow &window);

// Marks the window, before it is first shown, as one that can be neither
// resized nor maximised in the Motif hints, which some window managers
// believe over the size hints (the toolkit's say every framed window can be
// resized). Nothing happens without an X display.
void KeepFixedSizeOnX11(QWindow &window);
