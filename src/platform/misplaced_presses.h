#pragma once
// Presses on a window that the display server delivered somewhere else.
//
// XWayland (22.1) keeps the X pointer where it last moved within X: when
// the compositor's pointer comes onto a window of XWayland from a window of
// no X client and a button is pressed before it moves there, the X server
// puts its pointer back where it last moved and delivers the press there.
// The window under the compositor's pointer then hears only that the
// pointer left it, at the very moment of the press. The raw button events
// of the X input extension still tell every press: a press told at the
// moment the window heard the pointer leave it (not for a grab) belongs to
// that window. Its release belongs to it too, wherever it is delivered.
#include <optional>
#include <QList>
#include <QtGlobal>

class MisplacedPresses {
public:
    enum class Kind {
        Enter,       // the pointer came into the window
        Leave,       // it left the window, not because of a grab
        RawPress,    // a button was pressed somewhere on the X display
        RawRelease,  // a button was released somewhere
    };
    struct Event {
        Kind kind;
        quint32 time = 0;   // the X server's time of the event, ms
        int button = 0;     // for the raw events: the X button number
    };
    struct Told {
        int button = 0;
        bool pressed = false;
        bool operator==(const Told &) const = default;
    };

    // Takes the window's crossings and the display's raw button events in
    // the order the X server sent them; tells a press that belonged to the
    // window, and later its release.
    std::optional<Told> take(const Event &event);

private:
    bool inside_ = false;                   // the last crossing was an enter
    std::optional<quint32> leftAt_;         // the leave right after an enter
    std::optional<Event> pressBeforeLeave_; // a press the window may yet hear leave at
    QList<int> misplaced_;                  // buttons whose release is the window's
};
