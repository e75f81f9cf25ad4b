#pragma once
// 内訳書出力形式Ｍ, the print types offered in the main window.

#include <cstdint>
#include <vector>

#include "data/tables/audit_record.h"
#include "util/fixed_text.h"

namespace omrix::data {

class CCCDBS_DataBase;

struct UchiwakeshoShutsuryokuKeishikiMRec {
    AuditRec audit;
    int32_t 内訳書出力形式ＩＤ = 0;
    util::FixedText<32> 内訳書出力形式名称;
};

// Order 1/2: by ID ascending/descending, 3/4: by name ascending/descending, other: as the
// database gives them. ID 0 is never listed. False when the read fails.
[[nodiscard]] bool fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(
    CCCDBS_DataBase& db, std::vector<UchiwakeshoShutsuryokuKeishikiMRec>& rows, int16_t order);

}  // namespace omrix::data
