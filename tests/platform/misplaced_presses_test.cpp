#include <gtest/gtest.h>

#include "platform/misplaced_presses.h"

namespace {

using Kind = MisplacedPresses::Kind;
using Told = MisplacedPresses::Told;

MisplacedPresses::Event Enter(quint32 t) { return {Kind::Enter, t, 0}; }
MisplacedPresses::Event Leave(quint32 t) { return {Kind::Leave, t, 0}; }
MisplacedPresses::Event Press(quint32 t, int button) { return {Kind::RawPress, t, button}; }
MisplacedPresses::Event Release(quint32 t, int button) { return {Kind::RawRelease, t, button}; }

QList<Told> Feed(const QList<MisplacedPresses::Event> &events)
{
    MisplacedPresses presses;
    QList<Told> told;
    for (const auto &event : events)
        if (auto t = presses.take(event))
            told << *t;
    return told;
}

} // namespace

// Only a press at the very moment the window heard the pointer leave it,
// after it had come in, belongs to the window; its release follows it.
TEST(MisplacedPresses, APressAtTheMomentOfALeaveIsTheWindowsAndSoIsItsRelease)
{
    const struct {
        const char *what;
        QList<MisplacedPresses::Event> events;
        QList<Told> told;
    } cases[] = {
        {"the press told before the leave", {Enter(10), Press(50, 3), Leave(50), Release(90, 3)},
         {{3, true}, {3, false}}},
        {"the leave told before the press", {Enter(10), Leave(50), Press(50, 1), Release(90, 1)},
         {{1, true}, {1, false}}},
        {"a press the window got itself", {Enter(10), Press(50, 1), Release(90, 1), Leave(120)}, {}},
        {"a leave, then a press elsewhere later", {Enter(10), Leave(50), Press(51, 1), Release(90, 1)}, {}},
        {"a press while the pointer was elsewhere", {Enter(10), Leave(20), Press(50, 1), Leave(50)}, {}},
        {"a leave with no enter before it", {Leave(50), Press(50, 1)}, {}},
        {"another button's release", {Enter(10), Leave(50), Press(50, 1), Release(60, 3)}, {{1, true}}},
        {"twice in turn",
         {Enter(10), Leave(50), Press(50, 1), Release(60, 1), Enter(70), Press(80, 3), Leave(80), Release(90, 3)},
         {{1, true}, {1, false}, {3, true}, {3, false}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Feed(c.events), c.told) << c.what;
}
