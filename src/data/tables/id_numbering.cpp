#include "data/tables/id_numbering.h"

#include <chrono>
#include <limits>
#include <string>
#include <thread>

#include "context/app_context.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/record_conventions.h"
#include "platform/messages.h"
#include "util/text.h"

namespace omrix::data {
namespace {

constexpr int32_t kTableNameBytes = 128;

std::string quoted(std::string_view text) {
    return fnSqlQuote(text, kTableNameBytes);
}

struct CounterKey {
    std::string table;  // already cut to 128 bytes
    std::string_view keyTable1;
    int32_t keyId1;
    std::string_view keyTable2;
    int32_t keyId2;

    // The condition every statement on the counter and the lock row shares.
    std::string where() const {
        return " Where 削除区分 = '0' And   ＫＥＹＩＤ１ = " + std::to_string(keyId1) +
               " And   ＫＥＹＩＤ２ = " + std::to_string(keyId2) +
               " And   RTrim(テーブル名称) = '" + quoted(util::trimBlanksRight(table)) + "'";
    }
};

bool takeLock(CCCDBS_DataBase& db, const CounterKey& key, const LockRetryPolicy& policy) {
    std::string sql = "Insert Into ＩＤ排他管理 (";
    sql += kAuditInsertColumns;
    sql += "ＫＥＹテーブル名称１, ＫＥＹＩＤ１, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, テーブル名称";
    sql += ") Values (" + fnAuditInsertValues() + "'" + quoted(key.keyTable1) + "', " +
           std::to_string(key.keyId1) + ", '" + quoted(key.keyTable2) + "', " +
           std::to_string(key.keyId2) + ", '" + quoted(key.table) + "' );";
    for (int32_t attempt = 0; attempt <= policy.tries; ++attempt) {
        int32_t affected = 0;
        int32_t result = 0;
        if (db.fnExecuteEx(sql, affected, result, -1, kLockRowRefused)) return true;
        // Anything but the refused insert will not cure itself by waiting.
        if (result != kLockRowRefused) return false;
        int32_t wait = policy.waitMs > 0 ? policy.waitMs : 0;
        if (policy.sleep) {
            policy.sleep(wait);
        } else if (wait > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(wait));
        }
    }
    return false;
}

// Reads and raises the counter under the lock; 0 when that did not work.
int32_t raiseCounter(CCCDBS_DataBase& db, const CounterKey& key, int32_t count) {
    std::string select =
        "Select ＩＤカウンタ From ＩＤ管理  Where 削除区分 = '0' And (ＫＥＹＩＤ１ = " +
        std::to_string(key.keyId1) + ") And (ＫＥＹＩＤ２ = " + std::to_string(key.keyId2) +
        ") And (RTrim(テーブル名称) = '" + quoted(util::trimBlanksRight(key.table)) + "');";
    auto rs = db.fnOpenRecordSet(select, 0, 1, -1);
    if (!rs) return 0;
    bool exists = !rs->pbEOF();
    int64_t counter = count;
    if (exists) counter += rs->fnGetInt("ＩＤカウンタ");
    rs->fnClose();
    // A counter past the Long range would hand out numbers nobody can store.
    if (counter > std::numeric_limits<int32_t>::max()) return 0;

    std::string sql;
    if (!exists) {
        sql = "Insert Into ＩＤ管理 (";
        sql += kAuditInsertColumns;
        sql +=
            "ＫＥＹテーブル名称１, ＫＥＹＩＤ１, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, "
            "テーブル名称, ＩＤカウンタ) Values (" +
            fnAuditInsertValues() + "'" + quoted(key.keyTable1) + "', " +
            std::to_string(key.keyId1) + ", '" + quoted(key.keyTable2) + "', " +
            std::to_string(key.keyId2) + ", '" + quoted(key.table) + "', " +
            std::to_string(counter) + ");";
    } else {
        sql = "Update ＩＤ管理 Set " + fnAuditUpdateSet() + "ＫＥＹテーブル名称１ = '" +
              quoted(util::trimBlanksRight(key.keyTable1)) + "', ＫＥＹテーブル名称２ = '" +
              quoted(util::trimBlanksRight(key.keyTable2)) +
              "', ＩＤカウンタ = " + std::to_string(counter) + key.where() + ";";
    }
    return db.fnExecute(sql) ? static_cast<int32_t>(counter) : 0;
}

void releaseLock(CCCDBS_DataBase& db, const CounterKey& key) {
    if (db.fnExecute("Delete From ＩＤ排他管理 " + key.where())) return;
    platform::showMessageBox("テーブル「" + key.table + "」のＩＤ排他管理を完了できませんでした。",
                             platform::kStyleCritical);
}

bool isUchiwakeCounter(std::string_view table, std::string_view keyTable2) {
    return util::trimBlanks(table) == "内訳" && util::trimBlanks(keyTable2) == "内訳名称";
}

}  // namespace

