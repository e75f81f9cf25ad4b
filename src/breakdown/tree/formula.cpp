#include "breakdown/tree/formula.h"

#include <exception>

#include "util/numbers.h"
#include "util/text.h"
#include "util/utf8.h"

namespace omrix::breakdown {

FormulaEvaluator::FormulaEvaluator(std::vector<records::BukkenHensuRec>& variables) {
    for (auto& row : variables) {
        std::string name(util::trimBlanks(row.変数名.trimmedRight()));
        row.変数名 = name;
        variables_.emplace_back(std::move(name), util::doubleToText(row.数量));
    }
    // The exchange order of the suite's own code; names of equal length keep the
    // order it leaves them in.
    for (std::size_t i = 0; i + 1 < variables_.size(); ++i) {
        for (std::size_t j = i + 1; j < variables_.size(); ++j) {
            if (util::utf8Length(variables_[i].first) < util::utf8Length(variables_[j].first)) {
                std::swap(variables_[i], variables_[j]);
            }
        }
    }
}

std::string substituteVariables(std::string_view formula,
                                const std::vector<std::pair<std::string, std::string>>& variables) {
    std::string text(formula);
    for (const auto& [name, value] : variables) {
        if (name.empty()) continue;
        std::string replaced;
        std::size_t from = 0;
        for (std::size_t at = text.find(name); at != std::string::npos;
             at = text.find(name, from)) {
            replaced.append(text, from, at - from);
            replaced += value;
            from = at + name.size();
        }
        if (from == 0) continue;
        replaced.append(text, from, std::string::npos);
        text = std::move(replaced);
    }
    return text;
}

double FormulaEvaluator::fnCalcFormula(std::string_view formula) {
    try {
        return fnCalcExpression(substituteVariables(formula, variables_));
    } catch (const std::exception&) {
        return 0.0;
    }
}

double FormulaEvaluator::fnCalcExpression(std::string text) {
    double result = 0.0;
    if (platform::QUILAN00_Calculation(text, 2, result, &calculator_) == 0) return 0.0;
    return result;
}

}  // namespace omrix::breakdown
