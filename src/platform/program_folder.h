#pragma once
#include <QString>

// The folder that holds Tockara.ini, Calender.ini, the diary files, help/,
// the sample environments in anime/ and the chime in sounds/. It is the executable's folder when
// Tockara.ini or Calender.ini lies beside the executable (a build tree or a
// portable install; one without Calender.ini has the default holidays and
// display patterns); otherwise the per-user data folder ($XDG_DATA_HOME/tockara),
// seeded with Calender.ini, help/, anime/ and sounds/ from the installed data folder
// (a file missing there is copied at each start; one present is never
// overwritten). Never ends with a separator.
QString ResolveProgramFolder(const QString &executableFolder);

// The folder of the running executable, with links resolved, known before
// the toolkit has started (QCoreApplication::applicationDirPath's answer).
QString ExecutableFolder();

// The folder whose Calender.ini a look at the rules reads, found without
// creating or seeding anything: the executable's folder when it is a portable
// install as above, the user's data folder when it holds Calender.ini,
// otherwise the installed data folder (bin/../share/tockara).
QString ProgramFolderToRead(const QString &executableFolder);

// The folder of the sample environments and their pictures in a program
// folder: where the choosers of environment files and background pictures
// open when no file is set yet.
QString SampleFolder(const QString &programFolder);
