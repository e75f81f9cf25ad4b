#include "data/exclusive_lock.h"

#include <string>
#include <string_view>

#include "data/database.h"
#include "context/app_context.h"

namespace omrix::data {
namespace {

// No 削除区分 condition: a lock row counts whatever the row says.
bool checkLock(std::string_view nameTable, std::string_view table, int32_t id, int32_t lockId,
               bool& locked) {
    locked = false;
    auto& db = context::appContext().Database;
    if (!db) return false;
    std::string sql = "Select ロックＩＤ番号 From ";
    sql += "排他管理";
    sql += " Where (ＫＥＹテーブル名称２ = '";
    sql += nameTable;
    sql += "') And (ＫＥＹＩＤ２ = " + std::to_string(id) + ") And (テーブル名称 = '";
    sql += table;
    sql += "') And (ロックＩＤ番号 = " + std::to_string(lockId) + ");";
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return false;
    locked = !rs->pbEOF();
    rs->fnClose();
    return true;
}

}  // namespace

bool fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(int32_t lUchiwakeNameID, int32_t lLockID,
                                              bool& bLocked) {
    return checkLock("内訳名称", "内訳", lUchiwakeNameID, lLockID, bLocked);
}

bool fnOmrix_DBT_HaitaKanri_CheckDekidakaUchiwakeLock(int32_t lDekidakaUchiwakeNameID,
                                                      int32_t lLockID, bool& bLocked) {
    return checkLock("出来高内訳名称", "出来高内訳", lDekidakaUchiwakeNameID, lLockID, bLocked);
}

}  // namespace omrix::data
