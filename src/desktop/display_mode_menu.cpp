#include "desktop/display_mode_menu.h"

#include "platform/message_box.h"

QString DisplayModeMark(int testResult)
{
    switch (testResult) {
    case DisplayChangeDone: return "■";
    case DisplayChangeRestart: return "□";
    default: return "－";
    }
}

QString DisplayModeCaption(const QString &mark, const DisplayMode &mode)
{
    return mark + QString("%1").arg(mode.width, 4) + "×" + QString("%1").arg(mode.height, 4) + " "
         + QString::number(mode.depth) + "ビット ";
}

QList<DisplayModeItem> BuildResolutionMenu(DisplayModeService &displays, QPoint at)
{
    QList<DisplayModeItem> items;
    for (const DisplayMode &mode : displays.modes(at))
        items.append({DisplayModeCaption(DisplayModeMark(displays.testMode(mode)), mode), mode});
    return items;
}

int ApplyDisplayMode(DisplayModeService &displays, const DisplayMode &mode, bool persist)
{
    const int tested = displays.testMode(mode);
    if (tested < 0)
        return tested;
    return displays.setMode(mode, persist);
}

void SetDisplayMode(DisplayModeService &displays, MessageBoxService &messages, QWidget *owner,
                    const DisplayMode &mode)
{
    const int result = ApplyDisplayMode(displays, mode, true);
    if (result == DisplayChangeDone)
        return;
    const QString text = result == DisplayChangeRestart    ? "再起動後に、設定が有効になります"
                       : result == DisplayChangeNotAllowed ? "この画面環境では、プログラムから解像度を変更できません。"
                                                             "デスクトップの画面設定で変更してください。"
                                                           : "解像度変更に失敗しました";
    messages.show(owner, text, "Tockara", MessageButtons::Ok, MessageIcon::Information);
}
