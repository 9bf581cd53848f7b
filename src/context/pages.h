#pragma once
// The pages of the program's tool windows, by the number the shared
// PageRequest holds: the menu command that asks for a page stores its number,
// then opens the settings window (or, for the quick memo, the note window),
// which shows that page.
#include <QtGlobal>

enum SettingsPageId : qint16 {
    PageSize = 1,             // 時計サイズ
    PageAlarm = 2,            // アラーム設定
    PageThickness = 3,        // 針の設定
    PageVersion = 4,          // バージョン
    PageLauncher = 5,         // ランチャー設定
    PageArchive = 6,          // 解凍設定
    PageCalendar = 7,         // カレンダー (the note window's diary mode too)
    PageDigital = 8,          // デジタル表示
    PageCalendarDisplay = 9,  // カレンダー表示
    PageMemo = 10,            // ちょいメモ: the note window, no settings page
    PageWallpaper = 11,       // 壁紙設定
    PageCD = 12,              // ＣＤオーディオ
    PageCalculator = 13,      // 電卓
    PageChime = 14,           // 時報の設定
};
