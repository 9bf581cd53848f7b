#include <gtest/gtest.h>

#include "calendar/day_style_editor.h"
#include "settings/profile.h"
#include "support/temp_folder.h"

namespace {

TEST(DayStyleEditorTest, EditsSurviveSwitchingTheListAndApplyOnlyOnConfirm)
{
    TempFolder folder;
    CalendarData calendar;
    DayStyleEditor editor(calendar);
    EXPECT_EQ(DayTypeListTexts().size(), 10);
    EXPECT_EQ(editor.SelectedDayType(), DayType::Today);

    DayStyleControls sunday = editor.SelectDayType(DayType::Sunday, editor.ShowDayStyle());
    EXPECT_EQ(sunday, (DayStyleControls{MarkKind::None, 255, 0, 0}));
    sunday.TextColor = 0x123456;
    sunday.Mark = MarkKind::Circle;
    const DayStyleControls saturday = editor.SelectDayType(DayType::Saturday, sunday);
    EXPECT_EQ(saturday.TextColor, 16711680);
    EXPECT_EQ(calendar.DayStyleTable[DayType::Sunday], DefaultDayStyle(DayType::Sunday));   // not yet applied

    const DayStyleControls back = editor.SelectDayType(DayType::Sunday, saturday);
    EXPECT_EQ(back, sunday);
    ASSERT_TRUE(editor.Apply(back, calendar, folder.file("Tockara.ini")));
    EXPECT_EQ(calendar.DayStyleTable[DayType::Sunday], (DayStyle{MarkKind::Circle, 0x123456, 0, 0}));
    EXPECT_EQ(ReadIniValue("Calender", "Sunday", "", folder.file("Tockara.ini")), "3,1193046,0,0");
    EXPECT_EQ(ReadIniValue("Calender", "Nikki", "", folder.file("Tockara.ini")), "5,0,0,0");
}

TEST(DayStyleEditorTest, CornerTriangleShowsAsNoneAndIsStoredAsNoneOnceLeft)
{
    CalendarData calendar;
    calendar.DayStyleTable[DayType::Holiday].Kind = MarkKind::CornerTriangle;
    DayStyleEditor editor(calendar);
    const DayStyleControls holiday = editor.SelectDayType(DayType::Holiday, editor.ShowDayStyle());
    EXPECT_EQ(holiday.Mark, MarkKind::None);
    EXPECT_EQ(editor.EditedDayStyles()[DayType::Holiday].Kind, MarkKind::CornerTriangle);   // only shown so far
    editor.SelectDayType(DayType::Today, holiday);
    EXPECT_EQ(editor.EditedDayStyles()[DayType::Holiday].Kind, MarkKind::None);
}

TEST(DayStyleEditorTest, ApplyThatCannotBeWrittenSaysSo)
{
    TempFolder folder;
    CalendarData calendar;
    DayStyleEditor editor(calendar);
    EXPECT_FALSE(editor.Apply(editor.ShowDayStyle(), calendar, folder.file("missing/Tockara.ini")));
}

} // namespace
