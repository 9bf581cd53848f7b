#include <vector>
#include <QAccessible>
#include <QDir>
#include <QFontInfo>

#include "calendar/month_drawing.h"
#include "calendar/notes.h"
#include "calendar/ui/calendar_pages.h"
#include "calendar/ui/month_view.h"
#include "context/pages.h"
#include "face/fonts.h"
#include "settings/profile.h"
#include "settings_window/settings_window_fixture.h"

namespace {

class MonthViewTest : public ::testing::Test {
protected:
    MonthViewTest()
    {
        calendar.HolidayTable[1] = {HolidayKind::FixedDate, 5, 5, QStringLiteral("こどもの日")};
        calendar.HolidayCount = 1;
        view.Open(QDate(2026, 5, 5));
        view.show();
    }
    QString hoverText() const { return view.findChild<QLabel *>("DSP3")->text(); }
    void click(const char *button) { QTest::mouseClick(view.findChild<QPushButton *>(button), Qt::LeftButton); }
    // Each diary opened is listed in `opened`, and a line is written for its day.
    void writeADiaryLineWhenOpened()
    {
        view.openDiary = [this](const QDate &day) {
            opened << day;
            NoteData notes;
            notes.DiaryLines[0] = QStringLiteral("晴れ");
            SaveDiaryDay(notes, folder.path(), static_cast<qint16>(day.year()), static_cast<qint16>(day.month()),
                         static_cast<qint16>(day.day()));
        };
    }

    TempFolder folder;
    CalendarData calendar;
    MonthView view{calendar, folder.path(), nullptr};
    QList<QDate> opened;
};

TEST(MonthFontTest, AFontThatCannotBeSetLeavesTheSurfacesOwnFont)
{
    InstallFontSubstitutions();
    const QString surfaceFont = QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"))).family();
    ASSERT_EQ(surfaceFont, "IPAPGothic");
    struct Case { const char *name; QString family; };
    for (const Case &c : {Case{"", surfaceFont}, Case{" ", surfaceFont}, Case{"NoSuchFont", surfaceFont},
                          Case{"ＭＳ 明朝", surfaceFont}, Case{"ＭＳ ゴシック", "IPAGothic"},
                          Case{"IPAGothic", "IPAGothic"}}) {
        const QFont font = MonthFont(QString::fromUtf8(c.name));
        EXPECT_EQ(QFontInfo(font).family(), c.family) << c.name;
        EXPECT_EQ(font.pointSize(), 14) << c.name;
    }
}

TEST_F(MonthViewTest, ButtonsStepThroughTheMonths)
{
    EXPECT_EQ(view.shownYear() * 100 + view.shownMonth(), 202605);
    click("BTN8");
    click("BTN8");
    EXPECT_EQ(view.shownMonth(), 7);
    click("BTN7");
    EXPECT_EQ(view.shownMonth(), 6);
    click("BTN9");
    EXPECT_EQ(view.shownYear() * 100 + view.shownMonth(), 202605);
    EXPECT_EQ(view.sheet().Month, 5);
}

TEST_F(MonthViewTest, HoverShowsTheCellsNotesAndEmptiesOffTheMonth)
{
    // May 2026 starts on a Friday (cell 5); the 5th is cell 9: column 2, row 1.
    QTest::mouseMove(&view, QPoint(10 + 36 * 2 + 5, 26 + 20 + 5));
    EXPECT_EQ(hoverText(), QStringLiteral("こどもの日＆今日"));
    QTest::mouseMove(&view, QPoint(15, 30));   // cell 0, before the 1st
    EXPECT_EQ(hoverText(), QString());
}

TEST_F(MonthViewTest, ReleaseOnADayOpensItsDiaryAndRedrawsTheMarks)
{
    writeADiaryLineWhenOpened();
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(10 + 36 * 2 + 5, 26 + 20 + 5));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(15, 30));   // outside the month
    ASSERT_EQ(opened, QList<QDate>{QDate(2026, 5, 5)});
    EXPECT_TRUE(view.sheet().Cells[9].HasDiary);
}

// The keys walk the selected day as a desktop calendar's do; today is
// 5 May 2026 (a Tuesday), its month starts on a Friday (cell 5).
TEST_F(MonthViewTest, KeysMoveTheSelectedDayAcrossDaysWeeksAndMonths)
{
    const struct { std::vector<Qt::Key> keys; QDate selected; int shown; } cases[] = {
        {{}, QDate(2026, 5, 5), 202605},
        {{Qt::Key_Right, Qt::Key_Right}, QDate(2026, 5, 7), 202605},
        {{Qt::Key_Down}, QDate(2026, 5, 12), 202605},
        {{Qt::Key_Up, Qt::Key_Left}, QDate(2026, 4, 27), 202604},      // over the 1st into April
        {{Qt::Key_PageDown}, QDate(2026, 6, 5), 202606},
        {{Qt::Key_PageUp, Qt::Key_PageUp}, QDate(2026, 3, 5), 202603},
        {{Qt::Key_PageUp, Qt::Key_Home}, QDate(2026, 5, 5), 202605},    // back to today
    };
    for (const auto &c : cases) {
        view.Open(QDate(2026, 5, 5));
        for (Qt::Key key : c.keys)
            QTest::keyClick(&view, key);
        EXPECT_EQ(view.selectedDay(), c.selected) << c.keys.size();
        EXPECT_EQ(view.shownYear() * 100 + view.shownMonth(), c.shown) << c.keys.size();
        EXPECT_EQ(view.sheet().FirstDayCell + view.selectedDay().day() - 1, view.selectedCell());
    }
    // A month step keeps the day where the month has it, else its last day.
    view.Open(QDate(2026, 1, 31));
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(view.selectedDay(), QDate(2026, 2, 28));
    QTest::mouseClick(view.findChild<QPushButton *>("BTN8"), Qt::LeftButton);
    EXPECT_EQ(view.selectedDay(), QDate(2026, 3, 28));
}

