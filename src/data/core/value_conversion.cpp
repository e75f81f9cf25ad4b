#include "data/core/value_conversion.h"

#include <cmath>

#include "util/ascii.h"
#include "util/numbers.h"

namespace omrix::data {

std::optional<double> variantToDouble(const Variant& v) {
    if (auto* i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    if (auto* d = std::get_if<double>(&v)) return *d;
    if (auto* s = std::get_if<std::string>(&v)) {
        double value = 0;
        if (util::fnCDblText(*s, value)) return value;
    }
    return std::nullopt;
}

std::optional<int64_t> variantToWhole(const Variant& v, int64_t lowest, int64_t highest) {
    if (auto* i = std::get_if<int64_t>(&v)) {
        if (*i < lowest || *i > highest) return std::nullopt;
        return *i;
    }
    auto value = variantToDouble(v);
    if (!value || !std::isfinite(*value)) return std::nullopt;
    double rounded = std::nearbyint(*value);  // the default mode rounds half to even
    if (rounded < static_cast<double>(lowest) || rounded > static_cast<double>(highest))
        return std::nullopt;
    return static_cast<int64_t>(rounded);
}

util::Currency variantToCurrency(const Variant& v) {
    return variantToCurrencyChecked(v).value_or(util::Currency());
}

std::optional<util::Currency> variantToCurrencyChecked(const Variant& v) {
    std::optional<util::Currency> money = util::Currency();
    if (auto* i = std::get_if<int64_t>(&v)) {
        money = util::Currency::fromUnits(*i);
    } else if (auto* d = std::get_if<double>(&v)) {
        money = util::Currency::fromDouble(*d);
    } else if (auto* s = std::get_if<std::string>(&v)) {
        money = util::Currency::parse(*s);
    }
    return money;
}

DateTime variantToDate(const Variant& v) {
    std::optional<DateTime> date;
    if (auto* s = std::get_if<std::string>(&v)) {
        date = DateTime::parse(*s);
    } else if (auto number = variantToDouble(v)) {
        date = DateTime::fromSerial(*number);
    }
    return date.value_or(DateTime());
}

bool variantToBool(const Variant& v) {
    if (auto* s = std::get_if<std::string>(&v)) {
        if (util::equalsIgnoringAsciiCase(*s, "true")) return true;
    }
    auto number = variantToDouble(v);
    return number && *number != 0.0;
}

}  // namespace omrix::data
