#pragma once
// The program's logging categories. Warnings say why a system service did
// not do what was asked (a module that did not load, a desktop tool that
// failed); they are printed unless turned off. Debug messages say which
// service was used and are off unless turned on, e.g.
// QT_LOGGING_RULES="tockara.*.debug=true". Nothing is logged while the clock
// only ticks.
#include <QLoggingCategory>

// Modules loaded on demand, starting programs and opening documents.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)
// The archivers: the archive module and 7-Zip.
Q_DECLARE_LOGGING_CATEGORY(lcArchive)
// The desktop: wallpaper, display modes, restart and power-off, autostart.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
