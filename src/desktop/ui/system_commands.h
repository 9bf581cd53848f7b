#pragma once
// The menu commands that act on the system: 再起動 and Windows終了, the
// display modes of 画面解像度, and ヘルプ.
class CommandTable;
class PopupMenu;
class QWidget;
struct Context;

// Binds Restart, Shutdown, SetDisplayMode and OpenHelp and fills the
// "画面解像度" submenu once, with the modes of the monitor the clock (owner)
// is on, or a disabled "(空)" when the display lists none. Boxes are owned
// by owner. A mode that was set is asked about (DisplayModeChange). ヘルプ
// opens the help page.
void RegisterSystemCommands(CommandTable &commands, PopupMenu &menu, Context &ctx, QWidget *owner);
