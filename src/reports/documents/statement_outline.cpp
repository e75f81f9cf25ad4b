#include "reports/documents/statement_outline.h"

#include <algorithm>
#include <functional>
#include <string_view>

#include "data/tables/record_fields.h"
#include "reports/engine/report_connection.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

constexpr std::string_view kDittoMark = "〃";

std::string_view trimmed(std::string_view text) {
    return util::trimBlanks(text);
}

uint64_t hashOf(std::string_view text) {
    // Never 0, which stands for "any name".
    return std::hash<std::string_view>{}(text) | 1;
}

// The columns the outline reads, in print order.
constexpr auto outlineFields = [](auto& r, auto& v) {
    v("内訳出力ＩＤ", r.内訳出力ＩＤ);
    v("頁番号", r.頁番号);
    v("表示No", r.表示No);
    v("表示番号名称", r.表示番号名称);
    v("名称１", r.名称[0]);
    v("名称２", r.名称[1]);
    v("名称３", r.名称[2]);
    v("名称４", r.名称[3]);
    v("仕様１", r.仕様[0]);
    v("単位名称", r.単位名称);
    v("内訳数量", r.内訳数量);
    visitEstimateColumns(r, v);
};

constexpr std::string_view kOutlineColumns =
    "内訳出力ＩＤ, 頁番号, 表示No, 表示番号名称, 名称１, 名称２, 名称３, 名称４, 仕様１, 単位名称, "
    "内訳数量, 見積１単価, 見積１金額, 見積２単価, 見積２金額, 見積３単価, 見積３金額, 見積４単価, "
    "見積４金額, 提出用単価, 提出用金額";

}  // namespace

std::string outlineTitle(const StatementLine& line) {
    std::string name;
    for (const std::string& part : line.名称) name += trimmed(part);
    std::string number(trimmed(line.表示番号名称));
    if (number.empty()) return name;
    return name.empty() ? number : number + " " + name;
}

StatementOutlineBuilder::Candidate StatementOutlineBuilder::candidateOf(const StatementLine& line) {
    std::string key(trimmed(line.表示番号名称));
    for (std::string_view part : {std::string_view(line.仕様[0]), std::string_view(line.内訳数量),
                                  std::string_view(line.単位名称)}) {
        key += '\x1f';
        key += trimmed(part);
    }
    for (int i = 0; i < kEstimateColumns; ++i) {
        key += '\x1f' + std::to_string(line.単価[static_cast<std::size_t>(i)].raw()) + '\x1e' +
               std::to_string(line.金額[static_cast<std::size_t>(i)].raw());
    }
    std::string_view name = trimmed(line.名称[0]);
    const bool ditto = name.find(kDittoMark) != std::string_view::npos;
    return {.key = hashOf(key), .name = ditto ? 0 : hashOf(name)};
}

StatementOutlineBuilder::Page StatementOutlineBuilder::pageOf(
    const std::vector<StatementLine>& lines) {
    Page page;
    page.lines.reserve(lines.size());
    for (const StatementLine& line : lines) page.lines.push_back(candidateOf(line));
    if (!lines.empty()) page.title = outlineTitle(lines.front());
    return page;
}

void StatementOutlineBuilder::addLines(Group& group, const std::vector<Candidate>& lines,
                                       std::size_t from) {
    for (std::size_t i = from; i < lines.size(); ++i) {
        group.byKey[lines[i].key].push_back(static_cast<uint32_t>(group.names.size()));
        group.names.push_back(lines[i].name);
    }
}

int64_t StatementOutlineBuilder::Group::find(const Candidate& head) const {
    auto found = byKey.find(head.key);
    if (found == byKey.end()) return -1;
    const std::vector<uint32_t>& at = found->second;
    for (auto i = std::lower_bound(at.begin(), at.end(), next); i != at.end(); ++i) {
        const uint64_t name = names[*i];
        if (name == head.name || name == 0 || head.name == 0) return *i;
    }
    return -1;
}

void StatementOutlineBuilder::addPage(const Page& page) {
    const std::vector<Candidate>& lines = page.lines;
    ++pages_;
    if (lines.empty()) return;
    if (open_.empty()) {
        // The main pages: the breakdown's own line, then what is printed below it.
        open_.emplace_back();
        addLines(open_.back(), lines, 1);
        return;
    }
    const Candidate& head = lines.front();
    // The deepest open group first: its own headings come before its parent's next ones.
    for (std::size_t depth = open_.size(); depth-- > 0;) {
        const int64_t at = open_[depth].find(head);
        if (at < 0) continue;
        open_[depth].next = static_cast<uint32_t>(at + 1);
        open_.resize(depth + 1);
        entries_.push_back({.title = page.title,
                            .page = pages_,
                            .level = static_cast<int>(depth)});
        open_.emplace_back();
        addLines(open_.back(), lines, 1);
        return;
    }
    addLines(open_.back(), lines, 0);
}

util::Result<std::vector<OutlineEntry>> readStatementOutline(data::CCCDBS_DataBase& db,
                                                             const RowSelection& selection) {
    // Streamed: a statement of thousands of pages is never held whole.
    auto rs = db.fnOpenRecordSet(
        selection.sql(kOutlineColumns, {}, " Order By 頁番号, 表示No, 内訳出力ＩＤ"));
    if (!rs) {
        return withReason("the outline cannot read the rows of " + selection.table, db);
    }
    data::FieldReader reader(*rs);
    StatementOutlineBuilder builder;
    std::vector<StatementLine> page;
    StatementLine row;
    while (!rs->pbEOF()) {
        outlineFields(row, reader);
        if (!page.empty() && !continuesPage(page.back().頁番号, page.size(), row.頁番号)) {
            builder.addPage(StatementOutlineBuilder::pageOf(page));
            page.clear();
        }
        page.push_back(row);
        if (!rs->fnMoveNext()) return partWayFailure(db);
    }
    rs->fnClose();
    if (!page.empty()) builder.addPage(StatementOutlineBuilder::pageOf(page));
    return builder.entries();
}

void StatementOutlineFromPages::add(int first, const std::vector<StatementPage>& pages) {
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(first - 1) + i;
        if (first < 1 || at >= pages_.size() || added_[at]) continue;
        pages_[at] = StatementOutlineBuilder::pageOf(pages[i].lines);
        added_[at] = true;
        --missing_;
    }
}

std::optional<std::vector<OutlineEntry>> StatementOutlineFromPages::entries() const {
    if (missing_ > 0) return std::nullopt;
    StatementOutlineBuilder builder;
    for (const StatementOutlineBuilder::Page& page : pages_) builder.addPage(page);
    return builder.entries();
}

}  // namespace omrix::reports
