#pragma once
// Where the build that made this program put its on-demand modules.
#include <QString>

// The build's module folder; empty in an installed program.
QString BuildModuleFolder();
