#pragma once
// The "画面解像度" submenu: the display modes of the monitor the clock is on,
// each with a mark telling whether it can be set, and setting one of them.
#include <optional>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>

#include "platform/display_modes.h"

class MessageBoxService;
class QWidget;

// The caption of the submenu's only item when no mode can be listed; the
// item is disabled.
inline constexpr char16_t NoDisplayModesCaption[] = u"(空)";

// The mark of a test result: "■" settable now, "□" after a restart, "－" not.
QString DisplayModeMark(int testResult);

// The mark, the width and the height each right-aligned in four characters
// around "×", a blank, the depth and "ビット ": "■ 640× 480 8ビット ".
QString DisplayModeCaption(const QString &mark, const DisplayMode &mode);

struct DisplayModeItem {
    QString caption;
    DisplayMode mode;
};

// The items of the submenu for the monitor showing point at, each mode
// tested; empty when the display lists no modes.
QList<DisplayModeItem> BuildResolutionMenu(DisplayModeService &displays, QPoint at);

// Tests mode and, when that does not fail, sets it: the DisplayChange result.
int ApplyDisplayMode(DisplayModeService &displays, const DisplayMode &mode, bool persist);

// Choosing an item: sets its mode, kept for the next start, and returns the
// DisplayChange result. Nothing is shown when it is done; "再起動後に、設定が
// 有効になります" when it needs a restart; "解像度変更に失敗しました" when it
// cannot be set (information icon, OK, title "Tockara").
int SetDisplayMode(DisplayModeService &displays, MessageBoxService &messages, QWidget *owner,
                   const DisplayMode &mode);

// The mode the monitor showing point at shows now; none when the display
// does not tell.
std::optional<DisplayMode> CurrentDisplayMode(DisplayModeService &displays, QPoint at);

// The area of a monitor that showed `from` once it shows `to`: the same
// top-left corner and the new size, turned when the monitor is turned
// sideways (its area is higher than wide for a wide mode) and in the units
// of the area (a scaled screen's).
QRect MonitorAfterModeChange(QRect monitor, const DisplayMode &from, const DisplayMode &to);

// After a change, the question whether to keep the new mode waits this long
// for an answer before the old mode comes back.
inline constexpr int KeepDisplayModeSeconds = 15;

// The seconds the question has left after elapsedMs, counted up: 15 at the
// start, 1 in its last second, 0 once it is over.
int SecondsLeftToKeep(qint64 elapsedMs);

// The question's text with the seconds it has left.
QString KeepDisplayModeText(int secondsLeft);
