#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/linux/x11_display.h"
#include "platform/linux/x11_window_requests.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Owned(T *reply) { return Reply<T>(reply, &std::free); }

// The connection and root window of the program's own X display.
struct X11Screen {
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = XCB_NONE;

    static X11Screen Current()
    {
        Display *display = ApplicationDisplay();
        xcb_connection_t *connection = ApplicationConnection();
        if (!display || !connection)
            return {};
        return {connection, xcb_window_t(DefaultRootWindow(display))};
    }
    explicit operator bool() const { return connection != nullptr; }

    xcb_atom_t atom(const char *name) const
    {
        auto reply = Owned(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }
    // The window a WINDOW property of the root names, or none.
    xcb_window_t rootWindowProperty(const char *name) const
    {
        auto reply = Owned(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom(name), XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
            return XCB_NONE;
        return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
    }
    // A window manager that follows the extended hints runs.
    bool windowManagerRuns() const { return rootWindowProperty("_NET_SUPPORTING_WM_CHECK") != XCB_NONE; }
    // The windows of this program share the resource base of its connection.
    bool ours(xcb_window_t window) const
    {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        return (window & ~setup->resource_id_mask) == setup->resource_id_base;
    }
};

} // namespace

std::optional<quint64> KeyboardHolderOnX11()
{
    const X11Screen x = X11Screen::Current();
    if (!x)
        return std::nullopt;
    xcb_window_t holder = XCB_NONE;
    if (x.windowManagerRuns()) {
        holder = x.rootWindowProperty("_NET_ACTIVE_WINDOW");
    } else if (auto focus = Owned(xcb_get_input_focus_reply(x.connection, xcb_get_input_focus(x.connection),
                                                              nullptr))) {
        holder = focus->focus;
    }
    if (holder == XCB_NONE || x.ours(holder))
        return std::nullopt;
    return holder;
}

void GiveKeyboardOnX11(quint64 holder)
{
    const X11Screen x = X11Screen::Current();
    if (!x)
        return;
    const auto window = xcb_window_t(holder);
    // The keyboard following the pointer again, as before.
    if (window == XCB_INPUT_FOCUS_POINTER_ROOT) {
        if (xcb_generic_error_t *error = xcb_request_check(
                x.connection, xcb_set_input_focus_checked(x.connection, XCB_INPUT_FOCUS_POINTER_ROOT,
                                                          XCB_INPUT_FOCUS_POINTER_ROOT, XCB_CURRENT_TIME)))
            std::free(error);
        return;
    }
    // A window closed or hidden since gets nothing.
    auto attributes = Owned(xcb_get_window_attributes_reply(
        x.connection, xcb_get_window_attributes(x.connection, window), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return;
    if (x.windowManagerRuns()) {
        // As a pager asks: window managers honour that whatever the time.
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = x.atom("_NET_ACTIVE_WINDOW");
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(x.connection, 0, x.root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
        xcb_flush(x.connection);
        return;
    }
    if (xcb_generic_error_t *error = xcb_request_check(
            x.connection, xcb_set_input_focus_checked(x.connection, XCB_INPUT_FOCUS_POINTER_ROOT, window,
                                                      XCB_CURRENT_TIME)))
        std::free(error);
}
