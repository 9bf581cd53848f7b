#include <gtest/gtest.h>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "calendar/notes.h"
#include "calendar/ui/month_view.h"
#include "support/temp_folder.h"

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

} // namespace
