#pragma once
// The spin buttons' rules: which field each button steps, within which
// bounds, and how a held button changes that field on every repeat tick.
#include <optional>
#include <QString>

// Values of SettingsWindowState::UDDirection.
constexpr qint16 SpinNone = -1;
constexpr qint16 SpinDecrease = 1;   // lower half held
constexpr qint16 SpinIncrease = 2;   // upper half held

// Spin buttons 0..6 (UDBTNArea0..6).
constexpr int SpinButtonCount = 7;

struct SpinRange {
    int field;        // index of the FLD the button steps
    qint64 minimum;
    qint64 maximum;
};

// The field and bounds of spin button index; nothing for an unknown index.
std::optional<SpinRange> SpinRangeOf(int index);

// The direction a press at height y (pixels from the button's top) asks for:
// the upper half, y 0..9, increases; below that decreases.
qint16 SpinDirectionAt(int y);

// The field text after one repeat tick: one step in direction, then held to
// the range (no wrap-around). Text that is not a number stays as it is.
QString SpinStep(const QString &text, qint16 direction, const SpinRange &range);
