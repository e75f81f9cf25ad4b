#pragma once
// The masters the print module reads: 環境Ｍ, the companies and operators, the print
// types, and the name masters behind the project information.

#include <cstdint>
#include <string>
#include <string_view>

#include "data/core/database.h"

namespace omrix::demo {

// Operator 1 may do everything; operator 3 may print and view but not save (権限 bit 0).
inline constexpr int32_t kDemoTantoshaCount = 4;

// False when a statement fails. The caller owns the transaction.
bool writeMasters(data::CCCDBS_DataBase& db);

// Text blank-padded on the right to `width` bytes, as the suite's other programs
// store code columns.
std::string padCode(std::string_view code, int32_t width);

}  // namespace omrix::demo
