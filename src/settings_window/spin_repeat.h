#pragma once
// The spin buttons' rules: the bounds of the field each button steps, and
// how a held button changes that field on every repeat tick.
#include <optional>
#include <QString>

// Values of SettingsWindowState::UDDirection.
constexpr qint16 SpinNone = -1;
constexpr qint16 SpinDecrease = 1;   // lower half held
constexpr qint16 SpinIncrease = 2;   // upper half held

// Spin buttons 0..6 (UDBTNArea0..6).
constexpr int SpinButtonCount = 7;

struct SpinRange {
    qint64 minimum;
    qint64 maximum;
};

// The bounds of the field spin button index steps: 0 and 1 the clock's width
// and height, 2 and 3 the alarm's hour and minute, 4 to 6 the hand widths.
// Nothing for an unknown index.
std::optional<SpinRange> SpinRangeOf(int index);

// The direction a press at height y (pixels from the button's top) asks for:
// the upper half, y 0..9, increases; below that decreases.
qint16 SpinDirectionAt(int y);

// The field text after one repeat tick: one step in direction, then held to
// the range (no wrap-around). Text that is not a number stays as it is.
QString SpinStep(const QString &text, qint16 direction, const SpinRange &range);