LockRetryPolicy lockRetryPolicyFromContext() {
    const auto& kankyo = context::appContext().Kankyo;
    LockRetryPolicy policy;
    policy.tries = kankyo.ＬＯＣＫ作成トライ回数;
    policy.waitMs = kankyo.ＬＯＣＫ作成ウェイト時間;
    return policy;
}

namespace {

int32_t takeNumbers(CCCDBS_DataBase& db, const CounterKey& key, int32_t count,
                    const LockRetryPolicy& policy) {
    if (!takeLock(db, key, policy)) return 0;
    int32_t result = raiseCounter(db, key, count);
    // The lock row goes whether or not the counter moved.
    releaseLock(db, key);
    return result;
}

// The project's 物件管理ＩＤ for a breakdown header; false when a read failed.
bool projectOfBreakdown(CCCDBS_DataBase& db, int32_t uchiwakeNameId, int32_t& bukkenKanriId) {
    bukkenKanriId = 0;
    auto header =
        db.fnOpenRecordSet("Select * From 内訳名称 Where (削除区分 = '0') AND 内訳名称ＩＤ = " +
                           std::to_string(uchiwakeNameId) + " ;");
    if (!header) return false;
    std::string bukkenNo = header->pbEOF() ? std::string() : header->fnGetChar("物件No");
    header->fnClose();
    auto project = db.fnOpenRecordSet(
        "Select * From 物件管理  Where 削除区分 = '0' And (LTrim(RTrim(物件No)) = '" +
        fnSqlQuote(util::trimBlanks(bukkenNo), 0) + "')  AND (LTrim(RTrim(物件No枝番)) = '0000');");
    if (!project) return false;
    if (!project->pbEOF()) bukkenKanriId = project->fnGetInt("物件管理ＩＤ");
    project->fnClose();
    return true;
}

int32_t numberBreakdownLines(CCCDBS_DataBase* db, int32_t count, int32_t uchiwakeNameId,
                             const LockRetryPolicy& policy) {
    int32_t bukkenKanriId = 0;
    if (db == nullptr || !projectOfBreakdown(*db, uchiwakeNameId, bukkenKanriId)) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "内訳名称の取得", "",
                                         "fnOmrix_DBT_ID_Kanri_GetIncMaxIDUchiwakeID");
        return -1;
    }
    return takeNumbers(*db, CounterKey{"内訳", "", 0, "物件管理", bukkenKanriId}, count, policy);
}

}  // namespace

int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxID(std::string_view sTable, int32_t lCount,
                                         std::string_view sKeyTable1, int32_t lKeyID1,
                                         std::string_view sKeyTable2, int32_t lKeyID2) {
    CCCDBS_DataBase* db = programDatabase();
    if (db == nullptr) return 0;
    return fnOmrix_DBT_ID_Kanri_GetIncMaxID(*db, lockRetryPolicyFromContext(), sTable, lCount,
                                            sKeyTable1, lKeyID1, sKeyTable2, lKeyID2);
}

int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxID(CCCDBS_DataBase& db, const LockRetryPolicy& policy,
                                         std::string_view sTable, int32_t lCount,
                                         std::string_view sKeyTable1, int32_t lKeyID1,
                                         std::string_view sKeyTable2, int32_t lKeyID2) {
    if (lCount < 1) lCount = 1;
    CounterKey key{util::fnLeftB(sTable, kTableNameBytes), sKeyTable1, lKeyID1, sKeyTable2,
                   lKeyID2};
    if (isUchiwakeCounter(key.table, sKeyTable2)) {
        return numberBreakdownLines(&db, lCount, lKeyID2, policy);
    }
    return takeNumbers(db, key, lCount, policy);
}

int32_t fnOmrix_DBT_ID_Kanri_GetIncMaxIDUchiwakeID(std::string_view /*sTable*/, int32_t lCount,
                                                   std::string_view /*sKeyTable1*/,
                                                   int32_t /*lKeyID1*/,
                                                   std::string_view /*sKeyTable2*/,
                                                   int32_t lKeyID2) {
    return numberBreakdownLines(programDatabase(), lCount < 1 ? 1 : lCount, lKeyID2,
                                lockRetryPolicyFromContext());
}

int32_t fnGetNewTableID(CCCDBS_DataBase& db, const LockRetryPolicy& policy, std::string_view sTable,
                        std::string_view procedureName) {
    int32_t id = fnOmrix_DBT_ID_Kanri_GetIncMaxID(db, policy, sTable, 1, "", 0, "", 0);
    if (id > 0) return id;
    platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "ＩＤ管理テーブルの取得",
                                     "メイン画面のツール→排他管理→ＩＤ排他管理を確認してください。",
                                     procedureName);
    return 0;
}

}  // namespace omrix::data
