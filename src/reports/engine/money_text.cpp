#include "reports/engine/money_text.h"

#include <cstdlib>

#include "util/numbers.h"

namespace omrix::reports {
namespace {

std::string grouped(uint64_t whole) {
    std::string digits = std::to_string(whole);
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

}  // namespace

std::string moneyText(util::Currency value) {
    int64_t raw = value.raw();
    if (raw == 0) return {};
    // The magnitude as unsigned, so that the most negative value has one too.
    uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
    const auto scale = static_cast<uint64_t>(util::Currency::kScale);
    std::string out = raw < 0 ? "-" : "";
    out += grouped(magnitude / scale);
    uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        std::string decimals = std::to_string(fraction + scale).substr(1);  // four digits
        while (decimals.back() == '0') decimals.pop_back();
        out += "." + decimals;
    }
    return out;
}

std::string quantityText(double value) {
    if (value == 0.0) return {};
    return util::formatGrouped3(value);
}

std::string decimalText(double value, int decimals) {
    if (value == 0.0) return {};
    std::string pattern = "#,##0";
    if (decimals > 0) pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return util::formatNumber(value, pattern);
}

}  // namespace omrix::reports
