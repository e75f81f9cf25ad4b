#pragma once
// 物件概要: the texts of the construction overview sheet, one row per project.

#include <array>
#include <cstdint>
#include <string_view>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

struct BukkenGaiyouRec {
    data::AuditRec audit;
    int32_t 物件概要ＩＤ = 0;
    util::FixedText<16> 物件No;
    util::FixedText<128> 事業所名称;
    util::FixedText<76> 工事名称;
    util::FixedText<50> 工事略称;
    util::FixedText<128> 受渡し場所住所;
    util::FixedText<128> 設計者担当部署名;
    util::FixedText<128> 発注者担当部署名;
    util::FixedText<128> 建物用途名称;
    double 建物数量 = 0.0;
    util::FixedText<64> 構造区分名称;
    int16_t 地下階 = 0;
    int16_t 地上階 = 0;
    int16_t ＰＨ階 = 0;
    double 軒高 = 0.0;
    double 敷地面積 = 0.0;  // square metres
    double 建築面積 = 0.0;
    double 延床面積 = 0.0;
    double 施工床面積 = 0.0;
    double 敷地面積坪 = 0.0;  // tsubo
    double 建築面積坪 = 0.0;
    double 延床面積坪 = 0.0;
    double 施工床面積坪 = 0.0;
    util::FixedText<64> 工期;
    util::FixedText<64> 見積範囲;
    std::array<util::FixedText<128>, 5> 特記事項;  // 特記事項１ … 特記事項５
    util::FixedText<1> 杭有無;
    util::FixedText<64> 杭備考;
    util::FixedText<1> 山止有無;
    util::FixedText<64> 山止備考;
    util::FixedText<1> 構台有無;
    util::FixedText<64> 構台備考;
    util::FixedText<1> ボーリングデータ有無;
    util::FixedText<64> ボーリングデータ備考;
    util::FixedText<1> 載荷有無;
    util::FixedText<64> 載荷備考;

    friend bool operator==(const BukkenGaiyouRec&, const BukkenGaiyouRec&) = default;
};

void sbOmrix_DBT_BukkenGaiyou_Clear(BukkenGaiyouRec& rec);

// The live row of the project (either form of 物件No matches). True when the query ran;
// without a row the record comes back cleared, ID 0.
[[nodiscard]] bool fnOmrix_DBT_BukkenGaiyou_Select(data::CCCDBS_DataBase& db,
                                                   std::string_view sBukkenNo,
                                                   BukkenGaiyouRec& rec);

// Update-then-insert by 物件概要ＩＤ. False after rolling back its own transaction.
[[nodiscard]] bool fnOmrix_DBT_BukkenGaiyou_Update(data::CCCDBS_DataBase& db,
                                                   const BukkenGaiyouRec& rec, bool bTrans);

}  // namespace omrix::project
