#pragma once
// The command line. The options the program answers without a display,
// without Tockara.ini and without the single-instance lock:
//   tockara --holidays YEAR   the days off of that year, one per line
//   tockara --version         the program's version
//   tockara --help            the options
// Without options, or with --menu (keyboard_menu.h: the clock's menu open) or
// the toolkit's own options (a session manager restarts a program with
// -session), the clock starts. Any other argument is a mistake: the usage is
// printed and nothing starts.
#include <optional>

// Runs the option named by the arguments and returns the process's exit code
// (0 done, 1 no Calender.ini, 2 a bad year or an unknown argument); nothing
// when the clock is to start.
std::optional<int> RunCommandLineOption(int argc, char **argv);
