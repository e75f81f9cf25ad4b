#include "reports/documents/statement_cells.h"

#include <algorithm>

#include "reports/engine/money_text.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

std::string trimmed(std::string_view text) {
    return std::string(util::trimBlanks(text));
}

bool isEmpty(const std::vector<std::string>& texts) {
    return std::all_of(texts.begin(), texts.end(),
                       [](const std::string& text) { return text.empty(); });
}

}  // namespace

std::vector<std::string> cellTexts(StatementField field, const StatementLine& line) {
    using F = StatementField;
    auto four = [](const std::array<std::string, 4>& texts) {
        std::vector<std::string> out;
        for (const std::string& text : texts) out.push_back(trimmed(text));
        return out;
    };
    switch (field) {
        case F::DisplayNo:
            return {trimmed(line.表示番号名称)};
        case F::Name:
            return four(line.名称);
        case F::Spec:
            return four(line.仕様);
        case F::Quantity:
            return {trimmed(line.内訳数量)};
        case F::Unit:
            return {trimmed(line.単位名称)};
        case F::UnitPrice:
            return {moneyText(line.単価[kSubmitted])};
        case F::Amount:
            return {moneyText(line.金額[kSubmitted])};
        case F::QuantityFormula:
            return {trimmed(line.数量計算式)};
        case F::PriceFormula:
            return {trimmed(line.単価計算式)};
        case F::Remarks:
            return {trimmed(line.社内備考), trimmed(line.社外備考)};
        default: {
            const auto k = static_cast<std::size_t>(estimateIndex(field));
            return {moneyText(line.単価[k]), moneyText(line.金額[k])};
        }
    }
}

std::vector<std::vector<CellSpan>> pageSpans(const StatementGeometry& g, const PageLines& lines,
                                             const SpanFits& fits) {
    const std::size_t n = g.columns.size();
    const int lineCount = static_cast<int>(lines.size());
    // taken[slot][column]: the cell holds a text, or a span took it.
    std::vector<std::vector<bool>> taken(lines.size(), std::vector<bool>(n, false));
    for (std::size_t s = 0; s < lines.size(); ++s) {
        for (std::size_t c = 0; lines[s] != nullptr && c < n; ++c)
            taken[s][c] = !isEmpty(cellTexts(g.columns[c].field, *lines[s]));
    }
    const std::vector<std::vector<bool>> holds = taken;  // a text of its own
    auto freeBelow = [&](const CellSpan& span, int slot) {
        const int below = slot + span.lines;
        if (below >= lineCount) return false;
        for (std::size_t c = span.first; c <= span.last; ++c)
            if (taken[static_cast<std::size_t>(below)][c]) return false;
        return true;
    };
    std::vector<std::vector<CellSpan>> spans(lines.size());
    for (int slot = 0; slot < lineCount; ++slot) {
        std::vector<bool>& row = taken[static_cast<std::size_t>(slot)];
        for (std::size_t c = 0; c < n; ++c) {
            if (!holds[static_cast<std::size_t>(slot)][c]) continue;
            CellSpan span{c, c, c};
            while (!fits(slot, span)) {
                if (span.last + 1 < n && !row[span.last + 1]) {
                    row[++span.last] = true;
                } else if (span.first > 0 && !row[span.first - 1]) {
                    row[--span.first] = true;
                } else if (freeBelow(span, slot)) {
                    auto& below = taken[static_cast<std::size_t>(slot + span.lines)];
                    for (std::size_t k = span.first; k <= span.last; ++k) below[k] = true;
                    ++span.lines;
                } else {
                    break;
                }
            }
            spans[static_cast<std::size_t>(slot)].push_back(span);
        }
    }
    return spans;
}

}  // namespace omrix::reports
