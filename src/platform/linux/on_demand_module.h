#pragma once
// Parts of the program kept in libraries of their own (the archive reader,
// the CD drive), loaded the first time they are needed: until then the
// clock pays nothing for them, neither memory nor start-up time. A module
// that cannot be found or loaded is a component that "cannot be loaded".
//
// Code loaded into the clock runs with all the user's rights, so modules
// come only from folders that the program's installer or build made: never
// from the program folder, where archives are extracted by default, nor from
// any other folder the user or an archive writes to.
#include <QFunctionPointer>
#include <QString>
#include <QStringList>

// The function named symbol of module name (the library file
// libtockara_<name>.so in one of OnDemandModuleFolders), or null when
// either cannot be loaded or the file is not trusted (logged). A loaded
// module stays loaded.
QFunctionPointer ResolveOnDemandModule(const char *name, const char *symbol);

// The folders modules are looked for in, in order: the installed program's
// own (bin/../lib/tockara/modules), then, for a program run from its build
// tree, the build's module folder. An installed program holds no build
// folder.
QStringList OnDemandModuleFolders();

// Why file may not be loaded as code: empty when it and its folder belong
// to root or to the user running the clock and no one else can write them.
QString UntrustedModuleReason(const QString &file);
