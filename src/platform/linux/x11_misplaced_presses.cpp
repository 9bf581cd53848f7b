#include "platform/linux/x11_misplaced_presses.h"

#include <cstdlib>
#include <QObject>
#include <QSocketNotifier>
#include <QWindow>

#include "platform/linux/x11_raw_input.h"
#include "platform/log.h"
#include "platform/misplaced_presses.h"

// Xlib's and xcb's macros clash with Qt's names: their headers come last.
#include <X11/Xlib.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

namespace {

class PressWatch : public QObject {
public:
    PressWatch(QWindow &window, xcb_connection_t *connection, xcb_window_t root, uint8_t opcode,
               std::function<void(int, bool)> told)
        : QObject(&window), connection_(connection), opcode_(opcode), told_(std::move(told)),
          notifier_(xcb_get_file_descriptor(connection), QSocketNotifier::Read)
    {
        // The window's crossings (any number of clients may ask for them),
        // and the raw presses and releases of the whole display, which the
        // X server tells wherever it delivers the presses themselves. Nothing
        // comes while no button is pressed and the pointer stays put.
        Select(xcb_window_t(window.winId()), XCB_INPUT_XI_EVENT_MASK_ENTER | XCB_INPUT_XI_EVENT_MASK_LEAVE);
        Select(root, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_RELEASE);
        xcb_flush(connection_);
        connect(&notifier_, &QSocketNotifier::activated, this, &PressWatch::EventsArrived);
    }
    ~PressWatch() override { xcb_disconnect(connection_); }

private:
    void Select(xcb_window_t window, uint32_t mask)
    {
        struct {
            xcb_input_event_mask_t head;
            uint32_t mask;
        } selection{{XCB_INPUT_DEVICE_ALL_MASTER, 1}, mask};
        xcb_input_xi_select_events(connection_, window, 1, &selection.head);
    }

    std::optional<MisplacedPresses::Event> Read(const xcb_ge_generic_event_t *event) const
    {
        using Kind = MisplacedPresses::Kind;
        switch (event->event_type) {
        case XCB_INPUT_ENTER:
        case XCB_INPUT_LEAVE: {
            const auto *crossing = reinterpret_cast<const xcb_input_enter_event_t *>(event);
            // The crossings of grabs (the clock's own menu taking the
            // pointer) are no moves of the pointer.
            if (crossing->mode != XCB_INPUT_NOTIFY_MODE_NORMAL)
                return std::nullopt;
            return MisplacedPresses::Event{event->event_type == XCB_INPUT_ENTER ? Kind::Enter : Kind::Leave,
                                           crossing->time, 0};
        }
        case XCB_INPUT_RAW_BUTTON_PRESS:
        case XCB_INPUT_RAW_BUTTON_RELEASE: {
            const auto *raw = reinterpret_cast<const xcb_input_raw_button_press_event_t *>(event);
            return MisplacedPresses::Event{
                event->event_type == XCB_INPUT_RAW_BUTTON_PRESS ? Kind::RawPress : Kind::RawRelease, raw->time,
                int(raw->detail)};
        }
        default:
            return std::nullopt;
        }
    }

    void EventsArrived()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection_)) {
            if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
                const auto *generic = reinterpret_cast<const xcb_ge_generic_event_t *>(event);
                if (generic->extension == opcode_)
                    if (const auto read = Read(generic))
                        if (const auto told = presses_.take(*read))
                            told_(told->button, told->pressed);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection_)) {
            notifier_.setEnabled(false);
            qCWarning(lcPlatform) << "the X server closed the connection that watches the presses on the clock";
        }
    }

    xcb_connection_t *connection_;
    uint8_t opcode_;
    std::function<void(int, bool)> told_;
    MisplacedPresses presses_;
    QSocketNotifier notifier_;
};

} // namespace

void TellMisplacedPressesOnX11(QWindow &window, std::function<void(int button, bool pressed)> told)
{
    // Raw presses wherever they go, grabs or not.
    if (const std::optional<RawInputConnection> input = ConnectForRawInput())
        new PressWatch(window, input->connection, input->root, input->opcode, std::move(told));
}
