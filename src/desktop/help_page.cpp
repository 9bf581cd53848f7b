#include "desktop/help_page.h"

#include "launcher/launch.h"
#include "settings/profile.h"

QString HelpPagePath(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + "help/help.htm";
}

void OpenHelpPage(const QString &programFolder, ProgramLauncher &programs)
{
    ShellOpenFile(HelpPagePath(programFolder), AddTrailingSeparator(programFolder), programs);
}
