#pragma once
// 内訳名称: the header row of each breakdown.

#include <cstdint>
#include <string_view>
#include <vector>

#include "breakdown/uchiwake_records.h"

namespace omrix::breakdown {

// The first live row with that ID into rec; rec stays as it was when there is none.
// False only when the query cannot run.
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByID(int32_t lUchiwakeNameID,
                                                       UchiwakeNameRec& rec);

// Every live row of a project version at recs[1..n]; recs[0] stays cleared and
// unused. False only when the query cannot run.
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByBukken(std::string_view sBukkenNo,
                                                           std::string_view sHanNo,
                                                           std::vector<UchiwakeNameRec>& recs);

}  // namespace omrix::breakdown
