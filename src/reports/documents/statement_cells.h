#pragma once
// The cells of one statement line: what each prints, and how far a long text spreads.
// A text its cell cannot hold at the smallest legible size takes the empty cells beside
// it, so that it prints whole without crossing another text.

#include <functional>
#include <string>
#include <vector>

#include "reports/documents/statement_data.h"
#include "reports/engine/statement_columns.h"

namespace omrix::reports {

// The texts a cell stacks, in order; all empty for an empty cell. An estimate column
// gives its price over its amount.
std::vector<std::string> cellTexts(StatementField field, const StatementLine& line);

// Columns first … last drawn as one cell, with no rule between them, holding the texts
// of column `owner`.
struct CellSpan {
    std::size_t owner = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    bool operator==(const CellSpan&) const = default;
};

// Whether the texts of the span's owner fit it.
using SpanFits = std::function<bool(const CellSpan& span)>;

// One span per non-empty cell, by owner left to right. A cell that does not fit takes the empty
// neighbour on its right, else on its left, one at a time, until it fits or has none.
std::vector<CellSpan> lineSpans(const StatementGeometry& g, const StatementLine& line,
                                const SpanFits& fits);

}  // namespace omrix::reports
