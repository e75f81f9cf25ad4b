#include "platform/calculator.h"

#include <gtest/gtest.h>

#include <string>

using omrix::platform::Calculator;
using omrix::platform::normalizeExpression;
using omrix::platform::QUILAN00_Calculation;

namespace {

TEST(Calculator, ArithmeticAndFailuresThatGiveZero) {
    const std::pair<const char*, double> cases[] = {
        {"1+2*3", 7.0},   {"-2*-3", 6.0},  {"3.3058*100", 330.58}, {"（１２．５＋３）×２", 31.0},
        {"１０÷４", 2.5}, {"２−３", -1.0},  // U+2212
    };
    for (const auto& [formula, value] : cases) {
        std::string text = formula;
        double result = -1.0;
        EXPECT_EQ(QUILAN00_Calculation(text, 2, result), 1) << formula;
        EXPECT_DOUBLE_EQ(result, value) << formula;
    }
    EXPECT_EQ(normalizeExpression("（１２．５＋３）×２÷５－１＊１／１"), "(12.5+3)*2/5-1*1/1");
    std::string text = "１＋１";  // the caller takes the text back
    double result = 0;
    EXPECT_TRUE(QUILAN00_Calculation(text, 2, result) == 1 && text == "1+1");
    // Failures give 0 and leave a kept parser usable.
    Calculator calculator;
    for (const char* bad : {"1/0", "0/0", "", "1+", "(1+2", "1+2)", "面積*2", "1..2", "2(3)",
                            "1,000", "1e400", "sqrt(-1)", "*"}) {
        std::string text = bad;
        double result = 1;
        EXPECT_EQ(QUILAN00_Calculation(text, 2, result, &calculator), 0) << bad;
        EXPECT_EQ(result, 0.0) << bad;
    }
    EXPECT_EQ(calculator.evaluate("４＋５"), 9.0);
}

}  // namespace
