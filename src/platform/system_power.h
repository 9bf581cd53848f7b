#pragma once

// Restarting and shutting down the computer, the way the desktop itself asks
// for it: the system's own policy (authorisation, inhibitors) decides.
class SystemPower {
public:
    virtual ~SystemPower() = default;
    // Asks the system to restart; returns whether the request could be sent.
    // The system may still refuse it later; nothing reports that.
    virtual bool requestRestart() = 0;
    // Asks the system to power off, with the same guarantees as requestRestart.
    virtual bool requestPowerOff() = 0;
};
