#pragma once
// What the settings window keeps from one opening to the next. The dialog and
// its controls are built fresh on every opening; this object outlives them
// (start-up owns it and hands it to each opening).
#include <QtGlobal>

struct SettingsWindowState {
    // Index range of the spin buttons of the page last opened that has any;
    // pages without spin buttons leave it as it was.
    qint16 UDFirst = 0;
    qint16 UDLast = 0;
    // The spin button held down, -1 when none.
    qint16 UDPressed = -1;
    // 1 = lower half held (decrease), 2 = upper half held (increase), -1 = none.
    qint16 UDDirection = -1;
    // The alarm preset (0..2) the alarm page shows.
    qint16 AlarmSet = 0;
    // The launcher entry the launcher page shows, 1-based, 0 when none.
    qint16 LunchIndex = 0;
};
