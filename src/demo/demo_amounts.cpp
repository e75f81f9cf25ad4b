#include "demo/demo_amounts.h"

#include <cstddef>
#include <vector>

#include "demo/demo_pricing.h"

namespace omrix::demo {
namespace {

bool isUnused(const DemoLine& l) {
    return breakdown::fnMajorSyubetu(l.種別フラグ) == breakdown::kSyubetuMeisai &&
           (l.種別フラグ & breakdown::kFlagMishiyou) != 0;
}

bool isSelfMoney(const DemoLine& l, bool hasChildren) {
    switch (breakdown::fnMajorSyubetu(l.種別フラグ)) {
        case breakdown::kSyubetuMeisai:
        case breakdown::kSyubetu512:
        case breakdown::kSyubetuKeizoku:
            return true;
        case breakdown::kSyubetuSyumoku:
        case breakdown::kSyubetuKamoku:
        case breakdown::kSyubetuChuKamoku:
        case breakdown::kSyubetuBesshi:
            return !hasChildren;
        default:
            return false;
    }
}

bool ownAmounts(DemoLine& l) {
    return wholeAmount(l.見積１単価, l.内訳数量, l.見積１金額) &&
           wholeAmount(l.見積２単価, l.内訳数量, l.見積２金額) &&
           wholeAmount(l.提出用単価, l.内訳数量, l.提出用金額);
}

class AmountPass {
  public:
    explicit AmountPass(std::vector<DemoLine>& lines) : lines_(lines), children_(lines.size()) {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const int32_t parent = lines[i].親内訳ＩＤ;
            if (parent > 0) children_[static_cast<std::size_t>(parent - 1)].push_back(i);
        }
    }

    bool run() { return lines_.empty() || line(0); }

  private:
    bool line(std::size_t i);
    bool headingAmounts(DemoLine& l, const std::vector<std::size_t>& kids);

    std::vector<DemoLine>& lines_;
    std::vector<std::vector<std::size_t>> children_;
};

bool AmountPass::line(std::size_t i) {
    const auto& kids = children_[i];
    for (std::size_t k : kids) {
        if (!line(k)) return false;
    }
    DemoLine& l = lines_[i];
    if (isSelfMoney(l, !kids.empty())) return ownAmounts(l);
    return headingAmounts(l, kids);
}

bool AmountPass::headingAmounts(DemoLine& l, const std::vector<std::size_t>& kids) {
    Currency sum1, sum2, sum3;
    for (std::size_t k : kids) {
        const DemoLine& child = lines_[k];
        if (isUnused(child) ||
            breakdown::fnMajorSyubetu(child.種別フラグ) == breakdown::kSyubetuGokeiMidasi)
            continue;
        auto s1 = sum1.plus(child.見積１金額.truncated());
        auto s2 = sum2.plus(child.見積２金額.truncated());
        auto s3 = sum3.plus(child.提出用金額.truncated());
        if (!s1 || !s2 || !s3) return false;
        sum1 = *s1, sum2 = *s2, sum3 = *s3;
    }
    if (breakdown::fnMajorSyubetu(l.種別フラグ) == breakdown::kSyubetuGokei &&
        l.合計見出し行ＩＤ > 0) {
        const DemoLine& heading = lines_[static_cast<std::size_t>(l.合計見出し行ＩＤ - 1)];
        sum1 = heading.見積１金額, sum2 = heading.見積２金額, sum3 = heading.提出用金額;
    }
    l.見積１単価 = l.見積１金額 = sum1;
    l.見積２単価 = l.見積２金額 = sum2;
    l.提出用単価 = l.提出用金額 = sum3;
    if (l.種別フラグ == breakdown::kFlagMeisaiGokei) {
        // A total line of line-item type keeps its stored price and quantity.
        l.補助明細コード = "90";
        return true;
    }
    if (l.内訳数量 == 0.0) l.内訳数量 = 1.0;
    if (l.単位名称.empty()) l.単位名称 = "式";
    auto a1 = l.見積１単価.times(l.内訳数量), a2 = l.見積２単価.times(l.内訳数量),
         a3 = l.提出用単価.times(l.内訳数量);
    if (!a1 || !a2 || !a3) return false;
    l.見積１金額 = *a1, l.見積２金額 = *a2, l.提出用金額 = *a3;
    return true;
}

// Rate of a whole amount, cut to thousands of yen.
Currency rateOf(Currency total, int32_t permille) {
    const int64_t yen = total.wholeUnits() * permille / 1000 / 1000 * 1000;
    return Currency::fromUnits(yen).value_or(Currency());
}

}  // namespace

bool computeAmounts(BreakdownPlan& plan) {
    if (!AmountPass(plan.lines).run()) return false;
    if (!plan.overheads.empty()) {
        Currency direct1, direct2, direct3;
        for (int32_t id : plan.workTypes) {
            const DemoLine& w = plan.lines[static_cast<std::size_t>(id - 1)];
            direct1 = direct1.plus(w.見積１金額).value_or(direct1);
            direct2 = direct2.plus(w.見積２金額).value_or(direct2);
            direct3 = direct3.plus(w.提出用金額).value_or(direct3);
        }
        for (const auto& o : plan.overheads) {
            DemoLine& l = plan.lines[static_cast<std::size_t>(o.内訳ＩＤ - 1)];
            l.見積１単価 = rateOf(direct1, o.permille);
            l.見積２単価 = rateOf(direct2, o.permille);
            l.提出用単価 = rateOf(direct3, o.permille);
        }
        if (!AmountPass(plan.lines).run()) return false;
    }
    for (auto& old : plan.superseded) {
        if (!ownAmounts(old)) return false;
    }
    return true;
}

}  // namespace omrix::demo
