#pragma once
// The records of the breakdown tables 内訳名称, 内訳 and 代価表. Header-only:
// AppContext holds the 内訳名称 row.

#include <cstdint>
#include <string>
#include <string_view>

#include "breakdown/tables/kind_flags.h"
#include "data/tables/audit_record.h"
#include "records/uchiwake_name_record.h"
#include "util/currency.h"
#include "util/fixed_text.h"

namespace omrix::breakdown {

using util::Currency;
using util::FixedText;

// One 代価表 row: the unit-price breakdown header of a line item.
struct DaikahyoRec {
    data::AuditRec audit;
    int32_t 内訳名称ＩＤ = 0;
    int32_t 代価表ＩＤ = 0;
    int32_t 内訳ＩＤ = 0;  // the line that owns it
    Currency 端数金額;
    Currency 合計金額;
    double モデル数量 = 0.0;
    Currency 換算単価;
};

using records::UchiwakeNameRec;

// One line of a breakdown (内訳), in column order, then the fields held in memory only.
struct UchiwakeRec {
    data::AuditRec audit;
    int32_t 内訳名称ＩＤ = 0;
    int32_t 内訳ＩＤ = 0;
    int16_t 種別フラグ = 0;
    FixedText<1> 明細データ属性コード;
    int32_t 親内訳ＩＤ = 0;  // 0 for a top-level line
    int32_t 合計見出し行ＩＤ = 0;
    int32_t 継続親内訳ＩＤ = 0;
    int16_t 継続行No = 0;
    int16_t 棟別 = 0;
    int32_t 移動元内訳ＩＤ = 0;
    int32_t 種目ＩＤ = 0;
    int32_t 科目ＩＤ = 0;
    int32_t 部位ＩＤ = 0;
    int32_t 細目ＩＤ = 0;
    int32_t 仕様規格ＩＤ１ = 0;
    int32_t 仕様規格ＩＤ２ = 0;
    int32_t 仕様規格ＩＤ３ = 0;
    int32_t 仕様規格ＩＤ４ = 0;
    FixedText<1> 内外区分;
    FixedText<16> 表示番号名称;
    FixedText<54> 名称１;
    FixedText<54> 名称２;
    FixedText<54> 名称３;
    FixedText<54> 名称４;
    FixedText<66> 仕様１;
    FixedText<66> 仕様２;
    FixedText<66> 仕様３;
    FixedText<66> 仕様４;
    int32_t 単位ＩＤ = 0;
    FixedText<16> 単位名称;
    double 拾い数量 = 0.0;
    double 内訳数量 = 0.0;
    int32_t 他社担当者ＭＩＤ = 0;
    Currency 受注者単価;
    Currency 受注者割掛加算額;
    Currency 見積１単価;
    Currency 見積１金額;
    Currency 見積２単価;
    Currency 見積２金額;
    Currency 見積３単価;
    Currency 見積３金額;
    Currency 見積４単価;
    Currency 見積４金額;
    Currency 提出用単価;
    Currency 提出用金額;
    int32_t 拾い種目ＩＤ = 0;
    int32_t 拾い科目ＩＤ = 0;
    int32_t 表示No = 0;
    FixedText<16> 頁名称;
    FixedText<128> 数量計算式;
    FixedText<128> 受注者単価計算式;
    FixedText<128> 見積１単価計算式;
    FixedText<128> 見積２単価計算式;
    FixedText<128> 見積３単価計算式;
    FixedText<128> 見積４単価計算式;
    FixedText<128> 提出用単価計算式;
    FixedText<34> 社内備考;
    FixedText<34> 社外備考;
    double 補助数量 = 0.0;
    FixedText<16> 補助数量単位;
    FixedText<16> 設計記号;
    FixedText<16> 工種＿科目コード;
    FixedText<16> 部位区分;
    Currency 定価;
    double 単価掛率 = 0.0;
    FixedText<32> 仕分け区分;
    FixedText<64> 建設資機材コード;
    double 使用期間 = 0.0;
    FixedText<16> 使用期間単位;
    FixedText<25> 使用メーカーコード;
    FixedText<40> 使用メーカー名;
    FixedText<25> 使用商社コード;
    FixedText<40> 使用商社名;
    FixedText<2> 補助明細コード;
    FixedText<2> 明細別材工共コード;
    FixedText<14> 取引コード;
    FixedText<25> 明細番号;
    FixedText<5> 明細番号２;

    // In memory only.
    FixedText<50> 明細コード;  // compared by the search by line-item code, never stored
    DaikahyoRec 代価表;
    bool ロック = false;       // the select found an exclusive-lock entry for the line
    bool 配置済 = false;       // work flag of the tree build; false at rest
    std::string 他社担当者名;  // looked up for 他社担当者ＭＩＤ when it is not 0
    int32_t 予備Long = 0;      // carried, never read
    int16_t 予備Integer = 0;   // carried, never read
};

void sbOmrix_DBT_Uchiwake_Clear(UchiwakeRec& rec);
void sbOmrix_DBT_Daikahyo_Clear(DaikahyoRec& rec);
void sbOmrix_DBT_UchiwakeName_Clear(UchiwakeNameRec& rec);

}  // namespace omrix::breakdown
