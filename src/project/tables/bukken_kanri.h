#pragma once
// 物件管理, the suite's master row of a project (read only here). Its IDs lead to the
// detail tables from which a new sheet is filled.

#include <cstdint>
#include <string_view>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

struct BukkenKanriRec {
    data::AuditRec audit;
    int32_t 表示Ｎｏ = 0;
    int32_t 物件管理ＩＤ = 0;
    util::FixedText<16> 物件No;
    util::FixedText<4> 物件No枝番;
    util::FixedText<76> 工事名称;
    util::FixedText<50> 工事略称;
    util::FixedText<1> 予定区分;
    util::FixedText<1> ＪＶ構成企業;
    int32_t 物件工事場所管理ＩＤ = 0;
    int32_t 事業所ＩＤ = 0;
    int32_t 物件種別ＩＤ = 0;
    int32_t 物件建物管理ＩＤ = 0;
    int32_t 物件規模管理ＩＤ = 0;
    int32_t 自社担当者ＭＩＤ = 0;
    util::FixedText<12> 自社ＣＤ;
    util::FixedText<10> 自社ＣＤ２;
    int32_t 他社担当者ＭＩＤ = 0;
    util::FixedText<12> 他社ＣＤ;
    util::FixedText<10> 他社ＣＤ２;
    int32_t 設計担当者ＭＩＤ = 0;
    util::FixedText<12> 設計社ＣＤ;
    int32_t 物件杭管理ＩＤ = 0;
    int32_t 物件主仕上管理ＩＤ = 0;
    int32_t 物件特記管理ＩＤ = 0;
    util::FixedText<128> 備考;
};

// The live row of (物件No, 物件No枝番), both keys trimmed. True when the query ran;
// without a row the record comes back cleared.
[[nodiscard]] bool fnOmrix_DBT_BukkenKanri_Select(data::CCCDBS_DataBase& db,
                                                  std::string_view sBukkenNo,
                                                  std::string_view sEdaban, BukkenKanriRec& rec);

}  // namespace omrix::project
