#include "settings_window/spin_repeat.h"

#include <array>

#include "settings_window/page_values.h"

namespace {

// Button i steps field kSpinRanges[i].field: the clock size, the alarm time,
// the three hand thicknesses.
constexpr std::array<SpinRange, SpinButtonCount> kSpinRanges = {{
    {0, 48, 256},   // width
    {1, 48, 256},   // height
    {2, 0, 23},     // alarm hour
    {3, 0, 59},     // alarm minute
    {6, 1, 4},      // hour hand
    {7, 1, 4},      // minute hand
    {8, 1, 4},      // second hand
}};

} // namespace

std::optional<SpinRange> SpinRangeOf(int index)
{
    if (index < 0 || index >= SpinButtonCount)
        return std::nullopt;
    return kSpinRanges[index];
}

qint16 SpinDirectionAt(int y)
{
    return y > 9 ? SpinDecrease : SpinIncrease;
}

QString SpinStep(const QString &text, qint16 direction, const SpinRange &range)
{
    const std::optional<qint64> value = ParseFieldNumber(text);
    if (!value)
        return text;
    qint64 next = *value;
    // Saturating: a typed value at the edge of 64 bits must not wrap.
    if (direction == SpinDecrease && next > range.minimum)
        next -= 1;
    else if (direction == SpinIncrease && next < range.maximum)
        next += 1;
    return QString::number(qBound(range.minimum, next, range.maximum));
}
