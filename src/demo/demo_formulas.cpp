#include "demo/demo_formulas.h"

#include <algorithm>

#include "util/numbers.h"
#include "util/utf8.h"

namespace omrix::demo {
namespace {

// A mid-size RC office building: 8 floors above ground, one below. Values keep few
// significant digits so that any decimal form of them reads back the same.
constexpr DemoVariable kVariables[] = {
    {"延床面積", "延床面積（㎡）", 5120.75},
    {"建築面積", "建築面積（㎡）", 640.5},
    {"敷地面積", "敷地面積（㎡）", 1180.3},
    {"外壁面積", "外壁面積（㎡）", 3420.8},
    {"屋根面積", "屋根面積（㎡）", 598.6},
    {"階数", "階数（地下含む）", 9},
    {"地上階数", "地上階数", 8},
    {"地下階数", "地下階数", 1},
    {"W", "間口（ｍ）", 32.4},
    {"D", "奥行（ｍ）", 19.8},
    {"H", "軒高（ｍ）", 31.5},
};

std::string replaceAll(std::string text, const std::string& name, const std::string& value) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, from)) {
        out.append(text, from, at - from);
        out += value;
        from = at + name.size();
    }
    if (from == 0) return text;
    out.append(text, from, std::string::npos);
    return out;
}

}  // namespace

std::span<const DemoVariable> projectVariables() {
    return kVariables;
}

DemoFormulas::DemoFormulas(std::span<const DemoVariable> variables) {
    for (const auto& v : variables) {
        substitutions_.emplace_back(std::string(v.name), util::doubleToText(v.value));
    }
    // Longer names first, so that 階数 cannot break 地上階数 apart.
    std::stable_sort(substitutions_.begin(), substitutions_.end(),
                     [](const auto& a, const auto& b) {
                         return util::utf8Length(a.first) > util::utf8Length(b.first);
                     });
}

std::optional<double> DemoFormulas::evaluate(std::string_view formula) {
    std::string text(formula);
    for (const auto& [name, value] : substitutions_)
        text = replaceAll(std::move(text), name, value);
    double result = 0.0;
    if (platform::QUILAN00_Calculation(text, 2, result, &calculator_) == 0) return std::nullopt;
    return result;
}

}  // namespace omrix::demo
