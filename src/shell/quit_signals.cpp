#include "shell/quit_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe through which a handler wakes the event loop; written only by the
// handler, read only by the notifier.
int wakeWrite = -1;

void WakeEventLoop(int signal)
{
    // Only async-signal-safe calls here: one byte into a non-blocking pipe.
    const int saved = errno;
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(wakeWrite, &byte, 1);
    errno = saved;
}

} // namespace

bool QuitOnSessionSignals(QObject *parent, std::function<void()> quit)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return false;
    wakeWrite = fds[1];

    auto *notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, parent);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                     [notifier, quit = std::move(quit), readEnd = fds[0]] {
                         char bytes[16];
                         while (::read(readEnd, bytes, sizeof bytes) > 0) {
                         }
                         // Once: the clock is ending already.
                         notifier->setEnabled(false);
                         quit();
                     });

    struct sigaction action {};
    action.sa_handler = WakeEventLoop;
    sigemptyset(&action.sa_mask);
    // A second signal meets the default action: a clock that does not end
    // by itself can still be ended.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    bool installed = true;
    for (const int signal : kQuitSignals)
        installed = ::sigaction(signal, &action, nullptr) == 0 && installed;
    return installed;
}
