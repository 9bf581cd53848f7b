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
    // An operator key while another waits for its right operand replaces it.
    void Press(int key);

    // Carries out ActiveOperator with the display as its right operand and
    // shows the running result.
    void ApplyOperatorKey();

    // BackSpace: takes back the last character of a number being typed. A
    // shown result, an error or a display waiting for the next number stay.
    void TakeBackDigit();

    // A number from outside (the clipboard) entered as if typed: a decimal
    // number, optionally signed and in exponent form, that a double holds.
    // Returns false, changing nothing, for any other text.
    bool EnterNumber(const QString &text);

    // What Ctrl+C copies: a shown result's whole value, which the display
    // may show rounded or cut, in the fewest digits that read back as it;
    // a number being typed, or an error, as the display shows it.
    QString CopyText() const;

    QString CalcDisplay = QStringLiteral("0");
    double Accumulator = 0;      // the left operand and running result
    double Operand = 0;          // the right operand of the last operation
    QString PendingOperator;     // "", "=", "/", "*", "-" or "+": pressed, no right operand started yet
    QString ActiveOperator;      // "", "/", "*", "-" or "+": carried out by the next operator key

private:
    void Operator(const QString &op);
    void AllClear();
    void Digit(int digit);
    void Point();
    void TakeOverPendingOperator();
    double DisplayValue() const;
    void ShowNumber(double value);
    void StartNumber();
    bool ShowsError() const { return CalcDisplay == CalcErrorText; }
    // A result in exponent form cannot be typed on: the next digit or point
    // starts a new number.
    bool ShowsExponent() const { return CalcDisplay.contains(u'E'); }
    // Whether the display shows a result, whose whole value is shownValue_:
    // the display text is only its view, rounded or cut to 14 characters.
    bool ShowsResult() const { return shownText_ == CalcDisplay; }

    double shownValue_ = 0;
    QString shownText_;          // the display text of shownValue_, empty when none
};

// A number as the display writes it: up to 15 significant digits, "." as the
// decimal point, "-" for negatives, no grouping, and exponent notation such as
// 1.5E+20 for magnitudes from 1E+15 and below 1E-4. Zero is "0".
QString CalcNumberText(double value);

// What the display shows for a result: its number text when that fits; a
// text with a point among its first 14 characters cut there (dropping
// fraction digits only); any other in exponent form with as many mantissa
// digits, rounded, as fit. The display never shows another number.
QString CalcResultText(double value);

// The calculator key of a keyboard key (a Qt::Key value), or -1 for a key the
// calculator does not use. Keypad keys carry the same Qt::Key values.
int CalcKeyForKeyboard(int qtKey);
