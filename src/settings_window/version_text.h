#pragma once
// The program's version as the version page shows it.
#include <QString>

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

// This build's version (the project's version number).
ProgramVersion CurrentVersion();

// "Ver", the major number, ".", then the minor and revision numbers with
// nothing between them, all without leading zeros: 1, 2, 3 gives "Ver1.23".
QString VersionText(ProgramVersion version);
