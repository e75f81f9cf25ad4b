#include "project/tables/bukken_mitsumori_youkou.h"
#include "project/tables/project_site_fields.h"

#include <string>

#include "data/tables/record_fields.h"
#include "project/tables/project_read.h"

namespace omrix::project {
namespace {

// The columns after the audit columns, in record order.
auto youkouFields = [](auto& r, auto& v) {
    v("物件見積要項ＩＤ", r.物件見積要項ＩＤ);
    v("物件No", r.物件No);
    v("版No", r.版No);
    visitSiteFields(r, v);
    v("付帯工事", r.付帯工事);
    data::visitNumbered("支払条件", r.支払条件, v);
    data::visitNumbered("杭", r.杭, v);
    data::visitNumbered("別途工事", r.別途工事, v);
    data::visitNumbered("備考", r.備考, v);
    v("文章", r.文章);
};

}  // namespace

void sbOmrix_DBT_BukkenMitsumoriYoukou_Clear(BukkenMitsumoriYoukouRec& rec) {
    rec = BukkenMitsumoriYoukouRec{};
}

bool fnOmrix_DBT_BukkenMitsumoriYoukou_Select(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                                              std::string_view sHanNo,
                                              BukkenMitsumoriYoukouRec& rec) {
    sbOmrix_DBT_BukkenMitsumoriYoukou_Clear(rec);
    std::string sql = "Select * From 物件見積要項  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + " AND " + codeCondition("版No", sHanNo) +
                      ";";
    return readFirstRow(db, sql, rec, youkouFields);
}

bool fnOmrix_DBT_BukkenMitsumoriYoukou_Update(data::CCCDBS_DataBase& db,
                                              const BukkenMitsumoriYoukouRec& rec, bool bTrans) {
    return data::fnUpdateThenInsert(db, "物件見積要項", "物件見積要項ＩＤ", rec.物件見積要項ＩＤ,
                                    data::columnsOf(rec, youkouFields), bTrans);
}

}  // namespace omrix::project
