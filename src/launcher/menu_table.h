#pragma once
// The fixed tree of the clock's popup menu, as data: every item in display
// order with its array name, index, caption, depth and state. Items filled at
// run time (launcher entries, folder items beyond index 0, further drives and
// display modes) are not in it.
#include <span>

enum class MenuItemKind {
    Command,     // an ordinary item
    Submenu,     // opens the items of the next level that follow it
    Checkable,   // carries a check mark
    Separator,
};

struct MenuTableEntry {
    const char *array;     // control array name, e.g. "barMenu"
    int index;             // index within the array
    const char *caption;   // UTF-8; empty for separators and placeholders
    int level;             // 1 = directly in the popup; the parent is the
                           // nearest earlier item one level up
    MenuItemKind kind = MenuItemKind::Command;
    bool enabled = true;
    bool visible = true;
};

// The whole tree, in display order.
std::span<const MenuTableEntry> PopupMenuTable();
