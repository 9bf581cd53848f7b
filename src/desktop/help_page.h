#pragma once
// The "ヘルプ" command: the help page help/help.htm below the program folder,
// opened as a document with the desktop's default application.
#include <QString>

class MessageBoxService;
class ProgramLauncher;
class QWidget;

// programFolder/help/help.htm.
QString HelpPagePath(const QString &programFolder);

// Opens the help page as a document (with the fallback to the application
// associated with it), in the program folder. When nothing could open it
// because the desktop's opener is not installed, a message says so and
// names the package to install; any other failure is not reported.
void OpenHelpPage(const QString &programFolder, ProgramLauncher &programs, MessageBoxService &messages,
                  QWidget *owner = nullptr);
