#pragma once
// An immediate-execution calculator for doubles: the four operations are
// applied strictly from left to right as operator keys are pressed, with
// square root, sign change, clear-entry and all-clear keys and a display of
// at most 14 characters.
#include <QString>

// The keys, by the index of their button (NBTN); 11 to 19 are not used.
namespace CalcKey {
enum : int {
    Digit0 = 0,   // the digits 0 to 9 are their own indexes
    Digit9 = 9,
    Point = 10,
    Equals = 20,
    Divide = 21,
    Multiply = 22,
    Subtract = 23,
    Add = 24,
    AllClear = 25,
    ClearEntry = 26,
    ChangeSign = 27,
    SquareRoot = 28,
};
}

// The most characters the display shows.
constexpr int CalcDisplayLength = 14;

// What the display shows for the square root of a negative number and for a
// result beyond the range of a double.
inline const QString CalcErrorText = QStringLiteral("エラー");

class Calculator {
public:
    // Opening the page: the display shows "0"; the registers keep their values.
    void OpenPage();

    // The key action of the button with index key; other indexes do nothing.
    // After an error only a digit, the point, CA and Ｃ act, and they start afresh.
    void Press(int key);

    // Carries out ActiveOperator with the display as its right operand and
    // shows the running result.
    void ApplyOperatorKey();

    QString CalcDisplay = QStringLiteral("0");
    double Accumulator = 0;      // the left operand and running result
    double Operand = 0;          // the right operand of the last operation
    QString PendingOperator;     // "", "=", "/", "*", "-" or "+": pressed, no right operand started yet
    QString ActiveOperator;      // "", "/", "*", "-" or "+": carried out by the next operator key

private:
    void AllClear();
    void Digit(int digit);
    void Point();
    void TakeOverPendingOperator();
    double DisplayValue() const;
    void ShowNumber(double value);
    bool ShowsError() const { return CalcDisplay == CalcErrorText; }
};

// A number as the display writes it: up to 15 significant digits, "." as the
// decimal point, "-" for negatives, no grouping, and exponent notation such as
// 1.5E+20 for magnitudes from 1E+15 and below 1E-4. Zero is "0".
QString CalcNumberText(double value);

// A number's text shortened to the display: exponent texts keep their
// exponent and lose mantissa digits; other texts are cut to their first 14.
QString FitCalcDisplay(const QString &text);

// The calculator key of a keyboard key (a Qt::Key value), or -1 for a key the
// calculator does not use. Keypad keys carry the same Qt::Key values.
int CalcKeyForKeyboard(int qtKey);
