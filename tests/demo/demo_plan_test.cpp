// The demo's generator without a database: its chance, its catalogue and the shape of
// the breakdown it plans.

#include <gtest/gtest.h>

#include <climits>
#include <map>
#include <set>

#include "demo/demo_amounts.h"
#include "demo/demo_breakdown.h"
#include "demo/demo_catalogue.h"
#include "demo/demo_formulas.h"
#include "demo/demo_random.h"
#include "util/cp932.h"
#include "util/text.h"

namespace omrix::demo {
namespace {

bool fitsCp932(std::string_view text, int32_t width) {
    return util::fnLenByte(text) <= width && util::cp932ToUtf8(util::utf8ToCp932(text)) == text;
}

TEST(DemoRandom, DrawsRepeatForASeedAndStayInRange) {
    DemoRandom a(42), b(42);
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(a.between(-7, 1000), b.between(-7, 1000));
        ASSERT_EQ(a.unit(), b.unit());
    }

    DemoRandom r(7);
    EXPECT_EQ(r.between(5, 5), 5);
    EXPECT_EQ(r.between(3, 2), 3);  // an empty range gives its lower end
    std::set<int32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const int32_t v = r.between(0, 3);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 3);
        seen.insert(v);
        const double u = r.unit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
    EXPECT_EQ(seen.size(), 4u);  // both ends are reached

    const int32_t weights[] = {0, 5, 0, 1};
    for (int i = 0; i < 500; ++i) {
        const auto k = r.weighted(weights);
        ASSERT_TRUE(k == 1 || k == 3);
    }
    const int32_t none[] = {0, 0};
    EXPECT_EQ(r.weighted(none), 0u);
}

TEST(DemoCatalogue, EveryTextFitsItsColumnAndEveryFormulaEvaluates) {
    DemoFormulas formulas(projectVariables());
    for (const auto& work : syumokuCatalogue()) {
        EXPECT_TRUE(fitsCp932(work.name, 54)) << work.name;
        EXPECT_TRUE(fitsCp932(work.pageName, 16)) << work.pageName;
        EXPECT_FALSE(work.kamoku.empty()) << work.name;
        for (const auto& kamoku : work.kamoku) {
            EXPECT_TRUE(fitsCp932(kamoku.name, 54)) << kamoku.name;
            EXPECT_TRUE(fitsCp932(kamoku.code, 16)) << kamoku.code;
            EXPECT_EQ(kamoku.items.empty(), work.overhead) << kamoku.name;
            for (auto section : kamoku.sections) {
                // Large demos number the sections by work zone.
                EXPECT_TRUE(fitsCp932(std::string(section) + "（99工区）", 54)) << section;
            }
            for (const auto& item : kamoku.items) {
                EXPECT_TRUE(fitsCp932(item.name, 54)) << item.name;
                EXPECT_TRUE(fitsCp932(item.spec, 66)) << item.spec;
                EXPECT_GT(unitId(item.unit), 0) << item.name << " " << item.unit;
                EXPECT_NE(item.price, 0) << item.name;
                EXPECT_LE(item.lo, item.hi) << item.name;
                if (item.formula.empty()) {
                    EXPECT_GT(item.lo, 0.0) << item.name;
                } else {
                    auto value = formulas.evaluate(item.formula);
                    ASSERT_TRUE(value.has_value()) << item.formula;
                    EXPECT_GT(*value, 0.0) << item.formula;
                    EXPECT_TRUE(fitsCp932(item.formula, 128)) << item.formula;
                }
            }
        }
    }
    for (auto name : groupHeadingNames()) {
        EXPECT_TRUE(fitsCp932("【" + std::string(name) + "】 小計", 54)) << name;
    }
    for (auto name : sheetNames()) EXPECT_TRUE(fitsCp932(name, 54)) << name;
    for (auto name : apartSheetNames()) EXPECT_TRUE(fitsCp932(name, 54)) << name;
    for (auto text : continuationTexts()) EXPECT_TRUE(fitsCp932(text, 66)) << text;
    for (auto text : internalRemarks()) EXPECT_TRUE(fitsCp932(text, 34)) << text;
    for (auto text : externalRemarks()) EXPECT_TRUE(fitsCp932(text, 34)) << text;
    for (const auto& labour : labourCatalogue()) EXPECT_TRUE(fitsCp932(labour.name, 54));
    for (const auto& v : projectVariables()) {
        EXPECT_TRUE(fitsCp932(v.name, 16)) << v.name;
        EXPECT_TRUE(fitsCp932(v.label, 32)) << v.label;
    }
}

