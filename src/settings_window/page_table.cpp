#include "settings_window/page_table.h"

#include <array>
#include <QStringList>

namespace {

const QString kDefaultTitle = QStringLiteral("Tockara [設定]");

// Request 4 (version) shows the content on the window surface itself and
// request 10 belongs to the note window: neither has a frame here.
const std::array<PageEntry, 13> kPages = {{
    {PageSize, "AreaSize", {8, 0}, kDefaultTitle, 0, 1},
    {PageAlarm, "AreaAlarm", {8, 0}, kDefaultTitle, 2, 3},
    {PageThickness, "AreaThick", {8, 0}, kDefaultTitle, 4, 6},
    {PageVersion, "", {}, QStringLiteral("Tockara バージョン情報"), -1, -1},
    {PageLauncher, "AreaLunch", {8, 0}, kDefaultTitle, -1, -1},
    {PageArchive, "AreaArc", {8, 0}, kDefaultTitle, -1, -1},
    {PageCalendar, "AreaCal", {8, 8}, QStringLiteral("Tockara カレンダー"), -1, -1},
    {PageDigital, "AreaDigi", {8, 0}, kDefaultTitle, -1, -1},
    {PageCalendarDisplay, "AreaCalSet", {8, 0}, QStringLiteral("Tockara [カレンダー設定]"), -1, -1},
    {PageMemo, "", {}, kDefaultTitle, -1, -1},
    {PageWallpaper, "AreaWall", {8, 0}, QStringLiteral("Tockara [壁紙設定]"), -1, -1},
    {PageCD, "AreaCD", {8, 0}, QStringLiteral("Tockara [ＣＤ ＡＵＤＩＯ]"), -1, -1},
    {PageCalculator, "AreaCaluc", {8, 0}, QStringLiteral("Tockara [電卓]"), -1, -1},
}};

} // namespace

QString DefaultSettingsTitle()
{
    return kDefaultTitle;
}

const PageEntry *FindPage(qint16 request)
{
    if (request < PageSize || request > PageCalculator)
        return nullptr;
    return &kPages[request - 1];
}

const QStringList &PageFrameNames()
{
    static const QStringList names = {"AreaSize", "AreaAlarm", "AreaThick", "AreaLunch",
                                      "AreaArc",  "AreaDigi",  "AreaWall",  "AreaCD",
                                      "AreaCalSet", "AreaCaluc", "AreaCal"};
    return names;
}
