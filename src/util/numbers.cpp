#include "util/numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "util/text.h"
#include "util/utf8.h"

namespace omrix::util {
namespace {

// value = digits (as an integer, no leading zeros, empty for zero) x 10^exponent.
struct Decimal {
    bool negative = false;
    std::string digits;
    int64_t exponent = 0;
};

enum class Parsed { Blank, Number, Bad };

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Full-width ASCII forms and the ideographic space become ASCII; any other
// non-ASCII character makes the text no number.
bool foldToAscii(std::string_view text, std::string& out) {
    std::size_t pos = asciiPrefixLength(text);
    out.assign(text.substr(0, pos));
    while (pos < text.size()) {
        Utf8Char c = decodeUtf8(text, pos);
        pos += c.size;
        if (c.ch < 0x80) {
            out += static_cast<char>(c.ch);
        } else if (c.ch == 0x3000) {
            out += ' ';
        } else if (c.ch >= 0xFF01 && c.ch <= 0xFF5E) {
            out += static_cast<char>(c.ch - 0xFEE0);
        } else {
            return false;
        }
    }
    return true;
}

// The exponent only has to say "far beyond any range"; saturating keeps it in int64.
int64_t readExponent(std::string_view s, std::size_t& i, bool& ok) {
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    std::size_t start = i;
    int64_t value = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        value = std::min<int64_t>(value * 10 + (s[i] - '0'), 1000000);
    ok = i > start;
    return negative ? -value : value;
}

Parsed parseDecimal(std::string_view text, Decimal& d) {
    std::string folded;
    if (!foldToAscii(text, folded)) return Parsed::Bad;
    std::string_view s = trimBlanks(folded, kBlanksAndTabs);
    if (s.empty()) return Parsed::Blank;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') d.negative = s[i++] == '-';
    bool sawDigit = false;
    int64_t fractionDigits = 0;
    for (bool afterPoint = false; i < s.size(); ++i) {
        if (s[i] == '.' && !afterPoint) {
            afterPoint = true;
            continue;
        }
        if (!isDigit(s[i])) break;
        sawDigit = true;
        if (afterPoint) ++fractionDigits;
        if (!d.digits.empty() || s[i] != '0') d.digits += s[i];
    }
    if (!sawDigit) return Parsed::Bad;
    int64_t exponent = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        bool ok = false;
        exponent = readExponent(s, ++i, ok);
        if (!ok) return Parsed::Bad;
    }
    if (i != s.size()) return Parsed::Bad;
    d.exponent = exponent - fractionDigits;
    return Parsed::Number;
}

// The decimal rounded half to even to an integer within [lo, hi].
bool toRoundedInteger(const Decimal& d, int64_t lo, int64_t hi, int64_t& out) {
    if (d.digits.empty()) {
        out = 0;
        return true;
    }
    const int64_t size = static_cast<int64_t>(d.digits.size());
    const int64_t integerDigits = size + d.exponent;
    if (integerDigits > 19) return false;
    uint64_t whole = 0;
    for (int64_t k = 0; k < integerDigits; ++k) {
        whole = whole * 10 + (k < size ? static_cast<uint64_t>(d.digits[k] - '0') : 0);
    }
    // Below 0.1 (integerDigits < 0) the value rounds to 0 in any case.
    if (integerDigits >= 0 && integerDigits < size) {
        const int first = d.digits[integerDigits] - '0';
        const bool beyond =
            d.digits.find_first_not_of('0', static_cast<std::size_t>(integerDigits) + 1) !=
            std::string::npos;
        if (first > 5 || (first == 5 && (beyond || whole % 2 == 1))) ++whole;
    }
    if (d.negative) {
        if (whole > static_cast<uint64_t>(-lo)) return false;
        out = -static_cast<int64_t>(whole);
    } else {
        if (whole > static_cast<uint64_t>(hi)) return false;
        out = static_cast<int64_t>(whole);
    }
    return true;
}

template <typename Int>
bool convertInteger(std::string_view text, Int& out) {
    Decimal d;
    Parsed parsed = parseDecimal(text, d);
    if (parsed == Parsed::Bad) return false;
    int64_t value = 0;
    if (parsed == Parsed::Number && !toRoundedInteger(d, std::numeric_limits<Int>::min(),
                                                      std::numeric_limits<Int>::max(), value)) {
        return false;
    }
    out = static_cast<Int>(value);
    return true;
}

// A double's decimal value at 15 significant digits: 0.d1 d2 ... d15 x 10^pointPos.
struct Significant15 {
    std::string digits;
    int pointPos = 0;
};

Significant15 toSignificant15(double magnitude) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", magnitude);  // d.dddddddddddddde+XX
    Significant15 s;
    s.digits.reserve(15);
    s.digits += buf[0];
    s.digits.append(buf + 2, 14);
    s.pointPos = std::atoi(buf + 17) + 1;
    return s;
}

