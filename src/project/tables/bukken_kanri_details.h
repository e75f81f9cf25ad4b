#pragma once
// The detail tables of 物件管理 (read only), each found by the ID 物件管理 holds.

#include <cstdint>

#include "data/tables/audit_record.h"
#include "data/core/variant.h"
#include "util/currency.h"
#include "util/fixed_text.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

struct BukkenKiboKanriRec {  // 物件規模管理
    data::AuditRec audit;
    int32_t 物件規模管理ＩＤ = 0;
    int32_t 構造区分ＩＤ = 0;
    int16_t 地下階 = 0;
    int16_t 地上階 = 0;
    int16_t ＰＨ階 = 0;
    double 軒高 = 0.0;
    double 敷地面積 = 0.0;
    double 建築面積 = 0.0;
    double 延床面積 = 0.0;
    double 施工床面積 = 0.0;
    util::FixedText<1> ボーリングデータ有無;
};

struct BukkenKoujiBashoKanriRec {  // 物件工事場所管理
    data::AuditRec audit;
    int32_t 物件工事場所管理ＩＤ = 0;
    int32_t 都道府県ＩＤ = 0;
    util::FixedText<10> 受渡し場所郵便番号;
    util::FixedText<100> 受渡し場所住所;
    util::FixedText<28> 受渡し場所所長名;
    util::FixedText<28> 受渡し場所担当者名;
    util::FixedText<15> 受渡し場所電話番号;
    util::FixedText<15> 受渡し場所ＦＡＸ番号;
};

struct BukkenKuiKanriRec {  // 物件杭管理
    data::AuditRec audit;
    int32_t 物件杭管理ＩＤ = 0;
    int32_t 杭工法ＩＤ = 0;
    double 杭長さ = 0.0;
    int32_t 杭本数 = 0;
    int32_t 杭径 = 0;
    int32_t 基礎種類ＩＤ = 0;
};

struct BukkenTatemonoKanriRec {  // 物件建物管理
    data::AuditRec audit;
    int32_t 物件建物管理ＩＤ = 0;
    int32_t 建物分類ＩＤ = 0;
    int32_t 主建物用途ＩＤ = 0;
    int32_t 副建物用途ＩＤ = 0;
    double 建物数量 = 0.0;
};

struct BukkenTokkiKanriRec {  // 物件特記管理
    data::AuditRec audit;
    int32_t 物件特記管理ＩＤ = 0;
    data::DateTime 工期ＦＲＯＭ;
    data::DateTime 工期ＴＯ;
    util::FixedText<12> 工事No;
    util::Currency 契約金額;
    util::FixedText<314> 支払条件;
    util::FixedText<92> 特記事項;
};

// True when the query ran; without a live row the record comes back cleared.
[[nodiscard]] bool fnOmrix_DBT_BukkenKiboKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                                      BukkenKiboKanriRec& rec);
[[nodiscard]] bool fnOmrix_DBT_BukkenKoujiBashoKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                                            BukkenKoujiBashoKanriRec& rec);
[[nodiscard]] bool fnOmrix_DBT_BukkenKuiKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                                     BukkenKuiKanriRec& rec);
[[nodiscard]] bool fnOmrix_DBT_BukkenTatemonoKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                                          BukkenTatemonoKanriRec& rec);
[[nodiscard]] bool fnOmrix_DBT_BukkenTokkiKanri_Select(data::CCCDBS_DataBase& db, int32_t lID,
                                                       BukkenTokkiKanriRec& rec);

}  // namespace omrix::project
