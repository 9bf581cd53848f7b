#pragma once
// The settings window's own pages: the clock's size, hand widths, alarms,
// date and time texts, and the version page.
struct FeatureHost;

void RegisterClockSettings(FeatureHost &host);
