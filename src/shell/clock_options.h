#pragma once
// The clock's own options of the オプション submenu: 透明度 (how opaque the
// clock is, in steps of 10% from 100% down to 30%), クリック透過 (clicks pass
// through the clock) and 時報 (the hourly chime); 時報の設定 opens the
// chime's page. Each is a setting of Tockara.ini; the clock window shows
// the change once it is saved.
class PopupMenu;
class ScreenInfo;
struct FeatureHost;

// Binds SetOpacity, ToggleClickThrough and ToggleChime and their marks, and
// keeps 透明度 usable only where the screen draws translucency.
void RegisterClockOptions(FeatureHost &host);

// 透明度 as the screen allows it: usable, or disabled with a caption that
// says why.
void ShowOpacityAvailability(PopupMenu &menu, const ScreenInfo &screen);
