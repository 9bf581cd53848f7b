#include <QClipboard>
#include <QGuiApplication>
#include <vector>

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

TEST_F(CalculatorPageTest, SpaceDoesNothingAndLeavesNoButtonPressed)
{
    SettingsWindow &window = open(PageCalculator);
    window.show();
    QPushButton *five = control<QPushButton>("NBTN5");
    for (QPushButton *focused : {five, control<QPushButton>("NBTN20")}) {
        focused->setFocus();
        QTest::keyPress(focused, Qt::Key_Space);
        QTest::keyRelease(window.focusWidget(), Qt::Key_Space);
        EXPECT_FALSE(focused->isDown()) << focused->objectName().toStdString();
        EXPECT_EQ(display(), "0") << focused->objectName().toStdString();
    }
    key(Qt::Key_5);
    EXPECT_FALSE(five->isDown());
    EXPECT_EQ(display(), "5");
}

TEST_F(CalculatorPageTest, CtrlAloneChangesTheSignAndCtrlWithAKeyCopiesOrPastes)
{
    struct Step { int key; Qt::KeyboardModifiers modifiers; };
    struct Case { const char *name; const char *clipboard; std::vector<Step> steps; const char *display;
                  const char *clipboardAfter; };
    const Case cases[] = {
        {"Ctrl alone", "", {{Qt::Key_5, {}}, {Qt::Key_Control, {}}}, "-5", ""},
        {"Ctrl+C", "", {{Qt::Key_5, {}}, {Qt::Key_C, Qt::ControlModifier}}, "5", "5"},
        {"Ctrl+C of a cut result", "",
         {{Qt::Key_2, {}}, {Qt::Key_Slash, {}}, {Qt::Key_3, {}}, {Qt::Key_Return, {}}, {Qt::Key_C, Qt::ControlModifier}},
         "0.666666666666", "0.6666666666666666"},
        {"Ctrl+V", "12.5", {{Qt::Key_3, {}}, {Qt::Key_V, Qt::ControlModifier}}, "12.5", "12.5"},
        {"Ctrl+V of no number", "ABC", {{Qt::Key_3, {}}, {Qt::Key_V, Qt::ControlModifier}}, "3", "ABC"},
        {"BackSpace", "", {{Qt::Key_1, {}}, {Qt::Key_2, {}}, {Qt::Key_Backspace, {}}}, "1", ""},
    };
    for (const Case &c : cases) {
        open(PageCalculator);
        click("NBTN25");
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.clipboard));
        // A key with Ctrl presses Ctrl first and releases it last, as typed.
        for (const Step &step : c.steps)
            key(step.key, step.modifiers);
        EXPECT_EQ(display().toStdString(), c.display) << c.name;
        EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), c.clipboardAfter) << c.name;
        click("CBTN");
    }
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
