#include "desktop/display_mode_menu.h"

#include <algorithm>
#include <cmath>

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

int SetDisplayMode(DisplayModeService &displays, MessageBoxService &messages, QWidget *owner,
                   const DisplayMode &mode)
{
    const int result = ApplyDisplayMode(displays, mode, true);
    if (result == DisplayChangeDone)
        return result;
    const QString text = result == DisplayChangeRestart    ? "再起動後に、設定が有効になります"
                       : result == DisplayChangeNotAllowed ? "この画面環境では、プログラムから解像度を変更できません。"
                                                             "デスクトップの画面設定で変更してください。"
                                                           : "解像度変更に失敗しました";
    messages.show(owner, text, "Tockara", MessageButtons::Ok, MessageIcon::Information);
    return result;
}

std::optional<DisplayMode> CurrentDisplayMode(DisplayModeService &displays, QPoint at)
{
    for (const DisplayMode &mode : displays.modes(at))
        if (mode.current)
            return mode;
    return std::nullopt;
}

QRect MonitorAfterModeChange(QRect monitor, const DisplayMode &from, const DisplayMode &to)
{
    if (from.width <= 0 || from.height <= 0 || monitor.isEmpty())
        return monitor;
    const bool sideways = from.width != from.height
                       && (monitor.width() > monitor.height()) != (from.width > from.height);
    const QSize before = sideways ? QSize(from.height, from.width) : QSize(from.width, from.height);
    const QSize after = sideways ? QSize(to.height, to.width) : QSize(to.width, to.height);
    // A scaled screen counts its monitors in its own units, not in the mode's pixels.
    const double scaleX = double(monitor.width()) / before.width();
    const double scaleY = double(monitor.height()) / before.height();
    return QRect(monitor.topLeft(), QSize(int(std::lround(after.width() * scaleX)),
                                          int(std::lround(after.height() * scaleY))));
}

int SecondsLeftToKeep(qint64 elapsedMs)
{
    const qint64 left = qint64(KeepDisplayModeSeconds) * 1000 - std::max<qint64>(0, elapsedMs);
    return left <= 0 ? 0 : int((left + 999) / 1000);
}

QString KeepDisplayModeText(int secondsLeft)
{
    return QStringLiteral("この解像度のままにしますか？\n%1 秒後に元の解像度に戻ります。").arg(secondsLeft);
}
