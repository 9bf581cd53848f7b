#pragma once
// The desktop's default applications by MIME type, read from the
// mimeapps.list files and the mimeinfo.cache of the XDG folders.
#include <QString>

// The program of the default application for mimeType or one of its parent
// types, as an absolute path; empty when there is none. Looks in order at
// "[Default Applications]" of the mimeapps.list files (the current desktop's
// own first), their "[Added Associations]", then mimeinfo.cache; an
// application listed under "[Removed Associations]", not installed, or whose
// program is not on the search path is skipped, and so is one that runs in a
// terminal (Terminal=true).
QString DefaultProgramFor(const QString &mimeType);
