#include <gtest/gtest.h>
#include <QImage>

#include "face/analog_face.h"
#include "face/animation.h"
#include "support/face_colours.h"
#include "support/temp_folder.h"

namespace {

const QRgb kBlack = qRgb(0, 0, 0);

// An 8 x 4 sheet: a 4 x 4 picture at (0, 0), its mask at (4, 0).
// Picture: red at (1, 1), blue at (2, 2), white at (0, 0), black elsewhere.
// Mask: black (figure) at (1, 1), (2, 2) and (1, 2), white elsewhere.
QImage TestSheet()
{
    QImage sheet(8, 4, QImage::Format_RGB32);
    sheet.fill(kBlack);
    sheet.setPixel(1, 1, kRed);
    sheet.setPixel(2, 2, kBlue);
    sheet.setPixel(0, 0, kWhite);
    for (int y = 0; y < 4; ++y)
        for (int x = 4; x < 8; ++x)
            sheet.setPixel(x, y, kWhite);
    for (const QPoint p : {QPoint(1, 1), QPoint(2, 2), QPoint(1, 2)})
        sheet.setPixel(p + QPoint(4, 0), kBlack);
    return sheet;
}

const SpritePattern kTestPattern{0, 0, 4, 0, 4, 4, 0, 0, 3};

QImage GreenFace(int w, int h, QImage::Format format = QImage::Format_RGB32)
{
    QImage face(w, h, format);
    face.fill(kGreen);
    return face;
}

EnvironmentDefinition WithPatterns(QList<SpritePattern> patterns)
{
    EnvironmentDefinition env;
    env.Pattern = qint16(patterns.size());
    env.Patterns = patterns;
    return env;
}

FaceAnimation Animation(const EnvironmentDefinition &env)
{
    FaceAnimation animation;
    animation.SetEnvironment(env);
    animation.SetSheet(TestSheet());
    animation.Reset(QSize(80, 80));
    return animation;
}

// The pattern shown on each of `ticks` ticks.
QList<int> ShownPatterns(FaceAnimation &animation, int ticks)
{
    QList<int> shown;
    for (int i = 0; i < ticks; ++i) {
        animation.AdvanceAnimation(QSize(80, 80), QSize());
        shown.append(animation.index());
    }
    return shown;
}

// --- DrawSprite ---------------------------------------------------------------

TEST(DrawSpriteTest, MaskIsAndedThenPictureXored)
{
    FaceAnimation animation = Animation(WithPatterns({kTestPattern}));
    QImage face = GreenFace(10, 10);
    animation.DrawSprite(face, 1, 5, 5);   // corner (5 - 4 / 2, 5 - 4 / 2) = (3, 3)

    EXPECT_EQ(face.pixel(4, 4), kRed);     // figure: exactly the picture's colour
    EXPECT_EQ(face.pixel(5, 5), kBlue);
    EXPECT_EQ(face.pixel(4, 5), kBlack);   // figure pixel that is black in the picture
    EXPECT_EQ(face.pixel(6, 6), kGreen);   // white mask, black picture: face shows through
    EXPECT_EQ(face.pixel(3, 3), qRgb(255, 127, 255));   // white mask: picture XORed, not copied
    EXPECT_EQ(face.pixel(2, 2), kGreen);   // outside the pattern
    EXPECT_EQ(face.pixel(7, 7), kGreen);
}

TEST(DrawSpriteTest, EverySurfaceFormatGivesTheSameFace)
{
    FaceAnimation animation = Animation(WithPatterns({kTestPattern}));
    QImage reference = GreenFace(10, 10);
    animation.DrawSprite(reference, 1, 5, 5);
    for (const QImage::Format format : {QImage::Format_ARGB32_Premultiplied,
                                        QImage::Format_ARGB32, QImage::Format_RGB888}) {
        QImage face = GreenFace(10, 10, format);
        animation.DrawSprite(face, 1, 5, 5);
        EXPECT_EQ(face.convertToFormat(QImage::Format_RGB32), reference) << format;
    }
}

TEST(DrawSpriteTest, CentresOnThePointShiftedByTheOffsets)
{
    EnvironmentDefinition env = WithPatterns({kTestPattern});
    env.AdjustX = "10";
    env.AdjustY = "-1";
    FaceAnimation animation = Animation(env);
    QImage face = GreenFace(20, 10);
    animation.DrawSprite(face, 1, 5, 5);
    EXPECT_EQ(face.pixel(14, 3), kRed);    // (4, 4) moved 10 right, 1 up
    EXPECT_EQ(face.pixel(4, 4), kGreen);

    // Odd sizes: the half width is truncated.
    env.AdjustX = env.AdjustY = "0";
    env.Patterns = {{0, 0, 4, 0, 3, 3, 0, 0, 3}};
    animation = Animation(env);
    face = GreenFace(10, 10);
    animation.DrawSprite(face, 1, 5, 5);   // corner (4, 4)
    EXPECT_EQ(face.pixel(5, 5), kRed);

    // The offsets are 32-bit numbers, beyond what a 16-bit field holds.
    env.AdjustX = "40000";
    env.AdjustY = "-40000";
    animation = Animation(env);
    face = GreenFace(10, 10);
    animation.DrawSprite(face, 1, -39995, 40005);   // corner (4, 4) again
    EXPECT_EQ(face.pixel(5, 5), kRed);
}

TEST(DrawSpriteTest, DrawsOnlyWhatLiesOnTheFaceAndTheSheet)
{
    FaceAnimation animation = Animation(WithPatterns(
        {kTestPattern, {0, 0, 4, 0, 0, 4, 0, 0, 3}, {-2, -2, 2, -2, 4, 4, 0, 0, 3}}));
    QImage face = GreenFace(10, 10);
    animation.DrawSprite(face, 1, 0, 0);   // corner (-2, -2)
    EXPECT_EQ(face.pixel(0, 0), kBlue);
    EXPECT_EQ(face.pixel(1, 1), kGreen);

    face = GreenFace(10, 10);
    const QImage untouched = face;
    animation.DrawSprite(face, 2, 5, 5);   // width 0
    animation.DrawSprite(face, 0, 5, 5);   // no pattern yet
    animation.DrawSprite(face, 97, 5, 5);  // beyond the table
    animation.DrawSprite(face, 1, 30000, -30000);
    EXPECT_EQ(face, untouched);

    animation.DrawSprite(face, 3, 5, 5);   // sheet block starts 2 pixels off the sheet
    EXPECT_EQ(face.pixel(6, 6), kRed);     // sheet (1, 1) lands at corner (3, 3) + (3, 3)
    EXPECT_EQ(face.pixel(3, 3), kGreen);
}

// --- Animation step -----------------------------------------------------------

TEST(AnimationStepTest, BuiltInFigureAlternatesInTheCentreEveryThreeTicks)
{
    FaceAnimation animation;
    animation.InstallBuiltInPatterns();
    animation.Reset(QSize(80, 80));
    EXPECT_EQ(animation.patternCount(), 2);
    EXPECT_EQ(ShownPatterns(animation, 12), QList<int>({1, 1, 1, 2, 2, 2, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(animation.figurePosition(), QPoint(40, 40));
}

TEST(AnimationStepTest, BuiltInSheetHoldsTwoMaskedPoses)
{
    const QImage sheet = [] {
        FaceAnimation animation;
        animation.InstallBuiltInPatterns();
        return animation.sheet();
    }();
    ASSERT_EQ(sheet.size(), QSize(64, 64));
    int figurePixels[2] = {0, 0};
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb mask = sheet.pixel(x + 32, y);
            ASSERT_TRUE(mask == kBlack || mask == kWhite) << x << "," << y;
            if (mask == kWhite)
                ASSERT_EQ(sheet.pixel(x, y), kBlack) << x << "," << y;
            else
                ++figurePixels[y / 32];
        }
    }
    EXPECT_GT(figurePixels[0], 200);
    EXPECT_GT(figurePixels[1], 200);
}

TEST(AnimationStepTest, PatternStaysItsTicksButAtLeastTwo)
{
    FaceAnimation animation = Animation(WithPatterns(
        {{0, 0, 4, 0, 4, 4, 0, 0, 1}, {0, 0, 4, 0, 4, 4, 0, 0, 5}, {0, 0, 4, 0, 4, 4, 0, 0, 0}}));
    EXPECT_EQ(ShownPatterns(animation, 11), QList<int>({1, 1, 2, 2, 2, 2, 2, 3, 3, 1, 1}));
}

TEST(AnimationStepTest, WithoutPatternsNothingIsShown)
{
    FaceAnimation animation = Animation(EnvironmentDefinition{});
    EXPECT_EQ(ShownPatterns(animation, 5), QList<int>({0, 0, 0, 0, 0}));
}

TEST(AnimationStepTest, FigureMovesWhenAPatternBegins)
{
    FaceAnimation animation = Animation(
        WithPatterns({{0, 0, 4, 0, 4, 4, 3, -1, 2}, {0, 0, 4, 0, 4, 4, -1, 0, 2}}));
    const QList<QPoint> expected = {{43, 39}, {43, 39}, {42, 39}, {42, 39}, {45, 38}};
    for (const QPoint &position : expected) {
        animation.AdvanceAnimation(QSize(80, 80), QSize());
        EXPECT_EQ(animation.figurePosition(), position);
    }
}

TEST(AnimationStepTest, ResetRestartsTheFirstPatternAtTheCentreOfTheNewSize)
{
    FaceAnimation animation = Animation(
        WithPatterns({{0, 0, 4, 0, 4, 4, 3, -1, 4}, {0, 0, 4, 0, 4, 4, -1, 0, 4}}));
    for (int tick = 0; tick < 6; ++tick)   // halfway through pattern 2
        animation.AdvanceAnimation(QSize(80, 80), QSize());
    ASSERT_EQ(animation.index(), 2);
    ASSERT_EQ(animation.counter(), 2);

    animation.Reset(QSize(121, 57));
    EXPECT_EQ(animation.index(), 0);
    EXPECT_EQ(animation.counter(), 0);
    EXPECT_EQ(animation.figurePosition(), QPoint(60, 28));
    // The next tick begins pattern 1 afresh, with its move, and holds it its ticks.
    EXPECT_EQ(ShownPatterns(animation, 5), QList<int>({1, 1, 1, 1, 2}));
    EXPECT_EQ(animation.figurePosition(), QPoint(62, 27));
}

TEST(AnimationStepTest, FigureIsNotBoundedAndWrapsInsteadOfOverflowing)
{
    FaceAnimation animation = Animation(WithPatterns({{0, 0, 4, 0, 4, 4, 30000, 0, 2}}));
    for (int tick = 0; tick < 4; ++tick)
        animation.AdvanceAnimation(QSize(80, 80), QSize());
    EXPECT_EQ(animation.figurePosition().x(), qint16(40 + 60000));
}

// --- Scrolling ----------------------------------------------------------------

EnvironmentDefinition Scrolling(const QString &link, qint16 vectX, qint16 vectY)
{
    EnvironmentDefinition env = WithPatterns({{0, 0, 4, 0, 4, 4, 0, 0, 3}});
    env.Scroll = "ON";
    env.ScrollLink = link;
    env.VectX = vectX;
    env.VectY = vectY;
    return env;
}

TEST(ScrollTest, FreeScrollMovesEveryTickAndWrapsAfterThePictureEnds)
{
    FaceAnimation animation = Animation(Scrolling("OFF", 1, 0));
    for (int tick = 1; tick <= 120; ++tick) {
        animation.FreeScrollStep(QSize(80, 80), QSize(200, 80));
        ASSERT_EQ(animation.scrollPosition(), QPoint(tick, 0));
    }
    animation.FreeScrollStep(QSize(80, 80), QSize(200, 80));
    EXPECT_EQ(animation.scrollPosition(), QPoint(0, 0));
}

TEST(ScrollTest, FreeScrollReturnsBothAxesToTheStartTogether)
{
    EnvironmentDefinition env = Scrolling("OFF", -3, 2);
    env.StartPosX = 5;
    env.StartPosY = 1;
    FaceAnimation animation = Animation(env);
    const QList<QPoint> expected = {{2, 3}, {5, 1}, {2, 3}};   // x would go below 0
    for (const QPoint &position : expected) {
        animation.FreeScrollStep(QSize(80, 80), QSize(100, 100));
        EXPECT_EQ(animation.scrollPosition(), position);
    }
}

TEST(ScrollTest, LinkedScrollMovesOnlyWhenAPatternBeginsEachAxisOnItsOwn)
{
    EnvironmentDefinition env = Scrolling("ON", 5, 7);
    env.StartPosY = 2;
    FaceAnimation animation = Animation(env);
    QList<QPoint> positions;
    for (int tick = 0; tick < 9; ++tick) {
        animation.FreeScrollStep(QSize(80, 80), QSize(100, 90));   // linked: no effect
        animation.AdvanceAnimation(QSize(80, 80), QSize(100, 90));
        positions.append(animation.scrollPosition());
    }
    // Patterns begin on ticks 1, 4 and 7; y leaves the picture (16 + 80 > 90)
    // and restarts at 2 while x goes on.
    EXPECT_EQ(positions, QList<QPoint>({{5, 9}, {5, 9}, {5, 9}, {10, 2}, {10, 2}, {10, 2},
                                        {15, 9}, {15, 9}, {15, 9}}));
}

TEST(ScrollTest, TickShowsTheBackgroundFromTheScrollPositionThenDrawsTheFigure)
{
    TempFolder folder;
    QImage picture(200, 80, QImage::Format_RGB32);
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 80; ++y)
            picture.setPixel(x, y, qRgb(x, 0, 0));
    picture.save(folder.file("strip.png"));
    Settings settings;
    settings.Image.Enabled = -1;
    settings.Image.File = folder.file("strip.png");
    settings.Image.TilePattern = 0;

    AnalogFace face(settings);
    FaceAnimation animation = Animation(Scrolling("OFF", 1, 0));
    animation.ApplyScroll(face);
    face.ApplyBackColor();
    for (int tick = 0; tick < 5; ++tick) {
        face.DrawBackground();
        animation.Tick(face);
        EXPECT_EQ(face.frame().pixel(0, 0), qRgb(tick, 0, 0));   // position before the step
        EXPECT_EQ(face.frame().pixel(39, 39), kRed);             // the figure over it
    }
}

// --- The sheet ----------------------------------------------------------------

TEST(SheetTest, RefusesWhatIsNoPictureOrTooLarge)
{
    TempFolder folder;
    FaceAnimation animation;
    animation.SetSheet(TestSheet());
    folder.writeBytes("text.gif", "GIF89a but not really a picture");
    QImage tall(4000, 5000, QImage::Format_Mono);   // 20 million pixels
    tall.fill(0);
    tall.save(folder.file("tall.png"));
    QImage wide(40000, 1, QImage::Format_Mono);     // beyond 16-bit sheet coordinates
    wide.fill(0);
    wide.save(folder.file("wide.png"));

    for (const QString name : {"none.gif", "text.gif", "tall.png", "wide.png"})
        EXPECT_FALSE(animation.LoadSheet(folder.file(name))) << name.toStdString();
    EXPECT_EQ(animation.sheet(), TestSheet());

    TestSheet().save(folder.file("good.png"));
    EXPECT_TRUE(animation.LoadSheet(folder.file("good.png")));
}

} // namespace
