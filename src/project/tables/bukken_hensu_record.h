#pragma once
// The 物件変数 row of the project tables; defined with the records AppContext holds.

#include "records/bukken_hensu_record.h"

namespace omrix::project {

using records::BukkenHensuRec;

}  // namespace omrix::project
