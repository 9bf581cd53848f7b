#pragma once
// "ログイン時に起動": the clock starts with the desktop session when an entry
// named tockara.desktop lies in the desktop's autostart folder
// ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart).
#include <QByteArray>
#include <QString>

// The autostart entry's path for the current user, from the environment.
QString AutostartEntryPath();

// The entry that starts program (an absolute path) when the user logs in.
QByteArray AutostartEntryText(const QString &program);

// True while the entry exists: the desktop then starts the clock.
bool AutostartEnabled(const QString &entryPath);

// Writes the entry for program (creating its folder), or removes it; false
// when the file could not be written or removed. The entry is replaced
// whole, never left half written.
bool SetAutostart(const QString &entryPath, bool enabled, const QString &program);
