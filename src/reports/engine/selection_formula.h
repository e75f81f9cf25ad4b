#pragma once
// The record-selection formulas the launch hands to a report: one table column
// compared with one whole number, "{内訳出力.内訳名称ＩＤ} = 123".

#include <cstdint>
#include <string>
#include <string_view>

#include "util/failure.h"

namespace omrix::reports {

struct SelectionFormula {
    std::string table;
    std::string column;
    int32_t value = 0;
};

// Accepts "{table.column} = number" with blanks (half- or full-width, tabs) around
// each part and an optional sign on the number. Names may hold letters, digits, '_'
// and any non-ASCII character, since they go into SQL text. Anything else fails
// quoting the formula.
util::Result<SelectionFormula> parseSelectionFormula(std::string_view text);

// True for a table or column name that parseSelectionFormula would accept.
bool isPlainName(std::string_view name);

}  // namespace omrix::reports
