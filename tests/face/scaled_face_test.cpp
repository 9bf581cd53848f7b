// The face on a scaled screen: drawn at the device's resolution, it must
// refine the hands and texts and show everything else (face colour, pictures,
// the figure) exactly as the face at scale 1 does, scaled without smoothing.
#include <functional>
#include <gtest/gtest.h>
#include <QImage>
#include <QSet>

#include "face/analog_face.h"
#include "face/animation.h"
#include "face/device_pixels.h"
#include "face/digital_overlay.h"
#include "support/temp_folder.h"

namespace {

const QString kShownTime = QStringLiteral("2024/05/06 10:08:42");

// Face pixels where two drawings at scale 1 differ, widened by `margin`.
QList<QList<bool>> Changed(const QImage &a, const QImage &b, int margin)
{
    const int w = a.width(), h = a.height();
    QList<QList<bool>> near(h, QList<bool>(w, false));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                for (int v = std::max(0, y - margin); v <= std::min(h - 1, y + margin); ++v)
                    for (int u = std::max(0, x - margin); u <= std::min(w - 1, x + margin); ++u)
                        near[v][u] = true;
    return near;
}

struct ScaledCase {
    const char *name;
    qreal ratio;
    bool scrolling;
};
void PrintTo(const ScaledCase &c, std::ostream *os) { *os << c.name; }

class ScaledFaceTest : public ::testing::TestWithParam<ScaledCase> {
protected:
    ScaledFaceTest()
    {
        // A small picture of many colours, tiled or scrolled, so that any
        // shift or blur of a picture pixel shows.
        QImage picture(7, 5, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(30 * x, 40 * y, 200));
        if (GetParam().scrolling)
            picture = picture.scaled(210, 100);
        picture.save(folder.file("picture.png"), "PNG");
        settings.Image = {1, folder.file("picture.png"), 0, qint16(GetParam().scrolling ? 0 : 1)};
        settings.Digital.DatePattern = 1;
        settings.Digital.TimePattern = 1;
        settings.Digital.TimeColor = 0xFFFFFF;
        settings.Digital.TimeFuchiEnabled = 1;
        settings.Thick = {3, 2, 1};
        animation.InstallBuiltInPatterns();
        animation.Reset(QSize(80, 80));
        animation.AdvanceAnimation(QSize(80, 80), QSize(80, 80));
    }

    // The face at `ratio` with the parts `draw` adds over background and figure.
    QImage Draw(qreal ratio, const std::function<void(AnalogFace &)> &draw)
    {
        AnalogFace face(settings);
        face.setScrolling(GetParam().scrolling);
        face.setScrollPosition(QPoint(33, 11));
        face.SetDevicePixelRatio(ratio);
        face.ApplyBackColor();
        face.DrawBackground();
        animation.DrawFigure(face.frame());
        draw(face);
        return face.frame();
    }
    static void Hands(AnalogFace &face) { face.DrawHands(kShownTime); }
    void Texts(AnalogFace &face)
    {
        DrawDigitalOverlay(face.frame(), settings, "yyyy/mm/dd", "hh:nn", kShownTime);
    }

    Settings settings;
    FaceAnimation animation;
    TempFolder folder;
};

TEST_P(ScaledFaceTest, HandsAndTextsAreRefinedAndEverythingElseIsTheFaceScaled)
{
    const qreal ratio = GetParam().ratio;
    const QImage bare = Draw(1, [](AnalogFace &) {});
    const QImage whole = Draw(1, [&](AnalogFace &f) { Hands(f); Texts(f); });
    const QImage scaled = Draw(ratio, [&](AnalogFace &f) { Hands(f); Texts(f); });
    ASSERT_EQ(scaled.size(), DeviceSize(QSize(80, 80), ratio));
    EXPECT_EQ(scaled.devicePixelRatio(), ratio);

    // Away from the hands and texts every device pixel shows the face pixel
    // it lies in: background, picture and figure (mask and picture combined)
    // are the face at scale 1, scaled without smoothing.
    const auto nearHands = Changed(bare, Draw(1, Hands), 2);
    const auto nearTexts = Changed(bare, Draw(1, [&](AnalogFace &f) { Texts(f); }), 2);
    int compared = 0;
    for (int y = 0; y < scaled.height(); ++y) {
        for (int x = 0; x < scaled.width(); ++x) {
            const int u = FacePixelOf(x, ratio), v = FacePixelOf(y, ratio);
            if (nearHands[v][u] || nearTexts[v][u])
                continue;
            ASSERT_EQ(scaled.pixel(x, y), whole.pixel(u, v)) << x << "," << y;
            ++compared;
        }
    }
    EXPECT_GT(compared, scaled.width() * scaled.height() / 3);
    if (ratio != 2)
        return;

    // The face at scale 1 doubled has uniform 2 x 2 blocks; the hands and
    // texts drawn at scale 2 have finer detail, the hands smooth edges
    // (colours the pixel-exact face never shows).
    const QSet<QRgb> flatColours = [&] {
        QSet<QRgb> colours;
        for (int y = 0; y < whole.height(); ++y)
            for (int x = 0; x < whole.width(); ++x)
                colours.insert(whole.pixel(x, y));
        return colours;
    }();
    int finerOnHands = 0, finerOnTexts = 0, blendedOnHands = 0;
    for (int v = 0; v < 80; ++v) {
        for (int u = 0; u < 80; ++u) {
            const QRgb corner = scaled.pixel(2 * u, 2 * v);
            const bool uniform = scaled.pixel(2 * u + 1, 2 * v) == corner
                && scaled.pixel(2 * u, 2 * v + 1) == corner
                && scaled.pixel(2 * u + 1, 2 * v + 1) == corner;
            if (!uniform && nearHands[v][u])
                ++finerOnHands;
            if (!uniform && nearTexts[v][u] && !nearHands[v][u])
                ++finerOnTexts;
            if (nearHands[v][u] && !nearTexts[v][u] && !flatColours.contains(corner))
                ++blendedOnHands;
        }
    }
    EXPECT_GT(finerOnHands, 30);
    EXPECT_GT(finerOnTexts, 30);
    EXPECT_GT(blendedOnHands, 10);
}

INSTANTIATE_TEST_SUITE_P(Screens, ScaledFaceTest,
                         ::testing::Values(ScaledCase{"TiledAt2", 2, false},
                                           ScaledCase{"ScrollingAt2", 2, true},
                                           ScaledCase{"TiledAt1_5", 1.5, false}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ScaledFace, AScaleOfOneDrawsTheFaceAsBeforeAndAScaleChangeRecomposesIt)
{
    Settings settings;
    AnalogFace face(settings);
    face.ApplyBackColor();
    EXPECT_FALSE(face.SetDevicePixelRatio(0.5));   // below 1: drawn as at 1
    face.DrawHands(kShownTime);
    const QImage plain = face.frame();
    EXPECT_EQ(plain.size(), QSize(80, 80));

    EXPECT_TRUE(face.SetDevicePixelRatio(2));
    EXPECT_EQ(face.frame().size(), QSize(160, 160));   // the background, recomposed
    EXPECT_EQ(face.faceSize(), QSize(80, 80));
    EXPECT_TRUE(face.SetDevicePixelRatio(1));
    face.DrawBackground();
    face.DrawHands(kShownTime);
    EXPECT_EQ(face.frame(), plain);
}

} // namespace
