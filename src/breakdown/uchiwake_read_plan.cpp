#include "breakdown/uchiwake_read_plan.h"

#include "breakdown/uchiwake_columns.h"
#include "data/sql_text.h"

namespace omrix::breakdown {
namespace {

// The typed getter each field type is read with.
struct FieldRead {
    data::CCCDBS_RecordSet& rs;
    template <std::size_t N>
    void operator()(const data::ColumnIndex& c, FixedText<N>& field) const {
        field = rs.fnGetChar(c);
    }
    void operator()(const data::ColumnIndex& c, int16_t& field) const {
        field = rs.fnGetSmallInt(c);
    }
    void operator()(const data::ColumnIndex& c, int32_t& field) const { field = rs.fnGetInt(c); }
    void operator()(const data::ColumnIndex& c, double& field) const { field = rs.fnGetHdouble(c); }
    void operator()(const data::ColumnIndex& c, Currency& field) const { field = rs.fnGetMoney(c); }
};

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

void UchiwakeReadPlan::read(data::CCCDBS_RecordSet& rs, UchiwakeRec& rec) const {
    sbOmrix_DBT_Uchiwake_Clear(rec);
    // The audit columns as sbReadAudit reads them.
    rec.audit.更新日 = rs.fnGetDate(audit_[0]);
    rec.audit.更新操作者 = rs.fnGetChar(audit_[1]);
    rec.audit.更新画面ＩＤ = rs.fnGetChar(audit_[2]);
    rec.audit.更新カウンタ = rs.fnGetSmallInt(audit_[3]);
    rec.audit.削除区分 = rs.fnGetChar(audit_[4]);
    FieldRead reader{rs};
    std::size_t k = 0;
    visitUchiwakeColumns(rec,
                         [&](const UchiwakeColumn&, auto& field) { reader(fields_[k++], field); });
}

}  // namespace omrix::breakdown
