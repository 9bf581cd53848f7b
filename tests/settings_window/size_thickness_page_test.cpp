// The clock size and hand thickness pages.
#include "settings_window_fixture.h"

namespace {

class SizePageTest : public SettingsWindowTest {};

TEST_F(SizePageTest, ShowsTheCurrentSize)
{
    preset([](Settings &s) {
        s.Setting.Width = 120;
        s.Setting.Height = 96;
    });
    open(1);
    EXPECT_EQ(field(0)->text(), "120");
    EXPECT_EQ(field(1)->text(), "96");
    EXPECT_EQ(control<QLabel>("LBL0")->text(), "横のサイズ");
    EXPECT_EQ(control<QLabel>("LBL1")->text(), "縦のサイズ");
}

TEST_F(SizePageTest, SizesOutside48To256Become80)
{
    const struct { const char *typed; qint16 stored; } cases[] = {
        {"300", 80}, {"47", 80}, {"48", 48}, {"256", 256}, {"１２０", 120}, {"70000", 80},
    };
    for (const auto &c : cases) {
        open(1);
        type(0, c.typed);
        type(1, c.typed);
        click("BTN0");
        EXPECT_EQ(ctx.settings().Setting.Width, c.stored) << c.typed;
        EXPECT_EQ(ctx.settings().Setting.Height, c.stored) << c.typed;
        EXPECT_EQ(saved().Setting.Width, c.stored) << c.typed;
    }
}

TEST_F(SizePageTest, ApplyingReshapesTheClockThenCloses)
{
    open(1);
    type(0, "100");
    type(1, "64");
    click("BTN0");
    // Saved, then the clock is told to reshape (and restart its figure).
    EXPECT_EQ(watch.announced, QList<SettingsAspects>{SettingsAspect::Size});
    EXPECT_TRUE(watch.everySavedFirst());
    EXPECT_EQ(saved().Setting.Height, 64);
    EXPECT_FALSE(ctx.ToolWindowOpen);
    EXPECT_EQ(window->result(), QDialog::Accepted);
}

TEST_F(SizePageTest, ASizeThatIsNoNumberIsReportedAndNothingApplied)
{
    open(1);
    type(0, "100");
    type(1, "大きい");
    click("BTN0");
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_EQ(fakes.messages->shown[0].title, "Tockara");
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("縦のサイズ"));
    EXPECT_EQ(ctx.settings().Setting.Width, 80);
    EXPECT_TRUE(watch.announced.isEmpty());
    EXPECT_FALSE(savedFileExists());
    EXPECT_TRUE(ctx.ToolWindowOpen);
}

class ThicknessPageTest : public SettingsWindowTest {};

TEST_F(ThicknessPageTest, ShowsTheThreeHands)
{
    preset([](Settings &s) { s.Thick = {3, 4, 2}; });
    open(3);
    EXPECT_EQ(field(6)->text(), "3");
    EXPECT_EQ(field(7)->text(), "4");
    EXPECT_EQ(field(8)->text(), "2");
    EXPECT_EQ(control<QLabel>("LBL6")->text(), "短針の太さ");
    EXPECT_EQ(control<QLabel>("LBL8")->text(), "秒針の太さ");
}

TEST_F(ThicknessPageTest, WidthsOutside1To4BecomeOne)
{
    open(3);
    type(6, "0");
    type(7, "5");
    type(8, "4");
    click("BTN2");
    for (const Settings &s : {ctx.settings(), saved()}) {
        EXPECT_EQ(s.Thick.HLine, 1);
        EXPECT_EQ(s.Thick.MLine, 1);
        EXPECT_EQ(s.Thick.SLine, 4);
    }
    // Beyond 16 bits must not wrap into the range either.
    open(3);
    type(6, "65537");
    click("BTN2");
    EXPECT_EQ(ctx.settings().Thick.HLine, 1);
    EXPECT_FALSE(ctx.ToolWindowOpen);
    EXPECT_EQ(watch.all(), SettingsAspect::Hands);
}

TEST_F(ThicknessPageTest, AWidthThatIsNoNumberIsReportedAndNothingApplied)
{
    open(3);
    type(6, "3");
    type(8, "x");
    click("BTN2");
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("秒針の太さ"));
    EXPECT_EQ(ctx.settings().Thick.HLine, 2);
    EXPECT_FALSE(savedFileExists());
}

} // namespace
