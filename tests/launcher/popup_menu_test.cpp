// The popup menu: its tree, and what its commands change.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QTimer>

#include "launcher/popup_menu.h"
#include "support/fake_clock_actions.h"
#include "settings/context.h"
#include "support/fake_services.h"
#include "support/temp_folder.h"

namespace {

// The menu's tree, one line per item: indentation by depth, the item's name,
// its caption and its state.
void Outline(const QMenu *menu, int depth, QStringList &lines)
{
    for (QAction *action : menu->actions()) {
        QString line = QString(depth * 2, u' ') + action->objectName();
        if (action->isSeparator())
            line += " ---";
        else
            line += " " + action->text();
        if (action->isCheckable())
            line += " [check]";
        // The toolkit reports a hidden item as disabled too.
        if (!action->isVisible())
            line += " [hidden]";
        else if (!action->isEnabled())
            line += " [disabled]";
        lines << line;
        if (action->menu())
            Outline(action->menu(), depth + 1, lines);
    }
}

const QStringList kExpectedTree = {
    "barMenu1 時計の設定(&E)",
    "  barEnv1 色の設定",
    "    barColor1 背景の色",
    "    barColor2 短針の色",
    "    barColor3 長針の色",
    "    barColor4 秒針の色",
    "  barEnv11 針の設定",
    "  barEnv21 時計サイズ",
    "barMenu11 アニメ変更",
    "barMenu21 背景設定",
    "  barBack1 背景の表示 [check]",
    "  barBack2 イメージ設定",
    "  barBack3 イメージの拡大・縮小 [check]",
    "  barBack4 タイル [check]",
    "barMenu30 ---",
    "barMenu31 ランチャー",
    "  barLunch80 ---",
    "  barLunch81 デスクトップ",
    "    barDesktop0 (空) [disabled]",
    "  barLunch82 最近使ったファイル",
    "    barRecent0 (空) [disabled]",
    "  barLunch83 マイ　ドキュメント",
    "    barDocument0 (空)",
    "  barLunch90 ---",
    "  barLunch91 再起動",
    "  barLunch92 Windows終了",
    "barMenu32 ランチャー設定",
    "barMenu41 ドライブ",
    "  barDrive0  [hidden]",
    "barMenu42 画面解像度",
    "  barMoni0  [hidden]",
    "barMenu50 ---",
    "barMenu51 アラーム設定",
    "barMenu61 カレンダー",
    "barMenu62 ちょいメモ",
    "barMenu70 ---",
    "barMenu71 オプション",
    "  barOPT1 解凍設定",
    "  barOPT11 デジタル表示",
    "  barOPT21 カレンダー表示",
    "  barOPT31 壁紙設定",
    "  barOPT41 ＣＤオーディオ [hidden]",
    "  barOPT51 電卓",
    "barMenu91 ヘルプ(&H)",
    "  barHelp1 ヘルプ",
    "  barHelp11 バージョン",
    "barMenu98 ---",
    "barMenu99 閉じる(&C)",
};

using SaveOrderClock = FakeClockActions;

class PopupMenuTest : public ::testing::Test {
protected:
    PopupMenuTest() : ctx(fakes.services, folder.path())
    {
        ctx.clock = &clock;
        clock.settingsPath = ctx.settingsPath;
        ctx.ShowSettingsWindow = [this] { openedPages << ctx.PageRequest; };
    }

    // Clicks an item the way the user does: through its action.
    void Click(const QString &array, int index)
    {
        QAction *action = menu.item(array, index);
        ASSERT_NE(action, nullptr) << array.toStdString() << index;
        action->trigger();
    }

    Settings Saved() const
    {
        Settings saved;
        LoadSettings(saved, ctx.settingsPath, folder.path());
        return saved;
    }

