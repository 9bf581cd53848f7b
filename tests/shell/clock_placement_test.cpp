// Where the clock starts: its saved position, kept on a monitor.
#include <gtest/gtest.h>

#include "shell/clock_placement.h"

namespace {

// Two monitors side by side: 1024 x 768 at the origin and a taller
// 1280 x 1024 one to its right; an 80 x 80 clock at 15 twips per pixel.
const QRect Left(0, 0, 1024, 768);
const QRect Right(1024, 0, 1280, 1024);

struct Case {
    const char *what;
    QPoint saved; // pixels, saved as twips
    QList<QRect> monitors;
    QPoint expected;
};

TEST(ClockPlacementTest, StartsOnAMonitorWhereverTheSavedPositionLies)
{
    const QList<Case> cases = {
        {"on the first monitor", {200, 150}, {Left, Right}, {200, 150}},
        {"on the second monitor", {1500, 900}, {Left, Right}, {1500, 900}},
        {"across both, its middle on the second", {1000, 300}, {Left, Right}, {1000, 300}},
        {"partly off the top and left, its middle on screen: kept", {-20, -10}, {Left, Right}, {-20, -10}},
        {"off the right of the desktop: pulled back", {5000, 100}, {Left, Right}, {2304 - 80, 100}},
        {"below the shorter monitor, in the desktop's empty corner", {300, 900}, {Left, Right}, {300, 768 - 80}},
        {"far off the left", {-3000, 400}, {Left, Right}, {0, 400}},
        {"far above", {500, -2000}, {Left, Right}, {500, 0}},
        {"far off the top left corner", {-500, -500}, {Left, Right}, {0, 0}},
        {"on a monitor since unplugged, right of the only one", {1500, 900}, {Left}, {1024 - 80, 768 - 80}},
        {"in the gap between two monitors", {1100, 200}, {Left, QRect(1200, 0, 800, 600)}, {1200, 200}},
        {"beside a panel: onto the area for windows", {-300, 5}, {QRect(0, 32, 1024, 736)}, {0, 32}},
        {"without monitors, as saved", {-300, 5}, {}, {-300, 5}},
    };
    for (const Case &c : cases) {
        ClockPlacementInput in;
        in.left = c.saved.x() * 15;
        in.top = c.saved.y() * 15;
        in.size = QSize(80, 80);
        for (const QRect &monitor : c.monitors)
            in.desktop |= monitor;
        if (c.monitors.isEmpty())
            in.desktop = Left;
        in.monitors = c.monitors;
        EXPECT_EQ(ClockStartPosition(in), c.expected) << c.what;
    }
}

TEST(ClockPlacementTest, AClockLargerThanItsMonitorShowsItsTopLeft)
{
    ClockPlacementInput in;
    in.left = -5000 * 15;
    in.top = 0;
    in.size = QSize(1200, 900);
    in.desktop = Left;
    in.monitors = {Left};
    EXPECT_EQ(ClockStartPosition(in), QPoint(0, 0));
}

} // namespace
