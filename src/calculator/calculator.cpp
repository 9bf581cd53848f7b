#include "calculator/calculator.h"

#include <cmath>
#include <QLocale>

namespace {

// Keyboard keys and the calculator keys they press. ":" and ";" share their
// keys with "*" and "+" on a Japanese keyboard, so they work unshifted too.
struct KeyboardKey {
    int qtKey;
    int calcKey;
};
constexpr KeyboardKey kKeyboardTable[] = {
    {Qt::Key_0, 0}, {Qt::Key_1, 1}, {Qt::Key_2, 2}, {Qt::Key_3, 3}, {Qt::Key_4, 4},
    {Qt::Key_5, 5}, {Qt::Key_6, 6}, {Qt::Key_7, 7}, {Qt::Key_8, 8}, {Qt::Key_9, 9},
    {Qt::Key_Period, CalcKey::Point},
    {Qt::Key_Return, CalcKey::Equals},
    {Qt::Key_Enter, CalcKey::Equals},
    {Qt::Key_Slash, CalcKey::Divide},
    {Qt::Key_Asterisk, CalcKey::Multiply},
    {Qt::Key_Colon, CalcKey::Multiply},
    {Qt::Key_Minus, CalcKey::Subtract},
    {Qt::Key_Plus, CalcKey::Add},
    {Qt::Key_Semicolon, CalcKey::Add},
    {Qt::Key_Home, CalcKey::AllClear},
    {Qt::Key_Delete, CalcKey::ClearEntry},
    {Qt::Key_Insert, CalcKey::ChangeSign},
    {Qt::Key_Control, CalcKey::ChangeSign},
};

// The operator texts of the keys "＝", "÷", "×", "－", "＋".
QString OperatorOf(int key)
{
    static const QString operators[] = {"=", "/", "*", "-", "+"};
    return operators[key - CalcKey::Equals];
}

} // namespace

void Calculator::OpenPage()
{
    CalcDisplay = QStringLiteral("0");
}

void Calculator::Press(int key)
{
    if (ShowsError()) {
        const bool startsAfresh = (key >= CalcKey::Digit0 && key <= CalcKey::Point)
                                  || key == CalcKey::AllClear || key == CalcKey::ClearEntry;
        if (!startsAfresh)
            return;
        AllClear();
    }
    if (key >= CalcKey::Digit0 && key <= CalcKey::Digit9) {
        if (CalcDisplay == QLatin1String("0") && key == 0 && PendingOperator.isEmpty())
            return;   // a leading zero: no effect at all
        Digit(key);
    } else if (key == CalcKey::Point) {
        Point();
    } else if (key >= CalcKey::Equals && key <= CalcKey::Add) {
        PendingOperator = OperatorOf(key);
        ApplyOperatorKey();
    } else if (key == CalcKey::AllClear) {
        AllClear();
    } else if (key == CalcKey::ClearEntry) {
        CalcDisplay = QStringLiteral("0");
    } else if (key == CalcKey::ChangeSign) {
        ShowNumber(DisplayValue() * -1);
    } else if (key == CalcKey::SquareRoot) {
        const double value = DisplayValue();
        if (value < 0)
            CalcDisplay = CalcErrorText;
        else
            ShowNumber(std::sqrt(value));
    } else {
        return;
    }
    if (CalcDisplay.size() > CalcDisplayLength)
        CalcDisplay.truncate(CalcDisplayLength);
}

void Calculator::ApplyOperatorKey()
{
    if (ActiveOperator.isEmpty()) {
        if (PendingOperator == QLatin1String("="))
            PendingOperator.clear();
        return;
    }
    Operand = DisplayValue();
    if (ActiveOperator == QLatin1String("/"))
        Accumulator = Operand == 0 ? 0 : Accumulator / Operand;
    else if (ActiveOperator == QLatin1String("*"))
        Accumulator = Operand * Accumulator;
    else if (ActiveOperator == QLatin1String("-"))
        Accumulator = Accumulator - Operand;
    else if (ActiveOperator == QLatin1String("+"))
        Accumulator = Operand + Accumulator;
    ShowNumber(Accumulator);
    if (PendingOperator == QLatin1String("=")) {
        ActiveOperator.clear();
        PendingOperator.clear();
    }
}

void Calculator::AllClear()
{
    PendingOperator.clear();
    ActiveOperator.clear();
    Accumulator = 0;
    Operand = 0;
    CalcDisplay = QStringLiteral("0");
}

// The left operand is taken from the display lazily, when the next number starts.
void Calculator::TakeOverPendingOperator()
{
    ActiveOperator = PendingOperator;
    PendingOperator.clear();
    Accumulator = DisplayValue();
}

void Calculator::Digit(int digit)
{
    if (!PendingOperator.isEmpty()) {
        TakeOverPendingOperator();
        CalcDisplay.clear();
    }
    if (CalcDisplay == QLatin1String("0"))
        CalcDisplay.clear();
    CalcDisplay += QChar(u'0' + digit);
}

void Calculator::Point()
{
    if (!PendingOperator.isEmpty()) {
        TakeOverPendingOperator();
        CalcDisplay = QStringLiteral("0.");
    } else if (!CalcDisplay.contains(u'.')) {
        CalcDisplay += u'.';
    }
}

double Calculator::DisplayValue() const
{
    QString text = CalcDisplay;
    if (text.endsWith(u'.'))
        text += u'0';
    return QLocale::c().toDouble(text);
}

void Calculator::ShowNumber(double value)
{
    CalcDisplay = std::isfinite(value) ? FitCalcDisplay(CalcNumberText(value)) : CalcErrorText;
}

QString CalcNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");   // also for -0
    return QString::number(value, 'G', 15);
}

QString FitCalcDisplay(const QString &text)
{
    if (text.size() <= CalcDisplayLength)
        return text;
    const qsizetype exponent = text.indexOf(u'E');
    if (exponent < 0)
        return text.first(CalcDisplayLength);
    const QString power = text.sliced(exponent);
    return text.first(CalcDisplayLength - power.size()) + power;
}

int CalcKeyForKeyboard(int qtKey)
{
    for (const KeyboardKey &entry : kKeyboardTable) {
        if (entry.qtKey == qtKey)
            return entry.calcKey;
    }
    return -1;
}
