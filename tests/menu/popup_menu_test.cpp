// The popup menu: its tree, and which command each item gives.
#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QImage>
#include <QTimer>

#include "context/pages.h"
#include "menu/ui/popup_menu.h"

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
    "  barOPT61 ログイン時に起動 [check]",
    "  barOPT70 ---",
    "  barOPT71 透明度",
    "    barOpacity100 100% [check]",
    "    barOpacity90 90% [check]",
    "    barOpacity80 80% [check]",
    "    barOpacity70 70% [check]",
    "    barOpacity60 60% [check]",
    "    barOpacity50 50% [check]",
    "    barOpacity40 40% [check]",
    "    barOpacity30 30% [check]",
    "  barOPT72 クリック透過 [check]",
    "  barOPT81 時報 [check]",
    "  barOPT82 時報の設定",
    "barMenu91 ヘルプ(&H)",
    "  barHelp1 ヘルプ",
    "  barHelp11 バージョン",
    "barMenu98 ---",
    "barMenu99 閉じる(&C)",
};

class PopupMenuTest : public ::testing::Test {
protected:
    struct Given {
        Command command;
        QString array;
        int index;
        qint16 page;
        bool operator==(const Given &) const = default;
    };

    PopupMenuTest()
    {
        // Every command records what it was given.
        for (int c = int(Command::None); c < int(Command::End); ++c) {
            const Command command = Command(c);
            commands.bind(command, [this, command](const CommandItem &item) {
                given.append({command, item.array, item.index, item.page});
            });
        }
    }

    // Clicks an item the way the user does: through its action.
    void Click(const QString &array, int index)
    {
        QAction *action = menu.item(array, index);
        ASSERT_NE(action, nullptr) << array.toStdString() << index;
        action->trigger();
    }

    CommandTable commands;
    PopupMenu menu{commands};
    QList<Given> given;
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
    // The toolkit must not fold the leading separator away when laying out,
    // and its line must lie apart from the menu's frame: some row below the
    // frame's and within the separator differs from the menu's background.
    const QRect separator = launcher->actionGeometry(first);
    ASSERT_FALSE(separator.isEmpty());
    const QImage image = launcher->grab().toImage();
    const int x = image.width() / 2;
    const QColor background = image.pixelColor(x, launcher->actionGeometry(launcher->actions().value(1)).top() + 1);
    int lineRows = 0;
    for (int y = 2; y <= separator.bottom(); ++y)
        lineRows += image.pixelColor(x, y) != background;
    EXPECT_GT(lineRows, 0) << "no separator line below the menu's frame";
}

TEST_F(PopupMenuTest, EachItemGivesItsCommandWithItsIndexAndPage)
{
    using enum Command;
    const Given cases[] = {
        {PickFaceColor, "barColor", 1, 0},  {PickFaceColor, "barColor", 4, 0},
        {OpenPage, "barEnv", 11, PageThickness}, {OpenPage, "barEnv", 21, PageSize},
        {PickAnimationFile, "barMenu", 11, 0}, {ToggleBackground, "barBack", 1, 0},
        {PickBackgroundImage, "barBack", 2, 0}, {ToggleBackground, "barBack", 4, 0},
        {OpenFolderItem, "barDocument", 0, 0}, {Restart, "barLunch", 91, 0},
        {Shutdown, "barLunch", 92, 0},       {OpenPage, "barMenu", 32, PageLauncher},
        {OpenPage, "barMenu", 51, PageAlarm}, {OpenPage, "barMenu", 61, PageCalendar},
        {OpenMemo, "barMenu", 62, PageMemo}, {OpenPage, "barOPT", 1, PageArchive},
        {OpenPage, "barOPT", 11, PageDigital}, {OpenPage, "barOPT", 21, PageCalendarDisplay},
        {OpenPage, "barOPT", 31, PageWallpaper}, {OpenPage, "barOPT", 41, PageCD},
        {OpenPage, "barOPT", 51, PageCalculator}, {OpenHelp, "barHelp", 1, 0},
        {OpenPage, "barHelp", 11, PageVersion}, {Exit, "barMenu", 99, 0},
        {ToggleAutostart, "barOPT", 61, 0},   {SetOpacity, "barOpacity", 50, 0},
        {SetOpacity, "barOpacity", 100, 0},   {ToggleClickThrough, "barOPT", 72, 0},
        {ToggleChime, "barOPT", 81, 0},       {OpenPage, "barOPT", 82, PageChime},
    };
    for (const Given &c : cases) {
        given.clear();
        Click(c.array, c.index);
        EXPECT_EQ(given, QList<Given>{c}) << c.array.toStdString() << c.index;
    }
}

