// The menu commands that dress the face: what they change, that the change is
// saved before the clock is asked to show it, and what a cancel leaves.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <QFile>
#include <QWidget>

#include "context/commands.h"
#include "context/context.h"
#include "face/ui/face_commands.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"
#include "support/test_feature_host.h"

namespace {

class FaceCommandsTest : public ::testing::Test {
protected:
    FaceCommandsTest() { RegisterFace(features.host); }

    void Run(Command command, int index) { commands.run(command, {"bar", index, 0}); }
    bool Checked(int index) const { return *commands.checked(Command::ToggleBackground, {"barBack", index, 0}); }
    Settings Saved() const { return SavedSettings(ctx.store, folder.path()); }

    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    SettingsWatch watch{ctx.store, folder.path()};
    QWidget owner;
    TestFeatureHost features{ctx, &owner};
    CommandTable &commands = features.commands;
};

TEST_F(FaceCommandsTest, TogglingTileTwiceRestoresSettingAndMarkAndSavesEachTime)
{
    Preset(ctx.store, [](Settings &s) { s.Image.TilePattern = 0; });

    Run(Command::ToggleBackground, 4);
    EXPECT_TRUE(Checked(4));
    EXPECT_EQ(Saved().Image.TilePattern, -1);

    Run(Command::ToggleBackground, 4);
    EXPECT_FALSE(Checked(4));
    EXPECT_EQ(Saved().Image.TilePattern, 0);

    EXPECT_EQ(watch.announced, (QList<SettingsAspects>{SettingsAspect::Background, SettingsAspect::Background}));
    EXPECT_TRUE(watch.everySavedFirst());
}

TEST_F(FaceCommandsTest, EachToggleChangesOnlyItsOwnSwitch)
{
    Preset(ctx.store, [](Settings &s) {
        s.Image.Enabled = 0;
        s.Image.JustSize = 0;
        s.Image.TilePattern = 0;
    });
    Run(Command::ToggleBackground, 1);
    Run(Command::ToggleBackground, 3);
    Run(Command::ToggleBackground, 2);   // not a switch
    EXPECT_EQ(ctx.settings().Image.Enabled, -1);
    EXPECT_EQ(ctx.settings().Image.JustSize, -1);
    EXPECT_EQ(ctx.settings().Image.TilePattern, 0);
    EXPECT_TRUE(Checked(1) && Checked(3) && !Checked(4));
}

TEST_F(FaceCommandsTest, AConfirmedColourGoesToTheSettingTheItemNames)
{
    for (const QColor &c : {QColor(1, 2, 3), QColor(10, 20, 30), QColor(0xAA, 0xBB, 0xCC), QColor(0xFF, 0, 0x80)})
        fakes.choosers->colors.push_back(c);
    for (int index = 1; index <= 4; ++index)
        Run(Command::PickFaceColor, index);

    const Settings saved = Saved();
    EXPECT_EQ(saved.Color.Bord, 0x030201);
    EXPECT_EQ(saved.Color.HLine, 0x1E140A);
    EXPECT_EQ(saved.Color.MLine, 0xCCBBAA);
    EXPECT_EQ(saved.Color.SLine, 0x8000FF);
    // The face colour recolours the face; the hands show at the next tick.
    EXPECT_EQ(watch.announced.first(), SettingsAspect::FaceColor);
    EXPECT_EQ(watch.all(), SettingsAspect::FaceColor | SettingsAspect::Hands);
    EXPECT_TRUE(watch.everySavedFirst());
}

TEST_F(FaceCommandsTest, CancelledChoosersChangeNothing)
{
    Run(Command::PickFaceColor, 2);
    Run(Command::PickAnimationFile, 11);
    Run(Command::PickBackgroundImage, 2);
    Run(Command::PickFaceColor, 7);   // no such colour: no chooser either

    EXPECT_EQ(fakes.choosers->colorRequests, 1);
    EXPECT_EQ(fakes.choosers->fileRequests.size(), 2);
    EXPECT_TRUE(watch.announced.isEmpty());
    EXPECT_FALSE(QFile::exists(ctx.settingsPath()));
}

TEST_F(FaceCommandsTest, AChosenAnimationFileIsSavedThenAppliedEvenWhenItIsTheSameFile)
{
    Preset(ctx.store, [](Settings &s) { s.Anime.File = "/home/user/old.dat"; });
    fakes.choosers->files = {"/home/user/anime/neko.dat", "/home/user/anime/neko.dat"};

    Run(Command::PickAnimationFile, 11);
    Run(Command::PickAnimationFile, 11);

    ASSERT_EQ(fakes.choosers->fileRequests.size(), 2);
    const auto &request = fakes.choosers->fileRequests.first();
    EXPECT_EQ(request.title, "アニメ定義ファイルを選択してください");
    EXPECT_EQ(request.initialDir, "/home/user/old.dat");
    EXPECT_EQ(request.filters, (QList<QPair<QString, QString>>{{"アニメ定義ファイル (*.dat)", "*.dat"}}));
    EXPECT_EQ(Saved().Anime.File, "/home/user/anime/neko.dat");
    EXPECT_EQ(watch.announced, (QList<SettingsAspects>{SettingsAspect::Environment, SettingsAspect::Environment}));
    EXPECT_TRUE(watch.everySavedFirst());
}

TEST_F(FaceCommandsTest, AChosenPipeOrDeviceIsRefusedWithAMessageAndNothingChanges)
{
    Preset(ctx.store, [](Settings &s) {
        s.Anime.File = "/home/user/old.dat";
        s.Image.File = "/pics/old.bmp";
    });
    const QString fifo = folder.file("pipe.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder.file("zero.png")));
    const struct {
        Command command;
        int index;
        QString file;
    } cases[] = {
        {Command::PickAnimationFile, 11, fifo},
        {Command::PickBackgroundImage, 2, fifo},
        {Command::PickAnimationFile, 11, folder.file("zero.png")},
        {Command::PickBackgroundImage, 2, folder.file("zero.png")},
    };
    for (const auto &c : cases) {
        fakes.messages->shown.clear();
        fakes.choosers->files.push_back(c.file);
        Run(c.command, c.index);
        ASSERT_EQ(fakes.messages->shown.size(), 1) << c.file.toStdString();
        EXPECT_TRUE(fakes.messages->shown[0].text.contains(c.file));
    }
    EXPECT_EQ(ctx.settings().Anime.File, "/home/user/old.dat");
    EXPECT_EQ(ctx.settings().Image.File, "/pics/old.bmp");
    EXPECT_TRUE(watch.announced.isEmpty());
}

TEST_F(FaceCommandsTest, WithNoFileSetTheChoosersOpenAmongTheSampleEnvironments)
{
    Preset(ctx.store, [](Settings &s) {
        s.Anime.File.clear();
        s.Image.File.clear();
    });
    Run(Command::PickAnimationFile, 11);
    Run(Command::PickBackgroundImage, 2);
    ASSERT_EQ(fakes.choosers->fileRequests.size(), 2);
    for (const auto &request : fakes.choosers->fileRequests)
        EXPECT_EQ(request.initialDir, folder.path() + "/anime") << request.title.toStdString();
}

TEST_F(FaceCommandsTest, AChosenBackgroundPictureIsSwitchedOnAndShown)
{
    Preset(ctx.store, [](Settings &s) {
        s.Image.Enabled = 0;
        s.Image.File = "/pics/old.bmp";
    });
    fakes.choosers->files.push_back("/pics/new.png");

    Run(Command::PickBackgroundImage, 2);

    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    const auto &request = fakes.choosers->fileRequests.first();
    EXPECT_EQ(request.title, "画像ファイルを選択してください");
    EXPECT_EQ(request.initialDir, "/pics/old.bmp");
    ASSERT_EQ(request.filters.size(), 1);
    EXPECT_EQ(request.filters[0].first, "画像ファイル (*.bmp *.jpg *.gif *.ico)");
    for (const char *pattern : {"*.bmp", "*.jpg", "*.gif", "*.ico", "*.png", "*.jpeg"})
        EXPECT_TRUE(request.filters[0].second.split(';').contains(pattern)) << pattern;

    const Settings saved = Saved();
    EXPECT_EQ(saved.Image.File, "/pics/new.png");
    EXPECT_NE(saved.Image.Enabled, 0);
    EXPECT_TRUE(Checked(1));
    EXPECT_EQ(watch.announced, QList<SettingsAspects>{SettingsAspect::Background});
}

} // namespace