    TempFolder folder;
    FakeServices fakes;
    SaveOrderClock clock;
    Context ctx;
    QList<qint16> openedPages;
    PopupMenu menu{ctx};
};

TEST_F(PopupMenuTest, TheTreeHasEveryItemInOrderWithItsState)
{
    EXPECT_EQ(menu.objectName(), "frmMenu");
    EXPECT_FALSE(menu.isVisible());
    QStringList tree;
    Outline(menu.popup(), 0, tree);
    EXPECT_EQ(tree.join('\n').toStdString(), kExpectedTree.join('\n').toStdString());
}

TEST_F(PopupMenuTest, WithoutLauncherEntriesTheLauncherMenuStartsWithItsSeparator)
{
    QMenu *launcher = menu.submenu("barMenu", 31);
    ASSERT_NE(launcher, nullptr);
    QAction *first = launcher->actions().value(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "barLunch80");
    EXPECT_TRUE(first->isSeparator());
    // The toolkit must not fold the leading separator away when laying out.
    EXPECT_FALSE(launcher->actionGeometry(first).isEmpty());
}

TEST_F(PopupMenuTest, CheckMarksFollowTheBackgroundSettings)
{
    ctx.settings.Image.Enabled = -1;
    ctx.settings.Image.JustSize = 0;
    ctx.settings.Image.TilePattern = 1;
    menu.SyncBackgroundMenuChecks();
    EXPECT_TRUE(menu.item("barBack", 1)->isChecked());
    EXPECT_FALSE(menu.item("barBack", 3)->isChecked());
    EXPECT_TRUE(menu.item("barBack", 4)->isChecked());

    ctx.settings.Image.Enabled = 0;
    ctx.settings.Image.JustSize = 5;
    ctx.settings.Image.TilePattern = 0;
    menu.SyncBackgroundMenuChecks();
    EXPECT_FALSE(menu.item("barBack", 1)->isChecked());
    EXPECT_TRUE(menu.item("barBack", 3)->isChecked());
    EXPECT_FALSE(menu.item("barBack", 4)->isChecked());
}

TEST_F(PopupMenuTest, TogglingTileTwiceRestoresSettingAndMarkAndSavesEachTime)
{
    ctx.settings.Image.TilePattern = 0;
    menu.SyncBackgroundMenuChecks();

    Click("barBack", 4);
    EXPECT_TRUE(menu.item("barBack", 4)->isChecked());
    EXPECT_EQ(ctx.settings.Image.TilePattern, -1);
    EXPECT_EQ(Saved().Image.TilePattern, -1);

    Click("barBack", 4);
    EXPECT_FALSE(menu.item("barBack", 4)->isChecked());
    EXPECT_EQ(ctx.settings.Image.TilePattern, 0);
    EXPECT_EQ(Saved().Image.TilePattern, 0);

    EXPECT_EQ(clock.order, (QStringList{"ComposeBackground after save", "ComposeBackground after save"}));
}

TEST_F(PopupMenuTest, EachToggleChangesOnlyItsOwnSetting)
{
    ctx.settings.Image.Enabled = 0;
    ctx.settings.Image.JustSize = 0;
    ctx.settings.Image.TilePattern = 0;
    menu.SyncBackgroundMenuChecks();

    Click("barBack", 1);
    EXPECT_EQ(ctx.settings.Image.Enabled, -1);
    Click("barBack", 3);
    EXPECT_EQ(ctx.settings.Image.JustSize, -1);
    EXPECT_EQ(ctx.settings.Image.TilePattern, 0);
    EXPECT_FALSE(menu.item("barBack", 4)->isChecked());
}

TEST_F(PopupMenuTest, AConfirmedColourGoesToTheFieldTheItemNames)
{
    const QColor colours[] = {QColor(1, 2, 3), QColor(10, 20, 30), QColor(0xAA, 0xBB, 0xCC),
                              QColor(0xFF, 0, 0x80)};
    for (const QColor &c : colours)
        fakes.choosers->colors.push_back(c);

    for (int index = 1; index <= 4; ++index)
        Click("barColor", index);

    EXPECT_EQ(ctx.settings.Color.Bord, 0x030201);
    EXPECT_EQ(ctx.settings.Color.HLine, 0x1E140A);
    EXPECT_EQ(ctx.settings.Color.MLine, 0xCCBBAA);
    EXPECT_EQ(ctx.settings.Color.SLine, 0x8000FF);
    // Each colour is applied to the face before the settings are saved.
    EXPECT_EQ(clock.order.first(), "ApplyBackColor before save");
    EXPECT_EQ(clock.calls.count("ApplyBackColor"), 4);

    const Settings saved = Saved();
    EXPECT_EQ(saved.Color.Bord, 0x030201);
    EXPECT_EQ(saved.Color.SLine, 0x8000FF);
}

TEST_F(PopupMenuTest, CancelledPickersChangeNothing)
{
    ctx.settings.Image.TilePattern = 0;
    menu.SyncBackgroundMenuChecks();
    const Settings before = ctx.settings;

    Click("barColor", 2);      // colour chooser cancelled
    Click("barMenu", 11);      // animation file chooser cancelled
    Click("barBack", 2);       // background picture chooser cancelled

    EXPECT_EQ(fakes.choosers->colorRequests, 1);
    EXPECT_EQ(fakes.choosers->fileRequests.size(), 2);
    EXPECT_EQ(ctx.settings.Color.HLine, before.Color.HLine);
    EXPECT_EQ(ctx.settings.Anime.File, before.Anime.File);
    EXPECT_EQ(ctx.settings.Image.File, before.Image.File);
    EXPECT_EQ(ctx.settings.Image.Enabled, before.Image.Enabled);
    EXPECT_FALSE(menu.item("barBack", 1)->isChecked());
    EXPECT_TRUE(clock.calls.isEmpty());
    EXPECT_FALSE(QFile::exists(ctx.settingsPath));
}

TEST_F(PopupMenuTest, AChosenAnimationFileIsSavedAndApplied)
{
    ctx.settings.Anime.File = "/home/user/old.dat";
    fakes.choosers->files.push_back("/home/user/anime/neko.dat");

    Click("barMenu", 11);

    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    const auto &request = fakes.choosers->fileRequests.first();
    EXPECT_EQ(request.title, "アニメ定義ファイルを選択してください");
    EXPECT_EQ(request.initialDir, "/home/user/old.dat");
    EXPECT_EQ(request.filters, (QList<QPair<QString, QString>>{{"アニメ定義ファイル (*.dat)", "*.dat"}}));
    EXPECT_EQ(ctx.settings.Anime.File, "/home/user/anime/neko.dat");
    EXPECT_EQ(Saved().Anime.File, "/home/user/anime/neko.dat");
    // The choice is saved before the environment is applied.
    EXPECT_EQ(clock.order, QStringList{"LoadEnvironment after save"});
}

TEST_F(PopupMenuTest, AChosenBackgroundPictureIsSwitchedOnAndShown)
{
    ctx.settings.Image.Enabled = 0;
    ctx.settings.Image.File = "/pics/old.bmp";
    menu.SyncBackgroundMenuChecks();
    fakes.choosers->files.push_back("/pics/new.png");

    Click("barBack", 2);

    ASSERT_EQ(fakes.choosers->fileRequests.size(), 1);
    const auto &request = fakes.choosers->fileRequests.first();
    EXPECT_EQ(request.title, "画像ファイルを選択してください");
    EXPECT_EQ(request.initialDir, "/pics/old.bmp");
    ASSERT_EQ(request.filters.size(), 1);
    EXPECT_EQ(request.filters[0].first, "画像ファイル (*.bmp *.jpg *.gif *.ico)");
    for (const char *pattern : {"*.bmp", "*.jpg", "*.gif", "*.ico", "*.png", "*.jpeg"})
        EXPECT_TRUE(request.filters[0].second.split(';').contains(pattern)) << pattern;

    EXPECT_EQ(ctx.settings.Image.File, "/pics/new.png");
    EXPECT_EQ(ctx.settings.Image.Enabled, -1);
    EXPECT_TRUE(menu.item("barBack", 1)->isChecked());
    const Settings saved = Saved();
    EXPECT_EQ(saved.Image.File, "/pics/new.png");
    EXPECT_NE(saved.Image.Enabled, 0);
    EXPECT_EQ(clock.order, QStringList{"ComposeBackground after save"});
}

TEST_F(PopupMenuTest, PageItemsAskTheSettingsWindowForTheirPage)
{
    struct Case {
        const char *array;
        int index;
        qint16 page;
    };
    const Case cases[] = {
        {"barEnv", 21, 1},  {"barMenu", 51, 2}, {"barEnv", 11, 3},  {"barHelp", 11, 4},
        {"barMenu", 32, 5}, {"barOPT", 1, 6},   {"barMenu", 61, 7}, {"barOPT", 11, 8},
        {"barOPT", 21, 9},  {"barOPT", 31, 11}, {"barOPT", 41, 12}, {"barOPT", 51, 13},
    };
    for (const Case &c : cases) {
        openedPages.clear();
        Click(c.array, c.index);
        EXPECT_EQ(openedPages, QList<qint16>{c.page}) << c.array << c.index;
    }
    EXPECT_FALSE(QFile::exists(ctx.settingsPath));
}

TEST_F(PopupMenuTest, WithoutASettingsWindowAPageItemOnlyRecordsThePage)
{
    ctx.ShowSettingsWindow = nullptr;
    Click("barEnv", 21);
    EXPECT_EQ(ctx.PageRequest, 1);
}

TEST_F(PopupMenuTest, ItemsOfLaterFeaturesDoNothingYet)
{
    for (const auto &[array, index] : std::initializer_list<std::pair<const char *, int>>{
             {"barLunch", 91}, {"barLunch", 92}, {"barDocument", 0}, {"barHelp", 1}, {"barDrive", 0}})
        Click(array, index);
    EXPECT_TRUE(openedPages.isEmpty());
    EXPECT_TRUE(clock.calls.isEmpty());
    EXPECT_EQ(ctx.PageRequest, 0);
}

TEST_F(PopupMenuTest, CloseEndsTheProgram)
{
    Click("barMenu", 99);
    EXPECT_EQ(clock.calls, QStringList{"ExitProgram"});
}

TEST_F(PopupMenuTest, ShowPopupMenuReturnsWhenTheMenuCloses)
{
    QTimer::singleShot(0, menu.popup(), &QMenu::close);
    menu.ShowPopupMenu(QPoint(100, 130));
    EXPECT_FALSE(menu.popup()->isVisible());
}

} // namespace
