#include "shell/quit_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

#include <QSocketNotifier>

namespace {

// The pipe through which a handler wakes the event loop; written only by the
// handlers, read only by the notifier.
int wakePipe[2] = {-1, -1};

void WakeEventLoop(int signal)
{
    // Only async-signal-safe calls here: one byte into a non-blocking pipe.
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(wakePipe[1], &byte, 1);
    errno = saved;
}

void IgnoreSignal(int)
{
}

const std::vector<int> &QuitList()
{
    static const std::vector<int> list = [] {
        std::vector<int> quitting = {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM,
                                    SIGVTALRM, SIGPROF, SIGIO, SIGXCPU};
#ifdef SIGPWR
        quitting.push_back(SIGPWR);
#endif
#ifdef SIGSTKFLT
        quitting.push_back(SIGSTKFLT);
#endif
        for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
            quitting.push_back(signal);
        return quitting;
    }();
    return list;
}

constexpr int kIgnored[] = {SIGPIPE, SIGXFSZ};

bool Install(int signal, void (*handler)(int), int flags)
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = flags;
    return ::sigaction(signal, &action, nullptr) == 0;
}

} // namespace

std::span<const int> QuitSignals()
{
    return QuitList();
}

std::span<const int> IgnoredSignals()
{
    return kIgnored;
}

bool InstallQuitSignals()
{
    if (wakePipe[1] < 0 && ::pipe2(wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    bool installed = true;
    // A second signal meets the default action: a clock that does not end
    // by itself can still be ended.
    for (const int signal : QuitList())
        installed = Install(signal, WakeEventLoop, SA_RESTART | SA_RESETHAND) && installed;
    for (const int signal : kIgnored)
        installed = Install(signal, IgnoreSignal, SA_RESTART) && installed;
    return installed;
}

void QuitOnSignals(QObject *parent, std::function<void()> quit)
{
    if (wakePipe[0] < 0)
        return;
    auto *notifier = new QSocketNotifier(wakePipe[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, quit = std::move(quit), readEnd = wakePipe[0]] {
                         char bytes[16];
                         while (::read(readEnd, bytes, sizeof bytes) > 0) {
                         }
                         // Once: the clock is ending already.
                         notifier->setEnabled(false);
                         quit();
                     });
}
