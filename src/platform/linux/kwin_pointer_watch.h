#pragma once
// Where KWin runs a Wayland session, the X windows of XWayland hear nothing
// when the pointer leaves them for a Wayland window or the bare desktop: no
// leave event comes, and the pointer position XWayland tells stays the last
// one over them. KWin itself knows where the pointer is, and its scripting
// interface lets a program ask to be told: the watch loads a small KWin
// script that follows the pointer and calls back over the session bus, once,
// when it leaves the area watched, and then lets go of the pointer.
#include <QObject>
#include <QRect>
#include <QString>
#include <functional>

class QDBusPendingCallWatcher;

class KWinPointerWatch : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "io.github.tockara.PointerWatch")

public:
    ~KWinPointerWatch() override;

    // Tells `left` once when the pointer leaves area (screen pixels), in place
    // of any earlier watch. False where KWin offers no scripting on the
    // session bus (then never tried again).
    bool watch(QRect area, std::function<void()> left);
    // Ends the watch, if one runs; `left` is not told.
    void stop();

public Q_SLOTS:
    // The script's call: the pointer left the area of the watch named token.
    Q_SCRIPTABLE void Left(const QString &token);

private:
    void Run(QDBusPendingCallWatcher *loaded, const QString &token);
    void GiveUp(const QString &why);
    void Unload();   // the running watch's script, if one runs

    bool unavailable_ = false;
    bool registered_ = false;
    QString token_;   // names the watch now running; empty when none runs
    QString scriptPath_;
    std::function<void()> left_;
};
