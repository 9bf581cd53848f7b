#include "calculator/calculator.h"

#include <cmath>
#include <QLocale>
#include <QRegularExpression>

namespace {

// Keyboard keys and the calculator keys they press. ":" and ";" share their
// keys with "*" and "+" on a Japanese keyboard, so they work unshifted too;
// "=" (shifted "-" there) is "＝".
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
    {Qt::Key_Equal, CalcKey::Equals},
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

// value in exponent form rounded to digits significant digits, without
// trailing zeros in the mantissa: 1E+14, -1.2345679E+13.
QString ExponentText(double value, int digits)
{
    const QString text = QString::number(value, 'E', digits - 1);
    const qsizetype exponent = text.indexOf(u'E');
    QString mantissa = text.first(exponent);
    if (mantissa.contains(u'.')) {
        while (mantissa.endsWith(u'0'))
            mantissa.chop(1);
        if (mantissa.endsWith(u'.'))
            mantissa.chop(1);
    }
    return mantissa + text.sliced(exponent);
}

} // namespace

void Calculator::OpenPage()
{
    StartNumber();
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
        Operator(OperatorOf(key));
    } else if (key == CalcKey::AllClear) {
        AllClear();
    } else if (key == CalcKey::ClearEntry) {
        StartNumber();
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

void Calculator::Operator(const QString &op)
{
    const bool waiting = !PendingOperator.isEmpty();
    PendingOperator = op;
    if (!waiting) {
        ApplyOperatorKey();
        return;
    }
    // The operator before has no right operand yet: this key only takes its
    // place, and "＝" ends the calculation at the running result on show.
    if (op == QLatin1String("=")) {
        PendingOperator.clear();
        ActiveOperator.clear();
    }
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
    StartNumber();
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
    if (CalcDisplay == QLatin1String("0") || ShowsExponent())
        CalcDisplay.clear();
    StartNumber();
    CalcDisplay += QChar(u'0' + digit);
}

void Calculator::Point()
{
    if (!PendingOperator.isEmpty()) {
        TakeOverPendingOperator();   // while the result's whole value stands behind the display
        CalcDisplay = QStringLiteral("0.");
    } else if (ShowsExponent()) {
        CalcDisplay = QStringLiteral("0.");
    } else if (!CalcDisplay.contains(u'.')) {
        CalcDisplay += u'.';
    }
    StartNumber();
}

// A typed number is its text; a shown result keeps the value behind its view.
double Calculator::DisplayValue() const
{
    if (ShowsResult())
        return shownValue_;
    QString text = CalcDisplay;
    if (text.endsWith(u'.'))
        text += u'0';
    return QLocale::c().toDouble(text);
}

void Calculator::ShowNumber(double value)
{
    StartNumber();
    if (!std::isfinite(value)) {
        CalcDisplay = CalcErrorText;
        return;
    }
    CalcDisplay = CalcResultText(value);
    shownValue_ = value;
    shownText_ = CalcDisplay;
}

// The display is about to show a number typed or entered: no result stands
// behind it any more.
void Calculator::StartNumber()
{
    shownText_.clear();
}

void Calculator::TakeBackDigit()
{
    if (ShowsError() || ShowsResult() || !PendingOperator.isEmpty())
        return;
    CalcDisplay.chop(1);
    if (CalcDisplay.isEmpty() || CalcDisplay == QLatin1String("-"))
        CalcDisplay = QStringLiteral("0");
}

QString Calculator::CopyText() const
{
    if (!ShowsResult() || shownValue_ == 0)
        return CalcDisplay;
    // In exponent form for the magnitudes the display writes so (1.5E+20);
    // EnterNumber reads every such text back.
    const double magnitude = std::fabs(shownValue_);
    const bool exponent = magnitude >= 1e15 || magnitude < 1e-4;
    return QString::number(shownValue_, exponent ? 'E' : 'f', QLocale::FloatingPointShortest);
}

bool Calculator::EnterNumber(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral("^[-+]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][-+]?[0-9]{1,3})?$"));
    const QString trimmed = text.trimmed();
    if (trimmed.size() > 64 || !number.match(trimmed).hasMatch())
        return false;
    bool ok = false;
    const double value = QLocale::c().toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return false;
    if (ShowsError())
        AllClear();
    if (!PendingOperator.isEmpty())
        TakeOverPendingOperator();
    // A plain number that fits reads on as if typed; any other is a value
    // the display shows in its own form.
    const bool plain = !trimmed.contains(u'e', Qt::CaseInsensitive) && !trimmed.startsWith(u'+')
                       && !trimmed.startsWith(u'.') && trimmed.size() <= CalcDisplayLength;
    if (plain && value >= 0) {
        StartNumber();
        CalcDisplay = trimmed;
        if (CalcDisplay.size() > 1 && CalcDisplay.startsWith(u'0') && CalcDisplay.at(1) != u'.')
            ShowNumber(value);   // leading zeros: shown as the number they make
    } else {
        ShowNumber(value);
    }
    return true;
}

QString CalcNumberText(double value)
{
    if (value == 0)
        return QStringLiteral("0");   // also for -0
    return QString::number(value, 'G', 15);
}

QString CalcResultText(double value)
{
    const QString text = CalcNumberText(value);
    if (text.size() <= CalcDisplayLength)
        return text;
    // Cutting a plain text where its point is still on the display drops
    // fraction digits only; any other cut would show another number.
    const qsizetype point = text.indexOf(u'.');
    if (!text.contains(u'E') && point >= 0 && point <= CalcDisplayLength)
        return text.first(CalcDisplayLength);
    for (int digits = 15; digits > 1; --digits) {
        const QString exponent = ExponentText(value, digits);
        if (exponent.size() <= CalcDisplayLength)
            return exponent;
    }
    return ExponentText(value, 1);
}

int CalcKeyForKeyboard(int qtKey)
{
    for (const KeyboardKey &entry : kKeyboardTable) {
        if (entry.qtKey == qtKey)
            return entry.calcKey;
    }
    return -1;
}
