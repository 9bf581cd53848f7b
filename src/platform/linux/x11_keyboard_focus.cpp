#include <cstdlib>
#include <cstring>
#include <memory>
#include <QPoint>
#include <QString>

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
    // The name that window manager gives itself (_NET_WM_NAME), or none.
    QString windowManagerName() const
    {
        const xcb_window_t check = rootWindowProperty("_NET_SUPPORTING_WM_CHECK");
        if (check == XCB_NONE)
            return {};
        auto reply = Owned(xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, check, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 0, 64),
            nullptr));
        return reply ? QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply.get())),
                                         xcb_get_property_value_length(reply.get()))
                     : QString();
    }
    // The windows of this program share the resource base of its connection.
    bool ours(xcb_window_t window) const
    {
        const xcb_setup_t *setup = xcb_get_setup(connection);
        return (window & ~setup->resource_id_mask) == setup->resource_id_base;
    }
};

// The name Weston's XWayland window manager gives itself.
const QLatin1String kWestonManager("Weston WM");

} // namespace

std::optional<quint64> OtherProgramsWindow(quint32 window, XClientIds ours, quint32 managerCheck)
{
    // The windows of one client share the resource base of its connection.
    const auto client = [&ours](quint32 id) { return id & ~ours.mask; };
    if (window == XCB_NONE || client(window) == ours.base
        || (managerCheck != XCB_NONE && client(window) == client(managerCheck)))
        return std::nullopt;
    return window;
}

std::optional<quint64> KeyboardHolderOnX11()
{
    const X11Screen x = X11Screen::Current();
    if (!x)
        return std::nullopt;
    xcb_window_t holder = XCB_NONE;
    const xcb_window_t managerCheck = x.rootWindowProperty("_NET_SUPPORTING_WM_CHECK");
    if (managerCheck != XCB_NONE) {
        holder = x.rootWindowProperty("_NET_ACTIVE_WINDOW");
    } else if (auto focus = Owned(xcb_get_input_focus_reply(x.connection, xcb_get_input_focus(x.connection),
                                                              nullptr))) {
        holder = focus->focus;
    }
    const xcb_setup_t *setup = xcb_get_setup(x.connection);
    return OtherProgramsWindow(holder, {setup->resource_id_base, setup->resource_id_mask}, managerCheck);
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

namespace {

// A visual of 32 bits with alpha on the screen, for a window that is clear
// where the compositor draws it.
std::optional<xcb_visualid_t> AlphaVisual(xcb_screen_t *screen)
{
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths)) {
        if (depths.data->depth != 32)
            continue;
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
            if (visuals.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR)
                return visuals.data->visual_id;
    }
    return std::nullopt;
}

xcb_screen_t *ScreenOf(xcb_connection_t *connection, xcb_window_t root)
{
    for (auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection)); screens.rem; xcb_screen_next(&screens))
        if (screens.data->root == root)
            return screens.data;
    return nullptr;
}

} // namespace

X11KeyboardLead::~X11KeyboardLead()
{
    hide();
}

bool X11KeyboardLead::show(QPoint at)
{
    const X11Screen x = X11Screen::Current();
    if (!x)
        return false;
    // Under XWayland's window manager of the wlroots compositors ("wlroots
    // wm") a window that bypasses it and is of the normal type gets the
    // keyboard. Weston's ("Weston WM") gives it to no such window: only to
    // a window it manages, which it activates when that is mapped.
    const QString manager = x.windowManagerName();
    const bool bypasses = manager.contains(QLatin1String("wlroots"), Qt::CaseInsensitive);
    if (!bypasses && manager != kWestonManager)
        return false;
    return create(at, bypasses);
}

bool X11KeyboardLead::showManaged(QPoint at)
{
    const X11Screen x = X11Screen::Current();
    if (!x || !x.windowManagerRuns())
        return false;
    return create(at, false);
}

void X11KeyboardLead::askForKeyboard()
{
    if (window_ != 0)
        GiveKeyboardOnX11(window_);
}

