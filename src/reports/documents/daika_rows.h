#pragma once
// What the rows of a unit-price table show, column by column, before they are set as
// text on a page or as cells of a workbook: the one reading of a table both share.

#include <string>
#include <vector>

#include "reports/documents/daika_data.h"

namespace omrix::reports {

// A lower line of the table, or one of its totals (計, 端数調整, 合計).
struct DaikaRow {
    std::string name1, name2, spec1, spec2;
    double quantity = 0;  // 0 prints nothing
    std::string unit;
    util::Currency price, amount;  // 0 prints nothing
    std::string remark;
    bool total = false;
};

// The line's own texts and the figures of the estimate column it prices.
DaikaRow daikaLineRow(const DaikaLine& line);
// 計, then 端数調整 when there is one, then 合計 with the model quantity and the price
// per unit.
std::vector<DaikaRow> daikaTotalRows(const DaikaTable& table);

// The table's opening row: "No.<表示番号>　<名称>", the 仕様 (with "（続き）" on the
// pages after the first) and "<モデル数量> <単位> 当り" ("" without a quantity).
std::string daikaTableHeading(const DaikaTable& table);
std::string daikaTableSpec(const DaikaTable& table, bool continued);
std::string daikaPerQuantity(const DaikaTable& table);

}  // namespace omrix::reports
