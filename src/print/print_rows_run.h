#pragma once
// The counters and the array of one generation of print rows, and its three walks.
// Used by createPrintRows only.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "breakdown/tree/edit_ucw.h"
#include "print/print_options.h"
#include "print/print_row.h"

namespace omrix::level_tree {
class LevelTreeModel;
}

namespace omrix::print {

class PrintRowsRun {
  public:
    using Line = breakdown::COmrixEditUcw;

    PrintRowsRun(int32_t uchiwakeNameId, const PrintOptionRec& options, PrintRows& rows,
                 const level_tree::LevelTreeModel& tree);

    // The main pages, then the pages of every ticked 種目, 科目 and 別紙 below them.
    void mainWalk(Line& root);
    // Only the sheets printed apart from the statement, each numbered from 1.
    void sheetsOnlyWalk(Line& root);

  private:
    using Queue = std::vector<Line*>;

    void subStatementPages(Queue queue, std::string_view pageName);
    Queue subStatement(Line& top, std::string_view pageName);
    void sheetGroup(Line& top);
    Queue sheetsToPrint(Line& root);

    // One converted line as 内訳出力ＩＤ rowCount + 1 on the current page and line.
    // `lineAbove` is the line printed just above on the same page (null on a page's
    // first line), for the ditto mark.
    void fnAddPrintRow(const breakdown::UchiwakeRec& line, int32_t displayPage,
                       std::string_view pageName, const breakdown::UchiwakeRec* lineAbove);
    void addLine(const Line& line, int32_t displayPage, std::string_view pageName);
    // After the 15th line of a page, when the walk goes on past `added`: the next page.
    void closeFullPage(const Line& added, int32_t& displayPage, int32_t* mainDisplayPage);
    void addFirstLine(const Line& line, int32_t displayPage, std::string_view pageName);
    // Blank lines up to 15, then the next page: both page counters advance and the
    // line number is 0.
    void fnFillPage(int32_t& displayPage, std::string_view pageName);

    int32_t uchiwakeNameId_;
    const PrintOptionRec& options_;
    PrintRows& rows_;
    const level_tree::LevelTreeModel& tree_;
    int32_t rowCount_ = 0;
    int32_t page_ = 0;         // 頁番号
    int32_t displayPage_ = 0;  // 表示頁番号 of the main pages
    int32_t line_ = 0;         // 表示No
    const breakdown::UchiwakeRec* above_ = nullptr;
};

}  // namespace omrix::print
