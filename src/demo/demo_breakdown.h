#pragma once
// The shape of the demo breakdown: one heading line, the work types (種目) with their
// page names, subjects (科目) in trade order, sub-subjects (中科目), line items, and
// among them continuation lines, total headings with their totals, separate sheets
// (別紙, some printed apart), unused lines and items with unit-price breakdowns.
// Exactly the requested number of lines is made; every tree rule of the loader holds.

#include <cstdint>
#include <string_view>
#include <vector>

#include "demo/demo_formulas.h"
#include "demo/demo_line.h"
#include "demo/demo_random.h"

namespace omrix::demo {

// An overhead subject (共通費) whose price is a rate of the direct cost.
struct OverheadLine {
    int32_t 内訳ＩＤ = 0;
    int32_t permille = 0;
};

struct BreakdownPlan {
    std::vector<DemoLine> lines;     // 内訳ＩＤ = index + 1, parents first
    std::vector<int32_t> workTypes;  // 内訳ＩＤ of the 種目 lines priced directly
    std::vector<OverheadLine> overheads;
    // Earlier states of some line items, kept soft-deleted (削除区分 '1') beside the
    // live line with the same 内訳ＩＤ, as the suite's editor leaves them.
    std::vector<DemoLine> superseded;
};

// Other-company staff (他社担当者ＭＩＤ 1..n) that separate sheets may name.
inline constexpr int32_t kDemoTashaTantoshaCount = 4;

// False only when a formula of the catalogue fails to evaluate.
bool planBreakdown(DemoRandom& random, DemoFormulas& formulas, std::string_view title,
                   int32_t lineCount, BreakdownPlan& plan);

}  // namespace omrix::demo
