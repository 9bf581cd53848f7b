#include "launcher/ui/system_features.h"

#include <QApplication>
#include <QIcon>

#include "launcher/ui/system_commands.h"
#include "launcher/ui/version_page.h"
#include "launcher/ui/wallpaper_page.h"

void RegisterSystemFeatures(PageRegistry &pages, CommandTable &commands, PopupMenu &menu, Context &ctx,
                            QWidget *owner)
{
    QApplication::setWindowIcon(ProgramIcon());
    pages.add(WallpaperPageDefinition());
    pages.add(VersionPageDefinition());
    RegisterSystemCommands(commands, menu, ctx, owner);
}
