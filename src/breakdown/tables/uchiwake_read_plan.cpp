#include "breakdown/tables/uchiwake_read_plan.h"

#include <cmath>
#include <variant>
#include "breakdown/tables/uchiwake_columns.h"

#include "data/core/value_conversion.h"
#include "data/drivers/sql_text.h"
#include "platform/messages.h"

namespace omrix::breakdown {
namespace {

// The typed getter each field type is read with; amounts and quantities are checked.
struct FieldRead {
    data::CCCDBS_RecordSet& rs;
    std::string_view column;  // the name of the field being read
    std::string_view* bad;    // the first field whose stored value was refused
    template <std::size_t N>
    void operator()(const data::ColumnIndex& c, FixedText<N>& field) const {
        field = rs.fnGetChar(c);
    }
    void operator()(const data::ColumnIndex& c, int16_t& field) const {
        field = rs.fnGetSmallInt(c);
    }
    void operator()(const data::ColumnIndex& c, int32_t& field) const { field = rs.fnGetInt(c); }
    void operator()(const data::ColumnIndex& c, double& field) const {
        if (!readCheckedQuantity(rs, c, field) && bad->empty()) *bad = column;
    }
    void operator()(const data::ColumnIndex& c, Currency& field) const {
        if (!readCheckedMoney(rs, c, field) && bad->empty()) *bad = column;
    }
};

// The largest magnitude a Currency holds, as a double.
constexpr double kCurrencyLimit = 922337203685477.5807;

bool isBlankText(const data::Variant& v) {
    const auto* text = std::get_if<std::string>(&v);
    return text != nullptr && text->find_first_not_of(" \t") == std::string::npos;
}

}  // namespace

UchiwakeReadPlan::UchiwakeReadPlan(data::CCCDBS_RecordSet& rs) {
    for (int i = 0; i < rs.columnCount(); ++i)
        keys_.push_back(data::columnNameKey(rs.columnName(i)));
    for (std::string_view name :
         {"更新日", "更新操作者", "更新画面ＩＤ", "更新カウンタ", "削除区分"}) {
        audit_.push_back(column(name));
    }
    UchiwakeRec shape;
    visitUchiwakeColumns(
        shape, [this](const UchiwakeColumn& c, auto&) { fields_.push_back(column(c.readName)); });
}

data::ColumnIndex UchiwakeReadPlan::column(std::string_view name) const {
    std::string key = data::columnNameKey(name);
    for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == key) return data::ColumnIndex(static_cast<int>(i));
    }
    return data::ColumnIndex(name);
}

bool readCheckedMoney(data::CCCDBS_RecordSet& rs, const data::ColumnIndex& column, Currency& out) {
    const data::Variant value = rs.fnGetVariant(column);
    auto money = isBlankText(value) ? Currency() : data::variantToCurrencyChecked(value);
    out = money.value_or(Currency());
    return money.has_value();
}

bool readCheckedQuantity(data::CCCDBS_RecordSet& rs, const data::ColumnIndex& column, double& out) {
    const data::Variant value = rs.fnGetVariant(column);
    out = 0.0;
    if (data::isNull(value) || std::holds_alternative<data::EmptyValue>(value) ||
        isBlankText(value))
        return true;
    auto number = data::variantToDouble(value);
    if (!number || !std::isfinite(*number) || std::fabs(*number) > kCurrencyLimit) return false;
    out = *number;
    return true;
}

void showStoredValueOverflow(std::string_view table, std::string_view column, int32_t uchiwakeId,
                             const data::Variant& value) {
    // Text where a number belongs is not an overflow: say what it is.
    const auto* text = std::get_if<std::string>(&value);
    const bool notNumber = text != nullptr && !data::variantToDouble(value).has_value();
    platform::showMessageBox(std::string(notNumber ? "not a number" : platform::kOverflowText) +
                                 "（" + std::string(table) + "の" + std::string(column) +
                                 "、内訳ＩＤ " + std::to_string(uchiwakeId) + "）",
                             platform::kStyleExclamation);
}

bool UchiwakeReadPlan::read(data::CCCDBS_RecordSet& rs, UchiwakeRec& rec,
                            std::string* badColumn) const {
    sbOmrix_DBT_Uchiwake_Clear(rec);
    // The audit columns as sbReadAudit reads them.
    rec.audit.更新日 = rs.fnGetDate(audit_[0]);
    rec.audit.更新操作者 = rs.fnGetChar(audit_[1]);
    rec.audit.更新画面ＩＤ = rs.fnGetChar(audit_[2]);
    rec.audit.更新カウンタ = rs.fnGetSmallInt(audit_[3]);
    rec.audit.削除区分 = rs.fnGetChar(audit_[4]);
    std::string_view bad;
    std::size_t k = 0;
    visitUchiwakeColumns(rec, [&](const UchiwakeColumn& c, auto& field) {
        FieldRead{rs, c.readName, &bad}(fields_[k++], field);
    });
    if (bad.empty()) return true;
    if (badColumn != nullptr) *badColumn = bad;
    return false;
}

}  // namespace omrix::breakdown
