#include "reports/engine/formula_text.h"

#include "util/text.h"

namespace omrix::reports {

std::string unquoteFormulaText(std::string_view text) {
    std::string_view t = util::trimBlanks(text);
    if (t.size() < 2) return std::string(t);
    const char quote = t.front();
    if ((quote != '\'' && quote != '"') || t.back() != quote) return std::string(t);
    std::string_view inner = t.substr(1, t.size() - 2);
    std::string out;
    out.reserve(inner.size());
    for (std::size_t i = 0; i < inner.size(); ++i) {
        out += inner[i];
        // A doubled quote stands for one; a lone one inside is kept as it is.
        if (inner[i] == quote && i + 1 < inner.size() && inner[i + 1] == quote) ++i;
    }
    return out;
}

}  // namespace omrix::reports