// Adds one to a decimal digit text, growing it on a carry out of the first digit.
void incrementDigits(std::string& digits) {
    for (std::size_t k = digits.size(); k-- > 0;) {
        if (digits[k] != '9') {
            ++digits[k];
            return;
        }
        digits[k] = '0';
    }
    digits.insert(digits.begin(), '1');
}

struct RoundedParts {
    std::string integer;   // no leading zeros; empty for 0
    std::string fraction;  // exactly the requested decimals
    bool zero = true;
};

// The magnitude rounded half away from zero at `decimals`, worked on its 15 digits.
RoundedParts roundMagnitude(double magnitude, int decimals) {
    const Significant15 s = toSignificant15(magnitude);
    const int keep = s.pointPos + decimals;  // digits of the scaled integer
    std::string scaled;
    if (keep <= 0) {
        scaled = (keep == 0 && s.digits[0] >= '5') ? "1" : "0";
    } else if (keep >= 15) {
        scaled = s.digits + std::string(static_cast<std::size_t>(keep - 15), '0');
    } else {
        scaled = s.digits.substr(0, static_cast<std::size_t>(keep));
        if (s.digits[static_cast<std::size_t>(keep)] >= '5') incrementDigits(scaled);
    }
    RoundedParts parts;
    parts.zero = scaled.find_first_not_of('0') == std::string::npos;
    if (scaled.size() <= static_cast<std::size_t>(decimals)) {
        scaled.insert(0, static_cast<std::size_t>(decimals) + 1 - scaled.size(), '0');
    }
    const std::size_t split = scaled.size() - static_cast<std::size_t>(decimals);
    parts.fraction = scaled.substr(split);
    std::size_t firstNonZero = scaled.find_first_not_of('0');
    if (firstNonZero < split) parts.integer = scaled.substr(firstNonZero, split - firstNonZero);
    return parts;
}

struct NumberPattern {
    std::string prefix;
    std::string suffix;
    bool grouping = false;
    bool hasPoint = false;
    int minInteger = 0;
    int minDecimals = 0;
    int maxDecimals = 0;
};

bool isPlaceholder(char c) {
    return c == '#' || c == '0';
}

NumberPattern parsePattern(std::string_view pattern) {
    NumberPattern p;
    const std::size_t begin = pattern.find_first_of("#0.");
    if (begin == std::string_view::npos) {
        p.prefix = pattern;
        return p;
    }
    const std::size_t end = pattern.find_last_of("#0.") + 1;
    p.prefix = pattern.substr(0, begin);
    p.suffix = pattern.substr(end);
    bool afterPoint = false;
    int integerPlaces = 0;
    int firstZero = -1;
    for (char c : pattern.substr(begin, end - begin)) {
        if (c == '.' && !afterPoint) {
            afterPoint = p.hasPoint = true;
        } else if (c == ',' && !afterPoint) {
            p.grouping = true;
        } else if (isPlaceholder(c) && !afterPoint) {
            if (c == '0' && firstZero < 0) firstZero = integerPlaces;
            ++integerPlaces;
        } else if (isPlaceholder(c)) {
            ++p.maxDecimals;
            if (c == '0') p.minDecimals = p.maxDecimals;
        }
    }
    p.minInteger = firstZero < 0 ? 0 : integerPlaces - firstZero;
    return p;
}

