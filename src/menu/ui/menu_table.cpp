#include "menu/ui/menu_table.h"

#include "context/pages.h"

namespace {

using enum MenuItemKind;
using enum Command;

// One row per item: array, index, caption, level, kind, command, page,
// enabled, visible.
constexpr MenuTableEntry kTable[] = {
    {"barMenu", 1, "時計の設定(&E)", 1, Submenu},
    {"barEnv", 1, "色の設定", 2, Submenu},
    {"barColor", 1, "背景の色", 3, Item, PickFaceColor},
    {"barColor", 2, "短針の色", 3, Item, PickFaceColor},
    {"barColor", 3, "長針の色", 3, Item, PickFaceColor},
    {"barColor", 4, "秒針の色", 3, Item, PickFaceColor},
    {"barEnv", 11, "針の設定", 2, Item, OpenPage, PageThickness},
    {"barEnv", 21, "時計サイズ", 2, Item, OpenPage, PageSize},
    {"barMenu", 11, "アニメ変更", 1, Item, PickAnimationFile},
    {"barMenu", 21, "背景設定", 1, Submenu},
    {"barBack", 1, "背景の表示", 2, Checkable, ToggleBackground},
    {"barBack", 2, "イメージ設定", 2, Item, PickBackgroundImage},
    {"barBack", 3, "イメージの拡大・縮小", 2, Checkable, ToggleBackground},
    {"barBack", 4, "タイル", 2, Checkable, ToggleBackground},
    {"barMenu", 30, "", 1, Separator},
    {"barMenu", 31, "ランチャー", 1, Submenu},
    // The launcher entries (barLunch 1..20, Launch) go in front of this separator.
    {"barLunch", 80, "", 2, Separator},
    {"barLunch", 81, "デスクトップ", 2, Submenu},
    {"barDesktop", 0, "(空)", 3, Item, OpenFolderItem, 0, false},
    {"barLunch", 82, "最近使ったファイル", 2, Submenu},
    {"barRecent", 0, "(空)", 3, Item, OpenFolderItem, 0, false},
    {"barLunch", 83, "マイ　ドキュメント", 2, Submenu},
    {"barDocument", 0, "(空)", 3, Item, OpenFolderItem},
    {"barLunch", 90, "", 2, Separator},
    {"barLunch", 91, "再起動", 2, Item, Restart},
    {"barLunch", 92, "Windows終了", 2, Item, Shutdown},
    {"barMenu", 32, "ランチャー設定", 1, Item, OpenPage, PageLauncher},
    {"barMenu", 41, "ドライブ", 1, Submenu},
    // The first drive and display mode: captionless until their lists fill them.
    {"barDrive", 0, "", 2, Item, OpenDrive, 0, true, false},
    {"barMenu", 42, "画面解像度", 1, Submenu},
    {"barMoni", 0, "", 2, Item, SetDisplayMode, 0, true, false},
    {"barMenu", 50, "", 1, Separator},
    {"barMenu", 51, "アラーム設定", 1, Item, OpenPage, PageAlarm},
    {"barMenu", 61, "カレンダー", 1, Item, OpenPage, PageCalendar},
    {"barMenu", 62, "ちょいメモ", 1, Item, OpenMemo, PageMemo},
    {"barMenu", 70, "", 1, Separator},
    {"barMenu", 71, "オプション", 1, Submenu},
    {"barOPT", 1, "解凍設定", 2, Item, OpenPage, PageArchive},
    {"barOPT", 11, "デジタル表示", 2, Item, OpenPage, PageDigital},
    {"barOPT", 21, "カレンダー表示", 2, Item, OpenPage, PageCalendarDisplay},
    {"barOPT", 31, "壁紙設定", 2, Item, OpenPage, PageWallpaper},
    {"barOPT", 41, "ＣＤオーディオ", 2, Item, OpenPage, PageCD, true, false},
    {"barOPT", 51, "電卓", 2, Item, OpenPage, PageCalculator},
    {"barOPT", 61, "ログイン時に起動", 2, Checkable, ToggleAutostart},
    {"barOPT", 70, "", 2, Separator},
    // The opacity steps: each item's index is its percentage.
    {"barOPT", 71, "透明度", 2, Submenu},
    {"barOpacity", 100, "100%", 3, Checkable, SetOpacity},
    {"barOpacity", 90, "90%", 3, Checkable, SetOpacity},
    {"barOpacity", 80, "80%", 3, Checkable, SetOpacity},
    {"barOpacity", 70, "70%", 3, Checkable, SetOpacity},
    {"barOpacity", 60, "60%", 3, Checkable, SetOpacity},
    {"barOpacity", 50, "50%", 3, Checkable, SetOpacity},
    {"barOpacity", 40, "40%", 3, Checkable, SetOpacity},
    {"barOpacity", 30, "30%", 3, Checkable, SetOpacity},
    {"barOPT", 72, "クリック透過", 2, Checkable, ToggleClickThrough},
    {"barOPT", 81, "時報", 2, Checkable, ToggleChime},
    {"barOPT", 82, "時報の設定", 2, Item, OpenPage, PageChime},
    {"barMenu", 91, "ヘルプ(&H)", 1, Submenu},
    {"barHelp", 1, "ヘルプ", 2, Item, OpenHelp},
    {"barHelp", 11, "バージョン", 2, Item, OpenPage, PageVersion},
    {"barMenu", 98, "", 1, Separator},
    {"barMenu", 99, "閉じる(&C)", 1, Item, Exit},
};

} // namespace

std::span<const MenuTableEntry> PopupMenuTable()
{
    return kTable;
}
