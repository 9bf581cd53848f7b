#include "calculator/ui/calculator_panel.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr int kButtonSize = 33;

struct ButtonSpec {
    int key;
    const char16_t *caption;
    const char16_t *tooltip;
    int left, top;
};
constexpr ButtonSpec kButtons[] = {
    {7, u"7", nullptr, 16, 48},    {8, u"8", nullptr, 48, 48},    {9, u"9", nullptr, 80, 48},
    {4, u"4", nullptr, 16, 80},    {5, u"5", nullptr, 48, 80},    {6, u"6", nullptr, 80, 80},
    {1, u"1", nullptr, 16, 112},   {2, u"2", nullptr, 48, 112},   {3, u"3", nullptr, 80, 112},
    {0, u"0", nullptr, 16, 144},   {CalcKey::Point, u".", nullptr, 48, 144},
    {CalcKey::Equals, u"＝", nullptr, 80, 144},
    {CalcKey::Divide, u"÷", nullptr, 112, 48},     {CalcKey::Multiply, u"×", nullptr, 112, 80},
    {CalcKey::Subtract, u"－", nullptr, 112, 112}, {CalcKey::Add, u"＋", nullptr, 112, 144},
    {CalcKey::AllClear, u"CA", u"全クリア", 152, 48},
    {CalcKey::ClearEntry, u"Ｃ", u"一部クリア", 152, 80},
    {CalcKey::ChangeSign, u"±", u"符号反転", 152, 112},
    {CalcKey::SquareRoot, u"√", u"平方根", 152, 144},
};

QFont GothicFont(double points)
{
    QFont font(QStringLiteral("ＭＳ ゴシック"));
    font.setPointSizeF(points);
    return font;
}

} // namespace

CalculatorPanel::CalculatorPanel(Calculator &calculator, QWidget *parent)
    : QWidget(parent), calculator_(calculator), display_(new QLabel(this))
{
    for (const ButtonSpec &spec : kButtons) {
        auto *button = new QPushButton(QString::fromUtf16(spec.caption), this);
        button->setObjectName(QStringLiteral("NBTN%1").arg(spec.key));
        button->setGeometry(spec.left, spec.top, kButtonSize, kButtonSize);
        button->setFont(GothicFont(14.25));
        if (spec.tooltip)
            button->setToolTip(QString::fromUtf16(spec.tooltip));
        connect(button, &QPushButton::clicked, this, [this, key = spec.key] { press(key); });
    }
    equals_ = findChild<QPushButton *>(QStringLiteral("NBTN%1").arg(CalcKey::Equals));

    display_->setObjectName(QStringLiteral("DSP2"));
    display_->setTextFormat(Qt::PlainText);
    display_->setAccessibleDescription(QStringLiteral("電卓の表示"));
    display_->setGeometry(16, 24, 169, 20);
    display_->setAutoFillBackground(true);
    QPalette colours = display_->palette();
    colours.setColor(QPalette::Window, Qt::black);
    colours.setColor(QPalette::WindowText, QColor(0x00, 0xC0, 0x00));
    display_->setPalette(colours);
    display_->setFont(GothicFont(15.75));
    display_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display_->setText(calculator_.CalcDisplay);
}

void CalculatorPanel::Open()
{
    calculator_.OpenPage();
    display_->setText(calculator_.CalcDisplay);
}

bool CalculatorPanel::KeyPressed(int qtKey, Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    equals_->setFocus(Qt::OtherFocusReason);
    if (qtKey == Qt::Key_Control) {
        if (!autoRepeat)
            controlAlone_ = true;
        return true;
    }
    controlAlone_ = false;
    if (modifiers & Qt::ControlModifier) {
        if (qtKey == Qt::Key_C) {
            QGuiApplication::clipboard()->setText(calculator_.CopyText());
            return true;
        }
        if (qtKey == Qt::Key_V) {
            if (calculator_.EnterNumber(QGuiApplication::clipboard()->text()))
                display_->setText(calculator_.CalcDisplay);
            return true;
        }
    }
    if (qtKey == Qt::Key_Backspace) {
        calculator_.TakeBackDigit();
        display_->setText(calculator_.CalcDisplay);
        return true;
    }
    // Space would press the button that had the focus a moment ago, which
    // never sees its release once the focus has moved: it is no calculator
    // key and does nothing.
    if (qtKey == Qt::Key_Space || qtKey == Qt::Key_Select)
        return true;
    const int key = CalcKeyForKeyboard(qtKey);
    if (key < 0)
        return false;
    press(key);
    return true;
}

bool CalculatorPanel::KeyReleased(int qtKey, bool autoRepeat)
{
    if (qtKey != Qt::Key_Control || autoRepeat)
        return false;
    const bool alone = controlAlone_;
    controlAlone_ = false;
    if (alone)
        press(CalcKey::ChangeSign);
    return alone;
}

void CalculatorPanel::press(int key)
{
    calculator_.Press(key);
    display_->setText(calculator_.CalcDisplay);
}
