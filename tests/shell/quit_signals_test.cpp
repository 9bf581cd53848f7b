// Every signal that would end the program by the system's default action
// either quits through the event loop (the clock's own quit path) or is
// ignored; none ends the process by itself, and the programs the clock
// starts get every signal back at its default.
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>

#include "shell/quit_signals.h"

namespace {

bool Listed(std::span<const int> list, int signal)
{
    return std::find(list.begin(), list.end(), signal) != list.end();
}

// Runs the event loop until quit was called or a second has passed.
bool QuitCalled(const int &calls)
{
    QElapsedTimer waited;
    waited.start();
    while (calls == 0 && waited.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return calls > 0;
}

TEST(QuitSignals, EverySignalThatWouldEndTheProgramQuitsOrIsIgnored)
{
    // The signals whose default action ends the process, by the system's
    // table; the faults are left to end it (nothing of it can be trusted).
    const int faults[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGTRAP, SIGSYS};
    const int ending[] = {SIGHUP,  SIGINT,  SIGQUIT, SIGUSR1,   SIGUSR2, SIGPIPE, SIGALRM,   SIGTERM,
                          SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF, SIGIO, SIGPWR,  SIGSTKFLT};
    for (const int signal : ending)
        EXPECT_TRUE(Listed(QuitSignals(), signal) != Listed(IgnoredSignals(), signal)) << strsignal(signal);
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        EXPECT_TRUE(Listed(QuitSignals(), signal)) << "real-time signal " << signal;
    for (const int signal : faults)
        EXPECT_FALSE(Listed(QuitSignals(), signal) || Listed(IgnoredSignals(), signal)) << strsignal(signal);
    EXPECT_TRUE(Listed(IgnoredSignals(), SIGPIPE));

    // Each raised for real: quit once from the event loop, the test alive.
    for (const int signal : QuitSignals()) {
        ASSERT_TRUE(InstallQuitSignals());
        int calls = 0;
        QObject owner;
        QuitOnSignals(&owner, [&calls] { ++calls; });
        ASSERT_EQ(::raise(signal), 0);
        EXPECT_TRUE(QuitCalled(calls)) << strsignal(signal);
        EXPECT_EQ(calls, 1) << strsignal(signal);
    }
    for (const int signal : IgnoredSignals()) {
        ASSERT_TRUE(InstallQuitSignals());
        int calls = 0;
        QObject owner;
        QuitOnSignals(&owner, [&calls] { ++calls; });
        ASSERT_EQ(::raise(signal), 0);
        EXPECT_FALSE(QuitCalled(calls)) << strsignal(signal);
    }
}

TEST(QuitSignals, ASignalBeforeTheEventLoopWaitsForIt)
{
    ASSERT_TRUE(InstallQuitSignals());
    ASSERT_EQ(::raise(SIGTERM), 0);
    ASSERT_EQ(::raise(SIGUSR2), 0);
    int calls = 0;
    QObject owner;
    QuitOnSignals(&owner, [&calls] { ++calls; });
    EXPECT_TRUE(QuitCalled(calls));
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 1) << "quit once, however many signals came";
}

TEST(QuitSignals, AStartedProgramGetsTheSignalsAtTheirDefault)
{
    ASSERT_TRUE(InstallQuitSignals());
    for (const char *signal : {"PIPE", "XFSZ", "TERM", "USR1"}) {
        QProcess shell;
        shell.start("/bin/sh", {"-c", QStringLiteral("kill -%1 $$; exit 3").arg(signal)});
        ASSERT_TRUE(shell.waitForFinished(5000)) << signal;
        EXPECT_EQ(shell.exitStatus(), QProcess::CrashExit) << signal << " did not end the started program";
    }
}

} // namespace
