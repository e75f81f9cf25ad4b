// The walks of one print-row generation: the main pages with the pages of every
// ticked heading below them, depth first, or the separate sheets alone.

#include "print/print_rows_run.h"

#include <unordered_map>
#include <utility>

#include "breakdown/tree/ucw_walk.h"
#include "level_tree/level_tree_model.h"
#include "print/print_convert.h"
#include "print/print_rows_generator.h"

namespace omrix::print {
namespace {

using Line = breakdown::COmrixEditUcw;

int16_t flagOf(const Line& line) {
    return line.prUchiwakeRec().種別フラグ;
}

bool isApart(const Line& line) {
    return breakdown::isBesshiApart(flagOf(line));
}

// Total headings print nothing themselves; their lines are walked in place.
bool isTotalHeading(const Line& line) {
    return (flagOf(line) & breakdown::kFlagGokeiMidasi) != 0;
}

std::string_view pageNameOf(const Line& line) {
    return line.prUchiwakeRec().頁名称.trimmedRight();
}

}  // namespace

PrintRowsRun::PrintRowsRun(int32_t uchiwakeNameId, const PrintOptionRec& options, PrintRows& rows,
                           const level_tree::LevelTreeModel& tree)
    : uchiwakeNameId_(uchiwakeNameId),
      options_(options),
      rows_(rows),
      tree_(tree),
      page_(options.nPageStart),
      displayPage_(options.nPageStart) {}

void PrintRowsRun::fnAddPrintRow(const breakdown::UchiwakeRec& line, int32_t displayPage,
                                 std::string_view pageName,
                                 const breakdown::UchiwakeRec* lineAbove) {
    ++rowCount_;
    rows_.resize(static_cast<std::size_t>(rowCount_));
    const PrintRowPlace place{uchiwakeNameId_, rowCount_, page_, displayPage, line_, pageName};
    fnConvertPrintRow(place, line, options_, lineAbove, rows_.back());
}

void PrintRowsRun::addFirstLine(const Line& line, int32_t displayPage, std::string_view pageName) {
    line_ = 1;
    fnAddPrintRow(line.prUchiwakeRec(), displayPage, pageName, nullptr);
    above_ = &line.prUchiwakeRec();
}

void PrintRowsRun::addLine(const Line& line, int32_t displayPage, std::string_view pageName) {
    ++line_;
    fnAddPrintRow(line.prUchiwakeRec(), displayPage, pageName, above_);
    above_ = &line.prUchiwakeRec();
}

void PrintRowsRun::closeFullPage(const Line& added, int32_t& displayPage,
                                 int32_t* mainDisplayPage) {
    // Any line of the walk counts as following, printed or not: a full page followed
    // only by skipped lines is closed here, and the closing fill adds a blank page.
    if (line_ < kLinesPerPage || added.fnGetEditNext() == nullptr) return;
    ++page_;
    ++displayPage;
    if (mainDisplayPage != nullptr) ++*mainDisplayPage;
    line_ = 0;
    above_ = nullptr;
}

void PrintRowsRun::fnFillPage(int32_t& displayPage, std::string_view pageName) {
    breakdown::UchiwakeRec blank;
    breakdown::sbOmrix_DBT_Uchiwake_Clear(blank);
    while (line_ < kLinesPerPage) {
        ++line_;
        fnAddPrintRow(blank, displayPage, pageName, nullptr);
    }
    ++page_;
    ++displayPage;
    line_ = 0;
    above_ = nullptr;
}

void PrintRowsRun::mainWalk(Line& root) {
    addFirstLine(root, displayPage_, {});
    // Blank lines at the end take the page name of the last line printed.
    std::string_view pageName;
    Queue queue;
    for (Line* line = root.fnGetTopChild(); line != nullptr; line = line->fnGetEditNext()) {
        if (isTotalHeading(*line) || !fnIsPrintTarget(*line, tree_)) continue;
        pageName = pageNameOf(*line);
        addLine(*line, displayPage_, pageName);
        if (fnHasOwnPages(*line, tree_)) queue.push_back(line);
        closeFullPage(*line, displayPage_, nullptr);
    }
    fnFillPage(displayPage_, pageName);
    if (!queue.empty()) subStatementPages(std::move(queue), pageNameOf(root));
}

void PrintRowsRun::subStatementPages(Queue queue, std::string_view pageName) {
    // The pages of a heading come before those of the next heading of its level:
    // a stack of queues, each with the position of its next line.
    std::vector<std::pair<Queue, std::size_t>> pending;
    pending.emplace_back(std::move(queue), 0);
    while (!pending.empty()) {
        auto& [lines, next] = pending.back();
        if (next == lines.size()) {
            pending.pop_back();
            continue;
        }
        Line* top = lines[next++];
        Queue lower = subStatement(*top, pageName);
        if (!lower.empty()) pending.emplace_back(std::move(lower), 0);
    }
}

PrintRowsRun::Queue PrintRowsRun::subStatement(Line& top, std::string_view pageName) {
    if (!fnIsPrintTarget(top, tree_)) return {};
    if (isApart(top) && options_.nBesshiPrint == kOptionOff) return {};
    // A sheet printed apart numbers its own pages from 1 unless told to go on with
    // the statement's numbering; then the statement's number moves with it.
    const bool continuous = !isApart(top) || options_.nPageTsuban == kOptionOn;
    int32_t sheetPage = continuous ? displayPage_ : 1;
    int32_t* mainDisplayPage = continuous ? &displayPage_ : nullptr;

    addFirstLine(top, sheetPage, pageName);
    Queue lower;
    for (Line* line = top.fnGetTopChild(); line != nullptr; line = line->fnGetEditNext()) {
        if (isTotalHeading(*line)) continue;
        addLine(*line, sheetPage, pageName);
        if (fnHasOwnPages(*line, tree_)) lower.push_back(line);
        closeFullPage(*line, sheetPage, mainDisplayPage);
    }
    fnFillPage(sheetPage, pageName);
    if (continuous) ++displayPage_;
    return lower;
}

void PrintRowsRun::sheetsOnlyWalk(Line& root) {
    for (Line* sheet : sheetsToPrint(root)) sheetGroup(*sheet);
}

void PrintRowsRun::sheetGroup(Line& top) {
    int32_t sheetPage = 1;
    addFirstLine(top, sheetPage, {});
    for (Line* line = top.fnGetTopChild(); line != nullptr; line = line->fnGetEditNext()) {
        if (isTotalHeading(*line)) continue;
        addLine(*line, sheetPage, {});
        closeFullPage(*line, sheetPage, nullptr);
    }
    fnFillPage(sheetPage, {});
}

PrintRowsRun::Queue PrintRowsRun::sheetsToPrint(Line& root) {
    Queue sheets;
    auto tickedSheetsBelow = [&](const Line& parent) {
        for (Line* line = parent.fnGetTopChild(); line != nullptr; line = line->fnGetEditNext()) {
            if (isApart(*line) && tree_.fnGetTreeUchiwakeChecked(line->prUchiwakeRec().内訳ＩＤ)) {
                sheets.push_back(line);
            }
        }
    };
    tickedSheetsBelow(root);

    const int32_t rootNode = tree_.rootNode();
    if (rootNode == 0) return sheets;
    // The lines of the nodes by their IDs, found once rather than searched per node;
    // pre-order, so the first line of an ID wins as in the search from the root.
    std::unordered_map<int32_t, Line*> byId;
    byId.emplace(root.prUchiwakeRec().内訳ＩＤ, &root);
    breakdown::findBelow(&root, [&](Line* line) {
        byId.emplace(line->prUchiwakeRec().内訳ＩＤ, line);
        return false;
    });
    auto lineOf = [&](const level_tree::LevelNode& node) -> Line* {
        auto found = byId.find(node.uchiwakeId);
        return found == byId.end() ? nullptr : found->second;
    };

    std::vector<Line*> levelTwo;
    for (int32_t n = tree_.node(rootNode).firstChild; n != 0; n = tree_.node(n).next) {
        if (tree_.node(n).uchiwakeId == -1) continue;
        Line* line = lineOf(tree_.node(n));
        if (line == nullptr) continue;
        tickedSheetsBelow(*line);
        levelTwo.push_back(line);
    }
    for (const Line* line : levelTwo) {
        const auto* node = tree_.nodeOfUchiwake(line->prUchiwakeRec().内訳ＩＤ);
        if (node == nullptr) continue;
        for (int32_t n = node->firstChild; n != 0; n = tree_.node(n).next) {
            if (level_tree::isPseudoUchiwakeId(tree_.node(n).uchiwakeId)) continue;
            Line* below = lineOf(tree_.node(n));
            if (below == nullptr) continue;
            // Every sheet below it, ticked or not, each before the sheets inside it.
            breakdown::findBelow(below, [&](Line* line) {
                if (isApart(*line)) sheets.push_back(line);
                return false;
            });
        }
    }
    return sheets;
}

}  // namespace omrix::print
