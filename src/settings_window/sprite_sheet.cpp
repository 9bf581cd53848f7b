#include "settings_window/sprite_sheet.h"

#include <QPainter>

namespace {

// Classic 3-D control colours.
const QColor kFace(0xD4, 0xD0, 0xC8);
const QColor kLight(0xFF, 0xFF, 0xFF);
const QColor kShadow(0x80, 0x80, 0x80);
const QColor kDarkShadow(0x40, 0x40, 0x40);
const QColor kGlyph(0x00, 0x00, 0x00);

// A bevelled box filling rect: light upper-left edges when raised, dark when
// sunken.
void DrawBevel(QPainter &p, const QRect &rect, bool sunken)
{
    p.fillRect(rect, kFace);
    const QColor outerTopLeft = sunken ? kDarkShadow : kLight;
    const QColor outerBottomRight = sunken ? kLight : kDarkShadow;
    const QColor innerBottomRight = sunken ? kFace : kShadow;
    const QColor innerTopLeft = sunken ? kShadow : kFace;
    const int l = rect.left(), t = rect.top(), r = rect.right(), b = rect.bottom();
    p.fillRect(QRect(QPoint(l, t), QPoint(r, t)), outerTopLeft);
    p.fillRect(QRect(QPoint(l, t), QPoint(l, b)), outerTopLeft);
    p.fillRect(QRect(QPoint(l, b), QPoint(r, b)), outerBottomRight);
    p.fillRect(QRect(QPoint(r, t), QPoint(r, b)), outerBottomRight);
    p.fillRect(QRect(QPoint(l + 1, t + 1), QPoint(r - 1, t + 1)), innerTopLeft);
    p.fillRect(QRect(QPoint(l + 1, t + 1), QPoint(l + 1, b - 1)), innerTopLeft);
    p.fillRect(QRect(QPoint(l + 1, b - 1), QPoint(r - 1, b - 1)), innerBottomRight);
    p.fillRect(QRect(QPoint(r - 1, t + 1), QPoint(r - 1, b - 1)), innerBottomRight);
}

// The glyphs are built from single-pixel runs so they stay crisp at 18 px.
void HLine(QPainter &p, int x1, int x2, int y)
{
    p.fillRect(QRect(QPoint(x1, y), QPoint(x2, y)), kGlyph);
}

void VLine(QPainter &p, int x, int y1, int y2)
{
    p.fillRect(QRect(QPoint(x, y1), QPoint(x, y2)), kGlyph);
}

// A triangle pointing up (rows widening downwards) or down, apex at row y.
void ArrowVertical(QPainter &p, int y, int rows, bool up)
{
    for (int k = 0; k < rows; ++k)
        HLine(p, 8 - k, 9 + k, up ? y + k : y - k);
}

// A triangle pointing right (columns narrowing rightwards) with its flat
// side at column x, or pointing left with its flat side at x.
void ArrowHorizontal(QPainter &p, int x, int halfHeight, bool right)
{
    for (int k = 0; k < halfHeight; ++k) {
        const int column = right ? x + k : x - k;
        VLine(p, column, 4 + k, 13 - k);
    }
}

void DrawGlyph(QPainter &p, SpriteRow row)
{
    switch (row) {
    case SpriteRow::Spin:
        ArrowVertical(p, 3, 3, true);       // upper half, y 3..5
        ArrowVertical(p, 14, 3, false);     // lower half, y 12..14
        break;
    case SpriteRow::Play:
        ArrowHorizontal(p, 6, 5, true);
        break;
    case SpriteRow::FastForward:
        ArrowHorizontal(p, 4, 5, true);
        ArrowHorizontal(p, 9, 5, true);
        break;
    case SpriteRow::Rewind:
        ArrowHorizontal(p, 8, 5, false);
        ArrowHorizontal(p, 13, 5, false);
        break;
    case SpriteRow::Stop:
        p.fillRect(QRect(5, 5, 8, 8), kGlyph);
        break;
    case SpriteRow::Pause:
        p.fillRect(QRect(5, 4, 3, 10), kGlyph);
        p.fillRect(QRect(10, 4, 3, 10), kGlyph);
        break;
    case SpriteRow::Eject:
        ArrowVertical(p, 4, 5, true);
        p.fillRect(QRect(4, 11, 10, 2), kGlyph);
        break;
    case SpriteRow::NextTrack:
        ArrowHorizontal(p, 5, 5, true);
        p.fillRect(QRect(11, 4, 2, 10), kGlyph);
        break;
    case SpriteRow::PreviousTrack:
        p.fillRect(QRect(5, 4, 2, 10), kGlyph);
        ArrowHorizontal(p, 12, 5, false);
        break;
    }
}

void DrawCell(QPainter &p, SpriteRow row, bool sunken)
{
    if (row == SpriteRow::Spin) {
        // Two separate half-height buttons, so each half can look pressed.
        DrawBevel(p, QRect(0, 0, SpriteCell, 9), sunken);
        DrawBevel(p, QRect(0, 9, SpriteCell, 9), sunken);
    } else {
        DrawBevel(p, QRect(0, 0, SpriteCell, SpriteCell), sunken);
    }
    p.save();
    // A pressed button's picture moves one pixel down and right.
    if (sunken)
        p.translate(1, 1);
    DrawGlyph(p, row);
    p.restore();
}

QImage DrawSheet()
{
    QImage sheet(2 * SpriteCell, SpriteRowCount * SpriteCell, QImage::Format_RGB32);
    sheet.fill(kFace);
    QPainter p(&sheet);
    for (int row = 0; row < SpriteRowCount; ++row) {
        for (int look = 0; look < 2; ++look) {
            p.save();
            p.translate(SpriteLookX(look), row * SpriteCell);
            p.setClipRect(0, 0, SpriteCell, SpriteCell);
            DrawCell(p, SpriteRow(row), look == 1);
            p.restore();
        }
    }
    return sheet;
}

} // namespace

const QImage &SpriteSheet()
{
    static const QImage sheet = DrawSheet();
    return sheet;
}
