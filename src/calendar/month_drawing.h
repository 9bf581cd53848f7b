#pragma once
// Painting a computed month onto the month view's surface.
#include <QColor>
#include <QFont>
#include <QRegion>
#include <QSize>

#include "calendar/calendar_data.h"
#include "calendar/month_sheet.h"

class QPainter;

// The drawing surface of the month view (AreaCal), in pixels.
constexpr QSize MonthSurfaceSize(281, 209);

// The title's and the day numbers' font: fontName at 14 points, or the
// surface's own font ("ＭＳ Ｐゴシック") when fontName is blank or not installed.
QFont MonthFont(const QString &fontName);

// Clears the surface to background, then draws the title "yyyy/m(old name)"
// at (92, 4) and, for each day, its day style's mark, the diary corner mark
// (in the extra colour of the Nikki style) when it has a diary entry, its
// cell border in black and its number in the style's text colour.
void DrawMonth(QPainter &painter, const MonthSheet &sheet, const CalendarData &calendar,
               const QColor &background);

// The pixels of the corner triangle in a grid cell (the diary mark, and the
// mark of the CornerTriangle style): what must stay visible when something
// is drawn over the cell.
QRegion CornerTriangleRegion(int cell);
