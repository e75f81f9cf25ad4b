// Amounts: a line's own from its formulas and prices, a heading's from its children.

#include <optional>
#include <string>
#include <string_view>

#include "breakdown/tree/edit_ucw.h"
#include "breakdown/tree/formula.h"
#include "breakdown/tree/program_values.h"
#include "platform/messages.h"
#include "util/text.h"

namespace omrix::breakdown {
namespace {

void showOverflow() {
    platform::showMessageBox(platform::kOverflowText, platform::kStyleExclamation);
}

template <std::size_t N>
std::string trimStore(FixedText<N>& field) {
    std::string trimmed(util::trimBlanks(field.trimmedRight()));
    field = trimmed;
    return trimmed;
}

// A value that does not fit leaves the target as it was. The window shows the bare
// message; the line and column are kept for the export, whose statement then holds
// a wrong total and must not pass for a clean run.
void store(Currency& target, std::optional<Currency> value, const UchiwakeRec& line,
           std::string_view column) {
    if (value) {
        target = *value;
        return;
    }
    showOverflow();
    noteAmountOverflow(line.内訳ＩＤ, column);
}

void addWhole(std::optional<Currency>& sum, Currency amount) {
    if (sum) sum = sum->plus(amount.truncated());
}

}  // namespace

void COmrixEditUcw::sbMoneyReCalc(std::vector<records::BukkenHensuRec>& variables) {
    FormulaEvaluator evaluator(variables);
    sbMoneyReCalc(evaluator);
}

// Children before their parent, in sibling order; written as a loop so that the
// depth of the tree does not matter. A self-money line does not recalculate its
// children: the lower lines of a unit-price breakdown keep their stored amounts.
void COmrixEditUcw::sbMoneyReCalc(FormulaEvaluator& evaluator) {
    auto deepestFirst = [](COmrixEditUcw* line) {
        while (line->topChild_ != nullptr && !line->fnIsSelfMoney()) line = line->topChild_;
        return line;
    };
    COmrixEditUcw* line = deepestFirst(this);
    for (;;) {
        if (!line->fnIsSelfMoney()) {
            std::optional<Currency> sum1 = Currency(), sum2 = Currency(), sum3 = Currency();
            for (const COmrixEditUcw* child = line->topChild_; child != nullptr;
                 child = child->next_) {
                if (child->fnIsUnUsed() || child->fnGetMajorSyubetu() == kSyubetuGokeiMidasi) {
                    continue;
                }
                addWhole(sum1, child->rec_->見積１金額);
                addWhole(sum2, child->rec_->見積２金額);
                addWhole(sum3, child->rec_->提出用金額);
            }
            if (const COmrixEditUcw* heading = line->fnGetPairGokeiMidasi()) {
                sum1 = heading->rec_->見積１金額;
                sum2 = heading->rec_->見積２金額;
                sum3 = heading->rec_->提出用金額;
            }
            store(line->rec_->見積１金額, sum1, *line->rec_, "見積１金額");
            store(line->rec_->見積２金額, sum2, *line->rec_, "見積２金額");
            store(line->rec_->提出用金額, sum3, *line->rec_, "提出用金額");
        }
        line->sbSelfAdjustMoney(evaluator);
        if (line == this) break;
        line = line->next_ != nullptr ? deepestFirst(line->next_) : line->parent_;
    }
}

void COmrixEditUcw::sbSelfAdjustMoney(std::vector<records::BukkenHensuRec>& variables) {
    FormulaEvaluator evaluator(variables);
    sbSelfAdjustMoney(evaluator);
}

void COmrixEditUcw::sbSelfAdjustMoney(FormulaEvaluator& evaluator) {
    UchiwakeRec& r = *rec_;
    if (fnIsSelfMoney()) {
        std::string quantity = trimStore(r.数量計算式);
        std::string price1 = trimStore(r.見積１単価計算式);
        std::string price2 = trimStore(r.見積２単価計算式);
        std::string price3 = trimStore(r.提出用単価計算式);
        if (!quantity.empty()) r.内訳数量 = evaluator.fnCalcFormula(quantity);
        if (!price1.empty())
            store(r.見積１単価, Currency::fromDouble(evaluator.fnCalcFormula(price1)), r,
                  "見積１単価");
        if (!price2.empty())
            store(r.見積２単価, Currency::fromDouble(evaluator.fnCalcFormula(price2)), r,
                  "見積２単価");
        if (!price3.empty())
            store(r.提出用単価, Currency::fromDouble(evaluator.fnCalcFormula(price3)), r,
                  "提出用単価");
        // Whole amounts: the product rounded to four decimals, then cut.
        auto whole = [&](Currency price) -> std::optional<Currency> {
            auto amount = price.times(r.内訳数量);
            if (!amount) return std::nullopt;
            return amount->truncated();
        };
        store(r.見積１金額, whole(r.見積１単価), r, "見積１金額");
        store(r.見積２金額, whole(r.見積２単価), r, "見積２金額");
        store(r.提出用金額, whole(r.提出用単価), r, "提出用金額");
        return;
    }
    if (r.種別フラグ == kFlagMeisaiGokei) {
        r.補助明細コード = "90";
        return;
    }
    r.見積１単価 = r.見積１金額;
    r.見積２単価 = r.見積２金額;
    r.提出用単価 = r.提出用金額;
    if (r.内訳数量 == 0.0) r.内訳数量 = 1.0;
    if (trimStore(r.単位名称).empty()) r.単位名称 = "式";
    store(r.見積１金額, r.見積１単価.times(r.内訳数量), r, "見積１金額");
    store(r.見積２金額, r.見積２単価.times(r.内訳数量), r, "見積２金額");
    store(r.提出用金額, r.提出用単価.times(r.内訳数量), r, "提出用金額");
}

}  // namespace omrix::breakdown
