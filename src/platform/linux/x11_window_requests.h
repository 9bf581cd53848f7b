#pragma once
// What the program's windows ask of the X server beyond what the toolkit
// says for them: to stay off task bars and pagers, to keep a window that
// bypasses the window manager above the windows of other programs in the X
// server's stacking order, and to hand the keyboard back to the window that
// had it. The clock is such a window on X11 (window managers hide managed
// windows on other workspaces and when the desktop is shown) and on Wayland
// compositors of the wlroots family (the compositor raises the X11 windows
// it focuses in XWayland's own order, and XWayland sends the pointer to the
// X window on top there).
#include <optional>
#include <QList>
#include <QString>
#include <QtGlobal>

class QPoint;
class QWindow;

struct StackedWindow {
    quint32 id = 0;
    bool ours = false;       // a window of this program, or a frame around one
    bool viewable = false;   // mapped, with its parent mapped
    bool unmanaged = false;  // override-redirect (menus, tool tips, the hover window)
    bool overClock = false;  // overlaps the clock's rectangle
    // The active full-screen window, on a desktop whose rule puts it above
    // the windows that stay on top.
    bool fullScreenFirst = false;
};

// One request of the X server's: put `window` directly above (or below)
// `sibling` in the stacking order.
struct Restack {
    quint32 window = 0;
    quint32 sibling = 0;
    bool above = true;
    bool operator==(const Restack &) const = default;
};

// How `clock` keeps above the windows of other programs: directly above the
// highest viewable managed window of another program that overlaps it, with
// the program's own unmanaged windows that stood between (its menu, its
// hover window) brought along above it in their order. It is never put
// above an overlapping fullScreenFirst window: one above such a window goes
// directly below it. Windows that do not overlap the clock, and other
// programs' unmanaged windows (their menus and tool tips, another gadget
// that keeps itself on top), are left where they are. Nothing when the clock
// already stands right, or is not among the windows.
QList<Restack> RestacksToKeepAbove(const QList<StackedWindow> &bottomToTop, quint32 clock);

// Whether a window manager of this name (its _NET_WM_NAME) puts the active
// full-screen window above the windows that stay on top, as the desktop's
// common rule has it (openbox, fluxbox, IceWM, KWin). xfwm4, mutter and the
// wlroots compositors' XWayland window manager ("wlroots wm", sway's) keep
// those windows over a full-screen one.
bool FullScreenGoesAboveKeptAbove(const QString &windowManagerName);

// Watches the root window's children over a connection of its own and
// restacks `window` as RestacksToKeepAbove says whenever another program's
// window is mapped, moved or restacked, or another window becomes the
// active one; the watch ends with the window. Nothing happens without an X
// display.
void KeepAboveOtherProgramsOnX11(QWindow &window);

// Marks the window, before it is first shown, as one that no task bar or
// pager lists, in the hints window managers read: the extended hints' state
// (_NET_WM_STATE_SKIP_TASKBAR, _NET_WM_STATE_SKIP_PAGER, which the toolkit
// keeps when it adds its own states) and the older GNOME hints (_WIN_HINTS)
// that fluxbox and IceWM read too. Nothing happens without an X display.
void KeepOffTaskbarOnX11(QWindow &window);

// Marks the window, before it is first shown, as one to be shown on every
// workspace, in both hints window managers read for it: the extended hints'
// desktop "all" (_NET_WM_DESKTOP 0xFFFFFFFF: KWin, mutter, xfwm4, openbox)
// and the sticky state (_NET_WM_STATE_STICKY: mutter, fluxbox, IceWM). The
// window manager keeps the desktop property up to date, so one started or
// replaced later reads it too. Once the window is mapped it asks for all
// desktops again, for the window managers that read no desktop from a
// window transient for another. Nothing happens without an X display.
void KeepOnEveryWorkspaceOnX11(QWindow &window);

