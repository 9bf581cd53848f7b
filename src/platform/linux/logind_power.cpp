// Restart and power-off through systemd-logind on the system bus. The calls
// are interactive, so the desktop's authorisation agent may ask the user, and
// logind applies the session's inhibitors; the clock does not wait for them.
#include <QDBusConnection>
#include <QDBusMessage>

#include "platform/linux/linux_services.h"
#include "platform/system_power.h"

namespace {

class LogindPower : public SystemPower {
public:
    bool requestRestart() override { return send("Reboot"); }
    bool requestPowerOff() override { return send("PowerOff"); }

private:
    static bool send(const QString &method)
    {
        QDBusConnection bus = QDBusConnection::systemBus();
        if (!bus.isConnected())
            return false;
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
            method);
        call << true;   // interactive
        call.setInteractiveAuthorizationAllowed(true);
        return bus.send(call);
    }
};

} // namespace

std::unique_ptr<SystemPower> MakeLogindPower()
{
    return std::make_unique<LogindPower>();
}
