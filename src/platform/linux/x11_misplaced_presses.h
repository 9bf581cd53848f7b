#pragma once
// The presses on a window that XWayland delivered somewhere else (see
// platform/misplaced_presses.h), found over a connection of its own: the
// window's crossings and the display's raw button events, in the X
// server's order.
#include <functional>

class QWindow;

// Watches `window` for as long as it lives and tells each such press and
// its release (the X button number, pressed or not). Nothing happens where
// there is no X display or no X input extension 2.2.
void TellMisplacedPressesOnX11(QWindow &window, std::function<void(int button, bool pressed)> told);
