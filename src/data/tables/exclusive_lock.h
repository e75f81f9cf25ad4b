#pragma once
// Tests of 排他管理, where the suite's editors mark the breakdown lines they hold open.
// This program never writes the table; it only asks whether a line is held.

#include <cstdint>

namespace omrix::data {

class CCCDBS_DataBase;

// False only when the query could not run; locked tells whether a lock row exists.
[[nodiscard]] bool fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(CCCDBS_DataBase& db,
                                                            int32_t lUchiwakeNameID,
                                                            int32_t lLockID, bool& bLocked);
[[nodiscard]] bool fnOmrix_DBT_HaitaKanri_CheckDekidakaUchiwakeLock(CCCDBS_DataBase& db,
                                                                    int32_t lDekidakaUchiwakeNameID,
                                                                    int32_t lLockID, bool& bLocked);

}  // namespace omrix::data
