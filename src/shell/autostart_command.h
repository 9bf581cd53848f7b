#pragma once
// The checkable item "ログイン時に起動" of the オプション submenu: its mark shows
// whether the desktop starts the clock at login, and a click turns that on or
// off for the running program.
struct FeatureHost;

// Binds ToggleAutostart and its mark. The entry starts the executable that
// runs now (the installed program, or a build when that is what runs); a
// file that cannot be written or removed is reported in a box owned by the
// clock window.
void RegisterAutostart(FeatureHost &host);
