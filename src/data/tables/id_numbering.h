#pragma once
// IDs from the shared counters of ＩＤ管理. Every program of the suite takes numbers
// from the same counters, so each take is guarded by a lock row in ＩＤ排他管理 whose
// unique key lets only one taker in at a time.

#include <cstdint>
#include <functional>
#include <string_view>

namespace omrix::data {

class CCCDBS_DataBase;

// The error code the data layer gives for a refused insert (the lock row exists).
inline constexpr int32_t kLockRowRefused = static_cast<int32_t>(0x80040E14u);

// How often and how patiently the lock row is tried; by default from AppContext.Kankyo.
struct LockRetryPolicy {
    int32_t tries = 0;   // ＬＯＣＫ作成トライ回数: the attempts are this plus one
    int32_t waitMs = 0;  // ＬＯＣＫ作成ウェイト時間, after every refused attempt
    std::function<void(int32_t ms)> sleep;  // empty: the thread sleeps
};

LockRetryPolicy lockRetryPolicyFromContext();

// Reserves lCount numbers (at least 1) and returns the last of them, the counter's new
// value; 0 when no number could be taken (lock not had, or the counter not raised).
// A 内訳 counter keyed by 内訳名称 is handed to the breakdown numbering. Without a
// database and policy: the program's connection and AppContext.Kankyo.
int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxID(std::string_view sTable, int32_t lCount,
                                         std::string_view sKeyTable1, int32_t lKeyID1,
                                         std::string_view sKeyTable2, int32_t lKeyID2);
int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxID(CCCDBS_DataBase& db, const LockRetryPolicy& policy,
                                         std::string_view sTable, int32_t lCount,
                                         std::string_view sKeyTable1, int32_t lKeyID1,
                                         std::string_view sKeyTable2, int32_t lKeyID2);

// Breakdown lines are numbered per project: lKeyID2 is the 内訳名称ＩＤ, the counter is
// kept under the project's 物件管理ＩＤ. -1 (after message 3010) when the header or the
// project cannot be read.
int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxIDUchiwakeID(std::string_view sTable, int32_t lCount,
                                                   std::string_view sKeyTable1, int32_t lKeyID1,
                                                   std::string_view sKeyTable2, int32_t lKeyID2);

// One new ID for a table without keys (物件概要, 物件見積要項). 0 after message 3010
// pointing the user at the lock table when no number could be taken.
int32_t fnGetNewTableID(CCCDBS_DataBase& db, const LockRetryPolicy& policy, std::string_view sTable,
                        std::string_view procedureName);

}  // namespace omrix::data
