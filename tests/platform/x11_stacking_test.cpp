// Which windows the clock raises to stay above other programs' windows.
#include <gtest/gtest.h>

#include "platform/linux/x11_window_requests.h"

namespace {

constexpr quint32 kClock = 0x400001, kMenu = 0x400010, kDialog = 0x400020;
constexpr quint32 kXclock = 0x600001, kXlogo = 0x800001;

StackedWindow Ours(quint32 id, bool unmanaged = true) { return {id, true, true, unmanaged}; }
StackedWindow Theirs(quint32 id, bool viewable = true) { return {id, false, viewable, false}; }

TEST(RaisesToKeepAboveTest, RaisesOnlyWhenAnotherProgramsWindowIsShownAbove)
{
    struct Case {
        const char *what;
        QList<StackedWindow> bottomToTop;
        QList<quint32> raises;
    } cases[] = {
        {"already on top", {Theirs(kXclock), Theirs(kXlogo), Ours(kClock)}, {}},
        {"only its own menu above it", {Theirs(kXclock), Ours(kClock), Ours(kMenu)}, {}},
        {"an unmapped window above it", {Ours(kClock), Theirs(kXclock, false)}, {}},
        {"a focused window raised above it", {Theirs(kXlogo), Ours(kClock), Theirs(kXclock)}, {kClock}},
        {"its menu between: raised again above it", {Ours(kClock), Ours(kMenu), Theirs(kXlogo)}, {kClock, kMenu}},
        {"its own managed dialog is left to the window manager",
         {Ours(kClock), Ours(kDialog, false), Theirs(kXlogo)}, {kClock}},
        {"not among the windows", {Theirs(kXclock), Theirs(kXlogo)}, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RaisesToKeepAbove(c.bottomToTop, kClock), c.raises) << c.what;
}

} // namespace
