#include "launcher/menu_table.h"

namespace {

using enum MenuItemKind;

constexpr MenuTableEntry kTable[] = {
    {"barMenu", 1, "時計の設定(&E)", 1, Submenu},
    {"barEnv", 1, "色の設定", 2, Submenu},
    {"barColor", 1, "背景の色", 3},
    {"barColor", 2, "短針の色", 3},
    {"barColor", 3, "長針の色", 3},
    {"barColor", 4, "秒針の色", 3},
    {"barEnv", 11, "針の設定", 2},
    {"barEnv", 21, "時計サイズ", 2},
    {"barMenu", 11, "アニメ変更", 1},
    {"barMenu", 21, "背景設定", 1, Submenu},
    {"barBack", 1, "背景の表示", 2, Checkable},
    {"barBack", 2, "イメージ設定", 2},
    {"barBack", 3, "イメージの拡大・縮小", 2, Checkable},
    {"barBack", 4, "タイル", 2, Checkable},
    {"barMenu", 30, "", 1, Separator},
    {"barMenu", 31, "ランチャー", 1, Submenu},
    // The launcher entries (barLunch 1..20) go in front of this separator.
    {"barLunch", 80, "", 2, Separator},
    {"barLunch", 81, "デスクトップ", 2, Submenu},
    {"barDesktop", 0, "(空)", 3, Command, false},
    {"barLunch", 82, "最近使ったファイル", 2, Submenu},
    {"barRecent", 0, "(空)", 3, Command, false},
    {"barLunch", 83, "マイ　ドキュメント", 2, Submenu},
    {"barDocument", 0, "(空)", 3},
    {"barLunch", 90, "", 2, Separator},
    {"barLunch", 91, "再起動", 2},
    {"barLunch", 92, "Windows終了", 2},
    {"barMenu", 32, "ランチャー設定", 1},
    {"barMenu", 41, "ドライブ", 1, Submenu},
    // The first drive and display mode: captionless until their lists fill them.
    {"barDrive", 0, "", 2, Command, true, false},
    {"barMenu", 42, "画面解像度", 1, Submenu},
    {"barMoni", 0, "", 2, Command, true, false},
    {"barMenu", 50, "", 1, Separator},
    {"barMenu", 51, "アラーム設定", 1},
    {"barMenu", 61, "カレンダー", 1},
    {"barMenu", 62, "ちょいメモ", 1},
    {"barMenu", 70, "", 1, Separator},
    {"barMenu", 71, "オプション", 1, Submenu},
    {"barOPT", 1, "解凍設定", 2},
    {"barOPT", 11, "デジタル表示", 2},
    {"barOPT", 21, "カレンダー表示", 2},
    {"barOPT", 31, "壁紙設定", 2},
    {"barOPT", 41, "ＣＤオーディオ", 2, Command, true, false},
    {"barOPT", 51, "電卓", 2},
    {"barMenu", 91, "ヘルプ(&H)", 1, Submenu},
    {"barHelp", 1, "ヘルプ", 2},
    {"barHelp", 11, "バージョン", 2},
    {"barMenu", 98, "", 1, Separator},
    {"barMenu", 99, "閉じる(&C)", 1},
};

} // namespace

std::span<const MenuTableEntry> PopupMenuTable()
{
    return kTable;
}
