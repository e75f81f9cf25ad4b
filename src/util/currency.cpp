#include "util/currency.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace omrix::util {
namespace {

__extension__ typedef __int128 Int128;

// The largest long double that still converts to int64_t without overflow.
constexpr long double kMaxTicks = 9223372036854775807.0L;

std::optional<Currency> fromTicks(long double ticks) {
    if (!std::isfinite(ticks)) return std::nullopt;
    long double rounded = std::nearbyintl(ticks);  // default mode: half to even
    if (rounded > kMaxTicks || rounded < -kMaxTicks - 1.0L) return std::nullopt;
    return Currency::fromRaw(static_cast<int64_t>(rounded));
}

}  // namespace

std::optional<Currency> Currency::fromUnits(int64_t units) {
    int64_t ticks = 0;
    if (__builtin_mul_overflow(units, kScale, &ticks)) return std::nullopt;
    return Currency(ticks);
}

std::optional<Currency> Currency::fromDouble(double value) {
    return fromTicks(static_cast<long double>(value) * kScale);
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
        if (ticks > static_cast<Int128>(std::numeric_limits<int64_t>::max()) * 10) {
            return std::nullopt;
        }
        if (decimals >= 0) ++decimals;
    }
    for (int d = std::max(decimals, 0); d < 4; ++d) ticks *= 10;
    if (roundDigit > 5 || (roundDigit == 5 && (stickyBeyond || ticks % 2 != 0))) ++ticks;
    if (negative) ticks = -ticks;
    if (ticks > std::numeric_limits<int64_t>::max() || ticks < std::numeric_limits<int64_t>::min()) {
        return std::nullopt;
    }
    return Currency(static_cast<int64_t>(ticks));
}

double Currency::toDouble() const { return static_cast<double>(ticks_) / kScale; }

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
    // long double holds every int64 exactly, so only the product itself is rounded.
    return fromTicks(static_cast<long double>(ticks_) * static_cast<long double>(factor));
}

std::string Currency::toString() const {
    // Work on the unsigned magnitude: -INT64_MIN does not fit.
    bool negative = ticks_ < 0;
    uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(ticks_) : static_cast<uint64_t>(ticks_);
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
