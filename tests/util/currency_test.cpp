#include "util/currency.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace omrix::util {
namespace {

constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

std::string text(std::optional<Currency> value) {
    return value ? value->toString() : "overflow";
}

Currency money(std::string_view s) {
    auto value = Currency::parse(s);
    EXPECT_TRUE(value) << s;
    return value.value_or(Currency());
}

TEST(CurrencyRounding, FromDoubleHalvesToEvenAtFourDecimals) {
    EXPECT_EQ(text(Currency::fromDouble(0.00005)), "0");
    EXPECT_EQ(text(Currency::fromDouble(0.00015)), "0.0002");
    EXPECT_EQ(text(Currency::fromDouble(0.00025)), "0.0002");
    EXPECT_EQ(text(Currency::fromDouble(1.00005)), "1");
    EXPECT_EQ(text(Currency::fromDouble(0.000051)), "0.0001");
    EXPECT_EQ(text(Currency::fromDouble(1234.5678)), "1234.5678");
    EXPECT_EQ(text(Currency::fromDouble(0.1 + 0.2)), "0.3");
    EXPECT_EQ(text(Currency::fromDouble(-0.0)), "0");
    EXPECT_EQ(text(Currency::fromDouble(1e-300)), "0");
}

TEST(CurrencyRounding, ParseHalvesToEvenAtFourDecimals) {
    EXPECT_EQ(money("1.00005").toString(), "1");
    EXPECT_EQ(money("1.00015").toString(), "1.0002");
    EXPECT_EQ(money("1.000050001").toString(), "1.0001");
    EXPECT_EQ(money("-0.00005").toString(), "0");
    EXPECT_EQ(money("+12.5").toString(), "12.5");
    EXPECT_EQ(money(".5").toString(), "0.5");
    EXPECT_EQ(money("7.").toString(), "7");
    for (const char* bad : {"", "-", "+", ".", "-.", "1.2.3", " 1", "1 ", "1e3", "1,000", "--1"}) {
        EXPECT_FALSE(Currency::parse(bad)) << bad;
    }
}

TEST(CurrencyRange, BothEndsOfParseAndFromUnits) {
    EXPECT_EQ(money("922337203685477.5807").raw(), kMax);
    EXPECT_EQ(money("-922337203685477.5808").raw(), kMin);
    EXPECT_FALSE(Currency::parse("922337203685477.5808"));
    EXPECT_FALSE(Currency::parse("-922337203685477.5809"));
    EXPECT_FALSE(Currency::parse("922337203685477.58075"));  // rounds past the top
    EXPECT_FALSE(Currency::parse("99999999999999999999999999999999"));
    EXPECT_EQ(money("0000000000000000000000001").toString(), "1");

    EXPECT_EQ(text(Currency::fromUnits(922337203685477)), "922337203685477");
    EXPECT_FALSE(Currency::fromUnits(922337203685478));
    EXPECT_EQ(text(Currency::fromUnits(-922337203685477)), "-922337203685477");
    EXPECT_FALSE(Currency::fromUnits(-922337203685478));
    EXPECT_FALSE(Currency::fromUnits(kMin));
}

TEST(CurrencyRange, FromDoubleRefusesWhatDoesNotFit) {
    EXPECT_EQ(text(Currency::fromDouble(922337203685477.0)), "922337203685477");
    EXPECT_FALSE(Currency::fromDouble(1e15));
    EXPECT_FALSE(Currency::fromDouble(-1e15));
    EXPECT_FALSE(Currency::fromDouble(1e300));
    EXPECT_FALSE(Currency::fromDouble(std::nan("")));
    EXPECT_FALSE(Currency::fromDouble(std::numeric_limits<double>::infinity()));
}

TEST(CurrencyArithmetic, PlusAndMinusOverflowAtBothEnds) {
    const Currency top = Currency::fromRaw(kMax);
    const Currency bottom = Currency::fromRaw(kMin);
    const Currency tick = Currency::fromRaw(1);
    const Currency minusTick = Currency::fromRaw(-1);
    EXPECT_FALSE(top.plus(tick));
    EXPECT_FALSE(bottom.plus(minusTick));
    EXPECT_FALSE(bottom.minus(tick));
    EXPECT_FALSE(top.minus(minusTick));
    EXPECT_EQ(top.plus(minusTick)->raw(), kMax - 1);
    EXPECT_EQ(bottom.minus(minusTick)->raw(), kMin + 1);
    EXPECT_EQ(money("0.1").plus(money("0.2"))->toString(), "0.3");
}

TEST(CurrencyArithmetic, TimesRoundsTheExactProductAndOverflowsAtBothEnds) {
    EXPECT_EQ(text(money("1234.5678").times(0.5)), "617.2839");
    EXPECT_EQ(text(money("0.0001").times(0.5)), "0");       // half a tick: even
    EXPECT_EQ(text(money("0.0003").times(0.5)), "0.0002");  // 1.5 ticks: even
    EXPECT_EQ(text(money("-0.0003").times(0.5)), "-0.0002");
    EXPECT_EQ(text(money("1").times(0.00005)), "0");  // 0.00005 read as written
    EXPECT_EQ(text(money("100").times(1.1)), "110");
    EXPECT_EQ(text(money("-3").times(0.3333)), "-0.9999");
    EXPECT_EQ(text(money("-3").times(0.33333)), "-1");  // -0.99999 at four decimals
    EXPECT_EQ(text(money("1500").times(1.05)), "1575");
    EXPECT_EQ(text(money("12345.6789").times(1e-30)), "0");
    EXPECT_EQ(text(money("2").times(1e10)), "20000000000");
    const Currency top = Currency::fromRaw(kMax);
    const Currency bottom = Currency::fromRaw(kMin);
    EXPECT_EQ(top.times(1)->raw(), kMax);
    EXPECT_EQ(bottom.times(1)->raw(), kMin);
    EXPECT_EQ(top.times(-1)->raw(), -kMax);
    EXPECT_FALSE(bottom.times(-1));
    EXPECT_FALSE(top.times(1.0000001));
    EXPECT_FALSE(bottom.times(2));
    EXPECT_FALSE(money("1").times(1e300));
    EXPECT_FALSE(money("1").times(std::nan("")));
    EXPECT_FALSE(money("1").times(std::numeric_limits<double>::infinity()));
    EXPECT_EQ(bottom.times(0.5)->raw(), kMin / 2);
}

TEST(CurrencyText, PlainDecimal) {
    EXPECT_EQ(Currency::fromRaw(kMin).toString(), "-922337203685477.5808");
    EXPECT_EQ(Currency::fromRaw(kMax).toString(), "922337203685477.5807");
    EXPECT_EQ(Currency().toString(), "0");
    EXPECT_EQ(Currency::fromRaw(-1).toString(), "-0.0001");
    EXPECT_EQ(Currency::fromRaw(15000).toString(), "1.5");
    EXPECT_EQ(Currency::fromRaw(10010).toString(), "1.001");
    // Truncation goes toward zero.
    EXPECT_EQ(money("-1.9999").wholeUnits(), -1);
    EXPECT_EQ(money("-1.9999").truncated().toString(), "-1");
    EXPECT_EQ(Currency::fromRaw(kMin).truncated().toString(), "-922337203685477");
    EXPECT_DOUBLE_EQ(money("-1234.5678").toDouble(), -1234.5678);
}

}  // namespace
}  // namespace omrix::util
