#pragma once
// The button pictures of the settings window: one 36 x 162 sheet of 18 x 18
// cells. Column x 0..17 holds the raised (normal) look, x 18..35 the sunken
// (pressed) look. Row 0 is the spin button, its upper half (y 0..8) an up
// arrow and its lower half (y 9..17) a down arrow; rows 1..8 are the CD
// panel's buttons.
#include <QImage>

constexpr int SpriteCell = 18;

enum class SpriteRow {
    Spin = 0,
    Play,
    FastForward,
    Rewind,
    Stop,
    Pause,
    Eject,
    NextTrack,
    PreviousTrack,
};
constexpr int SpriteRowCount = 9;

// The sheet, drawn on first use and shared afterwards.
const QImage &SpriteSheet();

// Column of a look: 0 raised, 1 sunken.
constexpr int SpriteLookX(int look)
{
    return look == 0 ? 0 : SpriteCell;
}
