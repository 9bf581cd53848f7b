#pragma once
// The kind of desktop session the clock runs in, told by the environment the
// session gives its programs, and what follows from it for the clock's window.
#include <QString>

enum class DesktopSession {
    X11,          // an X server and its window manager
    WaylandGnome, // GNOME's mutter: X11 windows through XWayland stand where they ask
    WaylandKde,   // KDE Plasma's KWin: the same
    WaylandOther, // wlroots compositors (sway, Hyprland, river, ...) and any other
};

// sessionType: XDG_SESSION_TYPE; waylandDisplay: WAYLAND_DISPLAY;
// currentDesktop: XDG_CURRENT_DESKTOP (a ':'-separated list, such as
// "ubuntu:GNOME"). A Wayland display or a "wayland" session type makes a
// Wayland session.
DesktopSession ClassifySession(const QString &sessionType, const QString &waylandDisplay,
                               const QString &currentDesktop);
// The session this process runs in.
DesktopSession CurrentSession();

// Whether the clock places and stacks its window itself, past the window
// manager. On X11: window managers hide the windows they manage on the other
// workspaces and when the desktop is shown, each by its own reading of the
// hints (fluxbox's "show desktop" hides every managed window, whatever its
// type), while a window that bypasses them is left alone by all, and by a
// window manager started or replaced later. On Wayland compositors that put
// managed X11 windows where they please (sway centres them, tiles or floats
// them and ignores their moves): such a compositor shows an unmanaged X11
// window where it asks and above the windows it manages, full-screen ones
// included.
bool PlacesItsOwnWindow(DesktopSession session);

// Whether the clock's managed window is marked a dock (panel): mutter's
// "show desktop" (GNOME) and KWin 6's (KDE) hide every window but the
// desktop's own and its docks, whatever their states, and draw a dock that
// stays on top above the other windows (KWin 5 raised the desktop's window
// instead, under a window that stays on top, and is content with the mark
// too). The sessions that place the clock past the window manager need no
// such mark.
bool MarksItsWindowADock(DesktopSession session);

// Whether the compositor ignores the X11 shapes of windows: every Wayland
// compositor. It draws all of a shaped window, so the clock's corners are
// clear only where its window's pixels are; and it sends the pointer to a
// window whose input shape is empty. X11 compositing managers draw a shaped
// window within its shape, and a bare X server has no other way.
bool IgnoresWindowShape(DesktopSession session);

// Whether a program may change the monitors' display modes: only an X
// server's. On Wayland the compositor owns the outputs, and what XWayland
// offers is a pretence for the one client that asks.
bool LetsProgramsChangeDisplayModes(DesktopSession session);
