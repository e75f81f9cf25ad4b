#pragma once
// The columns of 内訳 in record order, listed once for the read, the UPDATE, the
// INSERT of an update and the full INSERT of a save, so that none can drift.

#include <string_view>

#include "breakdown/tables/uchiwake_records.h"

namespace omrix::breakdown {

enum class ColumnGroup {
    Key,    // 内訳名称ＩＤ, 内訳ＩＤ: in every INSERT, the WHERE of the UPDATE
    Edit,   // assigned by the UPDATE and written by both INSERTs
    Extra,  // written only by the full INSERT of a save, after the Edit columns
};

struct UchiwakeColumn {
    std::string_view name;      // as UPDATE and INSERT write it
    std::string_view readName;  // as the read asks for it
    ColumnGroup group;
};

// Calls visit(column, field) for fields 2 to 79 in record order.
template <typename Rec, typename Visitor>
void visitUchiwakeColumns(Rec& r, Visitor&& visit) {
    auto col = [](std::string_view name, ColumnGroup group, std::string_view readName = {}) {
        return UchiwakeColumn{name, readName.empty() ? name : readName, group};
    };
    using enum ColumnGroup;
    visit(col("内訳名称ＩＤ", Key), r.内訳名称ＩＤ);
    visit(col("内訳ＩＤ", Key), r.内訳ＩＤ);
    visit(col("種別フラグ", Edit), r.種別フラグ);
    visit(col("明細データ属性コード", Extra), r.明細データ属性コード);
    visit(col("親内訳ＩＤ", Edit), r.親内訳ＩＤ);
    visit(col("合計見出し行ＩＤ", Edit), r.合計見出し行ＩＤ);
    visit(col("継続親内訳ＩＤ", Edit), r.継続親内訳ＩＤ);
    visit(col("継続行No", Edit), r.継続行No);
    visit(col("棟別", Edit), r.棟別);
    visit(col("移動元内訳ＩＤ", Extra), r.移動元内訳ＩＤ);
    visit(col("種目ＩＤ", Edit), r.種目ＩＤ);
    visit(col("科目ＩＤ", Edit), r.科目ＩＤ);
    visit(col("部位ＩＤ", Edit), r.部位ＩＤ);
    visit(col("細目ＩＤ", Edit), r.細目ＩＤ);
    // Read with a half-width digit, written with a full-width one; the database
    // compares names without regard to width.
    visit(col("仕様規格ＩＤ１", Edit, "仕様規格ＩＤ1"), r.仕様規格ＩＤ１);
    visit(col("仕様規格ＩＤ２", Edit, "仕様規格ＩＤ2"), r.仕様規格ＩＤ２);
    visit(col("仕様規格ＩＤ３", Edit, "仕様規格ＩＤ3"), r.仕様規格ＩＤ３);
    visit(col("仕様規格ＩＤ４", Edit, "仕様規格ＩＤ4"), r.仕様規格ＩＤ４);
    visit(col("内外区分", Edit), r.内外区分);
    visit(col("表示番号名称", Edit), r.表示番号名称);
    visit(col("名称１", Edit), r.名称１);
    visit(col("名称２", Edit), r.名称２);
    visit(col("名称３", Edit), r.名称３);
    visit(col("名称４", Edit), r.名称４);
    visit(col("仕様１", Edit), r.仕様１);
    visit(col("仕様２", Edit), r.仕様２);
    visit(col("仕様３", Edit), r.仕様３);
    visit(col("仕様４", Edit), r.仕様４);
    visit(col("単位ＩＤ", Edit), r.単位ＩＤ);
    visit(col("単位名称", Edit), r.単位名称);
    visit(col("拾い数量", Edit), r.拾い数量);
    visit(col("内訳数量", Edit), r.内訳数量);
    visit(col("他社担当者ＭＩＤ", Edit), r.他社担当者ＭＩＤ);
    visit(col("受注者単価", Edit), r.受注者単価);
    visit(col("受注者割掛加算額", Edit), r.受注者割掛加算額);
    visit(col("見積１単価", Edit), r.見積１単価);
    visit(col("見積１金額", Edit), r.見積１金額);
    visit(col("見積２単価", Edit), r.見積２単価);
    visit(col("見積２金額", Edit), r.見積２金額);
    visit(col("見積３単価", Edit), r.見積３単価);
    visit(col("見積３金額", Edit), r.見積３金額);
    visit(col("見積４単価", Edit), r.見積４単価);
    visit(col("見積４金額", Edit), r.見積４金額);
    visit(col("提出用単価", Edit), r.提出用単価);
    visit(col("提出用金額", Edit), r.提出用金額);
    visit(col("拾い種目ＩＤ", Edit), r.拾い種目ＩＤ);
    visit(col("拾い科目ＩＤ", Edit), r.拾い科目ＩＤ);
    visit(col("表示No", Edit), r.表示No);
    visit(col("頁名称", Edit), r.頁名称);
    visit(col("数量計算式", Edit), r.数量計算式);
    visit(col("受注者単価計算式", Edit), r.受注者単価計算式);
    visit(col("見積１単価計算式", Edit), r.見積１単価計算式);
    visit(col("見積２単価計算式", Edit), r.見積２単価計算式);
    visit(col("見積３単価計算式", Edit), r.見積３単価計算式);
    visit(col("見積４単価計算式", Edit), r.見積４単価計算式);
    visit(col("提出用単価計算式", Edit), r.提出用単価計算式);
    visit(col("社内備考", Edit), r.社内備考);
    visit(col("社外備考", Edit), r.社外備考);
    visit(col("補助数量", Extra), r.補助数量);
    visit(col("補助数量単位", Extra), r.補助数量単位);
    visit(col("設計記号", Extra), r.設計記号);
    // The full INSERT writes this name in brackets.
    visit(UchiwakeColumn{"[工種＿科目コード]", "工種＿科目コード", Extra}, r.工種＿科目コード);
    visit(col("部位区分", Extra), r.部位区分);
    visit(col("定価", Extra), r.定価);
    visit(col("単価掛率", Extra), r.単価掛率);
    visit(col("仕分け区分", Extra), r.仕分け区分);
    visit(col("建設資機材コード", Extra), r.建設資機材コード);
    visit(col("使用期間", Extra), r.使用期間);
    visit(col("使用期間単位", Extra), r.使用期間単位);
    visit(col("使用メーカーコード", Extra), r.使用メーカーコード);
    visit(col("使用メーカー名", Extra), r.使用メーカー名);
    visit(col("使用商社コード", Extra), r.使用商社コード);
    visit(col("使用商社名", Extra), r.使用商社名);
    visit(col("補助明細コード", Extra), r.補助明細コード);
    visit(col("明細別材工共コード", Extra), r.明細別材工共コード);
    visit(col("取引コード", Extra), r.取引コード);
    visit(col("明細番号", Extra), r.明細番号);
    visit(col("明細番号２", Extra), r.明細番号２);
}

}  // namespace omrix::breakdown
