#include "platform/linux/kwin_pointer_watch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSaveFile>

#include "platform/linux/clock_requests.h"
#include "platform/log.h"

namespace {

constexpr char kKWin[] = "org.kde.KWin";
constexpr char kScripting[] = "org.kde.kwin.Scripting";
constexpr char kWatchPath[] = "/io/github/tockara/PointerWatch";

// The name a watch's script is known by to KWin: the clock's and the
// watch's own. KWin lets go of an unloaded script only a moment later, and
// until then refuses to load another of the same name.
QString PluginName(const QString &token)
{
    return QStringLiteral("tockara-pointer-%1-%2").arg(QCoreApplication::applicationPid()).arg(token);
}

QString Quoted(const QString &text)
{
    // A JSON string is a JavaScript string: nothing in it can end the quote.
    return QString::fromUtf8(QJsonDocument::fromVariant(QVariantList{text}).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

QDBusMessage ScriptingCall(const QString &method, const QVariantList &arguments)
{
    QDBusMessage call = QDBusMessage::createMethodCall(kKWin, "/Scripting", kScripting, method);
    call.setArguments(arguments);
    return call;
}

// The KWin script for a watch: follows the pointer and calls method "Left"
// of the object at path on the bus connection service, with token, when the
// pointer stands outside area.
QString PointerLeaveScript(QRect area, const QString &service, const QString &path, const QString &token)
{
    return QStringLiteral(
               "(function () {\n"
               "    var area = { x: %1, y: %2, right: %3, bottom: %4 };\n"
               "    function check() {\n"
               "        var p = workspace.cursorPos;\n"
               "        if (p.x >= area.x && p.y >= area.y && p.x < area.right && p.y < area.bottom)\n"
               "            return;\n"
               "        workspace.cursorPosChanged.disconnect(check);\n"
               "        callDBus(%5, %6, \"io.github.tockara.PointerWatch\", \"Left\", %7);\n"
               "    }\n"
               "    workspace.cursorPosChanged.connect(check);\n"
               "    check();\n"
               "})();\n")
        .arg(area.x())
        .arg(area.y())
        .arg(area.x() + area.width())
        .arg(area.y() + area.height())
        .arg(Quoted(service), Quoted(path), Quoted(token));
}

} // namespace

KWinPointerWatch::~KWinPointerWatch()
{
    stop();
}

bool KWinPointerWatch::watch(QRect area, std::function<void()> left)
{
    if (unavailable_)
        return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        GiveUp("no session bus");
        return false;
    }
    if (!registered_ && !(registered_ = bus.registerObject(kWatchPath, this, QDBusConnection::ExportScriptableSlots))) {
        GiveUp("its callback could not be offered on the session bus");
        return false;
    }
    const QByteArray folder = PrivateRuntimeFolder();
    if (folder.isEmpty()) {
        GiveUp("no private runtime folder for its script");
        return false;
    }
    Unload();
    const QString token = QString::number(QRandomGenerator::system()->generate64(), 16);
    // A file of its own too: KWin reads it only when it runs the script.
    scriptPath_ = QFile::decodeName(folder) + "/" + PluginName(token) + ".js";
    QSaveFile script(scriptPath_);
    if (!script.open(QIODevice::WriteOnly)
        || script.write(PointerLeaveScript(area, bus.baseService(), kWatchPath, token).toUtf8()) < 0
        || !script.commit()) {
        GiveUp("its script could not be written: " + script.errorString());
        return false;
    }
    token_ = token;
    left_ = std::move(left);
    // KWin answers on its own time: the calls go out without waiting, in
    // order (the earlier watch's unloading before this one's loading).
    auto *loaded = new QDBusPendingCallWatcher(bus.asyncCall(ScriptingCall("loadScript", {scriptPath_, PluginName(token)})), this);
    connect(loaded, &QDBusPendingCallWatcher::finished, this, [this, token](QDBusPendingCallWatcher *call) {
        Run(call, token);
        call->deleteLater();
    });
    return true;
}

// Starts the script KWin loaded. KWin 5 offers it at /<id>, KWin 6 at
// /Scripting/Script<id>: both are asked, and the one that is not there says
// so to no one.
void KWinPointerWatch::Run(QDBusPendingCallWatcher *loaded, const QString &token)
{
    const QDBusPendingReply<int> reply = *loaded;
    if (reply.isError() || reply.value() < 0) {
        if (token == token_)
            GiveUp(reply.isError() ? reply.error().message() : QStringLiteral("KWin did not load its script"));
        return;
    }
    const QString id = QString::number(reply.value());
    for (const QString &path : {"/" + id, "/Scripting/Script" + id})
        QDBusConnection::sessionBus().asyncCall(
            QDBusMessage::createMethodCall(kKWin, path, "org.kde.kwin.Script", "run"));
}

void KWinPointerWatch::Left(const QString &token)
{
    if (token.isEmpty() || token != token_)
        return;
    Unload();
    if (auto left = std::exchange(left_, nullptr))
        left();
}

void KWinPointerWatch::stop()
{
    Unload();
    left_ = nullptr;
}

void KWinPointerWatch::Unload()
{
    if (token_.isEmpty())
        return;
    QDBusConnection::sessionBus().asyncCall(ScriptingCall("unloadScript", {PluginName(token_)}));
    QFile::remove(scriptPath_);
    token_.clear();
}

void KWinPointerWatch::GiveUp(const QString &why)
{
    qCInfo(lcDesktop).noquote() << "The pointer leaving the clock is not watched through KWin:" << why;
    unavailable_ = true;
    stop();
}
