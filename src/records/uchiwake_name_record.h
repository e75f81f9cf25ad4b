#pragma once
// The 内訳名称 row of the project version: AppContext holds it for the whole run.

#include <cstdint>

#include "records/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::records {

// One 内訳名称 row: the header of a breakdown.
struct UchiwakeNameRec {
    AuditRec audit;
    int32_t 内訳名称ＩＤ = 0;
    util::FixedText<64> 内訳名称;
    util::FixedText<16> 物件No;
    util::FixedText<4> 版No;
    int16_t 種別フラグ = 0;
    int32_t 事業所ＩＤ = 0;
};

}  // namespace omrix::records
