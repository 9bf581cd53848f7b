#pragma once
// The "ヘルプ" command: the help page help/help.htm below the program folder,
// opened as a document with the desktop's default application.
#include <functional>
#include <QString>

// Opens file (a full path) as a document, in directory; the opener does what
// opening a launcher document does, the fallback to the program associated
// with the file included.
using OpenDocument = std::function<void(const QString &file, const QString &directory)>;

// programFolder/help/help.htm.
QString HelpPagePath(const QString &programFolder);

// Opens the help page through open, in the program folder (given with a
// trailing separator). A missing page or browser is left to the opener.
void OpenHelpPage(const QString &programFolder, const OpenDocument &open);
