#include "reports/engine/formula_text.h"

#include "util/text.h"

namespace omrix::reports {

std::string unquoteFormulaText(std::string_view text) {
    std::string_view t = util::trimBlanks(text);
    if (t.size() < 2) return std::string(t);
    const char quote = t.front();
    if ((quote != '\'' && quote != '"') || t.back() != quote) return std::string(t);
    // The launch puts a name inside the quotes unchanged: quotes within are the name's.
    return std::string(t.substr(1, t.size() - 2));
}

}  // namespace omrix::reports
