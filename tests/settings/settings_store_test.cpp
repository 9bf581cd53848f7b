// The settings store: one write per change, then an announcement of what the
// change touches; a write that fails is told to the user once.
#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <unistd.h>

#include "settings/profile.h"
#include "settings/settings_store.h"
#include "support/fake_services.h"
#include "support/settings_watch.h"
#include "support/temp_folder.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    TempFolder folder;
    FakeServices fakes;
    SettingsStore store{folder.file("Tockara.ini"), folder.path(), *fakes.messages};
    SettingsWatch watch{store, folder.path()};
};

TEST_F(SettingsStoreTest, EachChangeAnnouncesTheAspectsItTouches)
{
    using A = SettingsAspect;
    const struct {
        const char *what;
        std::function<void(Settings &)> edit;
        SettingsAspects aspects;
    } cases[] = {
        {"drag", [](Settings &s) { s.Setting.Left = 1500; }, A::Position},
        {"size", [](Settings &s) { s.Setting.Height = 120; }, A::Size},
        {"face colour", [](Settings &s) { s.Color.Bord = 255; }, A::FaceColor},
        {"hand colour", [](Settings &s) { s.Color.SLine = 255; }, A::Hands},
        {"hand width", [](Settings &s) { s.Thick.MLine = 4; }, A::Hands},
        {"picture", [](Settings &s) { s.Image.TilePattern = 0; }, A::Background},
        {"texts", [](Settings &s) { s.Digital.TimePattern = 2; }, A::Overlay},
        {"hover format", [](Settings &s) { s.Setting.TimeFormat = "hh:nn"; }, A::HoverText},
        {"third alarm", [](Settings &s) { s.Alarm[2].Comment = "x"; }, A::Alarms},
        {"environment", [](Settings &s) { s.Anime.Enabled = 0; }, A::Environment},
        {"archive", [](Settings &s) { s.ARC.FileFold = -1; }, A::Archive},
        {"opacity", [](Settings &s) { s.Window.Opacity = 50; }, A::Opacity},
        {"click-through", [](Settings &s) { s.Window.ClickThrough = 1; }, A::ClickThrough},
        {"chime", [](Settings &s) { s.Chime.QuietTo = "06:00"; }, A::Chime},
        {"size and picture",
         [](Settings &s) {
             s.Setting.Width = 100;
             s.Image.File = "/p.png";
         },
         A::Size | A::Background},
    };
    for (const auto &c : cases) {
        watch.announced.clear();
        EXPECT_TRUE(store.Update(c.edit)) << c.what;
        EXPECT_EQ(watch.announced, QList<SettingsAspects>{c.aspects}) << c.what;
    }
    EXPECT_TRUE(watch.everySavedFirst());
    EXPECT_EQ(ReadIniValue("Setting", "Width", "-", store.path()), "100");
}

TEST_F(SettingsStoreTest, AnUnchangedValueAnnouncesOnlyWhatIsAskedFor)
{
    store.Update([](Settings &s) { s.Image.File = s.Image.File; });
    EXPECT_TRUE(watch.announced.isEmpty());
    EXPECT_TRUE(QFile::exists(store.path())) << "the file is still written";

    store.Update([](Settings &) {}, SettingsAspect::Environment);
    EXPECT_EQ(watch.announced, QList<SettingsAspects>{SettingsAspect::Environment});
}

TEST_F(SettingsStoreTest, AListenerThatChangesTheSettingsAgainSeesBothChangesSaved)
{
    // As an environment does: its own change announced inside the first one.
    QObject::connect(&store, &SettingsStore::changed, &store, [this](SettingsAspects aspects) {
        if (aspects & SettingsAspect::Environment)
            store.Update([](Settings &s) { s.Setting.Width = 150; });
    });
    store.Update([](Settings &s) { s.Anime.File = "/env.dat"; });
    EXPECT_EQ(watch.announced.size(), 2);
    EXPECT_TRUE(watch.everySavedFirst());
    const Settings saved = SavedSettings(store, folder.path());
    EXPECT_EQ(saved.Setting.Width, 150);
    EXPECT_EQ(saved.Anime.File, "/env.dat");
}

