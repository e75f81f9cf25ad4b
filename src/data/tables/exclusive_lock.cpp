#include "data/tables/exclusive_lock.h"

#include <string>
#include <string_view>

#include "data/core/row_select.h"

namespace omrix::data {
namespace {

// No 削除区分 condition: a lock row counts whatever the row says.
bool checkLock(CCCDBS_DataBase& db, std::string_view nameTable, std::string_view table, int32_t id,
               int32_t lockId, bool& locked) {
    locked = false;
    std::string sql = "Select ロックＩＤ番号 From ";
    sql += "排他管理";
    sql += " Where (ＫＥＹテーブル名称２ = '";
    sql += nameTable;
    sql += "') And (ＫＥＹＩＤ２ = " + std::to_string(id) + ") And (テーブル名称 = '";
    sql += table;
    sql += "') And (ロックＩＤ番号 = " + std::to_string(lockId) + ");";
    return selectHasRow(db, sql, locked);
}

}  // namespace

bool fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(CCCDBS_DataBase& db, int32_t lUchiwakeNameID,
                                              int32_t lLockID, bool& bLocked) {
    return checkLock(db, "内訳名称", "内訳", lUchiwakeNameID, lLockID, bLocked);
}

bool fnOmrix_DBT_HaitaKanri_CheckDekidakaUchiwakeLock(CCCDBS_DataBase& db,
                                                      int32_t lDekidakaUchiwakeNameID,
                                                      int32_t lLockID, bool& bLocked) {
    return checkLock(db, "出来高内訳名称", "出来高内訳", lDekidakaUchiwakeNameID, lLockID, bLocked);
}

}  // namespace omrix::data
