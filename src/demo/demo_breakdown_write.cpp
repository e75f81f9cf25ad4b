#include "demo/demo_breakdown_write.h"

#include "demo/demo_sql.h"

namespace omrix::demo {
namespace {

constexpr std::string_view kUchiwakeColumns =
    "内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 合計見出し行ＩＤ, 継続親内訳ＩＤ, 継続行No, "
    "棟別, 種目ＩＤ, 科目ＩＤ, 表示番号名称, 名称１, 名称２, 仕様１, 仕様２, 単位ＩＤ, 単位名称, "
    "拾い数量, 内訳数量, 他社担当者ＭＩＤ, 受注者単価, 見積１単価, 見積１金額, 見積２単価, "
    "見積２金額, 提出用単価, 提出用金額, 拾い種目ＩＤ, 拾い科目ＩＤ, 表示No, 頁名称, 数量計算式, "
    "見積１単価計算式, 提出用単価計算式, 社内備考, 社外備考, [工種＿科目コード], 補助明細コード, "
    "明細番号";

constexpr std::string_view kDaikahyoColumns =
    "内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ, 端数金額, 合計金額, モデル数量, 換算単価";

SqlRow uchiwakeRow(int32_t uchiwakeNameId, const DemoLine& l) {
    SqlRow row;
    row.number(uchiwakeNameId)
        .number(l.内訳ＩＤ)
        .number(l.種別フラグ)
        .number(l.親内訳ＩＤ)
        .number(l.合計見出し行ＩＤ)
        .number(l.継続親内訳ＩＤ)
        .number(l.継続行No)
        .number(0)
        .number(l.種目ＩＤ)
        .number(l.科目ＩＤ)
        .text(l.表示番号名称, 16)
        .text(l.名称１, 54)
        .text(l.名称２, 54)
        .text(l.仕様１, 66)
        .text(l.仕様２, 66)
        .number(l.単位ＩＤ)
        .text(l.単位名称, 16)
        .real(l.拾い数量)
        .real(l.内訳数量)
        .number(l.他社担当者ＭＩＤ)
        .money(l.受注者単価)
        .money(l.見積１単価)
        .money(l.見積１金額)
        .money(l.見積２単価)
        .money(l.見積２金額)
        .money(l.提出用単価)
        .money(l.提出用金額)
        .number(l.種目ＩＤ)
        .number(l.科目ＩＤ)
        .number(l.表示No)
        .text(l.頁名称, 16)
        .text(l.数量計算式, 128)
        .text(l.見積１単価計算式, 128)
        .text(l.提出用単価計算式, 128)
        .text(l.社内備考, 34)
        .text(l.社外備考, 34)
        .text(l.工種科目コード, 16)
        .text(l.補助明細コード, 2)
        .text(l.明細番号, 25);
    return row;
}

}  // namespace

bool writeBreakdown(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const BreakdownPlan& plan) {
    RowInserter lines(db, "内訳", kUchiwakeColumns);
    RowInserter daika(db, "代価表", kDaikahyoColumns);
    for (const auto& l : plan.lines) {
        if (!lines.add(uchiwakeRow(uchiwakeNameId, l))) return false;
        if (!l.daika) continue;
        SqlRow row;
        row.number(uchiwakeNameId)
            .number(l.daika->代価表ＩＤ)
            .number(l.内訳ＩＤ)
            .money(l.daika->端数金額)
            .money(l.daika->合計金額)
            .real(l.daika->モデル数量)
            .money(l.daika->換算単価);
        if (!daika.add(row)) return false;
    }
    for (const auto& old : plan.superseded) {
        if (!lines.add(uchiwakeRow(uchiwakeNameId, old), true)) return false;
    }
    return lines.flush() && daika.flush();
}

}  // namespace omrix::demo
