// The system commands in the popup menu, and the wallpaper and version pages
// in the settings window.
#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QImage>
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
#include "support/environment_value.h"

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
    // A small picture at name below the program folder; its full path.
    QString picture(const QString &name) const
    {
        QImage blue(4, 4, QImage::Format_RGB32);
        blue.fill(Qt::blue);
        QDir().mkpath(QFileInfo(folder.file(name)).path());
        blue.save(folder.file(name), "PNG");
        return folder.file(name);
    }
};

TEST_F(SystemPagesTest, ATiledWallpaperIsSetShownAgainAndKeptWhenAppliedUnchanged)
{
    const QString blue = picture("pics/blue.png");
    open(PageWallpaper);
    EXPECT_EQ(window->windowTitle(), "Tockara [壁紙設定]");
    EXPECT_TRUE(option(11)->isChecked());
    EXPECT_EQ(field(13)->text(), "");

    type(13, blue);
    option(8)->click();
    click("BTN12");
    EXPECT_FALSE(window->isVisible());
    ASSERT_EQ(fakes.desktop->painted.size(), 1);
    EXPECT_EQ(fakes.desktop->painted[0].tile, "1");
    EXPECT_FALSE(savedFileExists()) << "the wallpaper is no setting of the clock";

    open(PageWallpaper);
    EXPECT_EQ(field(13)->text(), blue);
    EXPECT_TRUE(option(8)->isChecked());
    click("BTN12");
    EXPECT_EQ(kept("Wallpaper"), blue);
    EXPECT_EQ(kept("TileWallpaper"), "1");
}

TEST_F(SystemPagesTest, ConfirmedAsShownThePageChangesNoDesktopSetting)
{
    // A zoomed picture of the desktop's own shows as 中央に表示.
    fakes.desktop->keeps = true;
    fakes.desktop->current = {picture("zoomed.png"), "0", "10"};
    open(PageWallpaper).show();
    EXPECT_TRUE(option(9)->isChecked());
    click("BTN12");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(fakes.desktop->written.isEmpty());

    // No wallpaper, confirmed as none: nothing either.
    fakes.desktop->current = {};
    open(PageWallpaper);
    click("BTN12");
    EXPECT_TRUE(fakes.desktop->written.isEmpty());

    // A change, even of the placement alone, is set.
    fakes.desktop->current = {folder.file("zoomed.png"), "0", "10"};
    open(PageWallpaper);
    option(10)->click();
    click("BTN12");
    ASSERT_EQ(fakes.desktop->written.size(), 1);
    EXPECT_EQ(fakes.desktop->written[0].style, "2");
}

TEST_F(SystemPagesTest, TheFieldTakesPathsBelowHomeAndTheProgramFolder)
{
    const EnvironmentValue home("HOME", QFile::encodeName(folder.file("home")));
    picture("home/Pictures/a.png");
    picture("walls/b.png");
    const struct {
        QString typed, set;
    } cases[] = {
        {"~/Pictures/a.png", folder.file("home/Pictures/a.png")},
        {"walls/b.png", folder.file("walls/b.png")},
    };
    for (const auto &c : cases) {
        open(PageWallpaper);
        type(13, c.typed);
        option(9)->click();
        click("BTN12");
        EXPECT_EQ(fakes.desktop->painted.last().file, c.set) << c.typed.toStdString();
        EXPECT_EQ(kept("Wallpaper"), c.set);
    }

    // The chooser opens where the typed path leads.
    open(PageWallpaper);
    type(13, "~/Pictures/a.png");
    click("DialogBtn3");
    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    EXPECT_EQ(fakes.choosers->fileRequests[0].initialDir, folder.file("home/Pictures/a.png"));
}

TEST_F(SystemPagesTest, AFileThatHoldsNoPictureIsToldAndNothingIsSet)
{
    const QString shown = picture("shown.png");
    ApplyWallpaper(*fakes.desktop, WallpaperProfilePath(folder.path()), shown, "1");
    const QString text = folder.writeBytes("notes.png", "not a picture");
    const QString fifo = folder.file("pipe.png");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString file, told;
    } cases[] = {
        {text, "壁紙の画像を読み込めませんでした。"},
        {folder.file("missing.png"), "壁紙のファイルが見つかりません。"},
        // Refused at once: the clock never waits for a writer of the pipe.
        {fifo, "通常のファイルではない"},
        {folder.path(), "通常のファイルではない"},
    };
    for (const auto &c : cases) {
        fakes.messages->shown.clear();
        open(PageWallpaper).show();
        type(13, c.file);
        option(10)->click();
        click("BTN12");
        EXPECT_TRUE(window->isVisible()) << "the page stays open to mend the path";
        ASSERT_EQ(fakes.messages->shown.size(), 1);
        EXPECT_TRUE(fakes.messages->shown[0].text.startsWith(c.told)) << fakes.messages->shown[0].text.toStdString();
        EXPECT_TRUE(fakes.messages->shown[0].text.contains(c.file));
        EXPECT_EQ(kept("Wallpaper"), shown);
        EXPECT_EQ(kept("WallpaperStyle"), "0");
    }
    EXPECT_EQ(fakes.desktop->painted.size(), 1);
}

TEST_F(SystemPagesTest, AWallpaperThatCannotBeKeptIsShownToldAndThePageStaysOpen)
{
    const QString blue = picture("blue.png");
    // A folder where the profile file should be: it can never be written.
    QDir(folder.path()).mkdir("Wallpaper.ini");
    open(PageWallpaper).show();
    type(13, blue);
    option(8)->click();
    click("BTN12");
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(fakes.desktop->painted.size(), 1);
    EXPECT_EQ(fakes.desktop->painted[0].file, blue);
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains(WallpaperProfilePath(folder.path())));
}

TEST_F(SystemPagesTest, NoWallpaperRemovesItWhateverTheFieldHolds)
{
    ApplyWallpaper(*fakes.desktop, WallpaperProfilePath(folder.path()), picture("a.png"), "2");
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
