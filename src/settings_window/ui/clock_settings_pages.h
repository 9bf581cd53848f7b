#pragma once
// The settings window's own pages: the clock's size, hand widths, alarms and
// date and time texts.
class PageRegistry;

void RegisterClockSettingsPages(PageRegistry &pages);