void insertGrouping(std::string& integer) {
    for (std::size_t k = integer.size(); k > 3; k -= 3) integer.insert(k - 3, 1, ',');
}

std::string formatWith(double value, const NumberPattern& p) {
    if (!std::isfinite(value)) return {};
    RoundedParts parts = roundMagnitude(std::fabs(value), p.maxDecimals);
    std::string& integer = parts.integer;
    if (integer.size() < static_cast<std::size_t>(p.minInteger)) {
        integer.insert(0, static_cast<std::size_t>(p.minInteger) - integer.size(), '0');
    }
    if (p.grouping) insertGrouping(integer);
    std::string& fraction = parts.fraction;
    while (fraction.size() > static_cast<std::size_t>(p.minDecimals) && fraction.back() == '0') {
        fraction.pop_back();
    }
    std::string out;
    out.reserve(p.prefix.size() + integer.size() + fraction.size() + p.suffix.size() + 2);
    if (value < 0 && !parts.zero) out += '-';
    out += p.prefix;
    out += integer;
    if (p.hasPoint) {
        out += '.';
        out += fraction;
    }
    out += p.suffix;
    return out;
}

}  // namespace

bool fnCIntText(std::string_view text, int16_t& out) {
    return convertInteger(text, out);
}

bool fnCLngText(std::string_view text, int32_t& out) {
    return convertInteger(text, out);
}

bool fnCDblText(std::string_view text, double& out) {
    Decimal d;
    Parsed parsed = parseDecimal(text, d);
    if (parsed == Parsed::Bad) return false;
    if (parsed == Parsed::Blank || d.digits.empty()) {
        out = 0.0;
        return true;
    }
    const std::string normal = d.digits + 'e' + std::to_string(d.exponent);
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Out of range either way: too large is an error, too small is zero.
        if (static_cast<int64_t>(d.digits.size()) + d.exponent > 0) return false;
        value = 0.0;
    } else if (ec != std::errc() || ptr != normal.data() + normal.size()) {
        return false;
    }
    out = d.negative && value != 0.0 ? -value : value;
    return true;
}

int16_t fnCIntTextOr(std::string_view text, int16_t fallback) {
    int16_t value = fallback;
    return fnCIntText(text, value) ? value : fallback;
}

int32_t fnCLngTextOr(std::string_view text, int32_t fallback) {
    int32_t value = fallback;
    return fnCLngText(text, value) ? value : fallback;
}

double fnCDblTextOr(std::string_view text, double fallback) {
    double value = fallback;
    return fnCDblText(text, value) ? value : fallback;
}

double fnRound(int16_t mode, double value, int16_t digits) {
    if (!std::isfinite(value)) return value;
    double a = std::fabs(value);
    for (int k = 0; k < digits; ++k) a *= 10;
    if (!std::isfinite(a)) return value;
    const std::string text = formatPlain3(a);
    const std::size_t point = text.find('.');
    const std::string integerText = text.substr(0, point);
    const int f = std::atoi(text.c_str() + point + 1);
    int increment = f >= 500 ? 1 : 0;
    if (mode == 0 && f == 500) increment = (integerText.back() - '0') % 2;
    double r = std::strtod(integerText.c_str(), nullptr) + increment;
    for (int k = 0; k < digits; ++k) r /= 10;
    return value < 0 && r != 0.0 ? -r : r;
}

std::string formatNumber(double value, std::string_view pattern) {
    return formatWith(value, parsePattern(pattern));
}

std::string formatGrouped3(double value) {
    static const NumberPattern pattern = parsePattern("###,###,###,##0.000");
    return formatWith(value, pattern);
}

std::string formatPlain3(double value) {
    static const NumberPattern pattern = parsePattern("###########0.000");
    return formatWith(value, pattern);
}

std::string doubleToText(double value) {
    if (value == 0.0) return "0";  // also -0
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.15G", value);
    return buf;
}

}  // namespace omrix::util
