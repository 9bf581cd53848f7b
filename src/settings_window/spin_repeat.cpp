#include "settings_window/spin_repeat.h"

#include <array>

#include "settings_window/page_values.h"

namespace {

constexpr std::array<SpinRange, SpinButtonCount> kSpinRanges = {{
    {48, 256},   // width (FLD0)
    {48, 256},   // height (FLD1)
    {0, 23},     // alarm hour (FLD2)
    {0, 59},     // alarm minute (FLD3)
    {1, 4},      // hour hand (FLD6)
    {1, 4},      // minute hand (FLD7)
    {1, 4},      // second hand (FLD8)
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
