#include "platform/misplaced_presses.h"

std::optional<MisplacedPresses::Told> MisplacedPresses::take(const Event &event)
{
    // The raw press comes before the leave it causes, or after it: either
    // one waits for the other, for one event only.
    const std::optional<Event> pressBefore = std::exchange(pressBeforeLeave_, std::nullopt);
    const std::optional<quint32> leftAt = std::exchange(leftAt_, std::nullopt);
    switch (event.kind) {
    case Kind::Enter:
        inside_ = true;
        return std::nullopt;
    case Kind::Leave:
        if (!inside_)
            return std::nullopt;
        inside_ = false;
        if (pressBefore && pressBefore->time == event.time) {
            misplaced_ << pressBefore->button;
            return Told{pressBefore->button, true};
        }
        leftAt_ = event.time;
        return std::nullopt;
    case Kind::RawPress:
        if (leftAt && *leftAt == event.time) {
            misplaced_ << event.button;
            return Told{event.button, true};
        }
        if (inside_)
            pressBeforeLeave_ = event;
        return std::nullopt;
    case Kind::RawRelease:
        if (misplaced_.removeOne(event.button))
            return Told{event.button, false};
        return std::nullopt;
    }
    return std::nullopt;
}
