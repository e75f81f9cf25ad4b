#pragma once
// 環境Ｍ, the suite's environment settings. This program uses only the lock tries and
// wait; the rest is held as read.

#include <vector>

#include "data/tables/kankyo_record.h"

namespace omrix::data {

class CCCDBS_DataBase;

// Every live row. False when the query fails or moving to the next row fails.
[[nodiscard]] bool fnOmrix_DBT_KankyoM_Select(CCCDBS_DataBase& db, std::vector<KankyoRec>& rows);

// The first live row; false also when there is none. The INI key [GIJYUTU] PATH, when
// not blank, replaces the technical-document folder.
[[nodiscard]] bool fnOmrix_DBT_KankyoM_GetFirst(CCCDBS_DataBase& db, KankyoRec& row);

}  // namespace omrix::data