// Marks the window, before it is first shown, as a dock: the extended hints'
// window type _NET_WM_WINDOW_TYPE_DOCK put first, before the types the
// toolkit wrote (which it reads back when the window's flags change later).
// Nothing happens without an X display.
void MarkAsDockOnX11(QWindow &window);

// Marks the window, before it is first shown, as one that can be neither
// resized nor maximised in the Motif hints, which some window managers
// believe over the size hints (the toolkit's say every framed window can be
// resized). Nothing happens without an X display.
void KeepFixedSizeOnX11(QWindow &window);

// The window of another program that has the keyboard now, as it can be
// given the keyboard again: the window manager's active window where one
// names it, else the X server's focus (the pointer's window, when the
// keyboard follows the pointer). Nothing when one of this program's windows
// has it, a window of the window manager's own does (mutter 48 names its
// hidden window that takes no keys while a native Wayland window has the
// keyboard), none does, or there is no X display.
std::optional<quint64> KeyboardHolderOnX11();

// The ids of an X client's windows: its resource base, and the mask of the
// bits it chooses.
struct XClientIds {
    quint32 base = 0, mask = 0;
};
// `window` (the active window the window manager names, or the X server's
// focus) as a window of another program, or nothing: none, one of this
// program's own (`ours`), or one of the window manager's own client, that of
// its check window `managerCheck` (none when no window manager runs).
std::optional<quint64> OtherProgramsWindow(quint32 window, XClientIds ours, quint32 managerCheck);

// Gives the keyboard to `holder` (from KeyboardHolderOnX11) if it is still
// shown: through the window manager where one runs, as a pager asks it, else
// from the X server directly.
void GiveKeyboardOnX11(quint64 holder);

// Whether the X server's keyboard focus is on `window`.
bool HasKeyboardOnX11(quint64 window);


// A window of the program that the compositor gives its keyboard to as
// soon as it is shown: one clear pixel. Under a compositor of the wlroots
// family it bypasses the window manager and is of the normal window type
// (such a compositor gives the keyboard to no window that bypasses it as a
// menu, tool tip or notification, which the clock, its menus and its hover
// window are, and the program has no other way to ask for it). Weston gives
// it to no window that bypasses it: there the pixel is a managed window
// without frame, which Weston activates when it maps it. While it is shown
// XWayland has the keyboard, and its keys reach the program's menu. Hidden
// again, the compositor gives the keyboard back to the window that had it.
class X11KeyboardLead {
public:
    X11KeyboardLead() = default;
    X11KeyboardLead(const X11KeyboardLead &) = delete;
    X11KeyboardLead &operator=(const X11KeyboardLead &) = delete;
    ~X11KeyboardLead();
    // Shows it at `at` (screen pixels), in place of one shown before. False
    // without an X display, and where XWayland's window manager is neither
    // that of the wlroots compositors nor Weston's, the ones known to give
    // such a window the keyboard.
    bool show(QPoint at);
    // Shows it managed by the window manager, whichever that is: given the
    // keyboard (askForKeyboard, once it is mapped), the window manager
    // chooses anew who has the keyboard once it goes (hide). False without
    // a window manager.
    bool showManaged(QPoint at);
    void askForKeyboard();
    void hide();
    // Whether the X server's keyboard focus is on it (its window manager
    // activated it).
    bool hasKeyboard() const;

private:
    bool create(QPoint at, bool bypasses);

    quint32 window_ = 0;
    quint32 colormap_ = 0;
};

// Whether XWayland's window manager is Weston's ("Weston WM").
bool WestonManagesX11Windows();

// Follows each window Weston manages (tool windows, boxes, choosers) as it
// is shown, where XWayland's window manager is Weston's:
// - it is never made transient for one of the program's windows that bypass
//   Weston (the clock): Weston 10 ends on such a window (its shell looks for
//   a parent it does not know). Such a window is then transient for the
//   program as a whole, as a window without a parent;
// - it is drawn again a few times after it is shown: Weston drops a first
//   frame that comes before it has paired the window with its surface, and
//   shows the window (and gives it the keyboard) only from a frame after.
void FollowWestonsManagedWindows();
