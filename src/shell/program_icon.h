#pragma once
#include <QIcon>

// The program's icon: a round clock face, at every size it is drawn in.
QIcon ProgramIcon();
