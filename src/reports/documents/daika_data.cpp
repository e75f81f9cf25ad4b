#include "reports/documents/daika_data.h"

#include <algorithm>
#include <map>
#include <utility>

namespace omrix::reports {
namespace {

using Key = std::pair<int32_t, int32_t>;  // 内訳名称ＩＤ, 内訳ＩＤ

// Depth-first positions of the lines: the order in which the statement lists them.
std::map<Key, std::size_t> treeOrder(const std::vector<DaikaLine>& lines) {
    std::map<Key, std::size_t> index;
    for (std::size_t i = 0; i < lines.size(); ++i)
        index.emplace(Key{lines[i].内訳名称ＩＤ, lines[i].内訳ＩＤ}, i);
    std::map<Key, std::vector<std::size_t>> children;
    std::vector<std::size_t> roots;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Key parent{lines[i].内訳名称ＩＤ, lines[i].親内訳ＩＤ};
        bool hasParent = lines[i].親内訳ＩＤ != 0 && lines[i].親内訳ＩＤ != lines[i].内訳ＩＤ &&
                         index.count(parent) != 0;
        (hasParent ? children[parent] : roots).push_back(i);
    }
    auto bySiblingOrder = [&](std::size_t a, std::size_t b) {
        if (lines[a].表示No != lines[b].表示No) return lines[a].表示No < lines[b].表示No;
        return lines[a].種別フラグ < lines[b].種別フラグ;
    };
    std::map<Key, std::size_t> order;
    std::vector<std::size_t> stack;
    std::stable_sort(roots.begin(), roots.end(), bySiblingOrder);
    stack.assign(roots.rbegin(), roots.rend());
    while (!stack.empty()) {
        std::size_t i = stack.back();
        stack.pop_back();
        Key key{lines[i].内訳名称ＩＤ, lines[i].内訳ＩＤ};
        // A line met twice (a cycle in bad data) keeps its first place.
        if (!order.emplace(key, order.size()).second) continue;
        auto found = children.find(key);
        if (found == children.end()) continue;
        std::vector<std::size_t>& kids = found->second;
        std::stable_sort(kids.begin(), kids.end(), bySiblingOrder);
        stack.insert(stack.end(), kids.rbegin(), kids.rend());
    }
    return order;
}

}  // namespace

int pricedColumn(const DaikaLine& line) {
    for (int k = 4; k >= 0; --k) {
        if (line.金額[static_cast<std::size_t>(k)] != util::Currency()) return k;
    }
    return -1;
}

std::vector<DaikaTable> buildDaikaTables(const std::vector<DaikaHeader>& headers,
                                         const std::vector<DaikaLine>& lines) {
    std::map<Key, std::size_t> order = treeOrder(lines);
    std::map<Key, std::size_t> index;
    std::map<Key, std::vector<std::size_t>> children;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        index.emplace(Key{lines[i].内訳名称ＩＤ, lines[i].内訳ＩＤ}, i);
        if ((lines[i].種別フラグ & kUnusedLine) == 0)
            children[Key{lines[i].内訳名称ＩＤ, lines[i].親内訳ＩＤ}].push_back(i);
    }

    std::vector<std::pair<std::size_t, DaikaTable>> placed;
    for (const DaikaHeader& header : headers) {
        DaikaTable table;
        table.header = header;
        Key owner{header.内訳名称ＩＤ, header.内訳ＩＤ};
        auto found = index.find(owner);
        std::size_t position = order.size() + placed.size();  // missing owners go last
        if (found != index.end()) {
            table.owner = lines[found->second];
            if (auto at = order.find(owner); at != order.end()) position = at->second;
            std::vector<std::size_t> kids = children[owner];
            std::stable_sort(kids.begin(), kids.end(), [&](std::size_t a, std::size_t b) {
                return order[{lines[a].内訳名称ＩＤ, lines[a].内訳ＩＤ}] <
                       order[{lines[b].内訳名称ＩＤ, lines[b].内訳ＩＤ}];
            });
            for (std::size_t k : kids) {
                if (lines[k].内訳ＩＤ == header.内訳ＩＤ) continue;
                table.lines.push_back(lines[k]);
                int column = pricedColumn(lines[k]);
                if (column < 0) continue;
                auto sum = table.linesTotal.plus(lines[k].金額[static_cast<std::size_t>(column)]);
                if (sum) table.linesTotal = *sum;
            }
        }
        placed.emplace_back(position, std::move(table));
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<DaikaTable> tables;
    tables.reserve(placed.size());
    for (auto& entry : placed) tables.push_back(std::move(entry.second));
    return tables;
}

const DaikaGeometry& daikaGeometry() {
    static const DaikaGeometry g{
        .margins = {.leftMm = 14, .topMm = 10, .rightMm = 10, .bottomMm = 12},
        .headerMm = 30,
        .titleMm = 9,
        .headingMm = 7,
        .rowMm = 8.2,
        .gapMm = 5,
    };
    return g;
}

const std::vector<StatementColumn>& daikaColumns() {
    using F = StatementField;
    static const std::vector<StatementColumn> columns{
        {F::Name, "名　称", 62},   {F::Spec, "仕　様", 56},      {F::Quantity, "数　量", 24},
        {F::Unit, "単位", 12},     {F::UnitPrice, "単　価", 27}, {F::Amount, "金　額", 32},
        {F::Remarks, "備　考", 60}};
    return columns;
}

int totalRows(const DaikaTable& table) {
    return table.header.端数金額 != util::Currency() ? 3 : 2;
}

std::vector<DaikaPage> paginateDaika(const std::vector<DaikaTable>& tables, double bodyHeightMm,
                                     const DaikaGeometry& g) {
    std::vector<DaikaPage> pages(1);
    double used = 0;  // of the current page's body
    const double opening = g.titleMm + g.headingMm;
    auto newPage = [&] {
        pages.emplace_back();
        used = 0;
    };
    for (std::size_t t = 0; t < tables.size(); ++t) {
        const DaikaTable& table = tables[t];
        const std::size_t lineCount = table.lines.size();
        const int totals = totalRows(table);
        std::size_t next = 0;
        bool continued = false;
        while (true) {
            double gap = pages.back().empty() ? 0 : g.gapMm;
            double room = bodyHeightMm - used - gap - opening;
            std::size_t remainingRows = lineCount - next + static_cast<std::size_t>(totals);
            std::size_t wanted = std::min<std::size_t>(2, remainingRows);
            if (room < static_cast<double>(wanted) * g.rowMm - 1e-9 && !pages.back().empty()) {
                newPage();
                continue;
            }
            auto fits = static_cast<std::size_t>(std::max(0.0, (room + 1e-9) / g.rowMm));
            DaikaSegment segment{t, next, 0, continued, false};
            if (fits >= remainingRows) {
                segment.lineCount = lineCount - next;
                segment.totals = true;
            } else if (next == lineCount) {
                // Only the totals are left: they go to the next page whole, unless
                // this page is fresh and nothing would fit anywhere.
                if (!pages.back().empty()) {
                    newPage();
                    continue;
                }
                segment.totals = true;
            } else {
                // Totals stay together: a part that cannot hold them all holds lines only.
                segment.lineCount = std::min(lineCount - next, std::max<std::size_t>(fits, 1));
            }
            std::size_t rows = segment.lineCount + (segment.totals ? totals : 0);
            used += gap + opening + static_cast<double>(rows) * g.rowMm;
            pages.back().push_back(segment);
            next += segment.lineCount;
            if (segment.totals) break;
            newPage();
            continued = true;
        }
    }
    return pages;
}

}  // namespace omrix::reports
