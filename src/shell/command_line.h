#pragma once
// The options the program answers from the command line without a display,
// without Tockara.ini and without the single-instance lock:
//   tockara --holidays YEAR   the days off of that year, one per line
//   tockara --help            the options
// Anything else starts the clock (--menu, keyboard_menu.h, with its menu open).
#include <optional>

// Runs the option named by the arguments and returns the process's exit code
// (0 done, 1 no Calender.ini, 2 a bad year); nothing when the clock is to start.
std::optional<int> RunCommandLineOption(int argc, char **argv);
