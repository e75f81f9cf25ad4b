#include "util/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace omrix::util {
namespace {

int16_t toInt(std::string_view text) {
    int16_t out = -999;
    EXPECT_TRUE(fnCIntText(text, out)) << text;
    return out;
}

int32_t toLong(std::string_view text) {
    int32_t out = -999;
    EXPECT_TRUE(fnCLngText(text, out)) << text;
    return out;
}

double toDouble(std::string_view text) {
    double out = -999;
    EXPECT_TRUE(fnCDblText(text, out)) << text;
    return out;
}

TEST(TextToInteger, BlankIsZeroAndHalvesGoToEven) {
    EXPECT_EQ(toInt(""), 0);
    EXPECT_EQ(toInt("   "), 0);
    EXPECT_EQ(toInt("　"), 0);
    EXPECT_EQ(toInt(" 42 "), 42);
    EXPECT_EQ(toInt("+7"), 7);
    EXPECT_EQ(toInt("2.5"), 2);
    EXPECT_EQ(toInt("3.5"), 4);
    EXPECT_EQ(toInt("-2.5"), -2);
    EXPECT_EQ(toInt("2.51"), 3);
    EXPECT_EQ(toInt(".5"), 0);
    EXPECT_EQ(toInt("5."), 5);
    EXPECT_EQ(toInt("-0"), 0);
    // Decided on the decimal text, not on a double near it.
    EXPECT_EQ(toLong("0.50000000000000000001"), 1);
    EXPECT_EQ(toLong("2.50000000000000000000"), 2);
}

TEST(TextToInteger, RangeEdges) {
    EXPECT_EQ(toInt("32767"), 32767);
    EXPECT_EQ(toInt("-32768"), -32768);
    EXPECT_EQ(toInt("32766.5"), 32766);
    EXPECT_EQ(toInt("-32768.5"), -32768);
    EXPECT_EQ(toLong("2147483647"), 2147483647);
    EXPECT_EQ(toLong("-2147483648"), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(toLong("2147483646.5"), 2147483646);
    int16_t i = 11;
    EXPECT_FALSE(fnCIntText("32768", i));
    EXPECT_FALSE(fnCIntText("32767.5", i));  // rounds to 32768
    EXPECT_FALSE(fnCIntText("-32769", i));
    EXPECT_FALSE(fnCIntText("-32768.51", i));
    EXPECT_EQ(i, 11);  // left alone on failure
    int32_t l = 11;
    EXPECT_FALSE(fnCLngText("2147483648", l));
    EXPECT_FALSE(fnCLngText("2147483647.5", l));
    EXPECT_FALSE(fnCLngText("-2147483649", l));
    EXPECT_FALSE(fnCLngText("99999999999999999999999", l));
    EXPECT_EQ(l, 11);
}

TEST(TextToInteger, ExponentsAndFullWidth) {
    EXPECT_EQ(toInt("1e3"), 1000);
    EXPECT_EQ(toInt("1.5E1"), 15);
    EXPECT_EQ(toInt("25e-1"), 2);
    EXPECT_EQ(toInt("1e-99999999999"), 0);
    EXPECT_EQ(toInt("－３"), -3);
    EXPECT_EQ(toLong("0.000000000000000000000012345e27"), 12345);
    int16_t i = 0;
    EXPECT_FALSE(fnCIntText("1e5", i));
    EXPECT_FALSE(fnCIntText("1e99999999999", i));
}

TEST(TextToNumber, NotANumber) {
    for (const char* bad : {"abc", "12abc", "1,000", "1.2.3", "- 5", "+-1", "+", "-", ".", "e5",
                            "1e", "1e+", "0x10", "(5)", "１２円", "5%", "inf", "nan", "1 2"}) {
        int16_t i = 0;
        int32_t l = 0;
        double d = 0;
        EXPECT_FALSE(fnCIntText(bad, i)) << bad;
        EXPECT_FALSE(fnCLngText(bad, l)) << bad;
        EXPECT_FALSE(fnCDblText(bad, d)) << bad;
    }
}

TEST(TextToNumber, Doubles) {
    EXPECT_EQ(toDouble(""), 0.0);
    EXPECT_EQ(toDouble("  .5 "), 0.5);
    EXPECT_EQ(toDouble("-1234.5678"), -1234.5678);
    EXPECT_EQ(toDouble("1.5e-3"), 0.0015);
    EXPECT_EQ(toDouble("３．３０５８"), 3.3058);
    EXPECT_EQ(toDouble("1e-400"), 0.0);
    EXPECT_FALSE(std::signbit(toDouble("-0")));
    EXPECT_FALSE(std::signbit(toDouble("-1e-400")));
    EXPECT_EQ(toDouble("1.7976931348623157e308"), std::numeric_limits<double>::max());
    double d = 7;
    EXPECT_FALSE(fnCDblText("1e400", d));
    EXPECT_FALSE(fnCDblText("-1e400", d));
    EXPECT_EQ(d, 7);
}

TEST(TextToNumber, FallbackForms) {
    EXPECT_EQ(fnCIntTextOr("x", 5), 5);
    EXPECT_EQ(fnCIntTextOr(" 9", 5), 9);
    EXPECT_EQ(fnCLngTextOr("99999999999", -1), -1);
    EXPECT_EQ(fnCDblTextOr("1,5", 2.5), 2.5);
}

TEST(DecimalRounding, ExamplesOfBothModes) {
    EXPECT_DOUBLE_EQ(fnRound(-1, 2.345, 2), 2.35);  // 234.49999... formats as 234.500
    EXPECT_DOUBLE_EQ(fnRound(0, 2.345, 2), 2.34);
    EXPECT_DOUBLE_EQ(fnRound(0, 0.125, 2), 0.12);
    EXPECT_DOUBLE_EQ(fnRound(-1, 0.125, 2), 0.13);
    EXPECT_DOUBLE_EQ(fnRound(0, 0.135, 2), 0.14);
    EXPECT_DOUBLE_EQ(fnRound(-1, 3.3058, 3), 3.306);
    EXPECT_DOUBLE_EQ(fnRound(-1, 0.0005, 3), 0.001);
    EXPECT_DOUBLE_EQ(fnRound(0, 0.0005, 3), 0.0);
    EXPECT_DOUBLE_EQ(fnRound(0, 0.0015, 3), 0.002);
    EXPECT_DOUBLE_EQ(fnRound(0, 3.5, 0), 4.0);
    EXPECT_DOUBLE_EQ(fnRound(0, 2.5, 0), 2.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, 2.5, 0), 3.0);
    EXPECT_DOUBLE_EQ(fnRound(0, -2.5, 0), -2.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, -2.5, 0), -3.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, 0.999, 2), 1.0);
    // The formatting rounds first: 0.4995 formats as 0.500, which is then a half.
    EXPECT_DOUBLE_EQ(fnRound(-1, 0.4995, 0), 1.0);
    EXPECT_DOUBLE_EQ(fnRound(0, 0.4995, 0), 0.0);
    EXPECT_DOUBLE_EQ(fnRound(0, 1.4995, 0), 2.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, 2.4994, 0), 2.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, 0.0049996, 2), 0.01);
}

