#include "reports/documents/daika_rows.h"

#include "reports/engine/money_text.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

std::string trimmed(std::string_view text) {
    return std::string(util::trimBlanks(text));
}

// "a　b" of the non-blank ones.
std::string joined(std::string_view a, std::string_view b) {
    std::string out = trimmed(a);
    std::string second = trimmed(b);
    if (!out.empty() && !second.empty()) out += "　";
    out += second;
    return out;
}

DaikaRow totalRow(std::string name, util::Currency amount) {
    DaikaRow row;
    row.name1 = std::move(name);
    row.amount = amount;
    row.total = true;
    return row;
}

}  // namespace

DaikaRow daikaLineRow(const DaikaLine& line) {
    DaikaRow row;
    row.name1 = trimmed(line.名称[0]);
    row.name2 = trimmed(line.名称[1]);
    row.spec1 = trimmed(line.仕様[0]);
    row.spec2 = trimmed(line.仕様[1]);
    row.quantity = line.内訳数量;
    row.unit = trimmed(line.単位名称);
    row.remark = trimmed(line.社外備考);
    int column = pricedColumn(line);
    if (column >= 0) {
        row.price = line.単価[static_cast<std::size_t>(column)];
        row.amount = line.金額[static_cast<std::size_t>(column)];
    }
    return row;
}

std::vector<DaikaRow> daikaTotalRows(const DaikaTable& table) {
    std::vector<DaikaRow> rows;
    rows.push_back(totalRow("計", table.linesTotal));
    if (table.header.端数金額 != util::Currency())
        rows.push_back(totalRow("端数調整", table.header.端数金額));
    DaikaRow total = totalRow("合計", table.header.合計金額);
    total.quantity = table.header.モデル数量;
    total.unit = trimmed(table.owner.単位名称);
    total.price = table.header.換算単価;
    if (total.price != util::Currency()) total.remark = "単価は " + total.unit + " 当り";
    rows.push_back(std::move(total));
    return rows;
}

std::string daikaTableHeading(const DaikaTable& table) {
    std::string number = trimmed(table.owner.表示番号名称);
    return (number.empty() ? std::string() : "No." + number + "　") +
           joined(table.owner.名称[0], table.owner.名称[1]);
}

std::string daikaTableSpec(const DaikaTable& table, bool continued) {
    std::string spec = joined(table.owner.仕様[0], table.owner.仕様[1]);
    if (continued) spec += (spec.empty() ? "" : "　") + std::string("（続き）");
    return spec;
}

std::string daikaPerQuantity(const DaikaTable& table) {
    std::string per = quantityText(table.header.モデル数量);
    if (per.empty()) return per;
    return per + " " + trimmed(table.owner.単位名称) + " 当り";
}

}  // namespace omrix::reports
