#include "calculator/ui/calculator_page.h"
#include "context/pages.h"
#include "settings_window/settings_window_fixture.h"

namespace {

class CalculatorPageTest : public SettingsWindowTest {
protected:
    CalculatorPageTest() { RegisterCalculator(features.host); }
    QString display() const { return control<QLabel>("DSP2")->text(); }
    void key(int qtKey, Qt::KeyboardModifiers modifiers = {}) const
    {
        QTest::keyClick(control<QWidget>("CBTN"), Qt::Key(qtKey), modifiers);
    }
};

TEST_F(CalculatorPageTest, ButtonsAndTheWindowsKeysDriveTheDisplay)
{
    SettingsWindow &window = open(PageCalculator);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tockara [電卓]"));
    EXPECT_EQ(display(), "0");
    EXPECT_EQ(control<QPushButton>("NBTN20")->geometry(), QRect(80, 144, 33, 33));
    EXPECT_EQ(control<QPushButton>("NBTN28")->toolTip(), QStringLiteral("平方根"));

    click("NBTN1");
    click("NBTN2");
    // Keys typed while the close button has the focus reach the calculator first.
    key(Qt::Key_Semicolon);
    key(Qt::Key_5, Qt::KeypadModifier);
    key(Qt::Key_Return);
    EXPECT_EQ(display(), "17");
    EXPECT_EQ(window.focusWidget(), control<QWidget>("NBTN20"));
    EXPECT_TRUE(ctx.ToolWindowOpen);   // Enter gave "＝" and did not close the window
}

TEST_F(CalculatorPageTest, RegistersOutliveTheWindowAndTheDisplayRestarts)
{
    open(PageCalculator);
    click("NBTN2");
    click("NBTN24");
    click("NBTN3");
    click("CBTN");
    open(PageCalculator);
    EXPECT_EQ(display(), "0");
    click("NBTN20");   // 2 + the display's 0
    EXPECT_EQ(display(), "2");
}

} // namespace
