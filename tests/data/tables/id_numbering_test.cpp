#include "data/tables/id_numbering.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

#include "context/app_context.h"
#include "data/tables/exclusive_lock.h"
#include "data/table_database.h"
#include "platform/shown_messages.h"

namespace omrix::data {
namespace {

using context::appContext;

class IdNumberingTest : public testing::TablesTest {
  protected:
    // Counts the waits instead of sleeping.
    LockRetryPolicy counting(int32_t tries = 0, int32_t waitMs = 0) {
        return {
            .tries = tries, .waitMs = waitMs, .sleep = [this](int32_t ms) { waits.push_back(ms); }};
    }
    int32_t take(std::string_view table, int32_t count, const LockRetryPolicy& policy) {
        return fnOmrix_DBT_ID_Kanri_GetIncMaxID(t.db(), policy, table, count, "", 0, "", 0);
    }
    int32_t take(std::string_view table, int32_t count = 1) {
        return take(table, count, counting());
    }
    void holdLock() {
        t.exec(
            "Insert Into ＩＤ排他管理 (削除区分, ＫＥＹＩＤ１, ＫＥＹＩＤ２, テーブル名称) "
            "Values ('0', 0, 0, '物件概要');");
    }
    std::string counter(std::string_view table) {
        return t.value("Select ＩＤカウンタ From ＩＤ管理 Where RTrim(テーブル名称) = '" +
                       std::string(table) + "';");
    }
    int64_t lockRows() { return t.count("ＩＤ排他管理;"); }

