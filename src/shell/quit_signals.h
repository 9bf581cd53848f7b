#pragma once
// Every signal that would end the clock by the system's default action ends
// it the way its own 閉じる does, or is ignored: the handler only wakes the
// event loop, which then calls quit, so the program ends through its usual
// path (windows and boxes closed, the archive entry in progress removed,
// settings kept) whatever window, menu or box is open.
//
// - Quit: SIGTERM (logout), SIGHUP (terminal closed), SIGINT and SIGQUIT
//   (the terminal's keys), SIGUSR1, SIGUSR2, SIGALRM, SIGVTALRM, SIGPROF,
//   SIGIO, SIGPWR, SIGSTKFLT, SIGXCPU (the CPU time limit, before the hard
//   one kills) and the real-time signals.
// - Ignored: SIGPIPE and SIGXFSZ, which tell of the clock's own write (to a
//   closed pipe, beyond the file size limit): the write fails and is told
//   as a failure where it happens. Caught by a handler that does nothing,
//   so the programs the clock starts get them back at their default.
// - Left at their default: the faults (SIGSEGV, SIGBUS, SIGILL, SIGFPE,
//   SIGABRT, SIGTRAP, SIGSYS), after which nothing of the program can be
//   trusted to clean up; SIGKILL and SIGSTOP, which no program can catch.
//   What such an end leaves is swept by the next extraction.
#include <functional>
#include <span>

class QObject;

// The signals that quit and those ignored, as above.
std::span<const int> QuitSignals();
std::span<const int> IgnoredSignals();

// Installs the handlers; called first thing, before the toolkit starts, so a
// signal that comes while the program starts waits for the event loop.
// Returns false when they could not all be installed.
bool InstallQuitSignals();

// Calls quit from the event loop of the thread that called this, once, at the
// first quit signal (one that came since InstallQuitSignals included). A
// second signal while the clock is ending ends the process at once (the
// system's default action). Needs the application object; parent owns the
// notifier.
void QuitOnSignals(QObject *parent, std::function<void()> quit);
