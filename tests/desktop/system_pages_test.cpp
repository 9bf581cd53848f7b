// The system commands in the popup menu, and the wallpaper and version pages
// in the settings window.
#include <QAction>
#include <QIcon>
#include <QMenu>

#include "context/commands.h"
#include "context/pages.h"
#include "desktop/display_mode_menu.h"
#include "desktop/ui/system_commands.h"
#include "desktop/ui/wallpaper_page.h"
#include "desktop/wallpaper.h"
#include "menu/ui/popup_menu.h"
#include "settings/profile.h"
#include "settings_window/settings_window_fixture.h"
#include "settings_window/ui/version_page.h"
#include "settings_window/version_text.h"

namespace {

class SystemCommandsTest : public ::testing::Test {
protected:
    void registerWith(const QList<DisplayMode> &modes)
    {
        fakes.displayModes->list = modes;
        RegisterSystemCommands(commands, menu, ctx, &clock);
    }
    QStringList resolutionItems() const
    {
        QStringList items;
        for (QAction *action : menu.submenu("barMenu", 42)->actions())
            items << action->objectName() + " " + action->text() + (action->isEnabled() ? "" : " [disabled]");
        return items;
    }

    TempFolder folder;
    FakeServices fakes;
    Context ctx{fakes.services, folder.path()};
    CommandTable commands;
    PopupMenu menu{commands};
    QWidget clock;
};

TEST_F(SystemCommandsTest, TheResolutionSubmenuListsTheModesOfTheClocksMonitor)
{
    clock.setGeometry(1930, 10, 80, 80);
    fakes.displayModes->testResults[2] = DisplayChangeBadMode;
    registerWith({{1920, 1080, 24, 1}, {640, 480, 24, 2}});

    EXPECT_EQ(fakes.displayModes->askedAt, QPoint(1969, 49));
    EXPECT_EQ(resolutionItems(), QStringList({"barMoni0 ■1920×1080 24ビット ", "barMoni1 － 640× 480 24ビット "}));

    menu.item("barMoni", 1)->trigger();
    EXPECT_TRUE(fakes.displayModes->set.isEmpty()) << "a mode that cannot be set is not tried";
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].text, "解像度変更に失敗しました");

    menu.item("barMoni", 0)->trigger();
    ASSERT_EQ(fakes.displayModes->set.size(), 1);
    EXPECT_EQ(fakes.displayModes->set[0].first.id, 1u);
    EXPECT_EQ(fakes.messages->shown.size(), 1) << "the current mode set again says nothing";
}

TEST_F(SystemCommandsTest, WithoutModesTheSubmenuShowsADisabledEmptyItem)
{
    registerWith({});
    EXPECT_EQ(resolutionItems(), QStringList({"barMoni0 (空) [disabled]"}));
}

TEST_F(SystemCommandsTest, RestartAndShutdownAskAndHelpOpensTheHelpPage)
{
    registerWith({});
    fakes.messages->answers = {MessageAnswer::No, MessageAnswer::Yes};
    menu.barLunch_Click(91);
    menu.barLunch_Click(92);
    EXPECT_EQ(fakes.messages->shown.size(), 2);
    EXPECT_EQ(fakes.power->requests, QStringList{"poweroff"});

    menu.barHelp_Click(1);
    ASSERT_EQ(fakes.programs->requests.size(), 1);
    EXPECT_EQ(fakes.programs->requests[0].target, folder.path() + "/help/help.htm");
    EXPECT_EQ(fakes.programs->requests[0].workFolder, folder.path() + "/");
}

class SystemPagesTest : public SettingsWindowTest {
protected:
    SystemPagesTest()
    {
        pages.add(WallpaperPageDefinition());
        pages.add(VersionPageDefinition());
        fakes.desktop->keeps = false;
    }
    QRadioButton *option(int index) const { return control<QRadioButton>(QStringLiteral("OPT%1").arg(index)); }
    QString kept(const QString &key) const
    {
        return ReadIniValue("Desktop", key, "?", WallpaperProfilePath(folder.path()));
    }
};

