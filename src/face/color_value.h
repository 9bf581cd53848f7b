#pragma once
#include <QColor>

#include "settings/settings.h"

// Stored colours are 0x00BBGGRR (red + 256 * green + 65536 * blue).
inline QColor ToQColor(ColorValue value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

inline ColorValue ToColorValue(const QColor &color)
{
    return color.red() + 256 * color.green() + 65536 * color.blue();
}
