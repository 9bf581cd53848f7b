#include "desktop/wallpaper.h"

#include "platform/desktop_settings.h"
#include "platform/wallpaper_picture.h"
#include "settings/profile.h"

namespace {

const QString Section = "Desktop";

WallpaperValues ReadKept(const QString &profilePath)
{
    return {ReadIniValue(Section, "Wallpaper", "", profilePath),
            ReadIniValue(Section, "TileWallpaper", "", profilePath),
            ReadIniValue(Section, "WallpaperStyle", "", profilePath)};
}

} // namespace

QString WallpaperProfilePath(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + "Wallpaper.ini";
}

WallpaperResult ApplyWallpaper(DesktopSettings &desktop, const QString &profilePath, const QString &file,
                    const QString &code)
{
    if (!desktop.letsProgramsSetWallpaper())
        return WallpaperResult::NotAllowed;
    // A desktop shows nothing for a file that is no picture: it is not set.
    if (!file.isEmpty() && !WallpaperPictureReadable(file))
        return WallpaperResult::Unreadable;
    WallpaperValues values{file, {}, {}};
    if (code == "0" || code == "1" || code == "2") {
        values.tile = code == "1" ? "1" : "0";
        values.style = code == "2" ? "2" : "0";
    }
    if (desktop.keepsWallpaper())
        return desktop.writeWallpaper(values) ? WallpaperResult::Applied : WallpaperResult::NotShown;

    ProfileBatch batch(profilePath);
    if (!values.tile.isEmpty()) {
        batch.write(Section, "TileWallpaper", values.tile);
        batch.write(Section, "WallpaperStyle", values.style);
    }
    // Quoted when needed, so a path with quotes or edge spaces reads back whole.
    batch.write(Section, "Wallpaper", QuoteIniValue(file));
    if (!batch.commit()) {
        // Shown for this session all the same; the caller tells it is not kept.
        desktop.paintRootWindow(values);
        return WallpaperResult::NotKept;
    }
    // A placement left as it is stays the kept one.
    return desktop.paintRootWindow(ReadKept(profilePath)) ? WallpaperResult::Applied
                                                          : WallpaperResult::NotShown;
}

QString ReadWallpaperSetting(DesktopSettings &desktop, const QString &profilePath)
{
    const WallpaperValues v = desktop.keepsWallpaper() ? desktop.readWallpaper() : ReadKept(profilePath);
    if (v.file.isEmpty())
        return {};
    if (v.style == "2")
        return "2" + v.file;
    if (v.tile == "1")
        return "1" + v.file;
    if (v.tile == "0")
        return "0" + v.file;
    return {};
}

void RestoreRootWallpaper(DesktopSettings &desktop, const QString &profilePath)
{
    if (desktop.keepsWallpaper())
        return;
    const WallpaperValues kept = ReadKept(profilePath);
    // What another program set since the clock drew its picture stays.
    if (!kept.file.isEmpty() && desktop.rootBackground() != RootBackground::Other)
        desktop.paintRootWindow(kept);
}
