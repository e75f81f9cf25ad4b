#include "project/tables/bukken_gaiyou.h"
#include "project/tables/project_site_fields.h"

#include <string>

#include "data/tables/record_fields.h"
#include "project/tables/project_read.h"

namespace omrix::project {
namespace {

// The columns after the audit columns, in record order.
auto gaiyouFields = [](auto& r, auto& v) {
    v("物件概要ＩＤ", r.物件概要ＩＤ);
    v("物件No", r.物件No);
    visitSiteFields(r, v);
    v("見積範囲", r.見積範囲);
    data::visitNumbered("特記事項", r.特記事項, v);
    v("杭有無", r.杭有無);
    v("杭備考", r.杭備考);
    v("山止有無", r.山止有無);
    v("山止備考", r.山止備考);
    v("構台有無", r.構台有無);
    v("構台備考", r.構台備考);
    v("ボーリングデータ有無", r.ボーリングデータ有無);
    v("ボーリングデータ備考", r.ボーリングデータ備考);
    v("載荷有無", r.載荷有無);
    v("載荷備考", r.載荷備考);
};

}  // namespace

void sbOmrix_DBT_BukkenGaiyou_Clear(BukkenGaiyouRec& rec) {
    rec = BukkenGaiyouRec{};
}

bool fnOmrix_DBT_BukkenGaiyou_Select(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                                     BukkenGaiyouRec& rec) {
    sbOmrix_DBT_BukkenGaiyou_Clear(rec);
    std::string sql = "Select * From 物件概要  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + ";";
    return readFirstRow(db, sql, rec, gaiyouFields);
}

bool fnOmrix_DBT_BukkenGaiyou_Update(data::CCCDBS_DataBase& db, const BukkenGaiyouRec& rec,
                                     bool bTrans) {
    return data::fnUpdateThenInsert(db, "物件概要", "物件概要ＩＤ", rec.物件概要ＩＤ,
                                    data::columnsOf(rec, gaiyouFields), bTrans);
}

}  // namespace omrix::project
