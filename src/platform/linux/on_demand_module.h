#pragma once
// Parts of the program kept in libraries of their own (the archive reader,
// the CD drive), loaded the first time they are needed: until then the
// clock pays nothing for them, neither memory nor start-up time. A module
// that cannot be found or loaded is a component that "cannot be loaded".
#include <QFunctionPointer>

// The function named symbol of module name (the library file
// libtockara_<name>.so beside the executable, in lib/tockara/modules of the installed
// program, or in the build's folder), or null when either cannot be loaded.
// A loaded module stays loaded.
QFunctionPointer ResolveOnDemandModule(const char *name, const char *symbol);
