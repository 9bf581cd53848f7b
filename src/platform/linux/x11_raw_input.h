#pragma once
// A connection of the clock's own to its X display, for the input
// extension's raw events: the X server tells them whatever grab holds the
// pointer and wherever it delivers the events themselves.
#include <cstdint>
#include <optional>

#include <xcb/xcb.h>

struct RawInputConnection {
    xcb_connection_t *connection;   // owned by the caller, who disconnects it
    xcb_window_t root;              // the root window of the display's screen
    uint8_t opcode;                 // the input extension's, for its events
};

// Opens the connection; nothing without an X display, or where the input
// extension is older than 2.2 (the first to tell raw events during grabs).
std::optional<RawInputConnection> ConnectForRawInput();
