#pragma once

#include <QColor>

// The pure colours the face tests paint with and look for.
inline constexpr QRgb kWhite = 0xffffffff;
inline constexpr QRgb kRed = 0xffff0000;
inline constexpr QRgb kGreen = 0xff008000;
inline constexpr QRgb kBlue = 0xff0000ff;
