#include "platform/linux/x11_pointer_motion.h"

#include <cstdlib>
#include <utility>
#include <QSocketNotifier>

#include "platform/linux/x11_raw_input.h"
#include "platform/log.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace {

class RawMotionWatch : public X11PointerMotion {
public:
    RawMotionWatch(xcb_connection_t *connection, xcb_window_t root, uint8_t opcode)
        : connection_(connection), root_(root), opcode_(opcode),
          notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        QObject::connect(&notifier_, &QSocketNotifier::activated, [this] { EventsArrived(); });
    }
    ~RawMotionWatch() override { xcb_disconnect(connection_); }

    void tellNextMove(std::function<void()> moved) override
    {
        moved_ = std::move(moved);
        Listen(true);
    }

private:
    // Raw motion of every pointer, selected on the root: the X server sends
    // it whichever window lies under the pointer, grabs or not.
    void Listen(bool on)
    {
        struct {
            xcb_input_event_mask_t head;
            uint32_t mask;
        } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, on ? uint32_t(XCB_INPUT_XI_EVENT_MASK_RAW_MOTION) : 0u};
        xcb_input_xi_select_events(connection_, root_, 1, &selection.head);
        xcb_flush(connection_);
    }

    void EventsArrived()
    {
        bool moved = false;
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
                const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
                moved = moved || (generic->extension == opcode_ && generic->event_type == XCB_INPUT_RAW_MOTION);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection_)) {
            notifier_.setEnabled(false);
            qCWarning(lcPlatform) << "the X server closed the connection that tells the pointer's moves";
            return;
        }
        // Once told, the X server keeps still until the next request; moves
        // it sent meanwhile are dropped here.
        if (moved && moved_) {
            Listen(false);
            std::exchange(moved_, nullptr)();
        }
    }

    xcb_connection_t *connection_;
    xcb_window_t root_;
    uint8_t opcode_;
    QSocketNotifier notifier_;
    std::function<void()> moved_;
};

} // namespace

std::unique_ptr<X11PointerMotion> X11PointerMotion::Start()
{
    // Raw motion while another program holds a grab.
    const std::optional<RawInputConnection> input = ConnectForRawInput();
    if (!input)
        return nullptr;
    return std::make_unique<RawMotionWatch>(input->connection, input->root, input->opcode);
}
