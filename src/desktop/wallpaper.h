#pragma once
// The desktop wallpaper behind the wallpaper page: an arrangement code and a
// path, set on the user's desktop or, on a desktop that keeps no wallpaper,
// drawn on the root window with the three values kept in a small profile file
// of the program (section "Desktop": "Wallpaper", "TileWallpaper",
// "WallpaperStyle").
//
// Arrangement codes and their placement values:
//   "0" centred (and, with an empty file, no wallpaper): TileWallpaper "0", WallpaperStyle "0"
//   "1" tiled:      TileWallpaper "1", WallpaperStyle "0"
//   "2" stretched:  TileWallpaper "0", WallpaperStyle "2"
//   any other code: the placement is left as it is.
#include <QString>

class DesktopSettings;

// The profile file of a program folder that keeps the wallpaper's values.
QString WallpaperProfilePath(const QString &programFolder);

// What became of a wallpaper that was set.
enum class WallpaperResult {
    Applied,  // kept and shown
    NotShown, // the desktop did not take it (its own reaction is left to it)
    NotKept,  // shown, but the program's profile file could not be written
    Unreadable, // the file is missing or holds no picture: nothing was changed
    NotAllowed, // the session lets no program set the wallpaper
};

// Sets the wallpaper file (a whole path) in the arrangement of code; an empty
// file removes the wallpaper. A file that holds no picture changes nothing.
WallpaperResult ApplyWallpaper(DesktopSettings &desktop, const QString &profilePath, const QString &file,
                    const QString &code);

// The arrangement code followed directly by the wallpaper's path ("1/pics/a.png");
// empty when there is no wallpaper or its placement is not recognised. The
// placement values are tested in this order: WallpaperStyle "2" gives "2",
// TileWallpaper "1" gives "1", TileWallpaper "0" gives "0".
QString ReadWallpaperSetting(DesktopSettings &desktop, const QString &profilePath);

// On a desktop that keeps no wallpaper, draws the kept one again, laid out
// for the screen as it is now: at start (a new session's root window is
// blank) and after the clock changed the display mode. A root window that
// shows what another program set since the clock drew on it is left alone.
// Does nothing elsewhere or without a kept wallpaper.
void RestoreRootWallpaper(DesktopSettings &desktop, const QString &profilePath);
