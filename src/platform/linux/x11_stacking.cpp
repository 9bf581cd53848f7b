#include "platform/linux/x11_window_requests.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>
#include <QObject>
#include <QRect>
#include <QSocketNotifier>
#include <QWindow>

#include "platform/linux/x11_display.h"
#include "platform/log.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

// An overlapping window of another program that the window manager stacks
// as it pleases: the clock goes above it.
bool Covers(const StackedWindow &w)
{
    return !w.ours && w.viewable && !w.unmanaged && w.overClock;
}

} // namespace

QList<Restack> RestacksToKeepAbove(const QList<StackedWindow> &bottomToTop, quint32 clock)
{
    qsizetype at = -1;
    for (qsizetype i = 0; i < bottomToTop.size(); ++i)
        if (bottomToTop[i].id == clock)
            at = i;
    if (at < 0)
        return {};
    // The lowest overlapping full-screen window that the desktop puts first:
    // the clock stays below it.
    qsizetype ceiling = bottomToTop.size();
    for (qsizetype i = 0; i < bottomToTop.size() && ceiling == bottomToTop.size(); ++i) {
        const StackedWindow &w = bottomToTop[i];
        if (i != at && w.fullScreenFirst && Covers(w))
            ceiling = i;
    }
    if (ceiling < at)
        return {{.window = clock, .sibling = bottomToTop[ceiling].id, .above = false}};
    qsizetype cover = -1;
    for (qsizetype i = at + 1; i < ceiling; ++i)
        if (Covers(bottomToTop[i]))
            cover = i;
    if (cover < 0)
        return {};
    QList<Restack> steps{{.window = clock, .sibling = bottomToTop[cover].id, .above = true}};
    quint32 below = clock;
    for (qsizetype i = at + 1; i < cover; ++i) {
        const StackedWindow &w = bottomToTop[i];
        if (w.ours && w.viewable && w.unmanaged) {
            steps << Restack{.window = w.id, .sibling = below, .above = true};
            below = w.id;
        }
    }
    return steps;
}

bool FullScreenGoesAboveKeptAbove(const QString &windowManagerName)
{
    const QString name = windowManagerName.toLower();
    // wlroots compositors (sway) draw the unmanaged clock over a full-screen
    // window: below it in XWayland's order the clock would not get the
    // pointer there.
    for (const char *keepsThemOver : {"xfwm", "mutter", "gnome shell", "wlroots"})
        if (name.contains(QLatin1String(keepsThemOver)))
            return false;
    return true;
}

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> Owned(T *reply) { return Reply<T>(reply, &std::free); }

