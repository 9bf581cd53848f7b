#include "calendar/month_drawing.h"

#include <QPainter>

namespace {

constexpr QPoint kTitlePosition(92, 4);
constexpr QPoint kNumberOffset(10, 2);

// Stored colours are 0x00BBGGRR.
QColor FromColorValue(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The triangle's legs, in pixels, the border's corner included.
constexpr int kTriangleLeg = 9;

// A right triangle in the lower-right corner of the cell.
void DrawCornerTriangle(QPainter &painter, int x0, int y0, const QColor &colour)
{
    painter.setPen(colour);
    const int right = x0 + CellWidth;
    const int bottom = y0 + CellHeight;
    for (int k = 0; k < kTriangleLeg; ++k)
        painter.drawLine(right - k, bottom, right, bottom - k);
}

void DrawMark(QPainter &painter, int x0, int y0, const DayStyle &style)
{
    const QColor mark = FromColorValue(style.MarkColor);
    const QPoint centre(x0 + CellWidth / 2, y0 + CellHeight / 2);
    switch (style.Kind) {
    case MarkKind::LargeSquare:
        painter.fillRect(QRect(QPoint(x0, y0), QPoint(x0 + CellWidth, y0 + CellHeight)), mark);
        break;
    case MarkKind::SmallSquare:
        painter.fillRect(QRect(QPoint(x0 + 8, y0 + 2), QPoint(x0 + 28, y0 + 18)), mark);
        break;
    case MarkKind::Circle:
        painter.setPen(mark);
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(centre, 9, 9);
        break;
    case MarkKind::FilledCircle:
        painter.setPen(mark);
        painter.setBrush(mark);
        painter.drawEllipse(centre, 9, 9);
        painter.setBrush(Qt::NoBrush);
        break;
    case MarkKind::CornerTriangle:
        DrawCornerTriangle(painter, x0, y0, mark);
        break;
    default:
        break;
    }
}

void DrawDay(QPainter &painter, int cell, const MonthCell &day, const CalendarData &calendar)
{
    const int x0 = GridLeft + CellWidth * (cell % MonthColumns);
    const int y0 = GridTop + CellHeight * (cell / MonthColumns);
    const DayStyle &style = calendar.DayStyleTable[day.Type];
    DrawMark(painter, x0, y0, style);
    if (day.HasDiary)
        DrawCornerTriangle(painter, x0, y0, FromColorValue(calendar.DayStyleTable[DayType::Nikki].ExtraColor));
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(x0, y0, CellWidth, CellHeight);   // shares its lines with the neighbours
    painter.setPen(FromColorValue(style.TextColor));
    const QPoint at(x0 + kNumberOffset.x(), y0 + kNumberOffset.y());
    painter.drawText(QRect(at, QSize(CellWidth, CellHeight)), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                     QStringLiteral("%1").arg(day.Day, 2));
}

} // namespace

QRegion CornerTriangleRegion(int cell)
{
    const int right = GridLeft + CellWidth * (cell % MonthColumns) + CellWidth;
    const int bottom = GridTop + CellHeight * (cell / MonthColumns) + CellHeight;
    QRegion triangle;
    for (int row = 0; row < kTriangleLeg; ++row)
        triangle += QRect(right - (kTriangleLeg - 1) + row, bottom - row, kTriangleLeg - row, 1);
    return triangle;
}

QFont MonthFont(const QString &fontName)
{
    // A name that is not installed is passed over for the next family; a
    // blank one is not, it would let the toolkit pick any font at all.
    const QString surfaceFont = QStringLiteral("ＭＳ Ｐゴシック");
    QFont font;
    if (fontName.trimmed().isEmpty())
        font.setFamilies({surfaceFont});
    else
        font.setFamilies({fontName, surfaceFont});
    font.setPointSize(14);
    return font;
}

void DrawMonth(QPainter &painter, const MonthSheet &sheet, const CalendarData &calendar,
               const QColor &background)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), MonthSurfaceSize), background);
    if (sheet.EndDayCell > 0) {
        painter.setFont(MonthFont(calendar.CalendarFontName));
        painter.setPen(Qt::black);
        painter.drawText(QRect(kTitlePosition, MonthSurfaceSize), Qt::AlignLeft | Qt::AlignTop,
                         MonthTitle(sheet.Year, sheet.Month));
        for (int cell = sheet.FirstDayCell; cell < sheet.EndDayCell; ++cell)
            DrawDay(painter, cell, sheet.Cells[cell], calendar);
    }
    painter.restore();
}
