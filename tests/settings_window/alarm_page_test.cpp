// The alarm page: a working copy of the three presets, stored only by 確定.
#include "settings_window_fixture.h"

namespace {

class AlarmPageTest : public SettingsWindowTest {
protected:
    AlarmPageTest()
    {
        preset([](Settings &s) {
            s.Alarm[0] = {0, "06:30", "起床", "/music/a.wav"};
            s.Alarm[1] = {-1, "12:00", "昼休み", ""};
            s.Alarm[2] = {1, "18:45", "帰宅", "/music/c.wav"};
        });
    }
    QCheckBox *armed() const { return control<QCheckBox>("CHK1"); }
    QRadioButton *option(int i) const { return control<QRadioButton>(QStringLiteral("OPT%1").arg(i)); }
    void apply() const { click("BTN1"); }
};

TEST_F(AlarmPageTest, OpensOnTheFirstPresetWhateverWasShownLastTime)
{
    state.AlarmSet = 2;
    open(2);
    EXPECT_EQ(state.AlarmSet, 0);
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_EQ(option(0)->text(), "設定１");
    EXPECT_EQ(option(2)->text(), "設定３");
    EXPECT_EQ(field(2)->text(), "06");
    EXPECT_EQ(field(3)->text(), "30");
    EXPECT_EQ(field(4)->text(), "起床");
    EXPECT_EQ(field(5)->text(), "/music/a.wav");
    EXPECT_FALSE(armed()->isChecked());
    EXPECT_EQ(armed()->text(), "アラームを有効にする。");
}

TEST_F(AlarmPageTest, TypedTimesAreBoundedAsAPairWhenApplied)
{
    const struct { const char *hour, *minute, *stored; } cases[] = {
        {"25", "30", "23:59"}, {"-3", "45", "00:00"}, {"7", "5", "07:05"}, {"9", "60", "09:59"},
    };
    for (const auto &c : cases) {
        open(2);
        type(2, c.hour);
        type(3, c.minute);
        apply();
        EXPECT_EQ(ctx.settings().Alarm[0].Time, c.stored) << c.hour << ":" << c.minute;
        EXPECT_EQ(saved().Alarm[0].Time, c.stored) << c.hour << ":" << c.minute;
        EXPECT_FALSE(ctx.ToolWindowOpen);
    }
}

TEST_F(AlarmPageTest, EditsAcrossPresetsAreStoredTogetherOn確定)
{
    open(2);
    type(4, "朝会");
    armed()->setChecked(true);
    option(1)->click();
    EXPECT_EQ(state.AlarmSet, 1);
    EXPECT_EQ(field(4)->text(), "昼休み");
    type(2, "13");
    type(5, "/music/b.wav");
    apply();

    const Settings onDisk = saved();
    for (const Settings &s : {ctx.settings(), onDisk}) {
        EXPECT_EQ(s.Alarm[0].Comment, "朝会");
        EXPECT_EQ(s.Alarm[0].Enabled, 1);
        EXPECT_EQ(s.Alarm[0].Time, "06:30");
        EXPECT_EQ(s.Alarm[1].Time, "13:00");
        EXPECT_EQ(s.Alarm[1].File, "/music/b.wav");
        EXPECT_EQ(s.Alarm[2].Comment, "帰宅");
    }
}

TEST_F(AlarmPageTest, ArrowKeysBetweenPresetsSwitchLikeClicks)
{
    open(2);
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    type(4, "朝会");
    option(0)->setFocus();
    QTest::keyClick(option(0), Qt::Key_Right);
    EXPECT_TRUE(option(1)->isChecked());
    EXPECT_EQ(state.AlarmSet, 1);
    EXPECT_EQ(field(4)->text(), "昼休み");
    apply();
    EXPECT_EQ(ctx.settings().Alarm[0].Comment, "朝会");
}

TEST_F(AlarmPageTest, SwitchingBackShowsTheEditsKeptInTheWorkingCopy)
{
    open(2);
    type(2, "25");
    type(4, "変更");
    option(2)->click();
    option(0)->click();
    EXPECT_EQ(field(2)->text(), "23");
    EXPECT_EQ(field(3)->text(), "59");
    EXPECT_EQ(field(4)->text(), "変更");
    EXPECT_EQ(ctx.settings().Alarm[0].Comment, "起床");
}

TEST_F(AlarmPageTest, CloseStoresNoneOfTheEdits)
{
    open(2);
    type(4, "朝会");
    option(1)->click();
    type(4, "夕会");
    click("CBTN");
    EXPECT_EQ(ctx.settings().Alarm[0].Comment, "起床");
    EXPECT_EQ(ctx.settings().Alarm[1].Comment, "昼休み");
    EXPECT_FALSE(savedFileExists());

    // The next opening starts again from the settings.
    open(2);
    EXPECT_EQ(field(4)->text(), "起床");
}

TEST_F(AlarmPageTest, AnyNonZeroFlagShowsTickedAndIsStoredAsOne)
{
    open(2);
    option(1)->click();
    EXPECT_TRUE(armed()->isChecked());
    apply();
    EXPECT_EQ(ctx.settings().Alarm[1].Enabled, 1);
    EXPECT_EQ(saved().Alarm[1].Enabled, 1);
}

TEST_F(AlarmPageTest, AHourThatIsNoNumberIsReportedAndNothingStored)
{
    open(2);
    type(2, "abc");
    type(4, "朝会");
    apply();
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("「時」"));
    EXPECT_EQ(ctx.settings().Alarm[0].Comment, "起床");
    EXPECT_FALSE(savedFileExists());
    EXPECT_TRUE(ctx.ToolWindowOpen);   // still open for the correction

    type(2, "8");
    apply();
    EXPECT_EQ(ctx.settings().Alarm[0].Time, "08:30");
    EXPECT_EQ(ctx.settings().Alarm[0].Comment, "朝会");
}

TEST_F(AlarmPageTest, AMinuteThatIsNoNumberKeepsThePageOnItsPreset)
{
    open(2);
    type(3, "");
    option(2)->click();
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("「分」"));
    EXPECT_EQ(state.AlarmSet, 0);
    EXPECT_TRUE(option(0)->isChecked());
    EXPECT_FALSE(option(2)->isChecked());
    EXPECT_EQ(field(4)->text(), "起床");
}

TEST_F(AlarmPageTest, AStoredTimeWithoutLeadingZerosShowsItsParts)
{
    preset([](Settings &s) { s.Alarm[0].Time = "7:05"; });
    open(2);
    EXPECT_EQ(field(2)->text(), "7");
    EXPECT_EQ(field(3)->text(), "05");
    apply();
    EXPECT_EQ(ctx.settings().Alarm[0].Time, "07:05");
}

} // namespace
