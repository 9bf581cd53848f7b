#include <QDir>

#include "calendar/notes.h"
#include "calendar/ui/calendar_pages.h"
#include "calendar/ui/month_view.h"
#include "context/pages.h"
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

    TempFolder folder;
    CalendarData calendar;
    MonthView view{calendar, folder.path(), nullptr};
};

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
    QList<QDate> opened;
    view.openDiary = [&](const QDate &day) {
        opened << day;
        NoteData notes;
        notes.DiaryLines[0] = QStringLiteral("晴れ");
        SaveDiaryDay(notes, folder.path(), 2026, 5, static_cast<qint16>(day.day()));
    };
    QTest::mouseClick(&view, Qt::RightButton, {}, QPoint(10 + 36 * 2 + 5, 26 + 20 + 5));
    QTest::mouseClick(&view, Qt::LeftButton, {}, QPoint(15, 30));   // outside the month
    ASSERT_EQ(opened, QList<QDate>{QDate(2026, 5, 5)});
    EXPECT_TRUE(view.sheet().Cells[9].HasDiary);
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
