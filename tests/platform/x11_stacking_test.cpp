// How the clock keeps above other programs' windows in the X server's
// stacking order, and whose full-screen windows it leaves above it.
#include <gtest/gtest.h>

#include "platform/linux/x11_window_requests.h"

namespace {

constexpr quint32 kClock = 0x400001, kMenu = 0x400010, kHover = 0x400018, kDialogFrame = 0x200020;
constexpr quint32 kXclock = 0x600001, kXlogo = 0x800001, kTheirMenu = 0x800040, kVideo = 0xa00001;

StackedWindow Clock() { return {.id = kClock, .ours = true, .viewable = true, .unmanaged = true, .overClock = true}; }
// The program's own menu or hover window, over the clock.
StackedWindow Own(quint32 id) { return {.id = id, .ours = true, .viewable = true, .unmanaged = true, .overClock = true}; }
// A managed window of another program (its window manager's frame).
StackedWindow Theirs(quint32 id, bool over = true, bool viewable = true)
{
    return {.id = id, .viewable = viewable, .overClock = over};
}
StackedWindow TheirMenu() { return {.id = kTheirMenu, .viewable = true, .unmanaged = true, .overClock = true}; }
// The active full-screen window of a desktop that puts it first.
StackedWindow FullScreen(bool over = true)
{
    return {.id = kVideo, .viewable = true, .overClock = over, .fullScreenFirst = true};
}
Restack Above(quint32 window, quint32 sibling) { return {.window = window, .sibling = sibling, .above = true}; }
Restack Below(quint32 window, quint32 sibling) { return {.window = window, .sibling = sibling, .above = false}; }

TEST(KeepAboveTest, TheClockGoesRightAboveTheHighestOtherWindowOverIt)
{
    struct Case {
        const char *what;
        QList<StackedWindow> bottomToTop;
        QList<Restack> restacks;
    } cases[] = {
        {"already on top", {Theirs(kXclock), Theirs(kXlogo), Clock()}, {}},
        {"only its own menu above it", {Theirs(kXclock), Clock(), Own(kMenu)}, {}},
        {"an unmapped window above it", {Clock(), Theirs(kXclock, true, false)}, {}},
        {"a window above it elsewhere on the screen", {Clock(), Theirs(kXclock, false)}, {}},
        {"a window opened or raised over it", {Theirs(kXlogo), Clock(), Theirs(kXclock)}, {Above(kClock, kXclock)}},
        {"two over it: above the higher", {Clock(), Theirs(kXclock), Theirs(kXlogo)}, {Above(kClock, kXlogo)}},
        {"its menu and hover window between come along, in their order",
         {Clock(), Own(kMenu), Own(kHover), Theirs(kXlogo)},
         {Above(kClock, kXlogo), Above(kMenu, kClock), Above(kHover, kMenu)}},
        {"its own dialog's frame is left above it",
         {Clock(), {.id = kDialogFrame, .ours = true, .viewable = true, .overClock = true}}, {}},
        {"another program's menu stays above it", {Clock(), TheirMenu()}, {}},
        {"under another program's menu: only above the window", {Clock(), Theirs(kXlogo), TheirMenu()},
         {Above(kClock, kXlogo)}},
        {"not among the windows", {Theirs(kXclock), Theirs(kXlogo)}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RestacksToKeepAbove(c.bottomToTop, kClock), c.restacks) << c.what;
}

// Where the desktop puts the active full-screen window above the windows
// that stay on top, the clock stays below it, and above the others.
TEST(KeepAboveTest, TheActiveFullScreenWindowStaysAboveWhereTheDesktopPutsItFirst)
{
    struct Case {
        const char *what;
        QList<StackedWindow> bottomToTop;
        QList<Restack> restacks;
    } cases[] = {
        {"below it: left there", {Clock(), FullScreen()}, {}},
        {"a window between: above that one only", {Clock(), Theirs(kXlogo), FullScreen()}, {Above(kClock, kXlogo)}},
        {"above it: put right below it", {Theirs(kXlogo), FullScreen(), Clock()}, {Below(kClock, kVideo)}},
        {"on another monitor it counts for nothing", {Clock(), FullScreen(false), Theirs(kXlogo)},
         {Above(kClock, kXlogo)}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RestacksToKeepAbove(c.bottomToTop, kClock), c.restacks) << c.what;

    struct Manager {
        const char *name;
        bool fullScreenFirst;
    } managers[] = {
        {"Openbox", true}, {"Fluxbox", true}, {"IceWM 3.3.1 (Linux/x86_64)", true}, {"KWin", true}, {"", true},
        {"Xfwm4", false}, {"Mutter (Muffin)", false}, {"GNOME Shell", false}, {"wlroots wm", false},
    };
    for (const Manager &m : managers)
        EXPECT_EQ(FullScreenGoesAboveKeptAbove(m.name), m.fullScreenFirst) << m.name;
}

} // namespace
