#pragma once
// The project variables of the demo and the evaluation of formulas over them, done
// the way the breakdown's recalculation does it (names replaced longest first by
// their value text, then the calculator), so stored quantities and prices are the
// ones the recalculation will find.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/calculator.h"

namespace omrix::demo {

struct DemoVariable {
    std::string_view name;   // 変数名
    std::string_view label;  // 名称
    double value;            // 数量
};

// The variables of the demo project, as 物件変数 holds them.
std::span<const DemoVariable> projectVariables();

class DemoFormulas {
  public:
    explicit DemoFormulas(std::span<const DemoVariable> variables);

    // nullopt when the text is not a formula the calculator accepts.
    std::optional<double> evaluate(std::string_view formula);

  private:
    std::vector<std::pair<std::string, std::string>> substitutions_;  // longest name first
    platform::Calculator calculator_;
};

}  // namespace omrix::demo
