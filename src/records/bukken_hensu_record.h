#pragma once
// One 物件変数 row: AppContext holds the project's rows for the quantity formulas.

#include <cstdint>

#include "records/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::records {

struct BukkenHensuRec {
    AuditRec audit;
    int32_t 物件変数ＩＤ = 0;
    util::FixedText<16> 物件No;
    util::FixedText<16> 変数名;
    util::FixedText<32> 名称;
    double 数量 = 0.0;
};

}  // namespace omrix::records
