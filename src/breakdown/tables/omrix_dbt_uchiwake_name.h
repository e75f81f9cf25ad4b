#pragma once
// 内訳名称: the header row of each breakdown.

#include <cstdint>
#include <string_view>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::breakdown {

// The first live row with that ID into rec; rec stays as it was when there is none.
// False only when the query cannot run. The forms without a database use the
// program's connection and fail without one.
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByID(data::CCCDBS_DataBase& db,
                                                       int32_t lUchiwakeNameID,
                                                       UchiwakeNameRec& rec);
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByID(int32_t lUchiwakeNameID,
                                                       UchiwakeNameRec& rec);

// Every live row of a project version at recs[1..n]; recs[0] stays cleared and
// unused. False when the read fails.
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByBukken(data::CCCDBS_DataBase& db,
                                                           std::string_view sBukkenNo,
                                                           std::string_view sHanNo,
                                                           std::vector<UchiwakeNameRec>& recs);
[[nodiscard]] bool fnOmrix_DBT_UchiwakeName_SelectByBukken(std::string_view sBukkenNo,
                                                           std::string_view sHanNo,
                                                           std::vector<UchiwakeNameRec>& recs);

}  // namespace omrix::breakdown