// The frame of the keyboard's day leaves the day's corner mark in sight:
// its diary entry's, or its style's.
TEST_F(MonthViewTest, TheSelectionFrameLeavesTheCornerMarkInSight)
{
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    const struct { const char *what; bool diary; qint16 todayMark; } cases[] = {
        {"a diary entry", true, MarkKind::LargeSquare},
        {"the style's triangle", false, MarkKind::CornerTriangle},
    };
    for (const auto &c : cases) {
        QFile::remove(folder.file("NIKI2026.txt"));
        if (c.diary) {
            NoteData notes;
            notes.DiaryLines[0] = QStringLiteral("晴れ");
            SaveDiaryDay(notes, folder.path(), 2026, 5, 5);
        }
        calendar.DayStyleTable[DayType::Today].Kind = c.todayMark;
        view.Open(QDate(2026, 5, 5));
        const QImage plain = view.grab().toImage();
        QTest::keyClick(&view, Qt::Key_Right);
        QTest::keyClick(&view, Qt::Key_Left);   // the 5th, framed
        const QImage framed = view.grab().toImage();
        const int cell = view.selectedCell();
        ASSERT_EQ(cell, 9) << c.what;
        int framePixels = 0;
        for (const QRect &row : CornerTriangleRegion(cell)) {
            for (int x = row.left(); x <= row.right(); ++x)
                EXPECT_EQ(framed.pixel(x, row.top()), plain.pixel(x, row.top())) << c.what << " at " << x << "," << row.top();
        }
        const QRect box = MonthView::CellRect(cell);
        for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
                framePixels += framed.pixel(x, y) != plain.pixel(x, y);
        EXPECT_GT(framePixels, 60) << c.what << ": the frame is shown";
    }
}

TEST_F(MonthViewTest, ReturnOpensTheSelectedDaysDiaryAsAClickDoes)
{
    writeADiaryLineWhenOpened();
    EXPECT_EQ(view.focusPolicy(), Qt::StrongFocus);
    QTest::keyClick(&view, Qt::Key_PageDown);
    QTest::keyClick(&view, Qt::Key_Right);
    QTest::keyClick(&view, Qt::Key_Return);
    QTest::keyClick(&view, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(opened, (QList<QDate>{QDate(2026, 6, 6), QDate(2026, 6, 6)}));
    // June 2026 starts on a Monday (cell 1): the 6th is cell 6, marked anew.
    EXPECT_TRUE(view.sheet().Cells[6].HasDiary);
}

// The names a screen reader reads for the days: date, weekday, notes, diary.
TEST(DayCellNameTest, NamesTheDateWeekdayNotesAndDiary)
{
    MonthSheet sheet;
    sheet.Month = 12;
    sheet.Cells[8] = {7, DayType::Today, QStringLiteral("今日"), true};
    sheet.Cells[1] = {1, DayType::Holiday, QStringLiteral("振替休日＆元日"), false};
    sheet.Cells[20] = {20, 7, QString(), false};
    const struct { int cell; const char *name; } cases[] = {
        {8, "12月7日 月曜日 今日 日記あり"}, {1, "12月1日 月曜日 振替休日 元日"},
        {20, "12月20日 土曜日"}, {0, ""}, {-1, ""}, {MonthCellCount, ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DayCellName(sheet, c.cell), QString::fromUtf8(c.name)) << c.cell;
}

// Each day of the grid is a cell under the view, named and selectable; the
// view's own buttons follow the cells.
TEST_F(MonthViewTest, EveryDayIsAnAccessibleCellAndTheSelectedOneHasTheFocus)
{
    view.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    view.setFocus();
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("2026/5(皐月)"));
    ASSERT_EQ(table->childCount(), MonthCellCount + 4);   // three buttons and the hover label
    QAccessibleInterface *fifth = table->child(9);
    EXPECT_EQ(fifth->role(), QAccessible::Cell);
    EXPECT_EQ(fifth->text(QAccessible::Name), QStringLiteral("5月5日 火曜日 こどもの日 今日"));
    EXPECT_EQ(table->indexOfChild(fifth), 9);
    EXPECT_EQ(fifth->parent(), table);
    EXPECT_TRUE(fifth->state().selected);
    EXPECT_TRUE(table->child(0)->state().invisible);   // before the 1st
    QStringList after;
    for (int i = MonthCellCount; i < table->childCount(); ++i)
        after << table->child(i)->text(QAccessible::Name);
    EXPECT_TRUE(after.contains(QStringLiteral("前月"))) << after.join(u',').toStdString();
    EXPECT_EQ(table->childAt(view.mapToGlobal(QPoint(10 + 36 * 2 + 5, 26 + 20 + 5)).x(),
                             view.mapToGlobal(QPoint(10 + 36 * 2 + 5, 26 + 20 + 5)).y()), fifth);

    // A table of weeks by weekdays: the 5th is row 1, column 2 (a Tuesday).
    QAccessibleTableInterface *grid = table->tableInterface();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->rowCount() * 10 + grid->columnCount(), 67);
    EXPECT_EQ(grid->cellAt(1, 2), fifth);
    EXPECT_EQ(grid->columnDescription(2), QStringLiteral("火曜日"));
    EXPECT_EQ(grid->selectedCells(), QList<QAccessibleInterface *>{fifth});
    ASSERT_NE(fifth->tableCellInterface(), nullptr);
    EXPECT_EQ(fifth->tableCellInterface()->rowIndex() * 10 + fifth->tableCellInterface()->columnIndex(), 12);

    QTest::keyClick(&view, Qt::Key_Right);
    EXPECT_FALSE(fifth->state().selected);
    EXPECT_TRUE(table->child(10)->state().focused);
    EXPECT_EQ(table->focusChild(), table->child(10));
    QTest::keyClick(&view, Qt::Key_PageDown);   // the same cells, now June's days
    EXPECT_EQ(table->child(6)->text(QAccessible::Name), QStringLiteral("6月6日 土曜日"));
}

