#pragma once
// The rows of 内訳出力 as the statement prints them, grouped into pages.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "print/print_row.h"
#include "util/currency.h"

namespace omrix::reports {

using print::kLinesPerPage;

// Estimate columns in the order of the row: 見積１ … 見積４, 提出用.
inline constexpr int kEstimateColumns = 5;
inline constexpr int kSubmitted = 4;

struct StatementLine {
    int32_t 内訳名称ＩＤ = 0;
    int32_t 内訳出力ＩＤ = 0;
    std::string 表示番号名称;
    std::array<std::string, 4> 名称;
    std::array<std::string, 4> 仕様;
    std::string 単位名称;
    std::string 内訳数量;  // already formatted by the print run
    std::array<util::Currency, kEstimateColumns> 単価{};
    std::array<util::Currency, kEstimateColumns> 金額{};
    int32_t 表示No = 0;
    int32_t 頁番号 = 0;
    int32_t 表示頁番号 = 0;
    std::string 頁名称;
    std::string 数量計算式;
    std::string 単価計算式;
    std::string 社内備考;
    std::string 社外備考;
};

struct StatementPage {
    int32_t 頁番号 = 0;
    int32_t 表示頁番号 = 0;
    std::string 頁名称;                // the first non-blank one of the page's lines
    std::vector<StatementLine> lines;  // at most kLinesPerPage, in 表示No order
};

// The 0-based line position of lines[index] on its page: its 表示No when the page's
// numbers are distinct and within 1 … 15 (a blank line may then be left out of the
// rows), else its place in the list.
int lineSlot(const StatementPage& page, std::size_t index);

// Whether a line of 頁番号 `line` goes on the page being filled, of 頁番号 `page` with
// `linesOnPage` lines, rather than opening the next page.
inline bool continuesPage(int32_t page, std::size_t linesOnPage, int32_t line) {
    return linesOnPage > 0 && page == line && linesOnPage < static_cast<std::size_t>(kLinesPerPage);
}
// A page is named by the first non-blank 頁名称 of its lines, trimmed.
void takePageName(std::string& pageName, std::string_view lineName);

// One page per 頁番号 in ascending order, the lines of each in 表示No order (ties by
// 内訳出力ＩＤ). A 頁番号 holding more lines than a page takes further pages, so
// that no row is lost. Texts are kept as read; the painter trims them.
std::vector<StatementPage> paginateStatement(std::vector<StatementLine> lines);

// The unit price and amount of estimates 1 to 4 and the submitted one, as 内訳出力 and
// 内訳 both name them, into the arrays 単価[5] and 金額[5].
template <typename Row, typename Visit>
void visitEstimateColumns(Row& r, Visit& v) {
    v("見積１単価", r.単価[0]);
    v("見積１金額", r.金額[0]);
    v("見積２単価", r.単価[1]);
    v("見積２金額", r.金額[1]);
    v("見積３単価", r.単価[2]);
    v("見積３金額", r.金額[2]);
    v("見積４単価", r.単価[3]);
    v("見積４金額", r.金額[3]);
    v("提出用単価", r.単価[4]);
    v("提出用金額", r.金額[4]);
}

// The 内訳出力 columns a statement reads, as a field list for the data layer.
inline constexpr auto statementLineFields = [](auto& r, auto& v) {
    v("内訳名称ＩＤ", r.内訳名称ＩＤ);
    v("内訳出力ＩＤ", r.内訳出力ＩＤ);
    v("表示番号名称", r.表示番号名称);
    v("名称１", r.名称[0]);
    v("名称２", r.名称[1]);
    v("名称３", r.名称[2]);
    v("名称４", r.名称[3]);
    v("仕様１", r.仕様[0]);
    v("仕様２", r.仕様[1]);
    v("仕様３", r.仕様[2]);
    v("仕様４", r.仕様[3]);
    v("単位名称", r.単位名称);
    v("内訳数量", r.内訳数量);
    visitEstimateColumns(r, v);
    v("表示No", r.表示No);
    v("頁番号", r.頁番号);
    v("表示頁番号", r.表示頁番号);
    v("頁名称", r.頁名称);
    v("数量計算式", r.数量計算式);
    v("単価計算式", r.単価計算式);
    v("社内備考", r.社内備考);
    v("社外備考", r.社外備考);
};

}  // namespace omrix::reports
