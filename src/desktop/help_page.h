#pragma once
// The "ヘルプ" command: the help page help/help.htm below the program folder,
// opened as a document with the desktop's default application.
#include <QString>

class ProgramLauncher;

// programFolder/help/help.htm.
QString HelpPagePath(const QString &programFolder);

// Opens the help page as a launcher document is opened (with the fallback to
// the program associated with it), in the program folder. A missing page or
// browser is not reported.
void OpenHelpPage(const QString &programFolder, ProgramLauncher &programs);
