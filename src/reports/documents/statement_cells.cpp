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

std::vector<CellSpan> lineSpans(const StatementGeometry& g, const StatementLine& line,
                                const SpanFits& fits) {
    const std::size_t n = g.columns.size();
    std::vector<bool> taken(n, false);
    for (std::size_t c = 0; c < n; ++c) taken[c] = !isEmpty(cellTexts(g.columns[c].field, line));
    std::vector<CellSpan> spans;
    for (std::size_t c = 0; c < n; ++c) {
        if (taken[c]) spans.push_back({c, c, c});
    }
    for (CellSpan& span : spans) {
        while (!fits(span)) {
            if (span.last + 1 < n && !taken[span.last + 1]) {
                taken[++span.last] = true;
            } else if (span.first > 0 && !taken[span.first - 1]) {
                taken[--span.first] = true;
            } else {
                break;
            }
        }
    }
    return spans;
}

}  // namespace omrix::reports
