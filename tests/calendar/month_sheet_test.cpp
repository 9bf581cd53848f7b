#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>

#include "calendar/month_drawing.h"
#include "calendar/month_sheet.h"
#include "calendar/notes.h"
#include "support/temp_folder.h"

namespace {

CalendarData Rules(std::initializer_list<HolidayRule> rules)
{
    CalendarData data;
    for (const HolidayRule &rule : rules)
        data.HolidayTable[++data.HolidayCount] = rule;
    return data;
}

const MonthCell &DayCell(const MonthSheet &sheet, int day)
{
    return sheet.Cells[sheet.FirstDayCell + day - 1];
}

TEST(MonthSheetTest, GridPlacesTheDaysAndLeavesTheRestEmpty)
{
    struct Case { int year, month, first, end; };
    for (Case c : {Case{2000, 7, 6, 37},     // a Saturday first and 31 days: six rows
                   Case{2000, 2, 2, 31},     // 29 days
                   Case{1900, 2, 4, 32},     // 28 days: 1900 is no leap year
                   Case{2026, 2, 0, 28}}) {  // a Sunday first
        const MonthSheet sheet = ComputeMonth(CalendarData(), c.year, c.month, QDate(), QString());
        EXPECT_EQ(sheet.FirstDayCell, c.first) << c.year << "/" << c.month;
        EXPECT_EQ(sheet.EndDayCell, c.end) << c.year << "/" << c.month;
        EXPECT_EQ(DaysInMonth(c.year, c.month), c.end - c.first);
        for (int cell = 0; cell < MonthCellCount; ++cell) {
            const bool inMonth = cell >= c.first && cell < c.end;
            EXPECT_EQ(sheet.Cells[cell].Day, inMonth ? cell - c.first + 1 : 0) << cell;
        }
    }
    // Saturday 1 July 2000 is type 7, Sunday 2 July type 1.
    const MonthSheet july = ComputeMonth(CalendarData(), 2000, 7, QDate(), QString());
    EXPECT_EQ(july.Cells[6].Type, DayType::Saturday);
    EXPECT_EQ(july.Cells[7].Type, DayType::Sunday);
    EXPECT_EQ(july.Cells[8].Type, DayType::Monday);

    const MonthSheet none = ComputeMonth(CalendarData(), 2000, 13, QDate(), QString());
    EXPECT_EQ(none.EndDayCell, 0);
    EXPECT_EQ(DaysInMonth(2000, 13), 0);
}

TEST(MonthSheetTest, HolidaysSubstitutesAndTodayGiveTypesAndNotes)
{
    const CalendarData rules = Rules({{HolidayKind::FixedDate, 5, 3, QStringLiteral("憲法記念日")},
                                      {HolidayKind::FixedDate, 5, 5, QStringLiteral("こどもの日")},
                                      {HolidayKind::FixedDate, 5, 5, QStringLiteral("二番目")}});
    // 1998: 3 May is a Sunday; today is the 5th.
    const MonthSheet may = ComputeMonth(rules, 1998, 5, QDate(1998, 5, 5), QString());
    EXPECT_EQ(DayCell(may, 3).Type, DayType::Holiday);
    EXPECT_EQ(DayCell(may, 3).Note, QStringLiteral("憲法記念日"));
    EXPECT_EQ(DayCell(may, 4).Type, DayType::Holiday);
    EXPECT_EQ(DayCell(may, 4).Note, QStringLiteral("振替休日"));
    EXPECT_EQ(DayCell(may, 5).Type, DayType::Today);
    EXPECT_EQ(DayCell(may, 5).Note, QStringLiteral("こどもの日＆今日"));   // only the first rule
    EXPECT_EQ(DayCell(may, 6).Type, DayType::Wednesday);
    EXPECT_EQ(DayCell(may, 6).Note, QString());
    EXPECT_EQ(AppendDayNote(QString(), QStringLiteral("a")), QStringLiteral("a"));
}

TEST(MonthSheetTest, DaysWithAStoredDiaryLineAreMarked)
{
    TempFolder folder;
    NoteData notes;
    notes.DiaryLines[2] = QStringLiteral("三行目だけ");
    ASSERT_TRUE(SaveDiaryDay(notes, folder.path(), 2026, 5, 6));
    notes.DiaryLines = {};
    ASSERT_TRUE(SaveDiaryDay(notes, folder.path(), 2026, 5, 7));   // ten empty lines

    const MonthSheet sheet = ComputeMonth(CalendarData(), 2026, 5, QDate(), folder.path());
    for (int day = 1; day <= 31; ++day)
        EXPECT_EQ(DayCell(sheet, day).HasDiary, day == 6) << day;
}

TEST(MonthSheetTest, TitleCarriesTheOldMonthName)
{
    EXPECT_EQ(MonthTitle(1999, 12), QStringLiteral("1999/12(師走)"));
    EXPECT_EQ(MonthTitle(2000, 1), QStringLiteral("2000/1(睦月)"));
    EXPECT_EQ(OldMonthName(6), QStringLiteral("水無月"));
    EXPECT_EQ(OldMonthName(7), QStringLiteral("文月"));
    EXPECT_EQ(OldMonthName(10), QStringLiteral("神無月"));
    EXPECT_EQ(OldMonthName(13), QString());
}

TEST(MonthSheetTest, HitTestRoundsHalvesToEvenAtTheCellBorders)
{
    struct Case { double x, y; int cell; };
    for (Case c : {Case{10, 26, 0}, Case{9.9, 26, -1}, Case{10, 25.9, -1},
                   Case{45, 26, 0}, Case{45.4, 26, 0}, Case{45.5, 26, 1}, Case{46, 26, 1},
                   Case{44.5, 26, 0},                      // 34.5 rounds to 34
                   Case{10, 45.5, 7}, Case{10, 44.5, 0},   // 19.5 rounds to 20, 18.5 to 18
                   Case{261, 145, 41}, Case{261.5, 145, -1}, Case{261, 145.5, -1},
                   Case{100, 100, 3 * 7 + 2}}) {
        EXPECT_EQ(CellAt(c.x, c.y), c.cell) << c.x << "," << c.y;
    }
}

TEST(MonthSheetTest, MonthStepsCrossTheYear)
{
    qint16 year = 2000, month = 1;
    StepToPreviousMonth(year, month);
    EXPECT_EQ(year * 100 + month, 199912);
    StepToNextMonth(year, month);
    EXPECT_EQ(year * 100 + month, 200001);
    StepToNextMonth(year, month);
    EXPECT_EQ(year * 100 + month, 200002);
}

TEST(MonthDrawingTest, MarksBordersAndDiaryCornerAtTheirPixels)
{
    CalendarData styles;
    styles.DayStyleTable[DayType::Monday] = {MarkKind::SmallSquare, 0, 0x0000FF, 0};
    styles.DayStyleTable[DayType::Tuesday] = {MarkKind::FilledCircle, 0, 0x00FF00, 0};
    styles.DayStyleTable[DayType::Nikki].ExtraColor = 0xFF0000;
    // February 2026 starts on a Sunday; today is the 4th (a Wednesday).
    MonthSheet sheet = ComputeMonth(styles, 2026, 2, QDate(2026, 2, 4), QString());
    sheet.Cells[4].HasDiary = true;   // Thursday the 5th

    QImage image(MonthSurfaceSize, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawMonth(painter, sheet, styles, Qt::white);
    painter.end();

    auto at = [&](int x, int y) { return image.pixelColor(x, y); };
    const int x0 = GridLeft, y0 = GridTop;
    EXPECT_EQ(at(x0, y0), QColor(Qt::black));                                   // border
    EXPECT_EQ(at(x0 + 36 * 7, y0 + 20), QColor(Qt::black));                     // shared right line
    EXPECT_EQ(at(x0 + 36 + 8, y0 + 17), QColor(Qt::red));                       // small square, Monday 2nd
    EXPECT_EQ(at(x0 + 36 + 6, y0 + 17), QColor(Qt::white));
    EXPECT_EQ(at(x0 + 72 + 18, y0 + 10), QColor(Qt::green));                    // filled circle, Tuesday 3rd
    EXPECT_EQ(at(x0 + 108 + 1, y0 + 1), QColor(224, 128, 255));                 // today's large square
    EXPECT_EQ(at(x0 + 144 + 35, y0 + 19), QColor(Qt::blue));                    // diary corner, 5th
    EXPECT_EQ(at(x0 + 144 + 28, y0 + 12), QColor(Qt::white));                   // outside the triangle
    EXPECT_EQ(at(x0 + 144 + 30, y0 + 19), QColor(Qt::blue));
    EXPECT_EQ(at(x0 + 36 * 6 + 2, y0 + 20 * 5 + 2), QColor(Qt::white));         // no day, no border
    // The title's glyphs stand right of x 92 in the top rows.
    int titlePixels = 0;
    for (int y = 4; y < 26; ++y)
        for (int x = 92; x < 281; ++x)
            titlePixels += at(x, y) != QColor(Qt::white);
    EXPECT_GT(titlePixels, 50);
    for (int y = 0; y < 26; ++y)
        EXPECT_EQ(at(90, y), QColor(Qt::white)) << y;
}

} // namespace
