#include <gtest/gtest.h>
#include <string>

#include "calculator/calculator.h"

namespace {

// Presses the keys written as characters: digits, ".", "=", "/", "*", "-",
// "+", A (CA), C (Ｃ), S (±), R (√), B (BackSpace), O (the page opens again).
void Type(Calculator &calculator, const char *keys)
{
    for (const char *k = keys; *k; ++k) {
        switch (*k) {
        case '.': calculator.Press(CalcKey::Point); break;
        case '=': calculator.Press(CalcKey::Equals); break;
        case '/': calculator.Press(CalcKey::Divide); break;
        case '*': calculator.Press(CalcKey::Multiply); break;
        case '-': calculator.Press(CalcKey::Subtract); break;
        case '+': calculator.Press(CalcKey::Add); break;
        case 'A': calculator.Press(CalcKey::AllClear); break;
        case 'C': calculator.Press(CalcKey::ClearEntry); break;
        case 'S': calculator.Press(CalcKey::ChangeSign); break;
        case 'R': calculator.Press(CalcKey::SquareRoot); break;
        case 'B': calculator.TakeBackDigit(); break;
        case 'O': calculator.OpenPage(); break;
        default: calculator.Press(*k - '0'); break;
        }
    }
}

TEST(CalculatorTest, KeySequencesShowTheirDisplay)
{
    // (1E+14)^23 is beyond the range of a double.
    std::string overflow = "99999999999999";
    for (int i = 0; i < 22; ++i)
        overflow += "*99999999999999";
    overflow += "=";
    const std::string afterOverflow = overflow + "7+1=";
    struct Case { const char *keys; const char *display; };
    const Case cases[] = {
        {"", "0"},
        {"1+2=", "3"},
        {"5+3*", "8"},                    // the running result shows at once
        {"5+3*2=", "16"},                 // strictly left to right
        {"2+3=4", "54"},                  // after "=" a digit extends the result
        {"7/0=", "0"},
        {"1/3=", "0.333333333333"},
        {"00", "0"},
        {"0.05", "0.05"},
        {"1..5", "1.5"},
        {"12+.5=", "12.5"},
        {"9+R5=", "8"},                   // √ turns the left operand 9 into 3
        {"12+C5=", "5"},                  // Ｃ clears the left operand before it is taken
        {"1234567890123456", "12345678901234"},
        {"5S", "-5"},
        {"0S", "0"},
        {"12.S", "-12"},
        {"2R", "1.414213562373"},
        {"5+3A2=", "2"},
        {"8-10=", "-2"},
        {"2+3O=", "2"},                   // registers survive; the display restarts at 0
        {"123456789*987654321=", "1.21932631E+17"},   // the exponent is kept
        {"4SR", "エラー"},
        {"4SR+=S", "エラー"},             // operators, ± and √ leave an error shown
        {"4SR5+1=", "6"},                 // a digit starts afresh
        {"4SR.5", "0.5"},
        {"4SRA", "0"},
        {overflow.c_str(), "エラー"},
        {afterOverflow.c_str(), "8"},                    // a digit starts afresh
    };
    for (const Case &c : cases) {
        Calculator calculator;
        Type(calculator, c.keys);
        EXPECT_EQ(calculator.CalcDisplay.toStdString(), c.display) << c.keys;
    }
}

// Plays keys on a fresh calculator and compares the display after each case.
void ExpectDisplays(std::initializer_list<std::pair<const char *, const char *>> cases)
{
    for (const auto &[keys, display] : cases) {
        Calculator calculator;
        Type(calculator, keys);
        EXPECT_EQ(calculator.CalcDisplay.toStdString(), display) << keys;
    }
}

TEST(CalculatorTest, ALongResultShowsInExponentFormAndTheNextDigitStartsAfresh)
{
    ExpectDisplays({
        {"99999999999999+1=", "1E+14"},
        {"0-12345678901234=", "-1.2345679E+13"},          // rounded, not cut
        {"12345678901234S", "-1.2345679E+13"},
        {"99999999999999+1=-1=", "99999999999999"},       // goes on with the true value
        {"2/3=", "0.666666666666"},                       // a cut fraction is still the number
        {"1234567890123+.45=", "1234567890123."},
        {"99999999999999+1=5", "5"},
        {"99999999999999+1=.", "0."},
        {"99999999999999+1=.5", "0.5"},
        {"99999999999999+1=0", "0"},
        {"99999999999999+1=5+1=", "6"},
        {"123456789*987654321=7", "7"},
        {"99999999999999+1=S", "-1E+14"},                // ± still acts on the result
    });
}

TEST(CalculatorTest, TheRegistersGoOnFromTheWholeValueBehindTheDisplay)
{
    ExpectDisplays({
        {"12345678901234*10=", "1.23456789E+14"},
        {"12345678901234*10=/10=", "12345678901234"},
        {"0-12345678901234=+12345678901234=", "0"},
        {"12345678901234SS", "12345678901234"},
        {"12345678901234*10=SS/10=", "12345678901234"},
        {"12345678901234*10=+", "1.23456789E+14"},
        {"12345678901234*10=+1=", "1.23456789E+14"},
        {"12345678901234*10=-99999999999999=", "23456789012341"},   // taken over by the next digit
        {"12345678901234*10=/.5=/20=", "12345678901234"},          // or by the point
        {"1/3=*3=", "1"},                                  // a cut fraction, too
        {"2R*2R=", "2"},
        {"1/3=C0.333333333333*3=", "0.999999999999"},     // a typed number is its text
        {"1/3=5*3=", "0.999999999999"},                    // a digit after a cut result: the text
    });
}

TEST(CalculatorTest, BackSpaceTakesBackOnlyWhatWasTyped)
{
    ExpectDisplays({
        {"123B", "12"},
        {"1BB", "0"},
        {"1.5B", "1."},
        {"1.5BB", "1"},
        {"12S3B", "-12"},
        {"5SB", "-5"},                                     // ± shows a result: it stays
        {"2+3=B", "5"},
        {"2+B", "2"},                                      // waits for the next number
        {"2+3B4=", "6"},
        {"4SRB", "エラー"},
    });
}

TEST(CalculatorTest, AnEnteredNumberIsTakenOnlyWhenTheCalculatorHoldsIt)
{
    struct Case { const char *before; const char *text; bool taken; const char *display; const char *after; };
    const Case cases[] = {
        {"", "42", true, "42", "42"},
        {"", " 12.5\n", true, "12.5", "12.5"},
        {"", "-7", true, "-7", "-7"},
        {"", "007", true, "7", "7"},
        {"", "1.5E+20", true, "1.5E+20", "1.5E+20"},
        {"", "123456789012345678", true, "1.23456789E+17", "1.23456789E+17"},
        {"2+", "3", true, "3", "5"},                        // the right operand
        {"2+3=", "4", true, "4", "4"},                      // replaces the result, not appended
        {"4SR", "9", true, "9", "9"},                       // after an error: afresh
        {"12345678901234*", "10", true, "10", "1.23456789E+14"},
        {"5", "", false, "5", "5"},
        {"5", "abc", false, "5", "5"},
        {"5", "1,234", false, "5", "5"},
        {"5", "0x10", false, "5", "5"},
        {"5", "1e999", false, "5", "5"},
        {"5", "inf", false, "5", "5"},
        {"5", "nan", false, "5", "5"},
        {"5", "1 2", false, "5", "5"},
        {"5", "１２", false, "5", "5"},
        {"5", "3-2", false, "5", "5"},
    };
    for (const Case &c : cases) {
        Calculator calculator;
        Type(calculator, c.before);
        EXPECT_EQ(calculator.EnterNumber(QString::fromUtf8(c.text)), c.taken) << c.text;
        EXPECT_EQ(calculator.CalcDisplay.toStdString(), c.display) << c.text;
        Type(calculator, "=");
        EXPECT_EQ(calculator.CalcDisplay.toStdString(), c.after) << c.before << " " << c.text;
    }
}

TEST(CalculatorTest, AnOperatorKeyRightAfterAnotherOnlyReplacesIt)
{
    ExpectDisplays({
        {"5+3+-1=", "7"},
        {"5+3+-", "8"},
        {"9*+2=", "11"},
        {"5+3+=", "8"},                                   // "＝" ends at the running result
        {"5+3+=4", "84"},
        {"2+=", "2"},
        {"1+8+R-2=", "1"},                                // √ after an operator: the left operand
        {"12+C-5=", "-5"},
    });
}

TEST(CalculatorTest, OperatorKeysKeepThePendingAndActiveOperators)
{
    Calculator calculator;
    Type(calculator, "5+3*");
    EXPECT_EQ(calculator.ActiveOperator, "+");
    EXPECT_EQ(calculator.PendingOperator, "*");
    EXPECT_EQ(calculator.Accumulator, 8);
    EXPECT_EQ(calculator.Operand, 3);
    Type(calculator, "2=");
    EXPECT_EQ(calculator.ActiveOperator, "");
    EXPECT_EQ(calculator.PendingOperator, "");
    EXPECT_EQ(calculator.Accumulator, 16);
}

// Ctrl+C copies the value the display stands for, whole: pasted back (or
// anywhere else) it is the same number, not the rounded or cut view of it.
TEST(CalculatorTest, CopyTextIsTheWholeValueBehindTheDisplay)
{
    const struct { const char *keys, *display, *copied; } cases[] = {
        {"12345678901234*10=", "1.23456789E+14", "123456789012340"},
        {"0-12345678901234=", "-1.2345679E+13", "-12345678901234"},
        {"2/3=", "0.666666666666", "0.6666666666666666"},
        {"2R", "1.414213562373", "1.4142135623730951"},
        {"1/7=/100000=", "1.42857143E-06", "1.4285714285714284E-06"},
        {"99999999999999*99999999999999=", "1E+28", "9.9999999999998E+27"},
        {"2+3=", "5", "5"},
        {"2+3=S", "-5", "-5"},
        {"12.", "12.", "12."},
        {"0.5", "0.5", "0.5"},
        {"3*0=", "0", "0"},
        {"4SR", "エラー", "エラー"},
    };
    for (const auto &c : cases) {
        Calculator calculator;
        Type(calculator, c.keys);
        EXPECT_EQ(calculator.CalcDisplay.toStdString(), c.display) << c.keys;
        EXPECT_EQ(calculator.CopyText().toStdString(), c.copied) << c.keys;
        // Pasted into a calculator, the copy stands for the same value.
        Calculator pasted;
        if (pasted.EnterNumber(calculator.CopyText())) {
            EXPECT_EQ(pasted.CopyText().toStdString(), c.copied) << c.keys;
        }
    }
}

TEST(CalculatorTest, NumberTextUsesFifteenDigitsAndExponents)
{
    struct Case { double value; const char *text; };
    for (Case c : {Case{-0.0, "0"}, Case{1.5e20, "1.5E+20"}, Case{123456789012345.0, "123456789012345"},
                   Case{1e15, "1E+15"}, Case{0.0001, "0.0001"}, Case{0.00001, "1E-05"},
                   Case{-2.5, "-2.5"}, Case{1.0 / 3, "0.333333333333333"}}) {
        EXPECT_EQ(CalcNumberText(c.value).toStdString(), c.text) << c.value;
    }
}

TEST(CalculatorTest, AResultTextIsTheResultWithinItsLastShownDigit)
{
    struct Case { double value; const char *text; };
    for (Case c : {Case{1e14, "1E+14"}, Case{-12345678901234.0, "-1.2345679E+13"},
                   Case{99999999999999.0, "99999999999999"}, Case{12345678901234.5, "12345678901234"},
                   Case{-1234567890123.45, "-1234567890123"}, Case{9.99999999999999e20, "1E+21"},
                   Case{-1.23456789012345e-100, "-1.234568E-100"},
                   Case{0.000123456789012345, "0.000123456789"}, Case{1.5e20, "1.5E+20"}}) {
        EXPECT_EQ(CalcResultText(c.value).toStdString(), c.text) << c.value;
    }
}

TEST(CalculatorTest, KeyboardTable)
{
    struct Case { int key; int calcKey; };
    for (Case c : {Case{Qt::Key_0, 0}, Case{Qt::Key_9, 9}, Case{Qt::Key_Period, CalcKey::Point},
                   Case{Qt::Key_Return, CalcKey::Equals}, Case{Qt::Key_Enter, CalcKey::Equals},
                   Case{Qt::Key_Slash, CalcKey::Divide}, Case{Qt::Key_Colon, CalcKey::Multiply},
                   Case{Qt::Key_Asterisk, CalcKey::Multiply}, Case{Qt::Key_Minus, CalcKey::Subtract},
                   Case{Qt::Key_Semicolon, CalcKey::Add}, Case{Qt::Key_Plus, CalcKey::Add},
                   Case{Qt::Key_Home, CalcKey::AllClear}, Case{Qt::Key_Delete, CalcKey::ClearEntry},
                   Case{Qt::Key_Insert, CalcKey::ChangeSign}, Case{Qt::Key_Control, CalcKey::ChangeSign},
                   Case{Qt::Key_Equal, CalcKey::Equals}, Case{Qt::Key_Space, -1}, Case{Qt::Key_A, -1}}) {
        EXPECT_EQ(CalcKeyForKeyboard(c.key), c.calcKey) << c.key;
    }
}

} // namespace
