#pragma once
// The demo breakdown into 内訳 and 代価表.

#include <cstdint>

#include "data/core/database.h"
#include "demo/demo_breakdown.h"

namespace omrix::demo {

// Lines (live and superseded) and the 代価表 rows of their owners; false when a
// statement fails. The caller owns the transaction.
bool writeBreakdown(data::CCCDBS_DataBase& db, int32_t uchiwakeNameId, const BreakdownPlan& plan);

}  // namespace omrix::demo
