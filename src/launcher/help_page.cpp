#include "launcher/help_page.h"

#include "settings/profile.h"

QString HelpPagePath(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + "help/help.htm";
}

void OpenHelpPage(const QString &programFolder, const OpenDocument &open)
{
    if (open)
        open(HelpPagePath(programFolder), AddTrailingSeparator(programFolder));
}
