#include "breakdown/tables/uchiwake_records.h"

#include "data/tables/record_conventions.h"

namespace omrix::breakdown {

void sbOmrix_DBT_Daikahyo_Clear(DaikahyoRec& rec) {
    rec = DaikahyoRec{};
    data::sbClearAudit(rec.audit);
}

void sbOmrix_DBT_Uchiwake_Clear(UchiwakeRec& rec) {
    rec = UchiwakeRec{};
    data::sbClearAudit(rec.audit);
    sbOmrix_DBT_Daikahyo_Clear(rec.代価表);
}

void sbOmrix_DBT_UchiwakeName_Clear(UchiwakeNameRec& rec) {
    rec = UchiwakeNameRec{};
    data::sbClearAudit(rec.audit);
}

}  // namespace omrix::breakdown
