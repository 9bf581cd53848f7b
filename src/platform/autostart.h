#pragma once
#include <QString>

// Whether the desktop starts the clock when the user logs in ("ログイン時に起動").
class Autostart {
public:
    virtual ~Autostart() = default;
    // True while the desktop starts the clock at login.
    virtual bool enabled() = 0;
    // Makes the desktop start program (an absolute path) at login, or stop
    // doing so. False when that could not be stored; nothing is half done.
    virtual bool setEnabled(bool enabled, const QString &program) = 0;
    // Where the setting is kept, named in the message of a failure.
    virtual QString location() = 0;
};
