#pragma once
// A window that can lay itself out again within less room than it takes.
#include <QSize>

class FitsInRoom {
public:
    virtual ~FitsInRoom() = default;
    // The least room in which the window still shows all it shows (a
    // message box: its title whole, its text wrapped narrower and scrolled).
    virtual QSize smallestSize() const = 0;
    // Lays the window out again to take at most room (no less than
    // smallestSize()).
    virtual void fitInto(const QSize &room) = 0;
};
