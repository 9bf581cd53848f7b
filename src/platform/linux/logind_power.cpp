// Restart and power-off through systemd-logind on the system bus. The calls
// are interactive, so the desktop's authorisation agent may ask the user, and
// logind applies the session's inhibitors; the clock does not wait for them.
#include <limits>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

#include "platform/linux/linux_services.h"
#include "platform/log.h"
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
        if (!bus.isConnected()) {
            qCWarning(lcDesktop).noquote() << "logind" << method << "not asked: no system bus:"
                                           << bus.lastError().message();
            return false;
        }
        QDBusMessage call = QDBusMessage::createMethodCall(
            "org.freedesktop.login1", "/org/freedesktop/login1", "org.freedesktop.login1.Manager",
            method);
        call << true;   // interactive
        call.setInteractiveAuthorizationAllowed(true);
        // No time limit: the user may take long to answer the agent.
        const QDBusPendingCall pending = bus.asyncCall(call, std::numeric_limits<int>::max());
        if (pending.isFinished() && pending.isError()) {
            qCWarning(lcDesktop).noquote() << "logind" << method << "could not be sent:"
                                           << pending.error().message();
            return false;
        }
        // logind's answer comes later (after the user answered the
        // authorisation agent); a refusal is only logged.
        auto *watcher = new QDBusPendingCallWatcher(pending, QCoreApplication::instance());
        QObject::connect(watcher, &QDBusPendingCallWatcher::finished, [method](QDBusPendingCallWatcher *w) {
            if (w->isError())
                qCWarning(lcDesktop).noquote() << "logind refused" << method << "with"
                                               << w->error().name() << w->error().message();
            w->deleteLater();
        });
        return true;
    }
};

} // namespace

std::unique_ptr<SystemPower> MakeLogindPower()
{
    return std::make_unique<LogindPower>();
}
