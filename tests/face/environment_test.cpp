#include <algorithm>
#include <tuple>
#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QStringList>

#include "face/analog_face.h"
#include "face/animation.h"
#include "face/environment_loader.h"
#include "settings/ansi_text.h"
#include "settings/profile.h"
#include "context/context.h"
#include "support/face_colours.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"

namespace {


// A 8 x 8 sheet with two 4 x 4 patterns, each a single figure pixel at (2, 2):
// red in the first, blue in the second; masks in the right column.
QImage TwoPatternSheet()
{
    QImage sheet(8, 8, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    for (int y = 0; y < 8; ++y)
        for (int x = 4; x < 8; ++x)
            sheet.setPixel(x, y, qRgb(255, 255, 255));
    sheet.setPixel(2, 2, kRed);
    sheet.setPixel(2, 6, kBlue);
    sheet.setPixel(6, 2, qRgb(0, 0, 0));
    sheet.setPixel(6, 6, qRgb(0, 0, 0));
    return sheet;
}

const QString kPat1 = "Pat1=0,0,4,0,4,4,0,0,2";
const QString kPat2 = "Pat2=0,4,4,4,4,4,0,0,4";

class LoadEnvironmentTest : public ::testing::Test {
protected:
    LoadEnvironmentTest() { TwoPatternSheet().save(folder.file("sheet.png")); }

    // Writes a definition (CP932, CR LF) and makes it the environment in use.
    // Each gets a file of its own, as a user's choice of another file would.
    void Definition(const QStringList &lines)
    {
        const QString name = QString("env%1.dat").arg(++definitions_);
        folder.writeBytes(name, EncodeAnsi(lines.join("\r\n") + "\r\n"));
        Use(folder.file(name));
    }
    void Use(const QString &file)
    {
        Preset(ctx.store, [&](Settings &s) { s.Anime.File = file; });
    }
    void Load()
    {
        watch.announced.clear();
        LoadEnvironment(ctx.store, animation, face);
    }

    // The colour at the face's centre on each of `ticks` ticks.
    QList<QRgb> CentreColours(int ticks)
    {
        QList<QRgb> colours;
        for (int i = 0; i < ticks; ++i) {
            face.DrawBackground();
            animation.Tick(face);
            colours.append(face.frame().pixel(40, 40));
        }
        return colours;
    }

    QString SavedSetting(const QString &section, const QString &key)
    {
        return ReadIniValue(section, key, "(missing)", ctx.settingsPath());
    }

    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    const Settings &settings = ctx.settings();
    AnalogFace face{ctx.settings()};
    FaceAnimation animation;
    SettingsWatch watch{ctx.store, folder.path()};

private:
    int definitions_ = 0;
};

TEST_F(LoadEnvironmentTest, TwoPatternsAnimateInTheCentreWithoutChangingOtherSettings)
{
    Definition({"[Setting]", "File=sheet.png", "Pattern=2", "[Pattern]", kPat1, kPat2});
    const Settings before = settings;
    SaveSettings(before, folder.file("before.ini"));

    Load();

    EXPECT_EQ(folder.readBytes("Tockara.ini"), folder.readBytes("before.ini"));
    EXPECT_TRUE(watch.announced.isEmpty());
    EXPECT_EQ(animation.patternCount(), 2);
    const QRgb faceColour = qRgb(0, 128, 0);
    EXPECT_EQ(CentreColours(8), QList<QRgb>({kRed, kRed, kBlue, kBlue, kBlue, kBlue, kRed, kRed}));
    EXPECT_EQ(face.frame().pixel(41, 41), faceColour);
    EXPECT_EQ(animation.figurePosition(), QPoint(40, 40));
}

TEST_F(LoadEnvironmentTest, ClockWidthResizesSavesAndReshapes)
{
    Definition({"[Environment]", "ClockWidth=120"});
    Load();

    EXPECT_EQ(settings.Setting.Width, 120);
    EXPECT_EQ(SavedSetting("Setting", "Width"), "120");
    // Saved before the clock window is told to reshape.
    EXPECT_EQ(watch.announced, QList<SettingsAspects>{SettingsAspect::Size});
    EXPECT_TRUE(watch.everySavedFirst());
    EXPECT_EQ(face.frame().size(), QSize(120, 80));
    // The figure starts at the centre of the resized clock.
    EXPECT_EQ(animation.figurePosition(), QPoint(60, 40));
}

TEST_F(LoadEnvironmentTest, UnusableOrUnchangedClockSizesAreIgnored)
{
    for (const QString size : {"0", "-80", "5000", "wide", "80", "4097"}) {
        Definition({"[Environment]", "ClockWidth=" + size, "ClockHeight=" + size});
        Load();
        EXPECT_EQ(settings.Setting.Width, 80) << size.toStdString();
        EXPECT_EQ(settings.Setting.Height, 80) << size.toStdString();
        EXPECT_FALSE(watch.all() & SettingsAspect::Size) << size.toStdString();
    }
}

TEST_F(LoadEnvironmentTest, BackGroundSwitchesThePictureOnOnlyWhenItNamesAnotherFile)
{
    Preset(ctx.store, [&](Settings &s) { s.Image.File = folder.file("back.png"); });
    Definition({"[Environment]", "BackGround=back.png"});   // the same file, relative
    Load();
    EXPECT_EQ(settings.Image.Enabled, 0);

    Definition({"[Environment]", "BackGround=other.png"});
    Load();
    EXPECT_EQ(settings.Image.Enabled, -1);
    EXPECT_EQ(settings.Image.File, folder.file("other.png"));
    EXPECT_EQ(SavedSetting("Image", "File"), folder.file("other.png"));
}

TEST_F(LoadEnvironmentTest, HandAndPictureOverridesAreTakenWhenTheyAreNumbers)
{
    Definition({"[Environment]", "ColorHLine=255", "ColorMLine=blue", "ColorSLine=",
                "ThickHLine=4", "ThickSLine=99999", "TilePattern=0", "JustSize=1"});
    Load();
    EXPECT_EQ(settings.Color.HLine, 255);
    EXPECT_EQ(settings.Color.MLine, 8388608);
    EXPECT_EQ(settings.Color.SLine, 0);
    EXPECT_EQ(settings.Thick.HLine, 4);
    EXPECT_EQ(settings.Thick.SLine, 1);
    EXPECT_EQ(settings.Image.TilePattern, 0);
    EXPECT_EQ(settings.Image.JustSize, 1);
}

TEST_F(LoadEnvironmentTest, ScrollsOnlyWhenScrollIsUpperCaseOn)
{
    Definition({"[Environment]", "Scroll=on", "[ScrollPattern]", "StartPosX=7"});
    Load();
    EXPECT_FALSE(face.scrolling());

    Definition({"[Environment]", "Scroll=ON", "[ScrollPattern]", "StartPosX=7", "StartPosY=3"});
    Load();
    EXPECT_TRUE(face.scrolling());
    EXPECT_EQ(face.scrollPosition(), QPoint(7, 3));
}

TEST_F(LoadEnvironmentTest, SwitchedOffEnvironmentIsNeitherReadNorSaved)
{
    Preset(ctx.store, [](Settings &s) { s.Anime.Enabled = 0; });
    Definition({"[Setting]", "File=sheet.png", "Pattern=2", "[Pattern]", kPat1, kPat2,
                "[Environment]", "ClockWidth=120"});
    Load();
    EXPECT_EQ(settings.Setting.Width, 80);
    EXPECT_EQ(animation.patternCount(), 0);
    EXPECT_EQ(animation.environment().Title, "デフォルト");
    EXPECT_TRUE(watch.announced.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(ctx.settingsPath()));
}

TEST_F(LoadEnvironmentTest, SwitchingOffRestartsTheFigureAndKeepsTheScrollAndOffsets)
{
    QImage strip(200, 80, QImage::Format_RGB32);
    strip.fill(Qt::gray);
    strip.save(folder.file("strip.png"));
    Definition({"[Setting]", "File=sheet.png", "Pattern=2", "[Pattern]", kPat1, kPat2,
                "[Environment]", "BackGround=strip.png", "Scroll=ON", "AdjustX=10",
                "[ScrollPattern]", "ScrollLink=OFF", "StartPosX=7", "VectX=1"});
    Load();
    CentreColours(3);
    ASSERT_EQ(animation.index(), 2);
    ASSERT_EQ(face.scrollPosition(), QPoint(10, 0));

    Preset(ctx.store, [](Settings &s) { s.Anime.Enabled = 0; });
    Load();
    EXPECT_EQ(animation.index(), 0);
    EXPECT_EQ(animation.counter(), 0);
    EXPECT_EQ(animation.figurePosition(), QPoint(40, 40));
    EXPECT_EQ(animation.patternCount(), 0);
    EXPECT_EQ(animation.environment().Title, "デフォルト");
    EXPECT_EQ(animation.environment().File, "");
    EXPECT_EQ(animation.environment().AdjustX, "10");
    EXPECT_TRUE(animation.scrolls());
    EXPECT_TRUE(face.scrolling());
    EXPECT_EQ(face.scrollPosition(), QPoint(10, 0));
    EXPECT_TRUE(watch.announced.isEmpty());
}

TEST_F(LoadEnvironmentTest, UnusableDefinitionsLeaveTheBuiltInFigureToStartUp)
{
    folder.writeBytes("garbage.dat", QByteArray("\x00\xff\x81[\r\n=\x82\x00", 9).repeated(500));
    folder.writeBytes("notapicture.gif", "plain text");
    const QList<QStringList> definitions = {
        {"[Setting]", "File=notapicture.gif", "Pattern=2", "[Pattern]", kPat1, kPat2},
        {"[Setting]", "File=missing.png", "Pattern=2", "[Pattern]", kPat1, kPat2},
        {"[Setting]", "File=sheet.png"},
    };
    for (const QString &file : {QString(), folder.file("none.dat"), folder.file("garbage.dat")}) {
        Use(file);
        Load();
        EXPECT_EQ(animation.patternCount(), 0) << file.toStdString();
    }
    for (const QStringList &lines : definitions) {
        Definition(lines);
        Load();
        EXPECT_EQ(animation.patternCount(), 0) << lines.join(" ").toStdString();
    }

    // Start-up's rule: no patterns from the environment, the clock's own figure.
    if (animation.patternCount() <= 0)
        animation.InstallBuiltInPatterns();
    EXPECT_EQ(animation.patternCount(), 2);
    const QList<QRgb> colours = CentreColours(1);
    EXPECT_NE(colours[0], qRgb(0, 128, 0));
}

TEST_F(LoadEnvironmentTest, AHugePatternCountIsCutToTheTable)
{
    Definition({"[Setting]", "File=sheet.png", "Pattern=10000", "[Pattern]", kPat1});
    Load();
    EXPECT_EQ(animation.patternCount(), kMaxSpritePatterns);
}

TEST_F(LoadEnvironmentTest, TheFaceTakesTheFaceColourWithTheEnvironment)
{
    Preset(ctx.store, [](Settings &s) { s.Color.Bord = 255; });   // red
    Definition({"[Setting]", "Title=x"});
    Load();
    EXPECT_EQ(face.frame().pixel(0, 0), kRed);
}

// --- The environments shipped with the clock ---------------------------------

class SampleEnvironmentTest : public LoadEnvironmentTest {
protected:
    void Load(const QString &name)
    {
        const QDir samples(QStringLiteral(TOCKARA_DATA_DIR "/anime"));
        ASSERT_TRUE(samples.exists());
        for (const QString &file : samples.entryList(QDir::Files))
            QFile::copy(samples.filePath(file), folder.file(file));
        Use(folder.file(name));
        LoadEnvironmentTest::Load();
    }
};

TEST_F(SampleEnvironmentTest, WalkerWalksBackAndForthOverItsMeadow)
{
    Load("walker.dat");
    ASSERT_EQ(animation.patternCount(), 48);
    EXPECT_FALSE(animation.sheet().isNull());
    EXPECT_EQ(settings.Image.Enabled, -1);
    EXPECT_EQ(face.frame().size(), QSize(120, 80));
    const QPoint start = animation.figurePosition();
    int left = start.x();
    int right = start.x();
    for (int tick = 0; tick < 96; ++tick) {
        animation.AdvanceAnimation(QSize(120, 80), face.pictureSize());
        left = std::min(left, animation.figurePosition().x());
        right = std::max(right, animation.figurePosition().x());
    }
    EXPECT_EQ(animation.figurePosition(), start);
    EXPECT_LT(left, start.x() - 20);
    EXPECT_GT(right, start.x() + 20);
    EXPECT_GE(left, 12);
    EXPECT_LE(right, 108);
}

TEST_F(SampleEnvironmentTest, ScrollGlidesOverALandscapeThatRepeats)
{
    Load("scroll.dat");
    EXPECT_EQ(animation.patternCount(), 2);
    EXPECT_TRUE(face.scrolling());
    EXPECT_GT(face.pictureSize().width(), 2 * face.frame().width());
    // After one period the view is back where it began.
    for (int tick = 0; tick < 240; ++tick)
        animation.Tick(face);
    EXPECT_EQ(face.scrollPosition(), QPoint(0, 0));
}

TEST_F(SampleEnvironmentTest, RunnerStepsTheLandscapeWithTheFigure)
{
    Load("runner.dat");
    EXPECT_EQ(animation.patternCount(), 4);
    EXPECT_TRUE(animation.scrollLinked());
    for (int tick = 0; tick < 5; ++tick)
        animation.Tick(face);
    EXPECT_EQ(face.scrollPosition(), QPoint(12, 0));   // patterns began on ticks 1, 3, 5
}

TEST_F(SampleEnvironmentTest, TheTicksBeforeTheNextChangeNeverHideOne)
{
    // The clock skips the ticks this promises to change nothing: over every
    // shipped environment and the built-in figure, none of them may change
    // the pattern, the figure's place or the scroll.
    for (const char *environment : {"walker.dat", "scroll.dat", "runner.dat", ""}) {
        if (environment[0])
            Load(environment);
        else {
            animation = FaceAnimation();
            animation.Reset(QSize(80, 80));
            animation.InstallBuiltInPatterns();
        }
        for (int tick = 0; tick < 300;) {
            const int promised = animation.TicksUntilChange();
            ASSERT_GE(promised, 1) << environment;
            for (int quiet = 1; quiet < promised && tick < 300; ++quiet, ++tick) {
                const auto before = std::tuple(animation.index(), animation.figurePosition(), face.scrollPosition());
                animation.Advance(face);
                ASSERT_EQ(std::tuple(animation.index(), animation.figurePosition(), face.scrollPosition()), before)
                    << environment << " tick " << tick << " of " << promised;
            }
            animation.Advance(face);
            ++tick;
        }
    }
}

} // namespace
