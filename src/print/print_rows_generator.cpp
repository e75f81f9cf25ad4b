#include "print/print_rows_generator.h"

#include <exception>
#include <string>

#include "platform/messages.h"
#include "print/print_convert.h"
#include "print/print_progress.h"
#include "print/print_rows_run.h"
#include "level_tree/level_tree_model.h"
#include "context/app_context.h"

namespace omrix::print {
namespace {

using breakdown::COmrixEditUcw;

constexpr int16_t kOwnPagesKinds = 1 | 2 | 16;
constexpr int16_t kMeisai = 8;
constexpr int16_t kBesshi = 16;
constexpr int16_t kGokei = 64;

bool isTicked(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    return tree.fnGetPrintKaisoChecked(std::to_string(line.prUchiwakeRec().内訳ＩＤ)) != 0;
}

}  // namespace

void fnAddPrintRow(const breakdown::UchiwakeRec& line, PrintRows& rows, int32_t& rowCount,
                   int32_t page, int32_t displayPage, int32_t lineNo, std::string_view pageName,
                   const PrintOptionRec& options, const breakdown::UchiwakeRec* lineAbove) {
    ++rowCount;
    rows.resize(static_cast<std::size_t>(rowCount));
    const PrintRowPlace place{
        context::appContext().UchiwakeNameID, rowCount, page, displayPage, lineNo, pageName};
    fnConvertPrintRow(place, line, options, lineAbove, rows.back());
}

void fnFillPage(const PrintOptionRec& options, PrintRows& rows, int32_t& rowCount, int32_t& page,
                int32_t& displayPage, int32_t& lineNo, std::string_view pageName) {
    breakdown::UchiwakeRec blank;
    breakdown::sbOmrix_DBT_Uchiwake_Clear(blank);
    while (lineNo < kLinesPerPage) {
        ++lineNo;
        fnAddPrintRow(blank, rows, rowCount, page, displayPage, lineNo, pageName, options);
    }
    ++page;
    ++displayPage;
    lineNo = 0;
}

bool fnIsPrintTarget(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    const int16_t flag = line.prUchiwakeRec().種別フラグ;
    // Totals and line items print whatever the tree says; only headings ask it.
    if ((flag & kGokei) != 0 || ((flag & kMeisai) != 0 && (flag & kBesshi) == 0)) return true;
    return (flag & kOwnPagesKinds) != 0 && isTicked(line, tree);
}

bool fnHasOwnPages(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    return (line.prUchiwakeRec().種別フラグ & kOwnPagesKinds) != 0 && isTicked(line, tree);
}

bool fnCreatePrintRows(const PrintOptionRec& options, PrintRows& rows,
                       const level_tree::LevelTreeModel& tree, PrintProgress* progress) {
    rows.clear();
    try {
        // A re-read that found no breakdown leaves no root: nothing to print then.
        const auto root = context::appContext().UchiwakeRoot;
        if (root) {
            PrintRowsRun run(options, rows, tree);
            if (options.nBesshiPrint == 1 && options.nBesshiMode == 2) {
                run.sheetsOnlyWalk(*root);
            } else {
                run.mainWalk(*root);
            }
        }
    } catch (const std::exception& e) {
        rows.clear();
        platform::showMessageBox(e.what(), platform::kStyleExclamation, "エラー");
        hidePrintProgress(progress);
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
