#include "util/numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

namespace omrix::util {
namespace {

// The Integer or Long conversion: nullopt where the text is refused (the output is then
// untouched).
template <typename T>
std::optional<T> converted(bool (*convert)(std::string_view, T&), std::string_view text) {
    T out = 11;
    bool ok = convert(text, out);
    EXPECT_TRUE(ok || out == 11) << text;
    return ok ? std::optional(out) : std::nullopt;
}

TEST(TextToInteger, BlanksHalvesToEvenExponentsAndRangeEdges) {
    const std::pair<const char*, std::optional<int16_t>> integers[] = {
        {"　", 0},
        {"2.5", 2},
        {"3.5", 4},
        {"-2.5", -2},
        {"2.51", 3},
        {"－３", -3},
        {"1e-99999999999", 0},
        {"1e5", std::nullopt},
        {"-32768.5", -32768},
        {"32767.5", std::nullopt},  // rounds to 32768
    };
    for (const auto& [text, expected] : integers)
        EXPECT_EQ(converted(fnCIntText, text), expected) << text;
    // Decided on the decimal text, not on a double near it.
    const std::pair<const char*, std::optional<int32_t>> longs[] = {
        {"0.50000000000000000001", 1},
        {"2.50000000000000000000", 2},
        {"0.000000000000000000000012345e27", 12345},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"2147483647.5", std::nullopt},
    };
    for (const auto& [text, expected] : longs)
        EXPECT_EQ(converted(fnCLngText, text), expected) << text;
}

TEST(TextToNumber, NotANumberAndDoubles) {
    for (const char* bad : {"12abc", "1,000", "1.2.3", "- 5", "+-1", ".", "e5", "1e+", "0x10",
                            "１２円", "inf", "1 2"}) {
        int16_t i = 0;
        int32_t l = 0;
        double d = 0;
        EXPECT_FALSE(fnCIntText(bad, i) || fnCLngText(bad, l) || fnCDblText(bad, d)) << bad;
    }
    auto toDouble = [](std::string_view text) {
        double out = -999;
        return fnCDblText(text, out) ? out : -999;
    };
    EXPECT_EQ(toDouble("３．３０５８"), 3.3058);
    EXPECT_FALSE(std::signbit(toDouble("-1e-400")));
    EXPECT_EQ(toDouble("-1e400"), -999);
    EXPECT_EQ(fnCLngTextOr("99999999999", -1), -1);
}

TEST(DecimalRounding, BothModesOnTheFormattedValue) {
    const struct {
        int16_t mode;  // -1: halves away from zero, 0: halves to even
        double value;
        int digits;
        double expected;
    } cases[] = {
        {-1, 2.345, 2, 2.35},  // 234.49999... formats as 234.500
        {-1, 0.0005, 3, 0.001},
        {0, 0.0005, 3, 0.0},
        {-1, -2.5, 0, -3.0},
        // The formatting rounds first: 0.4995 formats as 0.500, which is then a half.
        {-1, 0.4995, 0, 1.0},
        {0, 1.4995, 0, 2.0},
        {0, 2.5, -2, 2.0},       // no shift below zero digits
        {-1, 1e300, 20, 1e300},  // the shift overflows: unchanged
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(fnRound(c.mode, c.value, c.digits), c.expected) << c.value;
    EXPECT_FALSE(std::signbit(fnRound(-1, -0.0001, 2)));
    EXPECT_TRUE(std::isnan(fnRound(0, std::nan(""), 2)));
}

TEST(NumberFormat, StatementQuantitiesAndPatterns) {
    // Fifteen significant digits, as the suite's formatting sees a double.
    EXPECT_EQ(formatGrouped3(1234567890123.4567), "1,234,567,890,123.460");
    EXPECT_EQ(formatPlain3(1e20), "100000000000000000000.000");
    EXPECT_EQ(formatPlain3(2.0005), "2.001");   // the double is a hair below; 15 digits are not
    EXPECT_EQ(formatPlain3(-0.0004), "0.000");  // no sign on a zero
    const std::tuple<double, const char*, const char*> patterns[] = {
        {0.285, "0.00", "0.29"},          {-2.5, "0", "-3"},           {5, "000", "005"},
        {1.236, "0.0#", "1.24"},          {1, "#.##", "1."},           {0.5, "#.##", ".5"},
        {-1234, "¥#,##0円", "-¥1,234円"}, {std::nan(""), "#,##0", ""},
    };
    for (const auto& [value, pattern, text] : patterns)
        EXPECT_EQ(formatNumber(value, pattern), text) << pattern << " " << value;
    // A double as the suite prints it.
    const std::pair<double, const char*> cases[] = {
        {1.0 / 3, "0.333333333333333"},
        {2.345 * 100, "234.5"},
        {1e15, "1E+15"},
        {0.00001, "1E-05"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(doubleToText(value), text);
}

}  // namespace
}  // namespace omrix::util
