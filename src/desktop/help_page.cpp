#include "desktop/help_page.h"

#include "launcher/launch.h"
#include "platform/message_box.h"
#include "platform/program_launcher.h"
#include "settings/profile.h"

QString HelpPagePath(const QString &programFolder)
{
    return AddTrailingSeparator(programFolder) + "help/help.htm";
}

void OpenHelpPage(const QString &programFolder, ProgramLauncher &programs, MessageBoxService &messages,
                  QWidget *owner)
{
    const QString page = HelpPagePath(programFolder);
    const int result = OpenDocument(page, AddTrailingSeparator(programFolder), programs);
    if (result == ShellResult::NoOpener)
        messages.show(owner, OpenFailureText(result, page), QStringLiteral("Tockara"), MessageButtons::Ok,
                      MessageIcon::Warning);
}
