// The record-selection formula parser on any text: accepted formulas name plain
// tables and columns, refused ones say why.
#include <cstddef>
#include <cstdint>
#include <string>

#include "reports/engine/selection_formula.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto formula = omrix::reports::parseSelectionFormula(text);
    if (formula) {
        if (!omrix::reports::isPlainName(formula->table) ||
            !omrix::reports::isPlainName(formula->column))
            __builtin_trap();
    } else if (formula.failure().message.empty() || formula.failure().cause.empty()) {
        __builtin_trap();
    }
    return 0;
}