xcb_atom_t Intern(xcb_connection_t *connection, const char *name)
{
    auto reply = Owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The first window a WINDOW property names, or none.
xcb_window_t WindowProperty(xcb_connection_t *connection, xcb_window_t window, xcb_atom_t property)
{
    auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return XCB_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

class StackingWatch : public QObject {
public:
    StackingWatch(QWindow &window, xcb_connection_t *connection, xcb_window_t root)
        : QObject(&window), connection_(connection), root_(root), window_(xcb_window_t(window.winId())),
          idMask_(xcb_get_setup(connection)->resource_id_mask),
          notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        activeWindow_ = Intern(connection_, "_NET_ACTIVE_WINDOW");
        wmCheck_ = Intern(connection_, "_NET_SUPPORTING_WM_CHECK");
        wmState_ = Intern(connection_, "_NET_WM_STATE");
        fullScreen_ = Intern(connection_, "_NET_WM_STATE_FULLSCREEN");
        wmName_ = Intern(connection_, "_NET_WM_NAME");
        utf8_ = Intern(connection_, "UTF8_STRING");
        // The events of the root's children (maps, moves and restacks of
        // every top-level window) and of the root's properties (the active
        // window, the window manager), as they happen; nothing is polled.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        ReadWindowManager();
        connect(&notifier_, &QSocketNotifier::activated, this, &StackingWatch::EventsArrived);
    }
    ~StackingWatch() override { xcb_disconnect(connection_); }

private:
    // The windows of this program share the resource base of its connection.
    bool Ours(xcb_window_t w) const { return (w & ~idMask_) == (window_ & ~idMask_); }

    // Whether the event may have put another program's window above ours
    // (or ours, just shown, below others).
    bool MayCover(const xcb_generic_event_t *event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY: {
            const xcb_window_t w = reinterpret_cast<const xcb_map_notify_event_t *>(event)->window;
            return w == window_ || !Ours(w);
        }
        case XCB_CONFIGURE_NOTIFY:
            return !Ours(reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window);
        case XCB_CIRCULATE_NOTIFY:
            return !Ours(reinterpret_cast<const xcb_circulate_notify_event_t *>(event)->window);
        case XCB_PROPERTY_NOTIFY: {
            const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
            if (change->window != root_)
                return change->atom == wmState_;   // the active window made full-screen, or no more
            if (change->atom == wmCheck_)
                windowManagerChanged_ = true;
            return change->atom == activeWindow_ || change->atom == wmCheck_;
        }
        default:
            return false;
        }
    }

    // Takes the events waiting (read from the socket, or only those already
    // queued by a reply): whether one of them calls for a look.
    bool TakeEvents(bool read)
    {
        bool mayCover = false;
        while (xcb_generic_event_t *event = read ? xcb_poll_for_event(connection_)
                                                 : xcb_poll_for_queued_event(connection_)) {
            mayCover = MayCover(event) || mayCover;
            std::free(event);
        }
        return mayCover;
    }

    void EventsArrived()
    {
        bool look = TakeEvents(true);
        // Our own restacking brings events of our own windows only; a reply
        // may queue others' events meanwhile.
        while (look) {
            if (std::exchange(windowManagerChanged_, false))
                ReadWindowManager();
            Look();
            look = TakeEvents(false);
        }
        if (xcb_connection_has_error(connection_)) {
            notifier_.setEnabled(false);
            qCWarning(lcPlatform) << "the X server closed the connection that keeps the clock above other windows";
        }
    }

    // Whether the window manager now running puts an active full-screen
    // window first (none running: no window is made full-screen).
    void ReadWindowManager()
    {
        fullScreenFirst_ = false;
        const xcb_window_t check = WindowProperty(connection_, root_, wmCheck_);
        if (check == XCB_NONE)
            return;
        auto name = Owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, check, wmName_, utf8_, 0, 64), nullptr));
        const QString text = name ? QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(name.get())),
                                                      xcb_get_property_value_length(name.get()))
                                  : QString();
        fullScreenFirst_ = FullScreenGoesAboveKeptAbove(text);
    }

    // The active window's state is followed while it is the active one: a
    // window manager may tell it full-screen only after it stacked it so.
    void FollowActiveWindow(xcb_window_t active)
    {
        if (active == followed_)
            return;
        const uint32_t none = 0, changes = XCB_EVENT_MASK_PROPERTY_CHANGE;
        // A window gone since answers with an error, which is dropped.
        if (followed_ != XCB_NONE)
            xcb_change_window_attributes(connection_, followed_, XCB_CW_EVENT_MASK, &none);
        if (active != XCB_NONE)
            xcb_change_window_attributes(connection_, active, XCB_CW_EVENT_MASK, &changes);
        followed_ = active;
    }

    // The root's child that holds the active window, when that window is
    // full-screen; none otherwise.
    xcb_window_t ActiveFullScreenFrame()
    {
        xcb_window_t w = WindowProperty(connection_, root_, activeWindow_);
        if (Ours(w))
            w = XCB_NONE;
        FollowActiveWindow(w);
        if (w == XCB_NONE)
            return XCB_NONE;
        auto state = Owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, w, wmState_, XCB_ATOM_ATOM, 0, 32), nullptr));
        if (!state || state->format != 32)
            return XCB_NONE;
        const auto *atoms = static_cast<const xcb_atom_t *>(xcb_get_property_value(state.get()));
        const int count = xcb_get_property_value_length(state.get()) / 4;
        if (std::find(atoms, atoms + count, fullScreen_) == atoms + count)
            return XCB_NONE;
        // A window manager's frames lie a level or two between.
        for (int depth = 0; depth < 8; ++depth) {
            auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, w), nullptr));
            if (!tree)
                return XCB_NONE;
            if (tree->parent == root_)
                return w;
            w = tree->parent;
        }
        return XCB_NONE;
    }

    // What a window holds within two levels: a window of this program (a
    // window manager's frame around the clock's own dialog or box), and a
    // window of another program than the one that made it (a frame around
    // that program's window: some window managers make their frames
    // override-redirect too).
    struct Contents {
        bool ours = false;
        bool othersWindow = false;
    };
    Contents ContentsOf(xcb_window_t window)
    {
        Contents contents;
        const uint32_t maker = window & ~idMask_;
        QList<xcb_window_t> level{window};
        for (int depth = 0; depth < 2 && !level.isEmpty(); ++depth) {
            QList<xcb_query_tree_cookie_t> cookies;
            for (xcb_window_t w : level)
                cookies << xcb_query_tree(connection_, w);
            QList<xcb_window_t> next;
            for (const xcb_query_tree_cookie_t &cookie : cookies) {
                auto tree = Owned(xcb_query_tree_reply(connection_, cookie, nullptr));
                if (!tree)
                    continue;
                const xcb_window_t *children = xcb_query_tree_children(tree.get());
                for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
                    contents.ours = contents.ours || Ours(children[i]);
                    contents.othersWindow = contents.othersWindow || (children[i] & ~idMask_) != maker;
                    next << children[i];
                }
            }
            level = next;
        }
        return contents;
    }

    // The clock's place and the windows that matter for it (those above it,
    // and a full-screen one it must stay below), asked all at once.
    void Look()
    {
        auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        if (!tree)
            return;
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        int at = -1;
        for (int i = 0; i < count; ++i)
            if (children[i] == window_)
                at = i;
        if (at < 0)
            return;
        const xcb_window_t fullScreen = fullScreenFirst_ ? ActiveFullScreenFrame() : XCB_NONE;
        QList<int> asked;
        for (int i = 0; i < count; ++i)
            if (i == at || i > at || children[i] == fullScreen)
                asked << i;
        QList<xcb_get_window_attributes_cookie_t> attributes;
        QList<xcb_get_geometry_cookie_t> geometries;
        for (int i : asked) {
            attributes << xcb_get_window_attributes(connection_, children[i]);
            geometries << xcb_get_geometry(connection_, children[i]);
        }
        QList<StackedWindow> stack;
        QList<QRect> places;
        for (qsizetype k = 0; k < asked.size(); ++k) {
            StackedWindow w{.id = children[asked[k]], .ours = Ours(children[asked[k]])};
            if (auto a = Owned(xcb_get_window_attributes_reply(connection_, attributes[k], nullptr))) {
                w.viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
                w.unmanaged = a->override_redirect;
            }
            QRect place;
            if (auto g = Owned(xcb_get_geometry_reply(connection_, geometries[k], nullptr)))
                place = QRect(g->x, g->y, g->width + 2 * g->border_width, g->height + 2 * g->border_width);
            w.fullScreenFirst = w.id == fullScreen;
            stack << w;
            places << place;
        }
        const QRect clock = places[asked.indexOf(at)];
        for (qsizetype k = 0; k < stack.size(); ++k) {
            StackedWindow &w = stack[k];
            w.overClock = w.id == window_ || places[k].intersects(clock);
            if (w.id == window_) {
                w.viewable = true;
            } else if (!w.ours && w.viewable && w.overClock) {
                const Contents contents = ContentsOf(w.id);
                w.ours = contents.ours;
                // A frame is stacked by its window manager, whatever it says.
                w.unmanaged = w.unmanaged && !contents.othersWindow;
            }
        }
        for (const Restack &step : RestacksToKeepAbove(stack, window_)) {
            const uint32_t values[] = {step.sibling, step.above ? XCB_STACK_MODE_ABOVE : XCB_STACK_MODE_BELOW};
            xcb_configure_window(connection_, step.window, XCB_CONFIG_WINDOW_SIBLING | XCB_CONFIG_WINDOW_STACK_MODE,
                                 values);
        }
        xcb_flush(connection_);
    }

    xcb_connection_t *connection_;
    xcb_window_t root_;
    xcb_window_t window_;
    uint32_t idMask_;
    QSocketNotifier notifier_;
    xcb_atom_t activeWindow_ = XCB_ATOM_NONE, wmCheck_ = XCB_ATOM_NONE, wmState_ = XCB_ATOM_NONE;
    xcb_atom_t fullScreen_ = XCB_ATOM_NONE, wmName_ = XCB_ATOM_NONE, utf8_ = XCB_ATOM_NONE;
    bool fullScreenFirst_ = false;       // the window manager puts an active full-screen window first
    xcb_window_t followed_ = XCB_NONE;   // the active window whose state is followed
    bool windowManagerChanged_ = false;  // another window manager took over
};

} // namespace

void KeepAboveOtherProgramsOnX11(QWindow &window)
{
    Display *display = ApplicationDisplay();
    if (!display)
        return;
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(DisplayString(display), &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        qCWarning(lcPlatform) << "no second connection to the X server: the clock may fall below other windows";
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem) {
        xcb_disconnect(connection);
        return;
    }
    new StackingWatch(window, connection, screens.data->root);
}
