// The value rules behind the pages and the spin buttons, without a window.
#include <gtest/gtest.h>
#include <limits>

#include "settings_window/page_values.h"
#include "settings_window/spin_repeat.h"

namespace {

TEST(FieldNumberTest, ReadsSignedDecimalsWithBlanksAround)
{
    EXPECT_EQ(ParseFieldNumber("120"), 120);
    EXPECT_EQ(ParseFieldNumber(" -3 "), -3);
    EXPECT_EQ(ParseFieldNumber("+7"), 7);
    EXPECT_EQ(ParseFieldNumber("007"), 7);
}

TEST(FieldNumberTest, FullWidthDigitsFromAnInputMethodCount)
{
    EXPECT_EQ(ParseFieldNumber(QStringLiteral("１２０")), 120);
    EXPECT_EQ(ParseFieldNumber(QStringLiteral("－５")), -5);
    EXPECT_EQ(ParseFieldNumber(QStringLiteral("＋１２")), 12);
    EXPECT_EQ(ParseFieldNumber(QStringLiteral("　１２　")), 12);
}

TEST(FieldNumberTest, OtherDigitFormsAreNoNumber)
{
    // Superscript, subscript and circled digits are not digits of a number.
    for (const QString &text : {QStringLiteral("12²"), QStringLiteral("①"), QStringLiteral("₅"),
                               QStringLiteral("٣")})
        EXPECT_FALSE(ParseFieldNumber(text).has_value()) << text.toStdString();
}

TEST(FieldNumberTest, AnythingElseIsNoNumber)
{
    for (const char *text : {"", "  ", "abc", "12a", "1 2", "-", "+", "7.5", "0x10", "1e3"})
        EXPECT_FALSE(ParseFieldNumber(text).has_value()) << text;
}

TEST(FieldNumberTest, HugeNumbersStayOnTheirSide)
{
    // Too long for 64 bits, still plainly far out of every range.
    EXPECT_EQ(ParseFieldNumber("99999999999999999999999"), std::numeric_limits<qint64>::max());
    EXPECT_EQ(ParseFieldNumber("-99999999999999999999999"), std::numeric_limits<qint64>::min());
}

TEST(AlarmTimeRuleTest, HourAndMinuteAreBoundedAsAPair)
{
    // The page's own tests cover 25:30, -3 and 7:5; these are the other edges.
    EXPECT_EQ(AlarmTimeText(24, 0), "23:59");
    EXPECT_EQ(AlarmTimeText(-1, 99), "00:00");
    EXPECT_EQ(AlarmTimeText(12, 75), "12:59");
    EXPECT_EQ(AlarmTimeText(12, -1), "12:00");
    EXPECT_EQ(AlarmTimeText(23, 59), "23:59");
    EXPECT_EQ(AlarmTimeText(0, 0), "00:00");
}

TEST(AlarmTimeRuleTest, StoredTimeSplitsAroundItsColon)
{
    EXPECT_EQ(SplitAlarmTime("07:05"), qMakePair(QString("07"), QString("05")));
    EXPECT_EQ(SplitAlarmTime("7:5"), qMakePair(QString("7"), QString("5")));
    // Without a single colon: first and last two characters.
    EXPECT_EQ(SplitAlarmTime("0705"), qMakePair(QString("07"), QString("05")));
    EXPECT_EQ(SplitAlarmTime(""), qMakePair(QString(), QString()));
}

TEST(SpinRuleTest, UpperHalfUpToNineIncreases)
{
    EXPECT_EQ(SpinDirectionAt(0), SpinIncrease);
    EXPECT_EQ(SpinDirectionAt(9), SpinIncrease);
    EXPECT_EQ(SpinDirectionAt(10), SpinDecrease);
    EXPECT_EQ(SpinDirectionAt(17), SpinDecrease);
}

TEST(SpinRuleTest, StepsOnceAndStopsAtTheBoundsWithoutWrapping)
{
    const SpinRange hour{0, 23};
    EXPECT_EQ(SpinStep("5", SpinIncrease, hour), "6");
    EXPECT_EQ(SpinStep("5", SpinDecrease, hour), "4");
    EXPECT_EQ(SpinStep("23", SpinIncrease, hour), "23");
    EXPECT_EQ(SpinStep("0", SpinDecrease, hour), "0");
    // A typed value outside the range is brought to the nearer bound.
    EXPECT_EQ(SpinStep("40", SpinDecrease, hour), "23");
    EXPECT_EQ(SpinStep("-8", SpinIncrease, hour), "0");
}

TEST(SpinRuleTest, TextThatIsNoNumberIsLeftAsItIs)
{
    const SpinRange width{48, 256};
    EXPECT_EQ(SpinStep("abc", SpinIncrease, width), "abc");
    EXPECT_EQ(SpinStep("", SpinDecrease, width), "");
}

} // namespace
