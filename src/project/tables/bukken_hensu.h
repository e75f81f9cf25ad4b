#pragma once
// 物件変数, the named quantities of a project used in quantity formulas, and the
// suite-wide tsubo factor kept as the variable TUBOKANSAN of project "00000000".

#include <string_view>
#include <vector>

#include "project/tables/bukken_hensu_record.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

void sbOmrix_DBT_BukkenHensu_Clear(BukkenHensuRec& rec);

// Every live row of the project, in stored order. False only when the query fails.
[[nodiscard]] bool fnOmrix_DBT_BukkenHensu_Select(data::CCCDBS_DataBase& db,
                                                  std::string_view sBukkenNo,
                                                  std::vector<BukkenHensuRec>& rows);

// 数量 of TUBOKANSAN as stored, unrounded; 0 without a row or when the query fails.
double fnGetTuboKansan(data::CCCDBS_DataBase& db);
// The same on the program's connection; 0 without one.
double fnGetTuboKansan();

}  // namespace omrix::project
