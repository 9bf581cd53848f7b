#pragma once
// The signals a session sends a program it wants gone (SIGTERM at logout,
// SIGHUP when its terminal closes, SIGINT from Ctrl+C) end the clock the way
// its own 閉じる does: the handler only wakes the event loop, which then calls
// quit, so the program ends through its usual path (windows closed, the
// archive entry in progress removed, settings kept).
#include <functional>

class QObject;

// Installs the handlers for SIGTERM, SIGINT and SIGHUP and calls quit from
// the event loop of the thread that called this, once, at the first of them.
// A second signal while the clock is ending ends the process at once (the
// system's default action). Needs the application object; parent owns the
// notifier. Returns false when the handlers could not be installed.
bool QuitOnSessionSignals(QObject *parent, std::function<void()> quit);
