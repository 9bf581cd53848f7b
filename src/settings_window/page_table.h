#pragma once
// Which page each PageRequest opens: the page frame, the window title and
// the spin buttons the page carries.
#include <QPoint>
#include <QString>
#include <QStringList>

// The values of PageRequest: the menu command that asks for each page.
enum SettingsPage : qint16 {
    PageSize = 1,           // 時計サイズ
    PageAlarm = 2,          // アラーム設定
    PageThickness = 3,      // 針の設定
    PageVersion = 4,        // バージョン
    PageLauncher = 5,       // ランチャー設定
    PageArchive = 6,        // 解凍設定
    PageCalendar = 7,       // カレンダー
    PageDigital = 8,        // デジタル表示
    PageCalendarDisplay = 9, // カレンダー表示
    PageMemo = 10,          // ちょいメモ (the note window's page)
    PageWallpaper = 11,     // 壁紙設定
    PageCD = 12,            // ＣＤオーディオ
    PageCalculator = 13,    // 電卓
};

struct PageEntry {
    qint16 request;
    QString frame;       // objectName of the page frame; empty: no frame
    QPoint position;     // where the frame is shown, in window pixels
    QString title;       // the window title while the page is open
    qint16 udFirst;      // spin buttons udFirst..udLast; -1 when none
    qint16 udLast;
};

// The title the window carries when a page does not set its own.
QString DefaultSettingsTitle();

// The page of request, or nullptr for a request outside 1..13.
const PageEntry *FindPage(qint16 request);

// Every page frame of the window, in the order they are created.
const QStringList &PageFrameNames();
