#pragma once
// The pointer's moves anywhere on an X display, told once on request: what
// the clock needs to know that the pointer may have come into its rectangle
// off the face, without asking the X server for the pointer at every tick.
#include <functional>
#include <memory>

class X11PointerMotion {
public:
    // A watch over a connection of its own, through the X input extension's
    // raw motion; null where there is no X display or no such extension.
    static std::unique_ptr<X11PointerMotion> Start();
    virtual ~X11PointerMotion() = default;
    // Tells `moved` once, at the pointer's next move, in place of any
    // earlier request; the X server tells nothing more until asked again.
    virtual void tellNextMove(std::function<void()> moved) = 0;
};
