#include "util/currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace omrix::util {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Currency kTop = Currency::fromRaw(kMax);
const Currency kBottom = Currency::fromRaw(kMin);

std::string text(std::optional<Currency> value) {
    return value ? value->toString() : "overflow";
}

Currency money(std::string_view s) {
    auto value = Currency::parse(s);
    EXPECT_TRUE(value) << s;
    return value.value_or(Currency());
}

TEST(CurrencyRounding, ParseAndFromDoubleHalveToEvenAtFourDecimals) {
    const std::pair<const char*, const char*> parsed[] = {
        {"1.00005", "1"},
        {"1.00015", "1.0002"},
        {"922337203685477.5807", "922337203685477.5807"},
        {"922337203685477.5808", "overflow"},
        {"922337203685477.58075", "overflow"},  // rounds past the top
    };
    for (const auto& [written, value] : parsed) EXPECT_EQ(text(Currency::parse(written)), value);
    for (const char* bad : {"", "-", ".", "-.", "1.2.3", " 1", "1e3", "1,000", "--1"})
        EXPECT_FALSE(Currency::parse(bad)) << bad;

    const std::pair<double, const char*> doubles[] = {
        {0.00005, "0"},     {0.00025, "0.0002"},
        {0.1 + 0.2, "0.3"}, {922337203685477.0, "922337203685477"},
        {1e15, "overflow"}, {std::nan(""), "overflow"},
    };
    for (const auto& [value, held] : doubles) EXPECT_EQ(text(Currency::fromDouble(value)), held);
    EXPECT_EQ(text(Currency::fromUnits(-922337203685477)), "-922337203685477");
    EXPECT_FALSE(Currency::fromUnits(922337203685478));
}

TEST(CurrencyArithmetic, PlusMinusAndTimesOverflowAtBothEnds) {
    const Currency tick = Currency::fromRaw(1), minusTick = Currency::fromRaw(-1);
    EXPECT_FALSE(kTop.plus(tick) || kBottom.plus(minusTick) || kBottom.minus(tick) ||
                 kTop.minus(minusTick));
    EXPECT_EQ(kTop.plus(minusTick)->raw(), kMax - 1);
    EXPECT_EQ(kBottom.minus(minusTick)->raw(), kMin + 1);

    const std::tuple<Currency, double, const char*> products[] = {
        {money("1234.5678"), 0.5, "617.2839"}, {money("0.0001"), 0.5, "0"},  // half a tick: even
        {money("-0.0003"), 0.5, "-0.0002"},                                  // 1.5 ticks: even
        {money("-3"), 0.33333, "-1"},  // -0.99999 at four decimals
        {kTop, -1, "-922337203685477.5807"},   {kBottom, -1, "overflow"},
        {kTop, 1.0000001, "overflow"},         {money("1"), std::nan(""), "overflow"},
    };
    for (const auto& [amount, factor, product] : products)
        EXPECT_EQ(text(amount.times(factor)), product) << amount.toString() << " * " << factor;
    EXPECT_EQ(kBottom.times(0.5)->raw(), kMin / 2);
    // Plain decimal text; truncation goes toward zero.
    EXPECT_EQ(Currency::fromRaw(-1).toString(), "-0.0001");
    EXPECT_EQ(money("-1.9999").wholeUnits(), -1);
    EXPECT_EQ(kBottom.truncated().toString(), "-922337203685477");
}

}  // namespace
}  // namespace omrix::util
