#pragma once

#include <unistd.h>

// Ends a test that hangs (a read blocking on a pipe or a device it should
// never have opened) after 20 s, with SIGALRM, instead of the whole run.
struct Watchdog {
    Watchdog() { ::alarm(20); }
    ~Watchdog() { ::alarm(0); }
    Watchdog(const Watchdog &) = delete;
    Watchdog &operator=(const Watchdog &) = delete;
};
