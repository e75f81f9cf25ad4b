#include "reports/statement_page_index.h"

#include "data/record_fields.h"
#include "reports/report_connection.h"

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

bool StatementPageIndex::build(data::CCCDBS_DataBase& db, const RowSelection& selection,
                               std::string& error) {
    selection_ = selection;
    pages_.clear();
    rowIds_.clear();
    names_.clear();
    auto rs = db.fnOpenRecordSet(
        selection.sql("内訳出力ＩＤ, 頁番号, 表示No, 表示頁番号, 頁名称", {}, kPaintOrder));
    if (!rs) {
        error = "the report cannot read its rows from " + selection.table;
        std::string reason = db.lastErrorText();
        if (!reason.empty()) error += " (" + reason + ")";
        return false;
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
        if (!rs->fnMoveNext()) break;
    }
    rs->fnClose();
    return true;
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

bool StatementPageIndex::readPage(data::CCCDBS_DataBase& db, int page, StatementPage& out,
                                  std::string& error) const {
    const Entry* e = entry(page);
    if (e == nullptr) {
        error = "the statement has no page " + std::to_string(page);
        return false;
    }
    out.頁番号 = e->頁番号;
    out.表示頁番号 = e->表示頁番号;
    out.頁名称 = pageName(page);
    out.lines.clear();
    // The ids keep the lookup on the index of 内訳出力 and pick this page's share of a
    // 頁番号 that runs over several pages.
    std::string also = " And 頁番号 = " + std::to_string(e->頁番号) + " And 内訳出力ＩＤ In (" +
                       idList(rowIds_, e->firstRow, e->rowCount) + ")";
    std::vector<StatementLine> rows;
    if (!readReportRows(db, selection_.sql("*", also, kPaintOrder), rows, statementLineFields,
                        error))
        return false;
    // In the index's order, each id taking one row of its own.
    std::vector<bool> used(rows.size(), false);
    for (uint32_t i = e->firstRow; i < e->firstRow + e->rowCount; ++i) {
        for (std::size_t r = 0; r < rows.size(); ++r) {
            if (used[r] || rows[r].内訳出力ＩＤ != rowIds_[i]) continue;
            used[r] = true;
            out.lines.push_back(std::move(rows[r]));
            break;
        }
    }
    return true;
}

}  // namespace omrix::reports
