#include <gtest/gtest.h>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include "settings/ansi_text.h"
#include "settings/environment.h"
#include "support/temp_folder.h"

namespace {

class EnvironmentReaderTest : public ::testing::Test {
protected:
    // Writes a definition as the clock's files are written: CP932, CR LF.
    QString Definition(const QStringList &lines, const QString &name = "env.dat")
    {
        folder.writeBytes(name, EncodeAnsi(lines.join("\r\n") + "\r\n"));
        return folder.file(name);
    }

    TempFolder folder;
};

TEST_F(EnvironmentReaderTest, MissingFileGivesEveryDefault)
{
    const EnvironmentDefinition env = ReadEnvironment(folder.file("none.dat"));
    EXPECT_EQ(env.ClockWidth, "");
    EXPECT_EQ(env.BackGround, "");
    EXPECT_EQ(env.AdjustX, "0");
    EXPECT_EQ(env.AdjustY, "0");
    EXPECT_EQ(env.Scroll, "OFF");
    EXPECT_EQ(env.ScrollLink, "ON");
    EXPECT_EQ(env.EndAction, "Repeat");
    EXPECT_EQ(env.Title, "0");
    EXPECT_EQ(QFileInfo(env.File).fileName(), "0");
    EXPECT_EQ(env.Pattern, 0);
    EXPECT_TRUE(env.Patterns.isEmpty());
}

TEST_F(EnvironmentReaderTest, ReadsEveryKeyOfAFullDefinition)
{
    const QString path = Definition({
        "[Setting]", "Title=てくてく散歩", "File=/pictures/sheet.gif", "Pattern=2",
        "[Environment]", "ClockWidth=120", "ClockHeight=90", "ColorHLine=255",
        "ColorMLine=65280", "ColorSLine=16711680", "ThickHLine=3", "ThickMLine=2",
        "ThickSLine=1", "BackGround=/pictures/back.bmp", "TilePattern=0", "JustSize=1",
        "AdjustX=10", "AdjustY=-4", "Scroll=ON",
        "[ScrollPattern]", "ScrollLink=OFF", "StartPosX=5", "StartPosY=6", "VectX=-2",
        "VectY=3", "EndAction=Stop",
        "[Pattern]", "Pat1=0,0,32,0,32,32,1,-1,3", "Pat2=0,32,32,32,32,32,0,0,5",
    });
    const EnvironmentDefinition env = ReadEnvironment(path);
    EXPECT_EQ(env.Title, "てくてく散歩");
    EXPECT_EQ(env.File, "/pictures/sheet.gif");
    EXPECT_EQ(env.ClockWidth, "120");
    EXPECT_EQ(env.ClockHeight, "90");
    EXPECT_EQ(env.ColorSLine, "16711680");
    EXPECT_EQ(env.ThickHLine, "3");
    EXPECT_EQ(env.BackGround, "/pictures/back.bmp");
    EXPECT_EQ(env.TilePattern, "0");
    EXPECT_EQ(env.JustSize, "1");
    EXPECT_EQ(env.AdjustX, "10");
    EXPECT_EQ(env.AdjustY, "-4");
    EXPECT_EQ(env.Scroll, "ON");
    EXPECT_EQ(env.ScrollLink, "OFF");
    EXPECT_EQ(env.StartPosX, 5);
    EXPECT_EQ(env.StartPosY, 6);
    EXPECT_EQ(env.VectX, -2);
    EXPECT_EQ(env.VectY, 3);
    EXPECT_EQ(env.EndAction, "Stop");
    ASSERT_EQ(env.Patterns.size(), 2);
    EXPECT_EQ(env.Patterns[0], (SpritePattern{0, 0, 32, 0, 32, 32, 1, -1, 3}));
    EXPECT_EQ(env.Patterns[1], (SpritePattern{0, 32, 32, 32, 32, 32, 0, 0, 5}));
}

TEST_F(EnvironmentReaderTest, PicturePathsAreTakenBesideTheDefinition)
{
    QDir(folder.path()).mkdir("anime");
    const QString path = Definition(
        {"[Setting]", "File=walk.gif", "[Environment]", "BackGround=../pictures/sky.png"},
        "anime/walk.dat");
    const EnvironmentDefinition env = ReadEnvironment(path);
    EXPECT_EQ(env.File, folder.file("anime/walk.gif"));
    EXPECT_EQ(env.BackGround, folder.file("pictures/sky.png"));
}

TEST_F(EnvironmentReaderTest, PatternCountIsKeptWithinTheTable)
{
    const QList<QPair<QString, int>> cases = {
        {"96", 96}, {"97", 96}, {"10000", 96}, {"99999999999", 96}, {"-3", 0}, {"two", 0},
        {"", 0}};
    int file = 0;
    for (const auto &[text, expected] : cases) {
        const EnvironmentDefinition env = ReadEnvironment(
            Definition({"[Setting]", "Pattern=" + text}, QString("count%1.dat").arg(++file)));
        EXPECT_EQ(env.Pattern, expected) << text.toStdString();
        EXPECT_EQ(env.Patterns.size(), expected) << text.toStdString();
    }
}

TEST_F(EnvironmentReaderTest, NumbersThatAreNoNumbersReadAsZero)
{
    const EnvironmentDefinition env = ReadEnvironment(Definition(
        {"[ScrollPattern]", "StartPosX=abc", "StartPosY=", "VectX=70000", "VectY=1.5"}));
    EXPECT_EQ(env.StartPosX, 0);
    EXPECT_EQ(env.StartPosY, 0);
    EXPECT_EQ(env.VectX, 0);
    EXPECT_EQ(env.VectY, 0);
}

TEST_F(EnvironmentReaderTest, ABadPatternLineIsAPatternOfZeros)
{
    EXPECT_EQ(ParseSpritePattern(" 1, 2, 3, 4, 5, 6, -7, 8, 9"),
              (SpritePattern{1, 2, 3, 4, 5, 6, -7, 8, 9}));
    // Fields after the ninth are not part of the pattern.
    EXPECT_EQ(ParseSpritePattern("1,2,3,4,5,6,7,8,9,10").Ticks, 9);
    for (const QString bad : {"1,2,3,4,5,6,7,8", "1,2,3,4,5,6,7,8,x",
                              "1,2,3,40000,5,6,7,8,9", "", "1,,3,4,5,6,7,8,9"})
        EXPECT_EQ(ParseSpritePattern(bad), SpritePattern{}) << bad.toStdString();

    const EnvironmentDefinition env = ReadEnvironment(Definition(
        {"[Setting]", "Pattern=3", "[Pattern]", "Pat1=1,1,1,1,1,1,1,1,1", "Pat3=junk"}));
    ASSERT_EQ(env.Patterns.size(), 3);
    EXPECT_EQ(env.Patterns[0].Ticks, 1);
    EXPECT_EQ(env.Patterns[1], SpritePattern{});
    EXPECT_EQ(env.Patterns[2], SpritePattern{});
}

TEST_F(EnvironmentReaderTest, OnlyUpperCaseOnSwitchesOn)
{
    const EnvironmentDefinition env = ReadEnvironment(
        Definition({"[Environment]", "Scroll=on", "[ScrollPattern]", "ScrollLink=On"}));
    EXPECT_EQ(env.Scroll, "on");
    EXPECT_FALSE(IsOn(env.Scroll));
    EXPECT_FALSE(IsOn(env.ScrollLink));
    EXPECT_TRUE(IsOn("ON"));
}

TEST_F(EnvironmentReaderTest, GarbageFileReadsWithoutHarm)
{
    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator random(7);
    for (char &byte : garbage)
        byte = char(random.bounded(256));
    garbage += "\r\n[Setting]\r\nPattern=10000\r\n";
    folder.writeBytes("garbage.dat", garbage);
    const EnvironmentDefinition env = ReadEnvironment(folder.file("garbage.dat"));
    EXPECT_LE(env.Pattern, kMaxSpritePatterns);
    EXPECT_EQ(env.Patterns.size(), env.Pattern);
}

} // namespace
