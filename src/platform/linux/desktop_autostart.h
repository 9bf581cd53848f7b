#pragma once
// "ログイン時に起動" on a freedesktop session: the clock starts with the
// session when an entry named tockara.desktop lies in the desktop's autostart
// folder ($XDG_CONFIG_HOME/autostart, by default ~/.config/autostart).
#include <QByteArray>
#include <QString>

#include "platform/autostart.h"

// The autostart entry's path for the current user, from the environment.
QString AutostartEntryPath();

// The entry that starts program (an absolute path) when the user logs in,
// as long as that program is there.
QByteArray AutostartEntryText(const QString &program);

class DesktopAutostart : public Autostart {
public:
    // The path is read at each use: the user's folders may change while the clock runs.
    bool enabled() override;
    // Writes the entry whole (creating its folder), or removes it.
    bool setEnabled(bool enabled, const QString &program) override;
    QString location() override { return AutostartEntryPath(); }
};
