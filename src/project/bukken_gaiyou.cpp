#include "project/bukken_gaiyou.h"

#include <string>

#include "data/record_fields.h"
#include "project/project_read.h"

namespace omrix::project {
namespace {

// The columns after the audit columns, in record order.
auto gaiyouFields = [](auto& r, auto& v) {
    v("物件概要ＩＤ", r.物件概要ＩＤ);
    v("物件No", r.物件No);
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

bool fnOmrix_DBT_BukkenGaiyou_Select(std::string_view sBukkenNo, BukkenGaiyouRec& rec) {
    sbOmrix_DBT_BukkenGaiyou_Clear(rec);
    std::string sql = "Select * From 物件概要  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + ";";
    return readFirstRow(sql, rec, gaiyouFields);
}

bool fnOmrix_DBT_BukkenGaiyou_Update(const BukkenGaiyouRec& rec, bool bTrans) {
    return data::fnUpdateThenInsert("物件概要", "物件概要ＩＤ", rec.物件概要ＩＤ,
                                    data::columnsOf(rec, gaiyouFields), bTrans);
}

}  // namespace omrix::project
