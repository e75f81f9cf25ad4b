#pragma once
// Money as the suite stores it: a signed 64-bit count of 1/10000 units.
// Every operation that can leave the range says so instead of wrapping.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace omrix::util {

class Currency {
  public:
    static constexpr int64_t kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromRaw(int64_t ticks) { return Currency(ticks); }
    // Whole units; nullopt when out of range.
    static std::optional<Currency> fromUnits(int64_t units);
    // The double's shortest decimal form (the digits it prints as, so 0.00005 is a
    // half), rounded half to even at four decimals; nullopt for NaN, infinity or
    // out of range.
    static std::optional<Currency> fromDouble(double value);
    // Plain decimal text with optional sign and point ("-1234.5"); more than four
    // decimals round half to even. nullopt for anything else.
    static std::optional<Currency> parse(std::string_view text);

    constexpr int64_t raw() const { return ticks_; }
    double toDouble() const;
    // Whole units, truncated toward zero.
    constexpr int64_t wholeUnits() const { return ticks_ / kScale; }
    constexpr Currency truncated() const { return Currency(ticks_ / kScale * kScale); }

    std::optional<Currency> plus(Currency other) const;
    std::optional<Currency> minus(Currency other) const;
    // The exact product with the factor's shortest decimal form (0.1 is one tenth),
    // rounded half to even at four decimals; nullopt for NaN, infinity or overflow.
    std::optional<Currency> times(double factor) const;

    // Plain decimal text, no grouping, no trailing zeros: "1234.5", "0", "-0.0001".
    std::string toString() const;

    friend constexpr bool operator==(Currency, Currency) = default;
    friend constexpr auto operator<=>(Currency, Currency) = default;

  private:
    constexpr explicit Currency(int64_t ticks) : ticks_(ticks) {}
    int64_t ticks_ = 0;
};

}  // namespace omrix::util
