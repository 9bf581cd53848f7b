// The hourly chime's page: the switch, the file and the quiet time, stored by 確定.
#include "context/pages.h"
#include "settings_window_fixture.h"

namespace {

class ChimePageTest : public SettingsWindowTest {
protected:
    QCheckBox *box(int index) const { return control<QCheckBox>(QStringLiteral("CHK%1").arg(index)); }
};

TEST_F(ChimePageTest, ShowsTheStoredChimeAndStoresTheEditsOnApply)
{
    open(PageChime);
    EXPECT_EQ(window->windowTitle(), "Tockara [時報]");
    EXPECT_FALSE(box(1)->isChecked());
    EXPECT_EQ(field(1)->text(), "sounds/chime.wav");
    EXPECT_TRUE(box(2)->isChecked());
    EXPECT_EQ((QStringList{field(2)->text(), field(3)->text(), field(4)->text(), field(5)->text()}),
              (QStringList{"22", "00", "07", "00"}));
    for (int i = 2; i <= 5; ++i)
        EXPECT_FALSE(field(i)->accessibleName().isEmpty()) << "FLD" << i;

    box(1)->setChecked(true);
    type(1, "~/bell.ogg");
    box(2)->setChecked(false);
    type(2, "２３");   // as a Japanese input method types it
    type(3, "30");
    type(4, "25");     // past the day's end: the last minute of it
    type(5, "0");
    click("BTN1");
    EXPECT_FALSE(ctx.ToolWindowOpen);
    const Settings stored = saved();
    EXPECT_EQ(stored.Chime.Enabled, 1);
    EXPECT_EQ(stored.Chime.File, "~/bell.ogg");
    EXPECT_EQ(stored.Chime.Quiet, 0);
    EXPECT_EQ(stored.Chime.QuietFrom, "23:30");
    EXPECT_EQ(stored.Chime.QuietTo, "23:59");
}

TEST_F(ChimePageTest, AQuietTimeFieldThatIsNoNumberIsToldAndNothingIsStored)
{
    open(PageChime);
    box(1)->setChecked(true);
    type(4, "七");
    click("BTN1");
    ASSERT_EQ(fakes.messages->shown.size(), 1);
    EXPECT_TRUE(fakes.messages->shown[0].text.contains("鳴らさない時間の終わり (時)"));
    EXPECT_TRUE(ctx.ToolWindowOpen) << "still open for the correction";
    EXPECT_EQ(ctx.settings().Chime.Enabled, 0);
    EXPECT_FALSE(savedFileExists());
}

} // namespace
