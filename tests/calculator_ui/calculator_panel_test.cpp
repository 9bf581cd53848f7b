#include <gtest/gtest.h>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "calculator/ui/calculator_panel.h"

namespace {

TEST(CalculatorPanelTest, ButtonsAndKeysOfTheWindowDriveTheDisplay)
{
    Calculator calculator;
    QDialog window;
    auto *other = new QPushButton(QStringLiteral("閉じる"), &window);
    other->move(218, 184);
    auto *panel = new CalculatorPanel(calculator, &window);
    panel->Open();
    window.show();
    auto *display = panel->findChild<QLabel *>("DSP2");
    auto *equals = panel->findChild<QPushButton *>("NBTN20");
    EXPECT_EQ(display->text(), "0");
    EXPECT_EQ(equals->geometry(), QRect(80, 144, 33, 33));
    EXPECT_EQ(panel->findChild<QPushButton *>("NBTN28")->toolTip(), QStringLiteral("平方根"));

    QTest::mouseClick(panel->findChild<QPushButton *>("NBTN1"), Qt::LeftButton);
    QTest::mouseClick(panel->findChild<QPushButton *>("NBTN2"), Qt::LeftButton);
    // Keys typed while another control has the focus reach the calculator first.
    other->setFocus();
    QTest::keyClick(other, Qt::Key_Plus);
    QTest::keyClick(other, Qt::Key_5, Qt::KeypadModifier);
    QTest::keyClick(other, Qt::Key_Return);
    EXPECT_EQ(display->text(), "17");
    EXPECT_EQ(window.focusWidget(), equals);
    EXPECT_TRUE(window.isVisible());   // Enter gave "＝", not the window's default button

    panel->Open();
    EXPECT_EQ(display->text(), "0");
    EXPECT_EQ(calculator.Accumulator, 17);   // the registers outlive the page
}

} // namespace
