// The kind of desktop session, from the environment a session gives.
#include <gtest/gtest.h>

#include "platform/desktop_session.h"

TEST(DesktopSessionTest, TellsTheSessionFromItsEnvironment)
{
    struct Case {
        const char *type, *waylandDisplay, *desktop;
        DesktopSession expected;
    };
    const Case cases[] = {
        {"x11", "", "GNOME", DesktopSession::X11},
        {"", "", "", DesktopSession::X11},
        {"tty", "", "sway", DesktopSession::X11},
        {"wayland", "wayland-0", "ubuntu:GNOME", DesktopSession::WaylandGnome},
        {"wayland", "", "GNOME-Classic:GNOME", DesktopSession::WaylandGnome},
        {"wayland", "wayland-0", "KDE", DesktopSession::WaylandKde},
        {"", "wayland-1", "sway", DesktopSession::WaylandOther},
        {"wayland", "wayland-1", "Hyprland", DesktopSession::WaylandOther},
        {"wayland", "wayland-1", "", DesktopSession::WaylandOther},
        // A compositor started inside an X11 session gives its programs its
        // own Wayland display (and X display) but leaves the session type.
        {"x11", "wayland-1", "XFCE", DesktopSession::WaylandOther},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ClassifySession(c.type, c.waylandDisplay, c.desktop), c.expected)
            << c.type << " / " << c.waylandDisplay << " / " << c.desktop;
}

TEST(DesktopSessionTest, X11WindowManagersAndCompositorsThatPlaceX11WindowsThemselvesAreBypassed)
{
    EXPECT_TRUE(PlacesItsOwnWindow(DesktopSession::X11));
    EXPECT_FALSE(PlacesItsOwnWindow(DesktopSession::WaylandGnome));
    EXPECT_FALSE(PlacesItsOwnWindow(DesktopSession::WaylandKde));
    EXPECT_TRUE(PlacesItsOwnWindow(DesktopSession::WaylandOther));
    EXPECT_FALSE(IgnoresWindowShape(DesktopSession::X11));
    EXPECT_TRUE(IgnoresWindowShape(DesktopSession::WaylandGnome));
    EXPECT_TRUE(LetsProgramsChangeDisplayModes(DesktopSession::X11));
    EXPECT_FALSE(LetsProgramsChangeDisplayModes(DesktopSession::WaylandGnome));
}
