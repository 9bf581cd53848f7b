#pragma once
#include <QString>

// The folder that holds Tockara.ini, Calender.ini, the diary files and help/.
// It is the executable's folder when Calender.ini lies beside the executable
// (a build tree or a portable install); otherwise the per-user data folder
// ($XDG_DATA_HOME/tockara), seeded on first use with Calender.ini and help/
// from the installed data folder. Never ends with a separator.
QString ResolveProgramFolder(const QString &executableFolder);

// The folder of the running executable, with links resolved, known before
// the toolkit has started (QCoreApplication::applicationDirPath's answer).
QString ExecutableFolder();

// The folder whose Calender.ini a look at the rules reads, found without
// creating or seeding anything: the program folder above when it already
// holds Calender.ini, otherwise the installed data folder (bin/../share/tockara).
QString ProgramFolderToRead(const QString &executableFolder);
