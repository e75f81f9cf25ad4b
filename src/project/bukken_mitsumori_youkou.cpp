#include "project/bukken_mitsumori_youkou.h"

#include <string>

#include "data/record_fields.h"
#include "project/project_read.h"

namespace omrix::project {
namespace {

// The columns after the audit columns, in record order.
auto youkouFields = [](auto& r, auto& v) {
    v("物件見積要項ＩＤ", r.物件見積要項ＩＤ);
    v("物件No", r.物件No);
    v("版No", r.版No);
    v("事業所名称", r.事業所名称);
    v("工事名称", r.工事名称);
    v("工事略称", r.工事略称);
    v("受渡し場所住所", r.受渡し場所住所);
    v("設計者担当部署名", r.設計者担当部署名);
    v("発注者担当部署名", r.発注者担当部署名);
    v("建物用途名称", r.建物用途名称);
    v("建物数量", r.建物数量);
    v("構造区分名称", r.構造区分名称);
    v("地下階", r.地下階);
    v("地上階", r.地上階);
    v("ＰＨ階", r.ＰＨ階);
    v("軒高", r.軒高);
    v("敷地面積", r.敷地面積);
    v("建築面積", r.建築面積);
    v("延床面積", r.延床面積);
    v("施工床面積", r.施工床面積);
    v("敷地面積坪", r.敷地面積坪);
    v("建築面積坪", r.建築面積坪);
    v("延床面積坪", r.延床面積坪);
    v("施工床面積坪", r.施工床面積坪);
    v("工期", r.工期);
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

bool fnOmrix_DBT_BukkenMitsumoriYoukou_Select(std::string_view sBukkenNo, std::string_view sHanNo,
                                              BukkenMitsumoriYoukouRec& rec) {
    sbOmrix_DBT_BukkenMitsumoriYoukou_Clear(rec);
    std::string sql = "Select * From 物件見積要項  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + " AND " + codeCondition("版No", sHanNo) +
                      ";";
    return readFirstRow(sql, rec, youkouFields);
}

bool fnOmrix_DBT_BukkenMitsumoriYoukou_Update(const BukkenMitsumoriYoukouRec& rec, bool bTrans) {
    return data::fnUpdateThenInsert("物件見積要項", "物件見積要項ＩＤ", rec.物件見積要項ＩＤ,
                                    data::columnsOf(rec, youkouFields), bTrans);
}

}  // namespace omrix::project
