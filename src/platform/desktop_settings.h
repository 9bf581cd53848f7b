#pragma once
#include <QString>

// The desktop's wallpaper in the terms the clock's wallpaper page speaks: the
// picture and the two placement values "TileWallpaper" ("1" tiled, "0" not)
// and "WallpaperStyle" ("2" stretched, "0" as it is, other numbers for the
// other fits a desktop may offer: "6" fitted inside, "10" filling, "22"
// spanning all monitors). Empty values mean "not set".
struct WallpaperValues {
    QString file;
    QString tile;
    QString style;
};

// What the root window shows, on a session whose root the program draws.
enum class RootBackground {
    Unset, // nothing announced by any program, and no mark of the clock's: a new session's root
    Own,   // the picture the clock drew last, still shown
    Other, // what another program set since (or set before the clock drew any)
};

// The wallpaper settings of the user's desktop.
class DesktopSettings {
public:
    virtual ~DesktopSettings() = default;
    // Whether the desktop keeps a wallpaper of its own (GNOME, KDE Plasma,
    // Xfce and their kin). When it does not, the program keeps the values
    // itself and has them drawn with paintRootWindow.
    virtual bool keepsWallpaper() = 0;
    // The desktop's current wallpaper; file is empty when it shows none.
    virtual WallpaperValues readWallpaper() = 0;
    // Sets the desktop's wallpaper; an empty file removes it, an empty tile
    // or style leaves that placement value as it is. False when the desktop
    // did not take the change.
    virtual bool writeWallpaper(const WallpaperValues &values) = 0;
    // Draws the picture in the placement of values as the background of
    // every screen of the display, kept after the program ends; an empty
    // file removes it. False when there is no display to draw on or the
    // picture cannot be read.
    virtual bool paintRootWindow(const WallpaperValues &values) = 0;
    // What the root window shows now (Unset where the program draws none).
    virtual RootBackground rootBackground() { return RootBackground::Unset; }
    // False when the session lets no program set the wallpaper (a Wayland
    // compositor without a desktop whose settings the program knows).
    virtual bool letsProgramsSetWallpaper() { return true; }
};