bool X11KeyboardLead::create(QPoint at, bool bypasses)
{
    const X11Screen x = X11Screen::Current();
    xcb_screen_t *screen = x ? ScreenOf(x.connection, x.root) : nullptr;
    if (!screen)
        return false;
    hide();
    // One clear pixel (of the screen's own depth, black, where no visual
    // with alpha is offered), at a clear pixel of the clock's: nothing of
    // it shows.
    const std::optional<xcb_visualid_t> alpha = AlphaVisual(screen);
    uint8_t depth = XCB_COPY_FROM_PARENT;
    xcb_visualid_t visual = XCB_COPY_FROM_PARENT;
    colormap_ = XCB_NONE;
    if (alpha) {
        depth = 32;
        visual = *alpha;
        colormap_ = xcb_generate_id(x.connection);
        xcb_create_colormap(x.connection, XCB_COLORMAP_ALLOC_NONE, colormap_, x.root, visual);
    }
    window_ = xcb_generate_id(x.connection);
    uint32_t mask = XCB_CW_BACK_PIXEL | XCB_CW_BORDER_PIXEL | XCB_CW_OVERRIDE_REDIRECT;
    const uint32_t values[] = {0, 0, bypasses ? 1u : 0u, colormap_};
    if (alpha)
        mask |= XCB_CW_COLORMAP;
    xcb_create_window(x.connection, depth, window_, x.root, int16_t(at.x()), int16_t(at.y()), 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, visual, mask, values);
    // A normal window: the compositor keeps the keyboard from the windows
    // that bypass it as menus, tool tips or notifications (the clock's own).
    const xcb_atom_t normal = x.atom("_NET_WM_WINDOW_TYPE_NORMAL");
    xcb_change_property(x.connection, XCB_PROP_MODE_REPLACE, window_, x.atom("_NET_WM_WINDOW_TYPE"),
                        XCB_ATOM_ATOM, 32, 1, &normal);
    if (!bypasses) {
        // Managed: where it asks to stand, without a frame or title bar.
        uint32_t sizeHints[18] = {};
        sizeHints[0] = 1 | 4; // USPosition, PPosition
        sizeHints[1] = uint32_t(at.x());
        sizeHints[2] = uint32_t(at.y());
        xcb_change_property(x.connection, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NORMAL_HINTS,
                            XCB_ATOM_WM_SIZE_HINTS, 32, 18, sizeHints);
        const uint32_t noDecorations[5] = {2, 0, 0, 0, 0}; // decorations given: none
        const xcb_atom_t motif = x.atom("_MOTIF_WM_HINTS");
        xcb_change_property(x.connection, XCB_PROP_MODE_REPLACE, window_, motif, motif, 32, 5, noDecorations);
        const uint32_t takesInput[9] = {1, 1}; // the input hint: it takes the keyboard
        xcb_change_property(x.connection, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS,
                            32, 9, takesInput);
    }
    xcb_map_window(x.connection, window_);
    xcb_flush(x.connection);
    return true;
}

bool HasKeyboardOnX11(quint64 window)
{
    const X11Screen x = X11Screen::Current();
    if (!x || window == 0)
        return false;
    auto focus = Owned(xcb_get_input_focus_reply(x.connection, xcb_get_input_focus(x.connection), nullptr));
    return focus && focus->focus == window;
}

bool X11KeyboardLead::hasKeyboard() const
{
    return HasKeyboardOnX11(window_);
}

bool WestonManagesX11Windows()
{
    const X11Screen x = X11Screen::Current();
    return x && x.windowManagerName() == kWestonManager;
}

void X11KeyboardLead::hide()
{
    if (window_ == 0)
        return;
    const X11Screen x = X11Screen::Current();
    if (x) {
        xcb_destroy_window(x.connection, xcb_window_t(window_));
        if (colormap_ != XCB_NONE)
            xcb_free_colormap(x.connection, xcb_colormap_t(colormap_));
        xcb_flush(x.connection);
    }
    window_ = 0;
    colormap_ = 0;
}
