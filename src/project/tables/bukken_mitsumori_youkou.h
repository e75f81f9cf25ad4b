#pragma once
// 物件見積要項: the texts of the estimate summary sheet, one row per project and version.

#include <array>
#include <cstdint>
#include <string_view>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

struct BukkenMitsumoriYoukouRec {
    data::AuditRec audit;
    int32_t 物件見積要項ＩＤ = 0;
    util::FixedText<16> 物件No;
    util::FixedText<4> 版No;
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
    util::FixedText<64> 付帯工事;
    std::array<util::FixedText<128>, 6> 支払条件;  // 支払条件１ … ６
    std::array<util::FixedText<64>, 4> 杭;         // 杭１ … ４
    std::array<util::FixedText<64>, 5> 別途工事;   // 別途工事１ … ５
    std::array<util::FixedText<64>, 11> 備考;      // 備考１ … １１
    util::FixedText<128> 文章;

    friend bool operator==(const BukkenMitsumoriYoukouRec&,
                           const BukkenMitsumoriYoukouRec&) = default;
};

void sbOmrix_DBT_BukkenMitsumoriYoukou_Clear(BukkenMitsumoriYoukouRec& rec);

// The live row of the project version. True when the query ran; without a row the
// record comes back cleared, ID 0.
[[nodiscard]] bool fnOmrix_DBT_BukkenMitsumoriYoukou_Select(data::CCCDBS_DataBase& db,
                                                            std::string_view sBukkenNo,
                                                            std::string_view sHanNo,
                                                            BukkenMitsumoriYoukouRec& rec);

// Update-then-insert by 物件見積要項ＩＤ. False after rolling back its own transaction.
[[nodiscard]] bool fnOmrix_DBT_BukkenMitsumoriYoukou_Update(data::CCCDBS_DataBase& db,
                                                            const BukkenMitsumoriYoukouRec& rec,
                                                            bool bTrans);

}  // namespace omrix::project
