#include "util/currency.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace omrix::util {
namespace {

__extension__ typedef __int128 Int128;

constexpr Int128 kMaxTicks = std::numeric_limits<int64_t>::max();
constexpr Int128 kMinTicks = std::numeric_limits<int64_t>::min();

// A double as the shortest decimal that reads back as the same double:
// value = mantissa x 10^exponent, mantissa at most 17 digits.
struct ShortestDecimal {
    bool negative = false;
    Int128 mantissa = 0;
    int exponent = 0;
};

ShortestDecimal shortestDecimal(double value) {
    char buf[64];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    ShortestDecimal d;
    const char* p = buf;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    int fractionDigits = 0;
    bool afterPoint = false;
    for (; p < result.ptr && *p != 'e'; ++p) {
        if (*p == '.') {
            afterPoint = true;
            continue;
        }
        d.mantissa = d.mantissa * 10 + (*p - '0');
        if (afterPoint) ++fractionDigits;
    }
    int exponent = 0;
    const char* digits = p + 1 + (p[1] == '+' ? 1 : 0);  // from_chars takes no '+'
    std::from_chars(digits, result.ptr, exponent);
    d.exponent = exponent - fractionDigits;
    return d;
}

// magnitude / 10^places, rounded half to even; magnitude is not negative.
Int128 divideByPowerOfTen(Int128 magnitude, int places) {
    // Products stay below 2^120 < 0.5 x 10^37, so beyond 36 places nothing is left.
    if (places > 36) return 0;
    Int128 divisor = 1;
    for (int k = 0; k < places; ++k) divisor *= 10;
    Int128 quotient = magnitude / divisor;
    Int128 twiceRest = magnitude % divisor * 2;
    if (twiceRest > divisor || (twiceRest == divisor && quotient % 2 != 0)) ++quotient;
    return quotient;
}

std::optional<Currency> fromSignedTicks(bool negative, Int128 magnitude) {
    Int128 ticks = negative ? -magnitude : magnitude;
    if (ticks > kMaxTicks || ticks < kMinTicks) return std::nullopt;
    return Currency::fromRaw(static_cast<int64_t>(ticks));
}

}  // namespace

std::optional<Currency> Currency::fromUnits(int64_t units) {
    int64_t ticks = 0;
    if (__builtin_mul_overflow(units, kScale, &ticks)) return std::nullopt;
    return Currency(ticks);
}

std::optional<Currency> Currency::fromDouble(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // Fixed notation of the shortest form: at most 309 integer or 330 decimal digits.
    char buf[400];
    auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
    if (result.ec != std::errc()) return std::nullopt;
    return parse(std::string_view(buf, static_cast<std::size_t>(result.ptr - buf)));
}

std::optional<Currency> Currency::parse(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    if (text.empty() || text == ".") return std::nullopt;
    Int128 ticks = 0;
    int decimals = -1;  // -1: no point yet
    int roundDigit = -1;
    bool stickyBeyond = false;
    for (char c : text) {
        if (c == '.') {
            if (decimals >= 0) return std::nullopt;
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9') return std::nullopt;
        if (decimals >= 4) {
            if (roundDigit < 0) {
                roundDigit = c - '0';
            } else if (c != '0') {
                stickyBeyond = true;
            }
            continue;
        }
        ticks = ticks * 10 + (c - '0');
        if (ticks > kMaxTicks * 10) return std::nullopt;
        if (decimals >= 0) ++decimals;
    }
    for (int d = std::max(decimals, 0); d < 4; ++d) ticks *= 10;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyBeyond || ticks % 2 != 0))) ++ticks;
    return fromSignedTicks(negative, ticks);
}

double Currency::toDouble() const {
    return static_cast<double>(ticks_) / kScale;
}

std::optional<Currency> Currency::plus(Currency other) const {
    int64_t sum = 0;
    if (__builtin_add_overflow(ticks_, other.ticks_, &sum)) return std::nullopt;
    return Currency(sum);
}

std::optional<Currency> Currency::minus(Currency other) const {
    int64_t diff = 0;
    if (__builtin_sub_overflow(ticks_, other.ticks_, &diff)) return std::nullopt;
    return Currency(diff);
}

std::optional<Currency> Currency::times(double factor) const {
    if (!std::isfinite(factor)) return std::nullopt;
    if (ticks_ == 0 || factor == 0.0) return Currency();
    const ShortestDecimal f = shortestDecimal(factor);
    const bool negative = (ticks_ < 0) != f.negative;
    // |ticks| <= 2^63 and the mantissa < 10^17 < 2^57: the product fits in 128 bits.
    const Int128 ticks = ticks_;
    Int128 product = (ticks < 0 ? -ticks : ticks) * f.mantissa;
    if (f.exponent < 0) return fromSignedTicks(negative, divideByPowerOfTen(product, -f.exponent));
    if (product > kMaxTicks + 1) return std::nullopt;
    for (int k = 0; k < f.exponent; ++k) {
        product *= 10;
        if (product > kMaxTicks + 1) return std::nullopt;
    }
    return fromSignedTicks(negative, product);
}

std::string Currency::toString() const {
    // Work on the unsigned magnitude: -INT64_MIN does not fit.
    bool negative = ticks_ < 0;
    uint64_t magnitude =
        negative ? 0 - static_cast<uint64_t>(ticks_) : static_cast<uint64_t>(ticks_);
    std::string text = std::to_string(magnitude / kScale);
    uint64_t fraction = magnitude % kScale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0') digits.pop_back();
        text += '.' + digits;
    }
    return negative ? '-' + text : text;
}

}  // namespace omrix::util
