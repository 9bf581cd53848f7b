// Which window the keyboard goes back to once the clock's windows close:
// another program's, never the clock's own nor the window manager's.
#include <gtest/gtest.h>

#include "platform/linux/x11_window_requests.h"

namespace {

constexpr XClientIds kOurs{.base = 0x1000000, .mask = 0x1fffff};
// mutter: its check window and, while a native Wayland window has the
// keyboard, its own hidden window it names as the active one (48).
constexpr quint32 kMutterCheck = 0x200001, kMutterNoFocus = 0x200003;
constexpr quint32 kXevWindow = 0x800001, kXevDialog = 0x80004a, kOwnClock = 0x1000001, kOwnMenu = 0x1000023;

TEST(KeyboardHolderTest, OnlyAnotherProgramsWindowGetsTheKeyboardBack)
{
    const struct {
        const char *what;
        quint32 named, managerCheck;
        std::optional<quint64> holder;
    } cases[] = {
        {"another program's window", kXevWindow, kMutterCheck, kXevWindow},
        {"another window of that program", kXevDialog, kMutterCheck, kXevDialog},
        {"none", 0, kMutterCheck, std::nullopt},
        {"the clock", kOwnClock, kMutterCheck, std::nullopt},
        {"the clock's menu", kOwnMenu, kMutterCheck, std::nullopt},
        {"the window manager's hidden window (mutter 48, a native window focused)", kMutterNoFocus, kMutterCheck,
         std::nullopt},
        {"the window manager's check window", kMutterCheck, kMutterCheck, std::nullopt},
        {"no window manager: the X server's focus", kXevWindow, 0, kXevWindow},
        {"no window manager: the keyboard following the pointer (PointerRoot)", 1, 0, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(OtherProgramsWindow(c.named, kOurs, c.managerCheck), c.holder) << c.what;
}

} // namespace
