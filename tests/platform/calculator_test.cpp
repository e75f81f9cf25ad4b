#include "platform/calculator.h"

#include <gtest/gtest.h>

#include <string>

using omrix::platform::Calculator;
using omrix::platform::normalizeExpression;
using omrix::platform::QUILAN00_Calculation;

namespace {

double calc(std::string text, int32_t* ok = nullptr) {
    double result = -1.0;
    int32_t rc = QUILAN00_Calculation(text, 2, result);
    if (ok) *ok = rc;
    return result;
}

}  // namespace

TEST(Calculator, EvaluatesPlainArithmeticWithPrecedence) {
    int32_t ok = 0;
    EXPECT_DOUBLE_EQ(calc("1+2*3", &ok), 7.0);
    EXPECT_EQ(ok, 1);
    EXPECT_DOUBLE_EQ(calc("(1+2)*3"), 9.0);
    EXPECT_DOUBLE_EQ(calc("-2*-3"), 6.0);
    EXPECT_DOUBLE_EQ(calc(" 10 / 4 "), 2.5);
    EXPECT_DOUBLE_EQ(calc("3.3058*100"), 330.58);
}

TEST(Calculator, TurnsFullWidthInputIntoAscii) {
    EXPECT_EQ(normalizeExpression("（１２．５＋３）×２÷５－１＊１／１"), "(12.5+3)*2/5-1*1/1");
    EXPECT_EQ(normalizeExpression("１　＋　２"), "1 + 2");
    // Text that is not one of the wide forms stays as it was.
    EXPECT_EQ(normalizeExpression("面積ａ"), "面積ａ");
    EXPECT_DOUBLE_EQ(calc("（１２．５＋３）×２"), 31.0);
    EXPECT_DOUBLE_EQ(calc("１０÷４"), 2.5);
    EXPECT_DOUBLE_EQ(calc("２−３"), -1.0);  // U+2212 minus sign as well

    std::string text = "１＋１";
    double result = 0;
    ASSERT_EQ(QUILAN00_Calculation(text, 2, result), 1);
    EXPECT_EQ(text, "1+1");  // the caller takes the text back
}

TEST(Calculator, FailuresGiveZeroWithoutThrowing) {
    for (const char* bad : {"1/0", "0/0", "-1/0", "", "   ", "1+", "(1+2", "1+2)", "abc", "面積*2",
                            "1..2", "2(3)", "1,000", "1e400", "sqrt(-1)", "*"}) {
        int32_t ok = 1;
        EXPECT_EQ(calc(bad, &ok), 0.0) << bad;
        EXPECT_EQ(ok, 0) << bad;
    }
}

TEST(Calculator, KeptParserEvaluatesOneExpressionAfterAnother) {
    Calculator calculator;
    EXPECT_EQ(calculator.evaluate("2*3"), 6.0);
    EXPECT_EQ(calculator.evaluate("1/0"), std::nullopt);
    // A failure leaves the parser usable for the next formula.
    EXPECT_EQ(calculator.evaluate("(1"), std::nullopt);
    EXPECT_EQ(calculator.evaluate("４＋５"), 9.0);

    std::string text = "7*6";
    double result = 0;
    EXPECT_EQ(QUILAN00_Calculation(text, 2, result, &calculator), 1);
    EXPECT_EQ(result, 42.0);
}