TEST_F(SettingsStoreTest, AFailedWriteIsToldOnceAndTheChangeStillShows)
{
    // A "folder" below a plain file can never be created or written.
    folder.writeBytes("plain", "x");
    SettingsStore blocked(folder.file("plain/Tockara.ini"), folder.path(), *fakes.messages);
    SettingsWatch blockedWatch(blocked, folder.path());

    EXPECT_FALSE(blocked.Save());
    EXPECT_FALSE(blocked.Update([](Settings &s) { s.Color.Bord = 255; }));
    EXPECT_FALSE(blocked.Update([](Settings &s) { s.Color.Bord = 65280; }));

    ASSERT_EQ(fakes.messages->shown.size(), 1);
    const auto &told = fakes.messages->shown.first();
    EXPECT_EQ(told.title, "Tockara");
    EXPECT_TRUE(told.text.contains(folder.file("plain/Tockara.ini"))) << told.text.toStdString();
    EXPECT_EQ(told.icon, MessageIcon::Warning);
    EXPECT_EQ(blocked.settings().Color.Bord, 65280);
    EXPECT_EQ(blockedWatch.announced.size(), 2);
}

TEST_F(SettingsStoreTest, AFileTooLargeToReadIsToldAsSuchOnceAndTheDefaultsRun)
{
    const QString path = folder.writeBytes("Tockara.ini", "[Setting]\r\nWidth=130\r\n");
    ASSERT_EQ(::truncate(QFile::encodeName(path).constData(), kMaxProfileFileBytes + 1), 0);
    store.Load();
    EXPECT_EQ(store.settings().Setting.Width, DefaultSettings(folder.path()).Setting.Width);
    EXPECT_FALSE(store.Save());   // start-up writes the file straight back
    EXPECT_FALSE(store.Update([](Settings &s) { s.Color.Bord = 255; }));

    ASSERT_EQ(fakes.messages->shown.size(), 1);
    const QString told = fakes.messages->shown.first().text;
    EXPECT_TRUE(told.contains(QStringLiteral("大きすぎる"))) << told.toStdString();
    EXPECT_TRUE(told.contains(QStringLiteral("今回は既定の設定を使います。"))) << told.toStdString();
    EXPECT_TRUE(told.contains(path)) << told.toStdString();
    EXPECT_FALSE(told.contains(QStringLiteral("書き込めるか"))) << told.toStdString();
    EXPECT_EQ(QFileInfo(path).size(), kMaxProfileFileBytes + 1);
}

TEST_F(SettingsStoreTest, AWriteFailureNamesItsCause)
{
    folder.writeBytes("plain", "x");
    const QString large = folder.writeBytes("NIKI2026.txt", "");
    ASSERT_EQ(::truncate(QFile::encodeName(large).constData(), kMaxProfileFileBytes + 1), 0);
    const struct {
        QString file;
        const char *cause;
        const char *notCause;
    } cases[] = {
        {folder.file("plain/NIKI2026.txt"), "書き込めるか確かめてください。", "大きすぎ"},
        {large, "ファイルが大きすぎます。4 MB を超えるファイルは読み書きしません。", "書き込めるか"},
    };
    for (const auto &c : cases) {
        fakes.messages->shown.clear();
        ShowWriteFailure(*fakes.messages, nullptr, QStringLiteral("記録できませんでした。"), c.file);
        ASSERT_EQ(fakes.messages->shown.size(), 1);
        const QString told = fakes.messages->shown.first().text;
        EXPECT_TRUE(told.contains(QString::fromUtf8(c.cause))) << told.toStdString();
        EXPECT_FALSE(told.contains(QString::fromUtf8(c.notCause))) << told.toStdString();
    }
}

TEST_F(SettingsStoreTest, ResetAndLoadTakeSettingsWithoutWritingOrAnnouncing)
{
    folder.writeBytes("Tockara.ini", "[Setting]\r\nWidth=130\r\n");
    store.Load();
    EXPECT_EQ(store.settings().Setting.Width, 130);
    Preset(store, [](Settings &s) { s.Setting.Height = 99; });
    EXPECT_EQ(store.settings().Setting.Height, 99);
    EXPECT_EQ(folder.readBytes("Tockara.ini"), "[Setting]\r\nWidth=130\r\n");
    EXPECT_TRUE(watch.announced.isEmpty());
}

} // namespace
