// The button pictures: layout of the sheet and the looks a cell offers.
#include <gtest/gtest.h>

#include "settings_window/sprite_sheet.h"

namespace {

QImage Cell(int look, int row, int top = 0, int height = SpriteCell)
{
    return SpriteSheet().copy(SpriteLookX(look), row * SpriteCell + top, SpriteCell, height);
}

bool HasDarkGlyph(const QImage &cell)
{
    // Glyph pixels are black; the bevel's darkest edge is not.
    for (int y = 2; y < cell.height() - 2; ++y)
        for (int x = 2; x < cell.width() - 2; ++x)
            if (cell.pixelColor(x, y) == Qt::black)
                return true;
    return false;
}

TEST(SpriteSheetTest, HasTwoLooksOfNineButtons)
{
    EXPECT_EQ(SpriteSheet().size(), QSize(36, 162));
}

TEST(SpriteSheetTest, EveryCellHasASymbolAndDiffersBetweenLooks)
{
    for (int row = 0; row < SpriteRowCount; ++row) {
        EXPECT_TRUE(HasDarkGlyph(Cell(0, row))) << row;
        EXPECT_TRUE(HasDarkGlyph(Cell(1, row))) << row;
        EXPECT_NE(Cell(0, row), Cell(1, row)) << row;
    }
}

TEST(SpriteSheetTest, TheNineSymbolsAreAllDifferent)
{
    for (int a = 0; a < SpriteRowCount; ++a)
        for (int b = a + 1; b < SpriteRowCount; ++b)
            EXPECT_NE(Cell(0, a), Cell(0, b)) << a << " " << b;
}

TEST(SpriteSheetTest, RaisedIsLitTopLeftAndSunkenIsShadedThere)
{
    const QImage raised = Cell(0, int(SpriteRow::Play));
    const QImage sunken = Cell(1, int(SpriteRow::Play));
    EXPECT_GT(raised.pixelColor(0, 0).lightness(), raised.pixelColor(17, 17).lightness());
    EXPECT_LT(sunken.pixelColor(0, 0).lightness(), sunken.pixelColor(17, 17).lightness());
}

TEST(SpriteSheetTest, SpinHalvesAreSeparateButtonsWithOppositeArrows)
{
    const QImage upper = Cell(0, 0, 0, 9);
    const QImage lower = Cell(0, 0, 9, 9);
    // Each half has its own lit top edge.
    EXPECT_GT(upper.pixelColor(5, 0).lightness(), upper.pixelColor(5, 8).lightness());
    EXPECT_GT(lower.pixelColor(5, 0).lightness(), lower.pixelColor(5, 8).lightness());
    // The up arrow widens downwards, the down arrow narrows.
    auto width = [](const QImage &half, int y) {
        int n = 0;
        for (int x = 0; x < half.width(); ++x)
            n += half.pixelColor(x, y) == Qt::black;
        return n;
    };
    EXPECT_LT(width(upper, 3), width(upper, 5));
    EXPECT_GT(width(lower, 3), width(lower, 5));
}

} // namespace
