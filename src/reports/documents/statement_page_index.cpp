#include "reports/documents/statement_page_index.h"

#include <algorithm>

#include "data/tables/record_fields.h"
#include "reports/engine/report_connection.h"

namespace omrix::reports {
namespace {

constexpr std::string_view kPaintOrder = " Order By 頁番号, 表示No, 内訳出力ＩＤ";

// What the index keeps of a row; the rest is read with its page.
struct RowNumbers {
    int32_t 内訳出力ＩＤ = 0;
    int32_t 頁番号 = 0;
    int32_t 表示頁番号 = 0;
    std::string 頁名称;
};

std::string idList(const std::vector<int32_t>& ids, uint32_t first, uint32_t count) {
    std::string list;
    for (uint32_t i = first; i < first + count; ++i) {
        if (!list.empty()) list += ", ";
        list += std::to_string(ids[i]);
    }
    return list;
}

}  // namespace

util::Status StatementPageIndex::build(data::CCCDBS_DataBase& db, const RowSelection& selection) {
    selection_ = selection;
    pages_.clear();
    rowIds_.clear();
    names_.clear();
    auto rs = db.fnOpenRecordSet(
        selection.sql("内訳出力ＩＤ, 頁番号, 表示No, 表示頁番号, 頁名称", {}, kPaintOrder));
    if (!rs) {
        return withReason("the report cannot read its rows from " + selection.table, db);
    }
    RowNumbers row;
    std::string name;
    while (!rs->pbEOF()) {
        row.内訳出力ＩＤ = rs->fnGetInt("内訳出力ＩＤ");
        row.頁番号 = rs->fnGetInt("頁番号");
        row.表示頁番号 = rs->fnGetInt("表示頁番号");
        row.頁名称 = rs->fnGetChar("頁名称");
        if (pages_.empty() ||
            !continuesPage(pages_.back().頁番号, pages_.back().rowCount, row.頁番号)) {
            pages_.push_back({.頁番号 = row.頁番号,
                              .表示頁番号 = row.表示頁番号,
                              .firstRow = static_cast<uint32_t>(rowIds_.size())});
            name.clear();
        }
        Entry& page = pages_.back();
        if (name.empty()) {
            takePageName(name, row.頁名称);
            if (!name.empty()) {
                page.nameIndex = static_cast<int32_t>(names_.size());
                names_.push_back(name);
            }
        }
        rowIds_.push_back(row.内訳出力ＩＤ);
        ++page.rowCount;
        if (!rs->fnMoveNext()) return partWayFailure(db);
    }
    rs->fnClose();
    return {};
}

const StatementPageIndex::Entry* StatementPageIndex::entry(int page) const {
    if (page < 1 || page > pageCount()) return nullptr;
    return &pages_[static_cast<std::size_t>(page - 1)];
}

int32_t StatementPageIndex::pageNumber(int page) const {
    const Entry* e = entry(page);
    return e ? e->頁番号 : 0;
}

int32_t StatementPageIndex::displayPageNumber(int page) const {
    const Entry* e = entry(page);
    return e ? e->表示頁番号 : 0;
}

std::string StatementPageIndex::pageName(int page) const {
    const Entry* e = entry(page);
    return e && e->nameIndex >= 0 ? names_[static_cast<std::size_t>(e->nameIndex)] : std::string();
}

int StatementPageIndex::lineCount(int page) const {
    const Entry* e = entry(page);
    return e ? static_cast<int>(e->rowCount) : 0;
}

util::Result<StatementPage> StatementPageIndex::readPage(data::CCCDBS_DataBase& db,
                                                         int page) const {
    auto pages = readPages(db, page, 1);
    if (!pages) return pages.failure();
    return std::move(pages->front());
}

util::Result<std::vector<StatementPage>> StatementPageIndex::readPages(data::CCCDBS_DataBase& db,
                                                                       int first, int count) const {
    const Entry* head = entry(first);
    if (head == nullptr || count < 1)
        return util::Failure("the statement has no page " + std::to_string(first));
    count = std::min(count, pageCount() - first + 1);
    const Entry& tail = pages_[static_cast<std::size_t>(first + count - 2)];
    const uint32_t rowCount = tail.firstRow + tail.rowCount - head->firstRow;
    // The ids keep the lookup on the index of 内訳出力 and pick these pages' share of a
    // 頁番号 that runs over several pages.
    std::string also = " And 頁番号 Between " + std::to_string(head->頁番号) + " And " +
                       std::to_string(tail.頁番号) + " And 内訳出力ＩＤ In (" +
                       idList(rowIds_, head->firstRow, rowCount) + ")";
    std::vector<StatementLine> rows;
    if (util::Status read =
            readReportRows(db, selection_.sql("*", also, kPaintOrder), rows, statementLineFields);
        !read)
        return read.failure();
    std::vector<StatementPage> out;
    std::vector<bool> used(rows.size(), false);
    std::size_t firstFree = 0;
    for (int page = first; page < first + count; ++page) {
        const Entry& e = pages_[static_cast<std::size_t>(page - 1)];
        StatementPage& into = out.emplace_back();
        into.頁番号 = e.頁番号;
        into.表示頁番号 = e.表示頁番号;
        into.頁名称 = pageName(page);
        takeLines(e, rows, used, firstFree, into.lines);
    }
    return out;
}

// In the index's order, each id taking one row of its own. The rows come in the same
// order, so the search starts at the first row not yet taken.
void StatementPageIndex::takeLines(const Entry& e, std::vector<StatementLine>& rows,
                                   std::vector<bool>& used, std::size_t& firstFree,
                                   std::vector<StatementLine>& lines) const {
    for (uint32_t i = e.firstRow; i < e.firstRow + e.rowCount; ++i) {
        for (std::size_t r = firstFree; r < rows.size(); ++r) {
            if (used[r] || rows[r].内訳出力ＩＤ != rowIds_[i]) continue;
            used[r] = true;
            lines.push_back(std::move(rows[r]));
            break;
        }
        while (firstFree < rows.size() && used[firstFree]) ++firstFree;
    }
}

}  // namespace omrix::reports
