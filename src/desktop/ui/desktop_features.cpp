#include "desktop/ui/desktop_features.h"

#include "context/feature_host.h"
#include "desktop/ui/system_commands.h"
#include "desktop/ui/wallpaper_page.h"
#include "settings_window/ui/settings_page.h"

void RegisterDesktop(FeatureHost &host)
{
    host.pages.add(WallpaperPageDefinition());
    RegisterSystemCommands(host.commands, host.menu, host.ctx, host.owner);
}