TEST(DecimalRounding, OddArguments) {
    EXPECT_DOUBLE_EQ(fnRound(0, 2.5, -2), 2.0);  // no shift below zero digits
    EXPECT_DOUBLE_EQ(fnRound(-1, 123456789.5, 0), 123456790.0);
    EXPECT_DOUBLE_EQ(fnRound(-1, 1e20, 2), 1e20);
    EXPECT_EQ(fnRound(-1, 0.0, 3), 0.0);
    EXPECT_FALSE(std::signbit(fnRound(-1, -0.0001, 2)));
    EXPECT_TRUE(std::isnan(fnRound(0, std::nan(""), 2)));
    EXPECT_EQ(fnRound(0, std::numeric_limits<double>::infinity(), 2),
              std::numeric_limits<double>::infinity());
    EXPECT_DOUBLE_EQ(fnRound(-1, 1e300, 20), 1e300);  // shift overflows: unchanged
}

TEST(NumberFormat, StatementQuantities) {
    EXPECT_EQ(formatGrouped3(1234.5), "1,234.500");
    EXPECT_EQ(formatGrouped3(0), "0.000");
    EXPECT_EQ(formatGrouped3(-1234.5), "-1,234.500");
    EXPECT_EQ(formatGrouped3(999.9996), "1,000.000");
    EXPECT_EQ(formatGrouped3(123456789012.3456), "123,456,789,012.346");
    // Fifteen significant digits, as the suite's formatting sees a double.
    EXPECT_EQ(formatGrouped3(1234567890123.4567), "1,234,567,890,123.460");
    EXPECT_EQ(formatPlain3(1234567.5), "1234567.500");
    EXPECT_EQ(formatPlain3(1e20), "100000000000000000000.000");
}

TEST(NumberFormat, HalvesAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(formatPlain3(0.0005), "0.001");
    EXPECT_EQ(formatPlain3(-0.0005), "-0.001");
    EXPECT_EQ(formatPlain3(2.0005), "2.001");  // the double is a hair below; 15 digits are not
    EXPECT_EQ(formatPlain3(0.0004), "0.000");
    EXPECT_EQ(formatPlain3(-0.0004), "0.000");  // no sign on a zero
    EXPECT_EQ(formatNumber(0.285, "0.00"), "0.29");
    EXPECT_EQ(formatNumber(2.5, "#,##0"), "3");
    EXPECT_EQ(formatNumber(-2.5, "0"), "-3");
    EXPECT_EQ(formatNumber(0.125, "#,##0.00"), "0.13");
    // Other patterns.
    EXPECT_EQ(formatNumber(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(formatNumber(1234.5, "#,##0.00"), "1,234.50");
    EXPECT_EQ(formatNumber(5, "000"), "005");
    EXPECT_EQ(formatNumber(1.5, "0.0#"), "1.5");
    EXPECT_EQ(formatNumber(1.236, "0.0#"), "1.24");
    EXPECT_EQ(formatNumber(1, "#.##"), "1.");
    EXPECT_EQ(formatNumber(0.5, "#.##"), ".5");
    EXPECT_EQ(formatNumber(1234, "¥#,##0円"), "¥1,234円");
    EXPECT_EQ(formatNumber(-1234, "¥#,##0円"), "-¥1,234円");
    EXPECT_EQ(formatNumber(std::nan(""), "#,##0"), "");
}

TEST(NumberText, AsTheSuitePrintsADouble) {
    EXPECT_EQ(doubleToText(0.1), "0.1");
    EXPECT_EQ(doubleToText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(doubleToText(2.345 * 100), "234.5");
    EXPECT_EQ(doubleToText(-0.0), "0");
    EXPECT_EQ(doubleToText(100000000000000.0), "100000000000000");
    EXPECT_EQ(doubleToText(1e15), "1E+15");
    EXPECT_EQ(doubleToText(0.0001), "0.0001");
    EXPECT_EQ(doubleToText(0.00001), "1E-05");
}

}  // namespace
}  // namespace omrix::util
