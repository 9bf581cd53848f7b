#pragma once
// The options the program answers from the command line without a display,
// without Tockara.ini and without the single-instance lock:
//   tockara --holidays YEAR   the days off of that year, one per line
//   tockara --help            the options
// Anything else starts the clock.
#include <optional>
#include <QStringList>

#include "calendar/calendar_data.h"

// The days off of year as the month view computes them from calendar: one
// line per day, the ISO date, a tab and the day's note ("2026-05-06\t振替休日").
QStringList HolidayListing(const CalendarData &calendar, int year);

// Runs the option named by the arguments and returns the process's exit code
// (0 done, 1 no Calender.ini, 2 a bad year); nothing when the clock is to start.
std::optional<int> RunCommandLineOption(int argc, char **argv);