TEST_F(SystemPagesTest, ATiledWallpaperIsSetShownAgainAndKeptWhenAppliedUnchanged)
{
    open(PageWallpaper);
    EXPECT_EQ(window->windowTitle(), "Tockara [壁紙設定]");
    EXPECT_TRUE(option(11)->isChecked());
    EXPECT_EQ(field(13)->text(), "");

    type(13, "/pics/blue.png");
    option(8)->click();
    click("BTN12");
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(fakes.desktop->painted.size(), 1);
    EXPECT_EQ(fakes.desktop->painted[0].tile, "1");
    EXPECT_FALSE(savedFileExists()) << "the wallpaper is no setting of the clock";

    open(PageWallpaper);
    EXPECT_EQ(field(13)->text(), "/pics/blue.png");
    EXPECT_TRUE(option(8)->isChecked());
    click("BTN12");
    EXPECT_EQ(kept("Wallpaper"), "/pics/blue.png");
    EXPECT_EQ(kept("TileWallpaper"), "1");
}

TEST_F(SystemPagesTest, AWallpaperThatCannotBeKeptIsShownToldAndThePageStaysOpen)
{
    // A folder where the profile file should be: it can never be written.
    QDir(folder.path()).mkdir("Wallpaper.ini");
    open(PageWallpaper).show();
    type(13, "/pics/blue.png");
    option(8)->click();
    click("BTN12");
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(fakes.desktop->painted.size(), 1);
    EXPECT_EQ(fakes.desktop->painted[0].file, "/pics/blue.png");
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains(WallpaperProfilePath(folder.path())));
}

TEST_F(SystemPagesTest, NoWallpaperRemovesItWhateverTheFieldHolds)
{
    ApplyWallpaper(*fakes.desktop, WallpaperProfilePath(folder.path()), "/pics/a.png", "2");
    open(PageWallpaper);
    EXPECT_TRUE(option(10)->isChecked());
    option(11)->click();
    click("BTN12");
    EXPECT_EQ(kept("Wallpaper"), "");
    EXPECT_EQ(kept("WallpaperStyle"), "0");
    EXPECT_EQ(fakes.desktop->painted.last().file, "");
}

TEST_F(SystemPagesTest, TheChooserOffersPicturesAndReplacesTheField)
{
    open(PageWallpaper);
    type(13, "/pics/old.png");
    fakes.choosers->files = {"/pics/new.jpeg"};
    click("DialogBtn3");
    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    const auto &request = fakes.choosers->fileRequests[0];
    EXPECT_EQ(request.title, "壁紙を選択してください。");
    EXPECT_EQ(request.initialDir, "/pics/old.png");
    ASSERT_EQ(request.filters.size(), 2);
    for (const char *pattern : {"*.bmp", "*.jpg", "*.jpeg", "*.png", "*.tif", "*.gif", "*.wmf", "*.ico"})
        EXPECT_TRUE(request.filters[0].second.split(';').contains(pattern)) << pattern;
    EXPECT_EQ(request.filters[1], qMakePair(QStringLiteral("全てのファイル"), QStringLiteral("*.*")));
    EXPECT_EQ(field(13)->text(), "/pics/new.jpeg");

    click("DialogBtn3");   // cancelled
    EXPECT_EQ(field(13)->text(), "/pics/new.jpeg");
}

TEST_F(SystemPagesTest, TheVersionPageShowsNameVersionAndIcon)
{
    QPixmap programIcon(32, 32);
    programIcon.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(programIcon));
    open(PageVersion);
    EXPECT_EQ(window->windowTitle(), "Tockara バージョン情報");
    EXPECT_EQ(control<QLabel>("DSP0")->text(), VersionText(CurrentVersion()));
    EXPECT_EQ(control<QLabel>("LBL10")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    EXPECT_EQ(control<QLabel>("LBL9")->pos(), control<QLabel>("LBL10")->pos() + QPoint(1, 1));
    EXPECT_EQ(control<QLabel>("ImgChar")->pixmap().toImage().pixelColor(16, 16), QColor(Qt::red));
}

} // namespace
