#include "reports/documents/statement_data.h"

#include <algorithm>

#include "util/text.h"

namespace omrix::reports {

std::vector<StatementPage> paginateStatement(std::vector<StatementLine> lines) {
    std::stable_sort(lines.begin(), lines.end(),
                     [](const StatementLine& a, const StatementLine& b) {
                         if (a.頁番号 != b.頁番号) return a.頁番号 < b.頁番号;
                         if (a.表示No != b.表示No) return a.表示No < b.表示No;
                         return a.内訳出力ＩＤ < b.内訳出力ＩＤ;
                     });
    std::vector<StatementPage> pages;
    for (StatementLine& line : lines) {
        if (pages.empty() ||
            !continuesPage(pages.back().頁番号, pages.back().lines.size(), line.頁番号)) {
            StatementPage& page = pages.emplace_back();
            page.頁番号 = line.頁番号;
            page.表示頁番号 = line.表示頁番号;
        }
        StatementPage& page = pages.back();
        takePageName(page.頁名称, line.頁名称);
        page.lines.push_back(std::move(line));
    }
    return pages;
}

void takePageName(std::string& pageName, std::string_view lineName) {
    if (pageName.empty()) pageName = std::string(util::trimBlanks(lineName));
}

int lineSlot(const StatementPage& page, std::size_t index) {
    int previous = 0;
    for (const StatementLine& line : page.lines) {
        // Sorted by 表示No, so distinct numbers rise strictly.
        if (line.表示No <= previous || line.表示No > kLinesPerPage) return static_cast<int>(index);
        previous = line.表示No;
    }
    return page.lines[index].表示No - 1;
}

}  // namespace omrix::reports