    std::vector<int32_t> waits;
};

TEST_F(IdNumberingTest, FirstTakeCreatesTheCounterLaterOnesRaiseIt) {
    EXPECT_EQ(take("物件概要", 3), 3);
    EXPECT_EQ(t.value("Select 更新カウンタ || 削除区分 || 更新操作者 From ＩＤ管理;"), "00tester");
    EXPECT_EQ(take("物件概要", -7), 4);  // below 1 counts as 1
    // Each key pair has a counter of its own.
    EXPECT_EQ(fnOmrix_DBT_ID_Kanri_GetIncMaxID(t.db(), counting(), "物件概要", 1, "", 1, "X", 0),
              1);
    t.exec("Delete From ＩＤ管理;");
    t.exec(
        "Insert Into ＩＤ管理 (削除区分, ＫＥＹＩＤ１, ＫＥＹＩＤ２, テーブル名称, ＩＤカウンタ, "
        "更新カウンタ) Values ('0', 0, 0, '物件見積要項     ', 41, 32766);");
    EXPECT_EQ(take("物件見積要項", 3), 44);  // the caller owns 42, 43, 44
    EXPECT_EQ(t.value("Select ＩＤカウンタ || '/' || 更新カウンタ From ＩＤ管理;"), "44/1");
    EXPECT_EQ(lockRows(), 0);
}

TEST_F(IdNumberingTest, HeldLockIsTriedSettingPlusOneTimesThenGivesUp) {
    holdLock();
    EXPECT_EQ(take("物件概要", 1, counting(2, 15)), 0);
    EXPECT_EQ(waits, (std::vector<int32_t>{15, 15, 15}));
    // Someone else's lock row is theirs to delete, and no counter moved.
    EXPECT_EQ(lockRows(), 1);
    EXPECT_EQ(counter("物件概要"), "<none>");
    EXPECT_EQ(take("物件見積要項", 1, counting(2, 15)), 1);  // another table's lock is no obstacle
    // The environment row gives the tries and waits; the caller shows one message.
    appContext().Kankyo.ＬＯＣＫ作成トライ回数 = 1;
    appContext().Kankyo.ＬＯＣＫ作成ウェイト時間 = 1;
    auto policy = lockRetryPolicyFromContext();
    const testing::Shown once{
        "3010|ＩＤ管理テーブルの取得|"
        "メイン画面のツール→排他管理→ＩＤ排他管理を確認してください。|sbSaveGaiyou"};
    EXPECT_EQ(fnGetNewTableID(t.db(), policy, "物件概要", "sbSaveGaiyou"), 0);
    EXPECT_EQ(testing::shownTexts(t.messages()), once);
    t.exec("Delete From ＩＤ排他管理;");
    EXPECT_EQ(fnGetNewTableID(t.db(), policy, "物件概要", "sbSaveGaiyou"), 1);
    EXPECT_EQ(testing::shownTexts(t.messages()), once);
    // Any other refusal will not cure itself by waiting.
    waits.clear();
    t.exec("Drop Table ＩＤ排他管理;");
    EXPECT_EQ(take("物件概要", 1, counting(5, 10)), 0);
    EXPECT_TRUE(waits.empty());
}

TEST_F(IdNumberingTest, FailedWritesReleaseTheLockOrShowTheCriticalBox) {
    t.exec(
        "Insert Into ＩＤ管理 (削除区分, ＫＥＹＩＤ１, ＫＥＹＩＤ２, テーブル名称, ＩＤカウンタ) "
        "Values ('0', 0, 0, '物件概要', 10);");
    t.refuse("Update", "ＩＤ管理");
    EXPECT_EQ(take("物件概要", 1), 0);
    EXPECT_EQ(counter("物件概要"), "10");
    // Nor is a counter raised past the Long range.
    t.stopRefusing("ＩＤ管理");
    t.exec("Update ＩＤ管理 Set ＩＤカウンタ = 2147483646;");
    EXPECT_EQ(take("物件概要", 1), 2147483647);
    EXPECT_EQ(take("物件概要", 1), 0);
    EXPECT_EQ(lockRows(), 0);
    EXPECT_TRUE(t.messages().messages().empty());
    // A failed unlock shows the critical box and keeps the number.
    t.refuse("Delete", "ＩＤ排他管理");
    EXPECT_EQ(take("物件見積要項", 1), 1);
    ASSERT_EQ(t.messages().messages().size(), 1u);
    const auto& shown = t.messages().messages()[0];
    EXPECT_EQ(shown.style, platform::kStyleCritical);
    EXPECT_EQ(shown.text, "テーブル「物件見積要項」のＩＤ排他管理を完了できませんでした。");
    EXPECT_EQ(lockRows(), 1);
}

// Breakdown lines are numbered per project; an unreadable project or header gives -1
// with a message, and no counter moves.
TEST_F(IdNumberingTest, BreakdownLinesAreNumberedPerProject) {
    t.exec(
        "Insert Into 内訳名称 (内訳名称ＩＤ, 物件No, 版No) Values "
        "(7, '  P100 ', '01'), (8, 'P100', '02');"
        "Insert Into 物件管理 (物件管理ＩＤ, 物件No, 物件No枝番) Values "
        "(55, 'P100', '0000'), (56, 'P100', '0001');");
    EXPECT_EQ(fnOmrix_DBT_ID_Kanri_GetIncMaxID("内訳", 2, "", 0, "内訳名称", 7), 2);
    EXPECT_EQ(fnOmrix_DBT_ID_Kanri_GetIncMaxID(" 内訳 ", 1, "", 0, " 内訳名称", 8), 3);
    EXPECT_EQ(fnOmrix_DBT_ID_Kanri_GetIncMaxIDUchiwakeID("内訳", 0, "", 0, "内訳名称", 7), 4);
    const std::string key =
        "Select ＫＥＹＩＤ１ || '/' || ＫＥＹテーブル名称２ || '/' || ＫＥＹＩＤ２ || '/' || "
        "ＩＤカウンタ From ＩＤ管理;";
    EXPECT_EQ(t.value(key), "0/物件管理/55/4");
    for (const char* table : {"物件管理", "内訳名称"}) {
        t.messages().clear();
        t.exec(std::string("Drop Table ") + table + ";");
        EXPECT_EQ(fnOmrix_DBT_ID_Kanri_GetIncMaxID("内訳", 1, "", 0, "内訳名称", 7), -1) << table;
        EXPECT_EQ(t.messages().messages().size(), 1u);
    }
    EXPECT_EQ(testing::shownTexts(t.messages()),
              testing::Shown{"3010|内訳名称の取得||fnOmrix_DBT_ID_Kanri_GetIncMaxIDUchiwakeID"});
    EXPECT_EQ(t.value(key), "0/物件管理/55/4");
    EXPECT_EQ(lockRows(), 0);
}

// Four processes take numbers from one counter: the lock row hands each out exactly once.
TEST_F(IdNumberingTest, ConcurrentProcessesNeverShareANumber) {
    constexpr int kProcesses = 4;
    constexpr int kTakes = 200;
    std::string outputs = t.folder().file("taken");
    // No connection may cross the fork.
    appContext().Database.reset();
    t.db().fnClose();

    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            auto db = t.connect();
            if (!db) ::_exit(2);
            appContext().Database = db;
            appContext().Kankyo.ＬＯＣＫ作成トライ回数 = 30000;
            appContext().Kankyo.ＬＯＣＫ作成ウェイト時間 = 1;
            std::ofstream out(outputs + std::to_string(p));
            for (int i = 0; i < kTakes; ++i)
                out << fnOmrix_DBT_ID_Kanri_GetIncMaxID("物件概要", 1, "", 0, "", 0) << "\n";
            out.close();
            db->fnClose();
            ::_exit(t.messages().messages().empty() ? 0 : 3);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    }
    // Every number from 1 to the last exactly once.
    std::set<int32_t> distinct;
    size_t taken = 0;
    for (int p = 0; p < kProcesses; ++p) {
        std::ifstream in(outputs + std::to_string(p));
        for (int32_t id; in >> id; ++taken) distinct.insert(id);
    }
    EXPECT_EQ(taken, static_cast<size_t>(kProcesses * kTakes));
    EXPECT_EQ(distinct.size(), taken);
    EXPECT_EQ(*distinct.begin(), 1);
    EXPECT_EQ(*distinct.rbegin(), kProcesses * kTakes);
    auto db = t.connect();
    auto rs =
        db ? db->fnOpenRecordSet(
                 "Select (Select Count(*) From ＩＤ排他管理) || '/' || ＩＤカウンタ From ＩＤ管理;")
           : nullptr;
    EXPECT_EQ(rs ? rs->fnGetChar(0) : "", "0/" + std::to_string(kProcesses * kTakes));
}

// Held and free lines are read by the breakdown load tests; here the edges.
TEST_F(IdNumberingTest, ExclusiveLockRowsOfBreakdownLines) {
    t.exec(
        "Insert Into 排他管理 (削除区分, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, テーブル名称, "
        "ロックＩＤ番号) Values ('1', '内訳名称', 5, '内訳', 13), "
        "('0', '出来高内訳名称', 6, '出来高内訳', 12);");
    bool locked = false;
    ASSERT_TRUE(fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(t.db(), 5, 13, locked));
    EXPECT_TRUE(locked);  // the lock table knows no soft delete
    ASSERT_TRUE(fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(t.db(), 6, 12, locked));
    EXPECT_FALSE(locked);  // a lock of the progress breakdown
    ASSERT_TRUE(fnOmrix_DBT_HaitaKanri_CheckDekidakaUchiwakeLock(t.db(), 6, 12, locked));
    EXPECT_TRUE(locked);
    // A failed query is no lock.
    t.exec("Drop Table 排他管理;");
    EXPECT_FALSE(fnOmrix_DBT_HaitaKanri_CheckUchiwakeLock(t.db(), 5, 13, locked) || locked);
}

}  // namespace
}  // namespace omrix::data
