#pragma once
// The outline of a breakdown statement: one entry for each heading that opens a
// sub-statement (a page group of its own), titled with its 表示番号名称 and name as
// printed, nested as the headings nest, pointing at the group's first page.
//
// 内訳出力 holds no link from a row to its breakdown line, so the groups are found as
// the print run lays them out: a sub-statement starts on a new page with its heading on
// line 1, and that heading is a line printed before, on a page of the group it belongs
// to; the groups come depth first. A page whose first line repeats a line of an open
// group still to come opens that line's group; any other page goes on with the group
// before it.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "data/core/database.h"
#include "reports/documents/statement_data.h"
#include "reports/engine/pdf_update.h"
#include "reports/engine/row_selection.h"
#include "util/failure.h"

namespace omrix::reports {

// Builds the outline page after page; the pages come in print order, as the page
// index makes them.
class StatementOutlineBuilder {
  public:
    struct Candidate {
        uint64_t key = 0;   // everything printed but the name
        uint64_t name = 0;  // 名称１; 0 for a ditto mark, which matches any name
    };
    // What the outline takes of a page: each line by what it prints, and line 1's title.
    struct Page {
        std::vector<Candidate> lines;
        std::string title;
    };
    static Page pageOf(const std::vector<StatementLine>& lines);

    void addPage(const Page& page);
    const std::vector<OutlineEntry>& entries() const { return entries_; }

  private:
    // The lines of a group by what they print, so that a page's first line is looked
    // up rather than compared with every line of a long group.
    struct Group {
        std::unordered_map<uint64_t, std::vector<uint32_t>> byKey;  // positions, ascending
        std::vector<uint64_t> names;                                // by position
        uint32_t next = 0;  // lines before it have opened their groups or never will
        // The position of the first line from `next` on that `head` repeats, or -1.
        int64_t find(const Candidate& head) const;
    };
    static Candidate candidateOf(const StatementLine& line);
    static void addLines(Group& group, const std::vector<Candidate>& lines, std::size_t from);

    std::vector<Group> open_;  // the main pages' group first
    std::vector<OutlineEntry> entries_;
    int pages_ = 0;
};

// "表示番号名称 名称１名称２…", trimmed, as line 1 of its group prints it.
std::string outlineTitle(const StatementLine& line);

// The outline from the pages as they are read for painting, in any order: once every
// page has been added it is the one readStatementOutline() gives, with no read of its own.
class StatementOutlineFromPages {
  public:
    explicit StatementOutlineFromPages(int pageCount)
        : pages_(static_cast<std::size_t>(std::max(0, pageCount))),
          added_(pages_.size()),
          missing_(pages_.size()) {}
    // Pages first, first + 1, … as the page index read them.
    void add(int first, const std::vector<StatementPage>& pages);
    // None until every page has been added.
    std::optional<std::vector<OutlineEntry>> entries() const;

  private:
    std::vector<StatementOutlineBuilder::Page> pages_;
    std::vector<bool> added_;
    std::size_t missing_;
};

// Reads the rows of the selection in print order (the columns the outline needs only)
// and builds the outline.
util::Result<std::vector<OutlineEntry>> readStatementOutline(data::CCCDBS_DataBase& db,
                                                             const RowSelection& selection);

}  // namespace omrix::reports
