#include "platform/linux/x11_raw_input.h"

#include <cstdlib>

#include "platform/linux/x11_display.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xinput.h>

std::optional<RawInputConnection> ConnectForRawInput()
{
    Display *display = ApplicationDisplay();
    if (!display)
        return std::nullopt;
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(DisplayString(display), &screenNumber);
    const xcb_query_extension_reply_t *input =
        xcb_connection_has_error(connection) ? nullptr : xcb_get_extension_data(connection, &xcb_input_id);
    auto *version = input && input->present
                        ? xcb_input_xi_query_version_reply(connection, xcb_input_xi_query_version(connection, 2, 2),
                                                           nullptr)
                        : nullptr;
    const bool usable =
        version && (version->major_version > 2 || (version->major_version == 2 && version->minor_version >= 2));
    std::free(version);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!usable || !screens.rem) {
        xcb_disconnect(connection);
        return std::nullopt;
    }
    return RawInputConnection{connection, screens.data->root, input->major_opcode};
}
