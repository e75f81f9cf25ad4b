#pragma once
// The site and building columns that 物件概要 and 物件見積要項 share, in their column order.

namespace omrix::project {

template <typename Rec, typename Visit>
void visitSiteFields(Rec& r, Visit& v) {
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
}

}  // namespace omrix::project
