#include "platform/linux/x11_window_requests.h"

#include <cstdlib>
#include <memory>
#include <QObject>
#include <QSocketNotifier>
#include <QWindow>

#include "platform/linux/x11_display.h"
#include "platform/log.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>

QList<quint32> RaisesToKeepAbove(const QList<StackedWindow> &bottomToTop, quint32 window)
{
    qsizetype at = -1;
    for (qsizetype i = 0; i < bottomToTop.size(); ++i)
        if (bottomToTop[i].id == window)
            at = i;
    if (at < 0)
        return {};
    bool coveredByOthers = false;
    QList<quint32> ownAbove;
    for (qsizetype i = at + 1; i < bottomToTop.size(); ++i) {
        const StackedWindow &w = bottomToTop[i];
        if (!w.ours && w.viewable)
            coveredByOthers = true;
        else if (w.ours && w.viewable && w.unmanaged)
            ownAbove << w.id;
    }
    if (!coveredByOthers)
        return {};
    return QList<quint32>{window} + ownAbove;
}

namespace {

class StackingWatch : public QObject {
public:
    StackingWatch(QWindow &window, xcb_connection_t *connection, xcb_window_t root)
        : QObject(&window), connection_(connection), root_(root), window_(xcb_window_t(window.winId())),
          idMask_(xcb_get_setup(connection)->resource_id_mask),
          notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        // The events of the root's children: maps, moves and restacks of
        // every top-level window, as they happen; nothing is polled.
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_);
        connect(&notifier_, &QSocketNotifier::activated, this, &StackingWatch::EventsArrived);
    }
    ~StackingWatch() override { xcb_disconnect(connection_); }

private:
    // The windows of this program share the resource base of its connection.
    bool Ours(xcb_window_t w) const { return (w & ~idMask_) == (window_ & ~idMask_); }

    // Whether the event may have put another program's window above ours.
    bool MayCover(const xcb_generic_event_t *event) const
    {
        switch (event->response_type & 0x7f) {
        case XCB_MAP_NOTIFY:
            return !Ours(reinterpret_cast<const xcb_map_notify_event_t *>(event)->window);
        case XCB_CONFIGURE_NOTIFY:
            return !Ours(reinterpret_cast<const xcb_configure_notify_event_t *>(event)->window);
        case XCB_CIRCULATE_NOTIFY:
            return !Ours(reinterpret_cast<const xcb_circulate_notify_event_t *>(event)->window);
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
            mayCover = mayCover || MayCover(event);
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
            Restack();
            look = TakeEvents(false);
        }
        if (xcb_connection_has_error(connection_)) {
            notifier_.setEnabled(false);
            qCWarning(lcPlatform) << "the X server closed the connection that keeps the clock above other windows";
        }
    }

    void Restack()
    {
        std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
            xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr), &std::free);
        if (!tree)
            return;
        const xcb_window_t *children = xcb_query_tree_children(tree.get());
        const int count = xcb_query_tree_children_length(tree.get());
        // Only the windows above ours matter; their attributes asked all at once.
        int at = count;
        for (int i = 0; i < count; ++i)
            if (children[i] == window_)
                at = i;
        if (at >= count - 1)
            return;
        QList<xcb_get_window_attributes_cookie_t> cookies;
        for (int i = at + 1; i < count; ++i)
            cookies << xcb_get_window_attributes(connection_, children[i]);
        QList<StackedWindow> stack = {{.id = window_, .ours = true, .viewable = true, .unmanaged = true}};
        for (int i = at + 1; i < count; ++i) {
            StackedWindow w{.id = children[i], .ours = Ours(children[i])};
            if (xcb_get_window_attributes_reply_t *a =
                    xcb_get_window_attributes_reply(connection_, cookies[i - at - 1], nullptr)) {
                w.viewable = a->map_state == XCB_MAP_STATE_VIEWABLE;
                w.unmanaged = a->override_redirect;
                std::free(a);
            }
            stack << w;
        }
        const uint32_t above = XCB_STACK_MODE_ABOVE;
        for (quint32 id : RaisesToKeepAbove(stack, window_))
            xcb_configure_window(connection_, id, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_flush(connection_);
    }

    xcb_connection_t *connection_;
    xcb_window_t root_;
    xcb_window_t window_;
    uint32_t idMask_;
    QSocketNotifier notifier_;
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
