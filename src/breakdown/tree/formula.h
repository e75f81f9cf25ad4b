#pragma once
// Quantity and unit-price formulas: the project's variables (物件変数) put in by
// name, then the text handed to the suite's calculator.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/calculator.h"
#include "records/bukken_hensu_record.h"

namespace omrix::breakdown {

// Holds the project's variables as they were when it was made, and one calculator, for
// the many formulas of one recalculation.
class FormulaEvaluator {
  public:
    // Trims the 変数名 of every row and stores it back, as the suite does.
    explicit FormulaEvaluator(std::vector<records::BukkenHensuRec>& variables);

    double fnCalcFormula(std::string_view formula);
    double fnCalcExpression(std::string text);

    // Names and value texts, longer names first.
    const std::vector<std::pair<std::string, std::string>>& variables() const { return variables_; }

  private:
    std::vector<std::pair<std::string, std::string>> variables_;
    platform::Calculator calculator_;
};

// Every name replaced by its value, everywhere and case-sensitively, longer names
// first, so that a name is never broken apart by a shorter one inside it.
std::string substituteVariables(std::string_view formula,
                                const std::vector<std::pair<std::string, std::string>>& variables);


}  // namespace omrix::breakdown
