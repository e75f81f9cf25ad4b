#include "print/print_rows_generator.h"

#include <exception>
#include <string>

#include "context/app_context.h"
#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "print/print_convert.h"
#include "print/print_progress.h"
#include "print/print_rows_run.h"

namespace omrix::print {
namespace {

using breakdown::COmrixEditUcw;

// Headings whose lines get pages of their own when ticked.
constexpr int16_t kOwnPagesKinds =
    breakdown::kFlagSyumoku | breakdown::kFlagKamoku | breakdown::kFlagBesshi;

bool isTicked(const COmrixEditUcw& line, const level_tree::LevelTreeModel& tree) {
    return tree.fnGetTreeUchiwakeChecked(line.prUchiwakeRec().内訳ＩＤ);
}

}  // namespace

void addPrintRow(int32_t uchiwakeNameId, const breakdown::UchiwakeRec& line, PrintRows& rows,
                 int32_t& rowCount, int32_t page, int32_t displayPage, int32_t lineNo,
                 std::string_view pageName, const PrintOptionRec& options,
                 const breakdown::UchiwakeRec* lineAbove) {
    ++rowCount;
    rows.resize(static_cast<std::size_t>(rowCount));
    const PrintRowPlace place{uchiwakeNameId, rowCount, page, displayPage, lineNo, pageName};
    fnConvertPrintRow(place, line, options, lineAbove, rows.back());
}

void fnAddPrintRow(const breakdown::UchiwakeRec& line, PrintRows& rows, int32_t& rowCount,
                   int32_t page, int32_t displayPage, int32_t lineNo, std::string_view pageName,
                   const PrintOptionRec& options, const breakdown::UchiwakeRec* lineAbove) {
    addPrintRow(context::appContext().UchiwakeNameID, line, rows, rowCount, page, displayPage,
                lineNo, pageName, options, lineAbove);
}

void padPage(int32_t uchiwakeNameId, const PrintOptionRec& options, PrintRows& rows,
             int32_t& rowCount, int32_t& page, int32_t& displayPage, int32_t& lineNo,
             std::string_view pageName) {
    breakdown::UchiwakeRec blank;
    breakdown::sbOmrix_DBT_Uchiwake_Clear(blank);
    while (lineNo < kLinesPerPage) {
        ++lineNo;
        addPrintRow(uchiwakeNameId, blank, rows, rowCount, page, displayPage, lineNo, pageName,
                    options);
    }
    ++page;
    ++displayPage;
    lineNo = 0;
}

void fnFillPage(const PrintOptionRec& options, PrintRows& rows, int32_t& rowCount, int32_t& page,
                int32_t& displayPage, int32_t& lineNo, std::string_view pageName) {
    padPage(context::appContext().UchiwakeNameID, options, rows, rowCount, page, displayPage,
            lineNo, pageName);
}

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
                       const level_tree::LevelTreeModel& tree, PrintProgress* progress) {
    return createPrintRows(printSourceFromContext(), options, rows, tree, progress);
}

bool createPrintRows(const PrintSource& source, const PrintOptionRec& options, PrintRows& rows,
                     const level_tree::LevelTreeModel& tree, PrintProgress* progress) {
    rows.clear();
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
