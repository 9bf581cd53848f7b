#pragma once
// The desktop's default applications by MIME type, read from the
// mimeapps.list files and the mimeinfo.cache of the XDG folders.
#include <QString>
#include <QStringList>

class ProgramSearch;

// The whole command of the default application for mimeType or one of its
// parent types, to open file: its Exec line with the field codes expanded
// for file (ExpandExecLine), the program as an absolute path found by
// search. Empty when there is none. Looks in order at "[Default
// Applications]" of the mimeapps.list files (the current desktop's own
// first), their "[Added Associations]", then mimeinfo.cache; an application
// listed under "[Removed Associations]", not installed, whose Exec line is
// not valid or whose program is not found is skipped, and so is one that
// runs in a terminal (Terminal=true).
QStringList DefaultCommandFor(const QString &mimeType, const QString &file, const ProgramSearch &search);

// The program of DefaultCommandFor (for a look at the lists alone).
QString DefaultProgramFor(const QString &mimeType);
