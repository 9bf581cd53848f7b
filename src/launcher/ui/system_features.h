#pragma once
// Everything of the system actions, the wallpaper and the version page that
// plugs into the running clock, registered in one call.
#include "launcher/help_page.h"

class CommandTable;
class PageRegistry;
class PopupMenu;
class QWidget;
struct Context;

// The program's icon on every window, the wallpaper and version pages, and
// the commands of RegisterSystemCommands (owner: the clock window).
void RegisterSystemFeatures(PageRegistry &pages, CommandTable &commands, PopupMenu &menu, Context &ctx,
                            QWidget *owner);
