// The breakdown the demo plans, without a database: the size asked for, under the tree
// rules the loader holds to, at sizes from one line up.

#include <gtest/gtest.h>

#include <map>

#include "demo/demo_amounts.h"
#include "demo/demo_breakdown.h"
#include "demo/demo_catalogue.h"
#include "demo/demo_formulas.h"
#include "demo/demo_random.h"

namespace omrix::demo {
namespace {

// The tree rules of the loader, and the links between lines the demo promises.
void expectTreeRules(const BreakdownPlan& plan, int32_t lines) {
    ASSERT_EQ(static_cast<int32_t>(plan.lines.size()), lines);
    std::map<std::pair<int32_t, int32_t>, int32_t> order;  // (parent, 表示No) → id
    std::map<int32_t, int32_t> previousSibling;
    std::map<int32_t, int32_t> lastChild;
    for (std::size_t i = 0; i < plan.lines.size(); ++i) {
        const DemoLine& l = plan.lines[i];
        ASSERT_EQ(l.内訳ＩＤ, static_cast<int32_t>(i) + 1);
        if (i == 0) {
            ASSERT_EQ(l.親内訳ＩＤ, 0);
            ASSERT_EQ(l.種別フラグ, 0);
        } else {
            ASSERT_GT(l.親内訳ＩＤ, 0) << l.内訳ＩＤ;  // one top-level line only
            ASSERT_LT(l.親内訳ＩＤ, l.内訳ＩＤ);       // the parent exists and comes first
        }
        ASSERT_TRUE(order.emplace(std::pair{l.親内訳ＩＤ, l.表示No}, l.内訳ＩＤ).second)
            << "表示No repeated under " << l.親内訳ＩＤ;
        previousSibling[l.内訳ＩＤ] = lastChild[l.親内訳ＩＤ];
        lastChild[l.親内訳ＩＤ] = l.内訳ＩＤ;
        for (int16_t pair : {0x03, 0x09, 0x0A, 0x30, 0x50, 0xA0, 0xC0, 0x60}) {
            ASSERT_NE(l.種別フラグ & pair, pair) << "flag " << l.種別フラグ;
        }
    }
    for (const DemoLine& l : plan.lines) {
        const int16_t kind = breakdown::fnMajorSyubetu(l.種別フラグ);
        if (kind == 64) {
            ASSERT_EQ(previousSibling[l.内訳ＩＤ], l.合計見出し行ＩＤ);
            const auto& heading = plan.lines[static_cast<std::size_t>(l.合計見出し行ＩＤ - 1)];
            ASSERT_EQ(breakdown::fnMajorSyubetu(heading.種別フラグ),
                      breakdown::kSyubetuGokeiMidasi);
        }
        // A unit-price breakdown exactly on the line items with lower lines.
        ASSERT_EQ(l.daika.has_value(), kind == 8 && lastChild[l.内訳ＩＤ] > 0) << l.内訳ＩＤ;
    }
}

TEST(DemoPlan, MakesExactlyTheLinesAskedForUnderTheTreeRules) {
    for (int32_t lines : {1, 2, 3, 4, 5, 10, 11, 25, 26, 27, 79, 80, 81, 150, 2000, 7777}) {
        for (uint32_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE("lines " + std::to_string(lines) + " seed " + std::to_string(seed));
            DemoRandom random(seed);
            DemoFormulas formulas(projectVariables());
            BreakdownPlan plan;
            ASSERT_TRUE(planBreakdown(random, formulas, "工事", lines, plan));
            ASSERT_TRUE(computeAmounts(plan));
            expectTreeRules(plan, lines);
        }
    }
}

}  // namespace
}  // namespace omrix::demo
