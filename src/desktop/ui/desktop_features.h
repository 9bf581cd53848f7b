#pragma once
// The desktop's tools in the popup menu: 再起動 and Windows終了, the display
// modes of 画面解像度, ヘルプ, and the wallpaper page.
struct FeatureHost;

// Registers the wallpaper page, binds Restart, Shutdown, SetDisplayMode and
// OpenHelp and fills the "画面解像度" submenu with the modes of the monitor the
// clock (host.owner) is on. Boxes are owned by the clock window.
void RegisterDesktop(FeatureHost &host);
