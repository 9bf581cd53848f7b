// Loading and saving Tockara.ini.
#include <gtest/gtest.h>

#include "settings/profile.h"
#include "settings/settings.h"
#include "support/temp_folder.h"

namespace {

class SettingsFile : public ::testing::Test {
protected:
    Settings load()
    {
        Settings settings;
        LoadSettings(settings, path, folder.path());
        return settings;
    }
    void give(const QByteArray &bytes) { folder.writeBytes("Tockara.ini", bytes); }
    QList<QByteArray> lines() const { return folder.readBytes("Tockara.ini").split('\n'); }

    TempFolder folder;
    const QString path = SettingsPathFor(folder.path());
};

TEST(SettingsNames, PathAndAlarmKeys)
{
    EXPECT_EQ(SettingsPathFor("/opt/tockara"), "/opt/tockara/Tockara.ini");
    EXPECT_EQ(SettingsPathFor("/opt/tockara/"), "/opt/tockara/Tockara.ini");
    EXPECT_EQ(AlarmKey("Time", 0), "Time");
    EXPECT_EQ(AlarmKey("Time", 1), "Time1");
    EXPECT_EQ(AlarmKey("Comment", 2), "Comment2");
}

TEST_F(SettingsFile, FirstRunGivesDefaultsAndSavesEveryKeyInOrder)
{
    const Settings settings = load();
    EXPECT_EQ(settings.Setting.Width, 80);
    EXPECT_EQ(settings.Color.Bord, 32768);
    EXPECT_EQ(settings.Alarm[2].Comment, "時間です");
    EXPECT_EQ(settings.ARC.DecompFolder, DefaultDecompFolder()) << "the download folder";
    ASSERT_TRUE(SaveSettings(settings, path));

    const QByteArray comment = "\x8e\x9e\x8a\xd4\x82\xc5\x82\xb7";  // 時間です
    QList<QByteArray> expected = {
        "[Setting]", "Left=0", "Top=0", "Width=80", "Height=80",
        "TimeFormat=yyyy/mm/dd hh:mm:ss", "FileManger=xdg-open",
        "[Color]", "Bord=32768", "HLine=8388608", "MLine=8388608", "SLine=0",
        "[Thick]", "HLine=2", "MLine=2", "SLine=1",
        "[Image]", "Enabled=0", "File=", "JustSize=0", "TilePattern=1",
        "[Digital]", "DatePattern=1", "DatePosition=0", "DateColor=16777215",
        "DateFuchiEnabled=1", "DateFuchiColor=8388608", "TimePattern=0", "TimePosition=0",
        "TimeColor=0", "TimeFuchiEnabled=1", "TimeFuchiColor=0",
        "[Alarm]", "Enabled=0", "Time=00:00", "Comment=" + comment, "File=",
        "Enabled1=0", "Time1=00:00", "Comment1=" + comment, "File1=",
        "Enabled2=0", "Time2=00:00", "Comment2=" + comment, "File2=",
        "[Anime]", "Enabled=1", "File=",
        "[ARC]", "DecompFolder=" + QFile::encodeName(DefaultDecompFolder()), "FileFold=0",
        "[Window]", "Opacity=100", "ClickThrough=0",
        "[Chime]", "Enabled=0", "File=sounds/chime.wav", "Quiet=1", "QuietFrom=22:00", "QuietTo=07:00"};
    for (QByteArray &line : expected)
        line += '\r';
    expected.append("");  // after the last line end
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(expected.size() - 1 - 10, 50) << "50 keys in 10 sections";
}

TEST_F(SettingsFile, ValuesSurviveSaveAndLoad)
{
    Settings settings = load();
    settings.Setting.Left = -123456;
    settings.Setting.Top = 40000;
    settings.Setting.TimeFormat = "hh:mm";
    settings.Color.SLine = 16777215;
    settings.Thick.HLine = -1;
    settings.Digital.TimeFuchiColor = 255;
    settings.Alarm[1].Enabled = -1;
    settings.Alarm[2].Time = "23:59";
    settings.Alarm[2].Comment = "表ソ";
    settings.Anime.File = "/tmp/anim.dat";
    settings.ARC.DecompFolder = "/tmp/out/";
    ASSERT_TRUE(SaveSettings(settings, path));

    const Settings again = load();
    EXPECT_EQ(again.Setting.Left, -123456);
    EXPECT_EQ(again.Setting.Top, 40000) << "positions are 32-bit";
    EXPECT_EQ(again.Setting.TimeFormat, "hh:mm");
    EXPECT_EQ(again.Color.SLine, 16777215);
    EXPECT_EQ(again.Thick.HLine, -1);
    EXPECT_EQ(again.Digital.TimeFuchiColor, 255);
    EXPECT_EQ(again.Alarm[1].Enabled, -1);
    EXPECT_EQ(again.Alarm[0].Enabled, 0);
    EXPECT_EQ(again.Alarm[2].Time, "23:59");
    EXPECT_EQ(again.Alarm[2].Comment, "表ソ");
    EXPECT_EQ(again.Anime.File, "/tmp/anim.dat");
    EXPECT_EQ(again.ARC.DecompFolder, "/tmp/out/");
}

TEST_F(SettingsFile, UnusableNumbersTakeTheirDefaults)
{
    give("[Setting]\r\nLeft=3000000000\r\nTop=x\r\nWidth=40000\r\nHeight=\r\n"
         "[Thick]\r\nHLine=-70000\r\nMLine=12abc\r\nSLine=-3\r\n[Color]\r\nBord=-1\r\n");
    const Settings settings = load();
    EXPECT_EQ(settings.Setting.Left, 0);
    EXPECT_EQ(settings.Setting.Top, 0);
    EXPECT_EQ(settings.Setting.Width, 80);
    EXPECT_EQ(settings.Setting.Height, 80);
    EXPECT_EQ(settings.Thick.HLine, 2);
    EXPECT_EQ(settings.Thick.MLine, 2);
    EXPECT_EQ(settings.Thick.SLine, -3);
    EXPECT_EQ(settings.Color.Bord, -1);
}

TEST_F(SettingsFile, ClockSidesOutsideOneTo4096TakeTheirDefault)
{
    const struct { QByteArray text; qint16 side; } cases[] = {
        {"1", 1}, {"4096", 4096}, {"4097", 80}, {"10000", 80}, {"32767", 80}, {"0", 80}, {"-5", 80}};
    for (const auto &c : cases) {
        give("[Setting]\r\nWidth=" + c.text + "\r\nHeight=" + c.text + "\r\n");
        const Settings settings = load();
        EXPECT_EQ(settings.Setting.Width, c.side) << c.text.constData();
        EXPECT_EQ(settings.Setting.Height, c.side) << c.text.constData();
    }
}

TEST_F(SettingsFile, TextsKeepTheirQuotesAndBlanks)
{
    Settings settings = load();
    settings.Setting.TimeFormat = " hh:mm ";
    settings.Setting.FileManger = "'nautilus'";
    settings.Image.File = "\"/tmp/a.png\"";
    settings.Alarm[0].Comment = "  起きて";
    settings.Alarm[2].File = "/tmp/ring.wav ";
    settings.Anime.File = "\t/tmp/x.dat";
    settings.ARC.DecompFolder = " /tmp/out/";
    ASSERT_TRUE(SaveSettings(settings, path));
    const Settings again = load();
    EXPECT_EQ(again.Setting.TimeFormat, settings.Setting.TimeFormat);
    EXPECT_EQ(again.Setting.FileManger, settings.Setting.FileManger);
    EXPECT_EQ(again.Image.File, settings.Image.File);
    EXPECT_EQ(again.Alarm[0].Comment, settings.Alarm[0].Comment);
    EXPECT_EQ(again.Alarm[2].File, settings.Alarm[2].File);
    EXPECT_EQ(again.Anime.File, settings.Anime.File);
    EXPECT_EQ(again.ARC.DecompFolder, settings.ARC.DecompFolder);
}

TEST_F(SettingsFile, StartUpSaveLeavesUnchangedBytesAlone)
{
    ASSERT_TRUE(SaveSettings(load(), path));
    QByteArray file = folder.readBytes("Tockara.ini");
    file.replace("Comment1=\x8e\x9e\x8a\xd4\x82\xc5\x82\xb7", "Comment1=\x83\x41\xff\xfd\x81");
    file.replace("TimeFormat=yyyy/mm/dd hh:mm:ss", "timeformat = \"hh:mm\" ");
    give(file);
    ASSERT_TRUE(SaveSettings(load(), path));
    EXPECT_EQ(folder.readBytes("Tockara.ini"), file);
}

TEST_F(SettingsFile, AlarmSlotsUseDigitlessKeysForSlotZero)
{
    give("[Alarm]\r\nTime0=01:00\r\nTime=07:30\r\nTime1=08:00\r\nTime2=09:00\r\nComment1=\r\n");
    const Settings settings = load();
    EXPECT_EQ(settings.Alarm[0].Time, "07:30");
    EXPECT_EQ(settings.Alarm[1].Time, "08:00");
    EXPECT_EQ(settings.Alarm[2].Time, "09:00");
    EXPECT_EQ(settings.Alarm[1].Comment, "") << "an empty text is kept";
    EXPECT_EQ(settings.Alarm[2].Comment, "時間です");
}

TEST_F(SettingsFile, ExtractionFolderEndsWithSeparator)
{
    give("[ARC]\r\nDecompFolder=/tmp/x\r\n");
    EXPECT_EQ(load().ARC.DecompFolder, "/tmp/x/");
    ASSERT_TRUE(SaveSettings(load(), path));
    EXPECT_EQ(ReadIniValue("ARC", "DecompFolder", "", path), "/tmp/x/");

    give("[ARC]\r\nDecompFolder=\r\n");
    EXPECT_EQ(load().ARC.DecompFolder, DefaultDecompFolder()) << "never the root folder";
}

TEST_F(SettingsFile, SaveKeepsOtherSectionsAndLines)
{
    const QByteArray foreign = "[Calender]\r\nFont=IPAGothic\r\n\r\n[Fusen]\r\n0=\x83\x5c\r\n"
                               "; a note\r\n[Lunch]\r\nCount=0\r\n";
    give(foreign + "[Setting]\r\nCustom=1\r\nWidth=120\r\n");
    Settings settings = load();
    EXPECT_EQ(settings.Setting.Width, 120);
    ASSERT_TRUE(SaveSettings(settings, path));
    const QByteArray saved = folder.readBytes("Tockara.ini");
    EXPECT_TRUE(saved.startsWith(foreign + "[Setting]\r\nCustom=1\r\nWidth=120\r\nLeft=0\r\n"));
    EXPECT_EQ(saved.count("[Setting]"), 1);
}

TEST_F(SettingsFile, WindowAndChimeKeysRoundTripAndAFaintOrBrokenOpacityReadsOpaque)
{
    Settings settings = load();
    settings.Window = {.Opacity = 50, .ClickThrough = 1};
    settings.Chime = {.Enabled = 1, .File = "~/bell.ogg", .Quiet = 0, .QuietFrom = "23:30", .QuietTo = "06:00"};
    ASSERT_TRUE(SaveSettings(settings, path));
    const Settings again = load();
    EXPECT_EQ(again.Window.Opacity, 50);
    EXPECT_EQ(again.Window.ClickThrough, 1);
    EXPECT_EQ(again.Chime.Enabled, 1);
    EXPECT_EQ(again.Chime.File, "~/bell.ogg");
    EXPECT_EQ(again.Chime.Quiet, 0);
    EXPECT_EQ(again.Chime.QuietFrom, "23:30");
    EXPECT_EQ(again.Chime.QuietTo, "06:00");

    const struct { QByteArray text; qint16 opacity; } cases[] = {
        {"30", 30}, {"75", 75}, {"100", 100}, {"29", 100}, {"0", 100}, {"-50", 100}, {"101", 100}, {"", 100}, {"x", 100}};
    for (const auto &c : cases) {
        give("[Window]\r\nOpacity=" + c.text + "\r\n");
        EXPECT_EQ(load().Window.Opacity, c.opacity) << c.text.constData();
    }
}

TEST_F(SettingsFile, AFileOfAnEarlierClockReadsAsBeforeAndKeepsItsBytes)
{
    // Every key an earlier clock wrote, none of the window or chime keys.
    ASSERT_TRUE(SaveSettings(load(), path));
    QByteArray earlier = folder.readBytes("Tockara.ini");
    earlier.truncate(earlier.indexOf("[Window]"));
    earlier.replace("Width=80", "Width=120");
    give(earlier);

    const Settings settings = load();
    EXPECT_EQ(settings.Setting.Width, 120);
    const Settings defaults;
    EXPECT_EQ(settings.Window.Opacity, defaults.Window.Opacity);
    EXPECT_EQ(settings.Window.ClickThrough, 0);
    EXPECT_EQ(settings.Chime.Enabled, 0);
    EXPECT_EQ(settings.Chime.File, defaults.Chime.File);
    // The new sections go after everything the earlier clock wrote.
    ASSERT_TRUE(SaveSettings(settings, path));
    EXPECT_TRUE(folder.readBytes("Tockara.ini").startsWith(earlier + "[Window]\r\n"));
}

TEST_F(SettingsFile, SaveIntoMissingFolderFails)
{
    EXPECT_FALSE(SaveSettings(Settings{}, folder.file("missing/Tockara.ini")));
}

} // namespace
