#pragma once
// The unit-price tables (代価表): each line item that owns a unit-price breakdown,
// with its lower lines and totals, in the order the statement lists the items.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "reports/engine/statement_columns.h"
#include "util/currency.h"

namespace omrix::reports {

inline constexpr int16_t kUnusedLine = 0x100;

// One 代価表 row.
struct DaikaHeader {
    int32_t 内訳名称ＩＤ = 0;
    int32_t 代価表ＩＤ = 0;
    int32_t 内訳ＩＤ = 0;
    util::Currency 端数金額;
    util::Currency 合計金額;
    double モデル数量 = 0;
    util::Currency 換算単価;
};

// The 内訳 columns the tables show.
struct DaikaLine {
    int32_t 内訳名称ＩＤ = 0;
    int32_t 内訳ＩＤ = 0;
    int16_t 種別フラグ = 0;
    int32_t 親内訳ＩＤ = 0;
    int32_t 表示No = 0;
    std::string 表示番号名称;
    std::array<std::string, 2> 名称;
    std::array<std::string, 2> 仕様;
    std::string 単位名称;
    double 内訳数量 = 0;
    std::array<util::Currency, 5> 単価{};  // 見積１ … 見積４, 提出用
    std::array<util::Currency, 5> 金額{};
    std::string 社外備考;
};

// The estimate column a line prints: the first of 提出用, 見積４ … 見積１ with an
// amount, as on the statement; -1 when none has one.
int pricedColumn(const DaikaLine& line);

struct DaikaTable {
    DaikaHeader header;
    DaikaLine owner;               // cleared when the owning line is not there
    std::vector<DaikaLine> lines;  // the owner's lower lines, unused ones left out
    util::Currency linesTotal;     // their printed amounts added up
};

// One table per 代価表 row, ordered as the breakdown tree lists the owners (children
// by 表示No, then 種別フラグ, depth first); rows whose owner is missing come last.
// `lines` are every line of the breakdowns concerned.
std::vector<DaikaTable> buildDaikaTables(const std::vector<DaikaHeader>& headers,
                                         const std::vector<DaikaLine>& lines);

// Heights of the parts of a table, in millimetres.
struct DaikaGeometry {
    PageMargins margins;
    double headerMm = 0;   // page heading above the first table
    double titleMm = 0;    // the owner's row that opens a table
    double headingMm = 0;  // the column headings
    double rowMm = 0;      // one line or total
    double gapMm = 0;      // between two tables
    double bodyHeightMm(double paperHeightMm) const {
        return paperHeightMm - margins.topMm - headerMm - margins.bottomMm;
    }
};
const DaikaGeometry& daikaGeometry();
// 名称 | 仕様 | 数量 | 単位 | 単価 | 金額 | 備考, from the left margin.
const std::vector<StatementColumn>& daikaColumns();

// A part of one table on one page.
struct DaikaSegment {
    std::size_t table = 0;
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
    bool continued = false;  // the table began on an earlier page
    bool totals = false;     // the table ends here with its totals
};
using DaikaPage = std::vector<DaikaSegment>;

// Total rows under a table: 計, 端数調整 (only when there is one), 合計.
int totalRows(const DaikaTable& table);

// Flows the tables down the pages. A table starts on a fresh page when its opening
// and two rows no longer fit; a table longer than a page continues on the next one
// under its repeated title. Every table yields at least one segment.
std::vector<DaikaPage> paginateDaika(const std::vector<DaikaTable>& tables, double bodyHeightMm,
                                     const DaikaGeometry& geometry);

}  // namespace omrix::reports
