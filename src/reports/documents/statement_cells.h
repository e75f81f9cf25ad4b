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

// Columns first … last of `lines` lines from its own down, drawn as one cell with no
// rule inside, holding the texts of column `owner` of its first line.
struct CellSpan {
    std::size_t owner = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    int lines = 1;
    bool operator==(const CellSpan&) const = default;
};

// A page's lines by slot (0 … 14); null where the page has none.
using PageLines = std::vector<const StatementLine*>;
// Whether the texts of the span's owner fit it, the span starting in `slot`.
using SpanFits = std::function<bool(int slot, const CellSpan& span)>;

// By slot, the spans starting there: one per non-empty cell, by owner left to right. A
// cell that does not fit takes the empty neighbour on its right, else on its left, one
// at a time; still too small, it takes the empty cells under it, line by line, until it
// fits or has none.
std::vector<std::vector<CellSpan>> pageSpans(const StatementGeometry& g, const PageLines& lines,
                                             const SpanFits& fits);

// Whether a span starting in `start` covers line `slot`.
inline bool spanCovers(const CellSpan& span, int start, int slot) {
    return start <= slot && slot < start + span.lines;
}

}  // namespace omrix::reports