class CalendarPagesTest : public SettingsWindowTest {
protected:
    CalendarPagesTest() { RegisterCalendar(features.host); }
    QRadioButton *option(int index) const { return control<QRadioButton>(QStringLiteral("OPT%1").arg(index)); }
    ColorSwatch *swatch(int index) const { return control<ColorSwatch>(QStringLiteral("DspCol%1").arg(index)); }
    void selectDayType(int dayType) const { control<QComboBox>("CMB3")->setCurrentIndex(dayType); }
};

TEST_F(CalendarPagesTest, CalendarPageShowsTodaysMonthInItsFrame)
{
    SettingsWindow &window = open(PageCalendar);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tockara カレンダー"));
    EXPECT_EQ(control<QFrame>("AreaCal")->geometry(), QRect(8, 8, 281, 217));
    auto *view = control<MonthView>(QString());
    // The fake clock stands on 7 December 2026.
    EXPECT_EQ(view->sheet().Year * 100 + view->sheet().Month, 202612);
    EXPECT_EQ(view->sheet().Cells[view->sheet().FirstDayCell + 6].Type, DayType::Today);
    click("BTN8");
    EXPECT_EQ(view->sheet().Year * 100 + view->sheet().Month, 202701);
}

TEST_F(CalendarPagesTest, DayStylePageEditsAWorkingCopyAndStoresItOnConfirm)
{
    ctx.calendar.DayStyleTable[DayType::Holiday].Kind = MarkKind::CornerTriangle;
    SettingsWindow &window = open(PageCalendarDisplay);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tockara [カレンダー設定]"));
    EXPECT_EQ(control<QComboBox>("CMB3")->count(), 10);
    EXPECT_TRUE(option(3)->isChecked());   // 今日: 四角大
    EXPECT_EQ(swatch(5)->color(), 16744672);

    selectDayType(DayType::Sunday);
    fakes.choosers->colors.push_back(QColor(0x12, 0x34, 0x56));
    chooseColor(4);
    option(5)->click();
    selectDayType(DayType::Holiday);
    EXPECT_TRUE(option(7)->isChecked());   // the corner triangle has no option: なし
    selectDayType(DayType::Sunday);
    EXPECT_TRUE(option(5)->isChecked());
    EXPECT_EQ(ctx.calendar.DayStyleTable[DayType::Sunday], DefaultDayStyle(DayType::Sunday));

    click("BTN11");
    EXPECT_FALSE(ctx.ToolWindowOpen);
    EXPECT_EQ(ctx.calendar.DayStyleTable[DayType::Sunday], (DayStyle{MarkKind::Circle, 0x563412, 0, 0}));
    EXPECT_EQ(ctx.calendar.DayStyleTable[DayType::Holiday].Kind, MarkKind::None);
    EXPECT_EQ(ReadIniValue("Calender", "Sunday", "", ctx.settingsPath()), "3,5649426,0,0");
}

TEST_F(CalendarPagesTest, DayStylesThatCannotBeStoredAreToldAndKeepTheWindowOpen)
{
    QDir(folder.path()).mkdir("Tockara.ini");   // a folder where the file should be
    open(PageCalendarDisplay);
    click("BTN11");
    EXPECT_TRUE(ctx.ToolWindowOpen);
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("Tockara.ini"));
}

} // namespace
