#pragma once
// The fixed tree of the clock's popup menu, as data: every item in display
// order with its array name, index, caption, depth, state and the command it
// gives. Items filled at run time (launcher entries, folder items beyond
// index 0, further drives and display modes) are not in it.
#include <span>

#include "context/commands.h"

enum class MenuItemKind {
    Item,        // an ordinary item
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
    MenuItemKind kind = MenuItemKind::Item;
    Command command = Command::None;
    qint16 page = 0;       // the page an OpenPage item asks for
    bool enabled = true;
    bool visible = true;
};

// The whole tree, in display order.
std::span<const MenuTableEntry> PopupMenuTable();
