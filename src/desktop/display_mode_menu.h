#pragma once
// The "画面解像度" submenu: the display modes of the monitor the clock is on,
// each with a mark telling whether it can be set, and setting one of them.
#include <QList>
#include <QPoint>
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

// Choosing an item: sets its mode, kept for the next start. Nothing is shown
// when it is done; "再起動後に、設定が有効になります" when it needs a restart;
// "解像度変更に失敗しました" when it cannot be set (information icon, OK,
// title "Tockara").
void SetDisplayMode(DisplayModeService &displays, MessageBoxService &messages, QWidget *owner,
                    const DisplayMode &mode);
