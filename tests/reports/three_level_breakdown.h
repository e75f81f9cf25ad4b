#pragma once
// A breakdown of three levels of headings, turned into a B5 print run's rows and
// written as 内訳名称ＩＤ 7 of project 00000001:
//   本工事
//     Ⅰ 建築 (種目)
//       1 躯体 (科目)
//         (1) 鉄筋 (科目): items.rebar, each named 明細<its ID>
//         明細5
//       2 仕上 (科目): items.finish
//     Ⅱ 設備 (種目): items.services

#include <gtest/gtest.h>

#include "breakdown/ucw_fixture.h"
#include "level_tree/level_tree_model.h"
#include "print/print_rows_generator.h"
#include "reports/report_fixture.h"

namespace omrix::testing {

// `count` items with IDs from `firstId`.
struct ItemRun {
    int count;
    int32_t firstId;
};
struct ThreeLevelItems {
    ItemRun rebar{20, 10}, finish{2, 30}, services{2, 40};
};

// The rows written, or none (and a test failure) when they cannot be made.
inline print::PrintRows writeThreeLevelBreakdown(ReportDatabase& db, ThreeLevelItems items = {}) {
    using namespace breakdown;
    auto numbered = [](int32_t id, int32_t parent, int16_t flag, int32_t no, std::string number,
                       std::string name) {
        UchiwakeRec rec = line(id, parent, flag, no, std::move(name));
        rec.表示番号名称 = std::move(number);
        return rec;
    };
    std::vector<UchiwakeRec> lines{
        numbered(1, 0, kFlagSyumoku, 1, "", "本工事"),
        numbered(2, 1, kFlagSyumoku, 1, "Ⅰ", "建築"),
        numbered(3, 2, kFlagKamoku, 1, "1", "躯体"),
        numbered(4, 3, kFlagKamoku, 1, "(1)", "鉄筋"),
        line(5, 3, kFlagMeisai, 2, "明細5"),
        numbered(6, 2, kFlagKamoku, 2, "2", "仕上"),
        numbered(7, 1, kFlagSyumoku, 2, "Ⅱ", "設備"),
    };
    auto addItems = [&lines](int32_t parent, ItemRun run) {
        for (int i = 0; i < run.count; ++i)
            lines.push_back(line(run.firstId + i, parent, kFlagMeisai, i + 1,
                                 "明細" + std::to_string(run.firstId + i)));
    };
    addItems(4, items.rebar);
    addItems(6, items.finish);
    addItems(7, items.services);
    auto root = buildTree(std::move(lines));
    print::PrintRows rows;
    EXPECT_TRUE(root);
    if (!root) return rows;
    level_tree::LevelTreeModel tree;
    tree.sbCreateTree(root.get(), 0);
    for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
    print::PrintOptionRec options;
    options.nPageStart = 1;
    options.nPageType = print::kPageTypeOnlyNum;
    options.nBesshiMode = print::kBesshiAndAll;
    EXPECT_TRUE(print::sbSetPrintType(options, "B5"));
    EXPECT_TRUE(
        print::createPrintRows({.root = root.get(), .uchiwakeNameId = 7}, options, rows, tree));
    db.addBreakdown(7, "00000001", "外郭工事");
    db.tables.exec("Begin;");
    for (const print::PrintRow& row : rows) db.tables.exec(print::BuildPrintRowInsert(row));
    db.tables.exec("Commit;");
    return rows;
}

}  // namespace omrix::testing
