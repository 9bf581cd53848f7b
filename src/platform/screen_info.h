#pragma once
#include <QList>
#include <QPoint>
#include <QRect>
#include <functional>
#include <optional>

#include "platform/desktop_session.h"

class QWindow;

// The screen: its geometry and monitors, in screen pixels, the pointer, the
// kind of session, and what the program's windows ask of the display server
// beyond what the toolkit says for them.
class ScreenInfo {
public:
    virtual ~ScreenInfo() = default;
    // The virtual desktop (all monitors together); used to keep the clock on screen.
    virtual QRect desktopRect() const = 0;
    // The monitor under the given point (the nearest one when none is).
    virtual QRect monitorRect(QPoint at) const = 0;
    // Each monitor's area for windows (without the desktop's panels).
    virtual QList<QRect> monitorAreas() const = 0;
    // Twips (1/1440 inch) per screen pixel, horizontally and vertically: 15 at 96 DPI.
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    // The pointer position on the screen.
    virtual QPoint pointerPosition() const = 0;
    // Tells `moved` once, at the pointer's next move anywhere on the screen,
    // in place of any earlier such request. False where the display server
    // tells no such thing: then only asking for the pointer tells where it is.
    virtual bool tellPointerMoves(std::function<void()> moved) = 0;
    // The desktop session the program runs in.
    virtual DesktopSession session() const = 0;
    // Whether a compositor draws the screen, so that a window can be seen
    // through: always on a Wayland session; on X11 while a compositing
    // manager runs. Asked anew each time (one may start or stop).
    virtual bool drawsTranslucency() const = 0;

    // Asks the window manager, whichever it is, to list the window on no
    // task bar and no pager. Called before the window is first shown.
    virtual void keepOffTaskbar(QWindow &window) = 0;
    // Asks the window manager to show a window it manages on every
    // workspace. Called before the window is first shown.
    virtual void keepOnEveryWorkspace(QWindow &) {}
    // Marks a window, before it is first shown, as a dock (a panel) for the
    // window manager, ahead of the types the toolkit gave it.
    virtual void markAsDock(QWindow &) {}
    // Keeps a window that bypasses the window manager above the windows of
    // every other program in the display server's stacking order (the order
    // that decides which window gets the pointer), restacking it whenever
    // another program's window is mapped or raised above it, for as long as
    // the window lives.
    virtual void keepAboveOtherPrograms(QWindow &window) = 0;
    // Tells the window manager, in every hint it may read, that a window of
    // fixed size (minimum size = maximum size) can be neither resized nor
    // maximised. Called before the window is first shown.
    virtual void keepFixedSize(QWindow &) {}
    // Tells `left` once when the pointer leaves area (screen pixels), in
    // place of any earlier watch, on a session whose display server does not
    // tell the program's windows so (KWin's XWayland sends no leave event and
    // goes on telling the last position over them). False where the windows'
    // own events tell, or no watch can be had.
    virtual bool watchPointerLeaving(QRect area, std::function<void()> left) = 0;
    // Ends the watch, if one runs; its `left` is not told.
    virtual void stopWatchingPointer() = 0;
    // Tells `told` of each press on `window` that the display server
    // delivered somewhere else, and of its release, for as long as the
    // window lives; on the sessions where that happens (XWayland, after the
    // pointer came from a window of no X client: see
    // platform/misplaced_presses.h).
    virtual void tellMisplacedPresses(QWindow &window, std::function<void(Qt::MouseButton, bool pressed)> told) = 0;

    // Calls `changed` whenever a monitor comes or goes or changes its size
    // or its area for windows, for as long as the program runs.
    virtual void watchMonitorChanges(std::function<void()> changed) = 0;

    // The window of another program that has the keyboard now, as
    // giveKeyboardTo takes it; nothing when a window of this program has it,
    // none does, or the session does not tell.
    virtual std::optional<quint64> keyboardHolder() const = 0;
    // Gives the keyboard back to a holder told by keyboardHolder, if that
    // window is still shown.
    virtual void giveKeyboardTo(quint64 holder) = 0;
    // Brings the session's keyboard to the program, on a session whose
    // compositor gives it to none of the program's windows of itself (the
    // wlroots compositors and Weston: there the clock, its menus and its
    // hover window bypass the window manager), by a window the compositor
    // does give it to, one clear pixel at `at`; elsewhere nothing. Until
    // endKeyboardLead: then the compositor gives the keyboard back to the
    // window that had it.
    virtual bool leadKeyboardHere(QPoint) { return false; }
    // Asks the window manager that manages `window` (GNOME's and KDE's on
    // Wayland) to give it the keyboard, as a pager asks: mutter and KWin turn
    // down a program's own request while a native Wayland window has the
    // keyboard (its last input is newer), and without the keyboard XWayland
    // sends the menu no key. False where the window manager does not manage
    // the clock's windows (then nothing is asked).
    virtual bool askKeyboardFor(QWindow &) { return false; }
    // Whether `window` has the keyboard now, as both the window system and
    // the toolkit tell it: the window manager gave it on the ask above.
    virtual bool hasKeyboard(QWindow &) const { return true; }
    // Lets go of the keyboard askKeyboardFor brought to the program, where
    // no window of another program can be named to give it back to (a
    // native window had it, or none did): by a window at `at` (a clear
    // pixel of the clock's) that takes the keyboard and goes, so that the
    // window manager gives it to the window it gives it to when a window
    // closes (the topmost that takes the keyboard, a native window among
    // them), not to the clock, which keeps what it was given otherwise.
    virtual void letKeyboardGo(QPoint) {}
    virtual void endKeyboardLead() {}
    // Called once the clock's window, which bypasses the window manager, is
    // shown: makes the compositor draw it at once where it would wait for
    // some other reason to draw the screen again (Weston).
    virtual void drawShownWindowAtOnce(QWindow &) {}
};
