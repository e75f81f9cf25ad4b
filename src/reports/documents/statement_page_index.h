#pragma once
// The page index of a breakdown statement. Built once from one light pass over the
// rows of 内訳出力 (row, page and line numbers and the page name only), it lets any
// page k be read, painted or written out without reading pages 1 … k−1. A viewer
// reads only the pages in view, an export or a workbook writer streams page after
// page, and memory stays a few bytes per row whatever the page count.
//
//     StatementPageIndex index;
//     if (!index.build(db, selection)) ...;   // once, after the rows are written
//     for (int k = 1; k <= index.pageCount(); ++k)
//         if (auto page = index.readPage(db, k); !page) ...;
//
// The pages are exactly those paginateStatement() makes of all the rows: one page per
// 頁番号 in ascending order, lines in 表示No order, a 頁番号 of more than 15 lines
// going on over further pages. Rows are told apart by 内訳出力ＩＤ, which the print
// run numbers uniquely within a breakdown.

#include <cstdint>
#include <string>
#include <vector>

#include "data/core/database.h"
#include "reports/documents/statement_data.h"
#include "reports/engine/row_selection.h"
#include "util/failure.h"

namespace omrix::reports {

// Pages read with one query when pages go one after another (painting, writing out);
// a viewer shows a few at a time.
inline constexpr int kPagesPerRead = 8;
// Reading on from the pages last read doubles the next query's pages up to this many:
// an export or a workbook reads its statement in few queries, while a viewer's jump
// still reads kPagesPerRead.
inline constexpr int kMostPagesPerRead = 64;

class StatementPageIndex {
  public:
    // Reads the numbers of every selected row, replacing what the index held.
    util::Status build(data::CCCDBS_DataBase& db, const RowSelection& selection);

    // 0 for a statement without rows.
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // Page k (1 … pageCount()) as the index knows it, without its lines.
    int32_t pageNumber(int page) const;         // 頁番号
    int32_t displayPageNumber(int page) const;  // 表示頁番号 of its first line
    std::string pageName(int page) const;       // 頁名称: the first non-blank of its lines
    int lineCount(int page) const;
    // The rows the index was built from.
    const RowSelection& selection() const { return selection_; }

    // The lines of page k (1 … pageCount()). A row deleted since the index was built is
    // missing from its page. Fails when the rows cannot be read or k is out of range.
    util::Result<StatementPage> readPage(data::CCCDBS_DataBase& db, int page) const;
    // Pages first … first + count − 1 with one query, in page order; the count is cut
    // at the last page. Painting and writing go page after page, and a server answers
    // one query of several pages far sooner than as many small ones.
    util::Result<std::vector<StatementPage>> readPages(data::CCCDBS_DataBase& db, int first,
                                                       int count) const;

  private:
    struct Entry {
        int32_t 頁番号 = 0;
        int32_t 表示頁番号 = 0;
        uint32_t firstRow = 0;  // into rowIds_
        uint32_t rowCount = 0;
        int32_t nameIndex = -1;  // into names_, -1 without a name
    };
    const Entry* entry(int page) const;
    void takeLines(const Entry& e, std::vector<StatementLine>& rows, std::vector<bool>& used,
                   std::size_t& firstFree, std::vector<StatementLine>& lines) const;

    RowSelection selection_;
    std::vector<Entry> pages_;
    std::vector<int32_t> rowIds_;  // 内訳出力ＩＤ of every line, page after page
    std::vector<std::string> names_;
};

}  // namespace omrix::reports