TEST_F(PopupMenuTest, SubmenusSeparatorsAndDisabledPlaceholdersGiveNothing)
{
    // The click entry points by array and index, as the menu's own clicks.
    menu.barMenu_Click(21);   // opens 背景設定
    menu.barMenu_Click(30);   // a separator
    menu.barLunch_Click(81);  // opens デスクトップ
    menu.barMenu_Click(12);   // no such item
    menu.item("barDesktop", 0)->trigger();   // "(空)", disabled
    EXPECT_TRUE(given.isEmpty());
    menu.barOpt_Click(51);
    EXPECT_EQ(given.size(), 1);
}

TEST_F(PopupMenuTest, ACommandNobodyBoundDoesNothing)
{
    CommandTable empty;
    PopupMenu bare(empty);
    bare.item("barMenu", 99)->trigger();
    bare.item("barColor", 1)->trigger();
    EXPECT_FALSE(empty.isBound(Command::Exit));
}

TEST_F(PopupMenuTest, CheckMarksShowTheStateTheirCommandReports)
{
    QSet<int> on = {1, 4};
    commands.bindCheck(Command::ToggleBackground, [&on](const CommandItem &item) { return on.contains(item.index); });
    menu.RefreshChecks();
    EXPECT_TRUE(menu.item("barBack", 1)->isChecked());
    EXPECT_FALSE(menu.item("barBack", 3)->isChecked());
    EXPECT_TRUE(menu.item("barBack", 4)->isChecked());

    // A click shows the state the command left, not the toolkit's own flip:
    // here the command refuses to change anything.
    Click("barBack", 3);
    EXPECT_FALSE(menu.item("barBack", 3)->isChecked());
    commands.bind(Command::ToggleBackground, [&on](const CommandItem &item) { on.remove(item.index); });
    Click("barBack", 4);
    EXPECT_FALSE(menu.item("barBack", 4)->isChecked());
}

TEST_F(PopupMenuTest, ItemsAddedAtRunTimeGiveTheirCommandAndVanishWhenRemoved)
{
    QMenu *launcher = menu.submenu("barMenu", 31);
    auto *entry = new QAction("1. エディタ", launcher);
    launcher->insertAction(launcher->actions().first(), entry);
    menu.attachItem(entry, "barLunch", 1, Command::Launch);
    menu.barLunch_Click(1);
    EXPECT_EQ(given, (QList<Given>{{Command::Launch, "barLunch", 1, 0}}));

    delete entry;
    EXPECT_EQ(menu.item("barLunch", 1), nullptr);
    menu.barLunch_Click(1);
    EXPECT_EQ(given.size(), 1);
}

TEST_F(PopupMenuTest, ShowPopupMenuRefillsFirstAndReturnsWhenTheMenuCloses)
{
    int refills = 0;
    QObject::connect(&menu, &PopupMenu::aboutToPopup, [&] {
        EXPECT_FALSE(menu.popup()->isVisible());
        ++refills;
    });
    QTimer::singleShot(0, menu.popup(), &QMenu::close);
    menu.ShowPopupMenu(QPoint(100, 130));
    EXPECT_EQ(refills, 1);
    EXPECT_FALSE(menu.popup()->isVisible());
}

} // namespace
