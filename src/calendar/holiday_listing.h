#pragma once
#include <QStringList>

#include "calendar/calendar_data.h"

// The days off of year as the month view computes them from calendar: one
// line per day, the ISO date, a tab and the day's note ("2026-05-06\t振替休日").
QStringList HolidayListing(const CalendarData &calendar, int year);