TEST(DemoFormulas, LongerNamesAreReplacedFirst) {
    // 階数 is part of 地上階数: replaced first it would leave 地上9.
    DemoFormulas formulas(projectVariables());
    EXPECT_EQ(formulas.evaluate("地上階数*2"), 16.0);
    EXPECT_EQ(formulas.evaluate("階数-地下階数"), 8.0);
    EXPECT_EQ(formulas.evaluate("(W+D)*2*H"), (32.4 + 19.8) * 2 * 31.5);
    EXPECT_FALSE(formulas.evaluate("延床面積*").has_value());
    EXPECT_FALSE(formulas.evaluate("未定義の変数*2").has_value());
}

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
        if (kind == 4096) {
            // A continuation follows the line it continues or another continuation of it.
            const DemoLine& owner = plan.lines[static_cast<std::size_t>(l.継続親内訳ＩＤ - 1)];
            const int32_t before = previousSibling[l.内訳ＩＤ];
            ASSERT_EQ(owner.親内訳ＩＤ, l.親内訳ＩＤ);
            ASSERT_TRUE(before == owner.内訳ＩＤ ||
                        plan.lines[static_cast<std::size_t>(before - 1)].継続親内訳ＩＤ ==
                            owner.内訳ＩＤ);
            ASSERT_GE(l.継続行No, 1);
        }
        if (kind == 64) {
            ASSERT_EQ(previousSibling[l.内訳ＩＤ], l.合計見出し行ＩＤ);
            const auto& heading = plan.lines[static_cast<std::size_t>(l.合計見出し行ＩＤ - 1)];
            ASSERT_EQ(breakdown::fnMajorSyubetu(heading.種別フラグ),
                      breakdown::kSyubetuGokeiMidasi);
        }
        if (l.daika) {
            ASSERT_EQ(kind, 8);
            ASSERT_GT(lastChild[l.内訳ＩＤ], 0) << "a breakdown owner without lower lines";
        }
        if (kind == 8 && lastChild[l.内訳ＩＤ] > 0) {
            ASSERT_TRUE(l.daika.has_value());
        }
    }
    for (const DemoLine& old : plan.superseded) {
        ASSERT_LE(old.内訳ＩＤ, lines);
        ASSERT_EQ(plan.lines[static_cast<std::size_t>(old.内訳ＩＤ - 1)].親内訳ＩＤ,
                  old.親内訳ＩＤ);
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

TEST(DemoPlan, OverheadsAreRatesOfTheDirectCost) {
    DemoRandom random(5);
    DemoFormulas formulas(projectVariables());
    BreakdownPlan plan;
    ASSERT_TRUE(planBreakdown(random, formulas, "工事", 2000, plan));
    ASSERT_TRUE(computeAmounts(plan));
    ASSERT_EQ(plan.overheads.size(), 3u);
    int64_t direct = 0;
    for (int32_t id : plan.workTypes) direct += plan.lines[id - 1].提出用金額.wholeUnits();
    int64_t overheads = 0;
    for (const auto& o : plan.overheads) {
        const auto amount = plan.lines[o.内訳ＩＤ - 1].提出用金額.wholeUnits();
        // The rate of the direct cost, cut to thousands of yen.
        const double rate = static_cast<double>(direct) * o.permille / 1000.0;
        EXPECT_EQ(amount % 1000, 0);
        EXPECT_LE(static_cast<double>(amount), rate);
        EXPECT_GT(static_cast<double>(amount), rate - 1000.0);
        overheads += amount;
    }
    EXPECT_EQ(plan.lines.front().提出用金額.wholeUnits(), direct + overheads);
}

}  // namespace
}  // namespace omrix::demo
