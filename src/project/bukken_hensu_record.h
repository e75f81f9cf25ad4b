#pragma once
// One 物件変数 row. Header-only: AppContext holds the project's rows.

#include <cstdint>

#include "data/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::project {

struct BukkenHensuRec {
    data::AuditRec audit;
    int32_t 物件変数ＩＤ = 0;
    util::FixedText<16> 物件No;
    util::FixedText<16> 変数名;
    util::FixedText<32> 名称;
    double 数量 = 0.0;
};

}  // namespace omrix::project
