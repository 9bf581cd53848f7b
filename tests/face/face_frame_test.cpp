// The frames the clock shows: what a tick draws, and which part of it goes to
// the screen.
#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "context/context.h"
#include "face/analog_face.h"
#include "face/animation.h"
#include "face/digital_overlay.h"
#include "face/environment_loader.h"
#include "face/face_frame.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"

namespace {

QImage Filled(QSize size, QColor color)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

TEST(FaceFrameParts, TheChangedRectangleHoldsEveryDifferingPixelAndNothingElse)
{
    const QImage before = Filled({40, 30}, Qt::white);
    QImage twoPixels = before;
    twoPixels.setPixel(3, 20, qRgb(0, 0, 0));
    twoPixels.setPixel(31, 4, qRgb(0, 0, 0));
    QImage lastColumn = before;
    lastColumn.setPixel(39, 29, qRgb(1, 1, 1));

    EXPECT_EQ(ChangedRect(before, before), QRect());
    EXPECT_EQ(ChangedRect(twoPixels, before), QRect(QPoint(3, 4), QPoint(31, 20)));
    EXPECT_EQ(ChangedRect(lastColumn, before), QRect(39, 29, 1, 1));
    EXPECT_EQ(ChangedRect(before, QImage()), before.rect()) << "nothing shown yet";
    EXPECT_EQ(ChangedRect(before, Filled({41, 30}, Qt::white)), before.rect()) << "another size";
}

TEST(FaceFrameParts, ALayerReplacesWhereOpaqueKeepsWhereClearAndBlendsBetween)
{
    QImage frame = Filled({3, 1}, QColor(200, 100, 0));
    QImage layer(3, 1, QImage::Format_ARGB32_Premultiplied);
    layer.setPixel(0, 0, qRgba(10, 20, 30, 255));
    layer.setPixel(1, 0, qRgba(0, 0, 0, 0));
    layer.setPixel(2, 0, qRgba(50, 0, 0, 128));   // premultiplied red at half cover
    LayOver(frame, layer);
    EXPECT_EQ(frame.pixel(0, 0), qRgb(10, 20, 30));
    EXPECT_EQ(frame.pixel(1, 0), qRgb(200, 100, 0));
    EXPECT_EQ(frame.pixel(2, 0), qRgb(50 + 200 * 127 / 255, 100 * 127 / 255, 0));
}

TEST(FaceFrameParts, DevicePixelsMapToTheLogicalPixelsThatHoldThem)
{
    struct Case {
        QRect device;
        qreal ratio;
        QRect window;
    } cases[] = {
        {{5, 6, 7, 8}, 1, {5, 6, 7, 8}},
        {{4, 4, 2, 2}, 2, {2, 2, 1, 1}},
        {{5, 5, 1, 1}, 2, {2, 2, 1, 1}},   // an odd device pixel still needs its logical one
        {{5, 5, 2, 2}, 2, {2, 2, 2, 2}},   // straddles two logical pixels
        {{0, 0, 3, 3}, 1.5, {0, 0, 2, 2}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DeviceToWindow(c.device, c.ratio), c.window) << c.device.x() << "," << c.ratio;
}

struct FaceFrameTest : ::testing::Test {
    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};

    // A face and figure as the clock window holds them, from the settings' environment.
    struct Clock {
        explicit Clock(Context &ctx) : face(ctx.settings())
        {
            LoadEnvironment(ctx.store, animation, face);
            if (animation.patternCount() <= 0)
                animation.InstallBuiltInPatterns();
        }
        AnalogFace face;
        FaceAnimation animation;
        FaceFrame frame{face, animation};
    };
};

TEST_F(FaceFrameTest, EveryTickGivesTheFaceOfAFullDrawingAndShowsWhereItDiffers)
{
    // A scrolling environment with a walking figure, the built-in figure, and both texts.
    const QDir samples(QStringLiteral(TOCKARA_DATA_DIR "/anime"));
    for (const QString &file : samples.entryList(QDir::Files))
        QFile::copy(samples.filePath(file), folder.file(file));
    const DisplayPatterns patterns{"yyyy/mm/dd", "hh:nn:ss"};
    for (const char *environment : {"scroll.dat", "walker.dat", ""}) {
        Preset(ctx.store, [&](Settings &s) { s.Anime.File = environment[0] ? folder.file(environment) : QString(); });
        Clock composed(ctx);
        Clock full(ctx);
        QImage screen;
        QDateTime now(QDate(2026, 12, 7), QTime(9, 59, 58, 950));
        for (int tick = 0; tick < 40; ++tick, now = now.addMSecs(100)) {
            const QString timeText = TimeTextFor(now);
            const QImage before = composed.face.frame().copy();
            const QRect changed = composed.frame.Compose(timeText, ctx.settings(), patterns);

            full.face.DrawBackground();
            full.animation.Tick(full.face);
            full.face.DrawHands(timeText);
            DrawDigitalOverlay(full.face.frame(), ctx.settings(), patterns.DatePatternFormat,
                               patterns.TimePatternFormat, timeText);
            ASSERT_EQ(composed.face.frame(), full.face.frame()) << environment << " tick " << tick;

            // What the screen shows after the changed part is copied there.
            if (tick == 0)
                screen = composed.face.frame().copy();
            else if (!changed.isEmpty())
                for (int y = changed.top(); y <= changed.bottom(); ++y)
                    for (int x = changed.left(); x <= changed.right(); ++x)
                        screen.setPixel(x, y, composed.face.frame().pixel(x, y));
            ASSERT_EQ(screen, composed.face.frame()) << environment << " tick " << tick;
            if (tick > 0 && composed.face.frame() == before) {
                EXPECT_TRUE(changed.isEmpty()) << environment << " tick " << tick;
            }
        }
    }
}

TEST_F(FaceFrameTest, AStillFaceShowsNothingNewUntilTheSecondOrARecomposition)
{
    Preset(ctx.store, [](Settings &s) { s.Anime.File.clear(); });
    AnalogFace face(ctx.settings());
    FaceAnimation still;   // no figure
    FaceFrame frame(face, still);
    const QString ten = QStringLiteral("2026/12/07 10:00:00");

    EXPECT_EQ(frame.Compose(ten, ctx.settings(), {}), face.frame().rect()) << "the first frame is shown whole";
    EXPECT_FALSE(frame.redrawPending());
    EXPECT_TRUE(frame.Compose(ten, ctx.settings(), {}).isEmpty());

    const QRect nextSecond = frame.Compose(QStringLiteral("2026/12/07 10:00:01"), ctx.settings(), {});
    EXPECT_FALSE(nextSecond.isEmpty());
    EXPECT_LT(nextSecond.width() * nextSecond.height(), face.frame().width() * face.frame().height())
        << "only the second hand's part";

    frame.Redraw();
    EXPECT_TRUE(frame.redrawPending());
    EXPECT_TRUE(frame.Compose(QStringLiteral("2026/12/07 10:00:01"), ctx.settings(), {}).isEmpty())
        << "drawn anew, but equal to what the screen shows";
    frame.ShowWhole();
    EXPECT_EQ(frame.Compose(QStringLiteral("2026/12/07 10:00:01"), ctx.settings(), {}), face.frame().rect());

    // Hands of another colour and width within the same minute: the hour and
    // minute hands kept from the minute's first drawing are drawn anew.
    Preset(ctx.store, [](Settings &s) {
        s.Color.HLine = 255;
        s.Thick.HLine = 4;
        s.Color.MLine = 65280;
    });
    frame.Redraw();
    const QString twoPast = QStringLiteral("2026/12/07 10:00:02");
    EXPECT_FALSE(frame.Compose(twoPast, ctx.settings(), {}).isEmpty());
    AnalogFace full(ctx.settings());
    full.DrawBackground();
    full.DrawHands(twoPast);
    EXPECT_EQ(face.frame(), full.frame());
}

} // namespace
