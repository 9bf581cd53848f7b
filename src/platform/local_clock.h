#pragma once
#include <QDateTime>

// The local date and time of the desktop.
class LocalClock {
public:
    virtual ~LocalClock() = default;
    // The current local date and time, to the millisecond.
    virtual QDateTime now() const = 0;
};
