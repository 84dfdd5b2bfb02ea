#include "waktuna/calc/numbers.h"

#include <gtest/gtest.h>

#include <limits>

using namespace waktuna;

TEST(WholeNumber, ReadsSignAndLeadingDigitsOnly) {
    EXPECT_EQ(ReadWholeNumber("5a"), 5);
    EXPECT_EQ(ReadWholeNumber("-3"), -3);
    EXPECT_EQ(ReadWholeNumber("+7"), 7);
    EXPECT_EQ(ReadWholeNumber("12.9"), 12);
    EXPECT_EQ(ReadWholeNumber(""), 0);
    EXPECT_EQ(ReadWholeNumber("a5"), 0);
    EXPECT_EQ(ReadWholeNumber(" 5"), 0);
    EXPECT_EQ(ReadWholeNumber("-"), 0);
    EXPECT_EQ(ReadWholeNumber("99999999999999999999"), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ReadWholeNumber("-99999999999999999999"), std::numeric_limits<int32_t>::min());
}

TEST(Decimal, EitherSeparatorSignExponentAndSkippedCharacters) {
    EXPECT_EQ(ReadDecimal("106,8272"), ReadDecimal("106.8272"));
    EXPECT_DOUBLE_EQ(ReadDecimal("106.8272"), 106.8272);
    EXPECT_DOUBLE_EQ(ReadDecimal("-6.175"), -6.175);
    EXPECT_DOUBLE_EQ(ReadDecimal("1.2.3"), 1.2);  // a second separator ends the number
    EXPECT_DOUBLE_EQ(ReadDecimal("1,5.3"), 1.5);
    EXPECT_DOUBLE_EQ(ReadDecimal("1e2"), 100.0);
    EXPECT_DOUBLE_EQ(ReadDecimal("2,5E-1"), 0.25);
    EXPECT_DOUBLE_EQ(ReadDecimal("1 2a3"), 123.0);  // other characters are skipped
    EXPECT_DOUBLE_EQ(ReadDecimal(".5"), 0.5);
    EXPECT_EQ(ReadDecimal(""), 0.0);
    EXPECT_EQ(ReadDecimal("abc"), 0.0);
    EXPECT_EQ(ReadDecimal("-"), 0.0);
    EXPECT_EQ(ReadDecimal("1e999999"), std::numeric_limits<double>::max());
    EXPECT_EQ(ReadDecimal("1e-999999"), 0.0);
}

TEST(Decimal, OnlyExactlyZeroMayReadAsZero) {
    EXPECT_TRUE(IsAcceptedDecimal("0"));
    EXPECT_FALSE(IsAcceptedDecimal("0.0"));
    EXPECT_FALSE(IsAcceptedDecimal("0.00000000"));
    EXPECT_FALSE(IsAcceptedDecimal(""));
    EXPECT_TRUE(IsAcceptedDecimal("-6.175"));
    EXPECT_TRUE(IsAcceptedWholeNumber("-3"));
    EXPECT_FALSE(IsAcceptedWholeNumber("x"));
    EXPECT_FALSE(IsAcceptedWholeNumber("00"));
}

TEST(DecimalText, FifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(DecimalText(7.0), "7");
    EXPECT_EQ(DecimalText(19.5), "19.5");
    EXPECT_EQ(DecimalText(-2.5), "-2.5");
    EXPECT_EQ(DecimalText(0.0), "0");
    EXPECT_EQ(DecimalText(-0.0), "0");
    EXPECT_EQ(DecimalText(0.1), "0.1");
    EXPECT_EQ(DecimalText(100.0), "100");
    // 32-bit values keep their rounding error in the trailing digits.
    EXPECT_EQ(DecimalText(static_cast<double>(18.3f)), "18.2999992370605");
    EXPECT_EQ(DecimalText(static_cast<double>(295.146087646484375f)), "295.146087646484");
    EXPECT_EQ(DecimalText(0.00001), "0.00001");
    EXPECT_EQ(DecimalText(123456789012345.0), "123456789012345");
    EXPECT_EQ(DecimalText(1e20), "1E+20");
    EXPECT_EQ(DecimalText(1.5e-7), "1.5E-7");
    EXPECT_EQ(DecimalText(0.9999999999999999), "1");
}
