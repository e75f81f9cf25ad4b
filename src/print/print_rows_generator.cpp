#include "print/print_rows_generator.h"

#include <exception>
#include <string>

#include "breakdown/tree/ucw_walk.h"
#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "print/print_rows_run.h"
#include "util/progress.h"

namespace omrix::print {
namespace {

// The lines of the breakdown. A run makes about as many rows, plus the blank lines that
// fill each page: room made for them at once spares copying the rows each time a vector
// grown row by row runs out.
std::size_t lineCount(const breakdown::COmrixEditUcw* root) {
    std::size_t count = 0;
    auto counted = [&count](const breakdown::COmrixEditUcw*) {
        ++count;
        return false;
    };
    if (root != nullptr) breakdown::findFrom(root, true, counted);
    return count;
}

using breakdown::COmrixEditUcw;

// Headings whose lines get pages of their own when ticked.
constexpr int16_t kOwnPagesKinds =
    breakdown::kFlagSyumoku | breakdown::kFlagKamoku | breakdown::kFlagBesshi;

bool isTicked(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    return tree.fnGetTreeUchiwakeChecked(line.prUchiwakeRec().内訳ＩＤ);
}

}  // namespace

bool fnIsPrintTarget(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    const int16_t flag = line.prUchiwakeRec().種別フラグ;
    // Totals and line items print whatever the tree says; only headings ask it.
    if ((flag & breakdown::kFlagGokei) != 0) return true;
    if ((flag & breakdown::kFlagMeisai) != 0 && (flag & breakdown::kFlagBesshi) == 0) return true;
    return (flag & kOwnPagesKinds) != 0 && isTicked(line, tree);
}

bool fnHasOwnPages(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    return (line.prUchiwakeRec().種別フラグ & kOwnPagesKinds) != 0 && isTicked(line, tree);
}

bool fnCreatePrintRows(const PrintOptionRec& options, PrintRows& rows,
                       const level_tree::LevelTreeModel& tree, util::Progress* progress) {
    return createPrintRows(printSourceFromContext(), options, rows, tree, progress);
}

bool createPrintRows(const PrintSource& source, const PrintOptionRec& options, PrintRows& rows,
                     const level_tree::LevelTreeModel& tree, util::Progress* progress) {
    rows.clear();
    const std::size_t lines = lineCount(source.root);
    rows.reserve(lines + lines / 4);
    try {
        if (breakdown::COmrixEditUcw* root = source.root) {
            PrintRowsRun run(source.uchiwakeNameId, options, rows, tree);
            if (options.nBesshiPrint == kOptionOn && options.nBesshiMode == kBesshiOnly) {
                run.sheetsOnlyWalk(*root);
            } else {
                run.mainWalk(*root);
            }
        }
    } catch (const std::exception& e) {
        rows.clear();
        platform::showMessageBox(e.what(), platform::kStyleExclamation, "エラー");
        util::hideProgress(progress);
        return false;
    }
    if (rows.empty()) {
        platform::showMessageBox(
            "内訳が取得できませんでした\r\n出力する内訳、または印刷オプションを選択しなおしてくださ"
            "い",
            platform::kStyleExclamation, "内訳出力");
        return false;
    }
    fnAlignTotalRows(rows, 1);
    return true;
}

}  // namespace omrix::print
