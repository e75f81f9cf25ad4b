#pragma once
// 代価表: the unit-price breakdown header of a line item, one row per line.

#include <cstdint>
#include <string>

#include "breakdown/tables/uchiwake_records.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::breakdown {

// The statements, not run.
std::string fnOmrix_DBT_Daikahyo_InsertSql(const DaikahyoRec& rec);
std::string fnOmrix_DBT_Daikahyo_DeleteSql(int32_t lUchiwakeNameID, int32_t lUchiwakeID);

// Update by 代価表ＩＤ, insert when no row changed. The forms without a database use
// the program's connection and fail without one.
[[nodiscard]] bool fnOmrix_DBT_Daikahyo_Update(data::CCCDBS_DataBase& db, const DaikahyoRec& rec);
[[nodiscard]] bool fnOmrix_DBT_Daikahyo_Update(const DaikahyoRec& rec);
[[nodiscard]] bool fnOmrix_DBT_Daikahyo_Delete(data::CCCDBS_DataBase& db, int32_t lUchiwakeNameID,
                                               int32_t lUchiwakeID);
[[nodiscard]] bool fnOmrix_DBT_Daikahyo_Delete(int32_t lUchiwakeNameID, int32_t lUchiwakeID);

}  // namespace omrix::breakdown
