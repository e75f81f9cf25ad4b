// The server driver on a real PostgreSQL: SQL Server texts as written behave as there.

#include <gtest/gtest.h>

#include <ctime>
#include <optional>
#include <string>

#include "context/app_context.h"
#include "context/temp_folder.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/drivers/driver.h"
#include "data/table_database.h"
#include "data/test_server.h"

namespace omrix::data {
namespace {

using testing::kLockInsert;

class ServerDriver : public testing::TablesTest {
  protected:
    int32_t affected(std::string_view sql) {
        int32_t rows = -1;
        int16_t status = 0;
        EXPECT_TRUE(t.db().fnExecute(sql, rows, status)) << sql << ": " << t.db().lastErrorText();
        return rows;
    }
};

TEST_F(ServerDriver, AffectedRowsOfAllStatementsOfATextAreSummed) {
    EXPECT_EQ(affected("Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (1, 'm');\r\n"
                       "Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (2, 'm2');\r\n"
                       "Insert Into 金額種類Ｍ (金額種類ＩＤ, 金額種類名称) Values (3, 'm3');"),
              3);
    EXPECT_EQ(affected("Delete From 金額種類Ｍ Where 金額種類ＩＤ = 99; "
                       "Delete From 金額種類Ｍ Where 金額種類ＩＤ = 1;"),
              1);
    EXPECT_EQ(t.count("金額種類Ｍ"), 2);
}

// GetDate() is today on the server; a second lock row is refused with SQL Server's code.
TEST_F(ServerDriver, RefusedLockRowIsReportedAsTheSqlServerCode) {
    int32_t rows = 0, result = 0;
    std::time_t before = std::time(nullptr);
    ASSERT_TRUE(t.db().fnExecuteEx(kLockInsert, rows, result, -1, kErrorsInCommand));
    EXPECT_EQ(rows, 1);
    std::tm local{};
    localtime_r(&before, &local);
    char today[16];
    std::strftime(today, sizeof today, "%Y-%m-%d", &local);
    auto rs = t.db().fnOpenRecordSet("Select 更新日 From ＩＤ排他管理;");
    EXPECT_EQ(rs ? rs->fnGetDate("更新日").toString().substr(0, 10) : "", today);
    EXPECT_FALSE(t.db().fnExecuteEx(kLockInsert, rows, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, kErrorsInCommand);
    // Trailing blanks of the table name make no other lock.
    std::string padded(kLockInsert);
    padded.replace(padded.find("'物件概要'"), 14, "'物件概要   '");
    EXPECT_FALSE(t.db().fnExecuteEx(padded, rows, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, kErrorsInCommand);
    // Any other failure keeps the server's own code.
    EXPECT_FALSE(t.db().fnExecuteEx("Insert Into 無いテーブル Values (1);", rows, result));
    EXPECT_TRUE(result != 0 && result != kErrorsInCommand) << result;
}

TEST_F(ServerDriver, ValuesAndColumnsReadBackAsWritten) {
    t.exec(
        "Insert Into 物件概要 (物件概要ＩＤ, 物件No, 工事名称, 延床面積, 更新日) Values "
        "(1, '00000001', 'O''Neil ｶﾞ 邸（新築）', 1234.5, '2026-04-01 10:20:30');"
        "Insert Into 物件概要 (物件概要ＩＤ, 物件No, 工事名称, 延床面積, 更新日) Values "
        "(2, NULL, NULL, NULL, NULL);");
    t.exec(
        "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 提出用金額) Values "
        "(1, 1, 922337203685477.5807);");
    auto rs = t.db().fnOpenRecordSet("Select * From 物件概要 Order By 物件概要ＩＤ;");
    ASSERT_TRUE(rs) << t.db().lastErrorText();
    EXPECT_EQ(rs->fnGetChar("工事名称"), "O'Neil ｶﾞ 邸（新築）");
    EXPECT_EQ(rs->fnGetDate("更新日").toString(), "2026-04-01 10:20:30");
    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_EQ(rs->fnGetChar("工事名称"), "");
    EXPECT_TRUE(isNull(rs->fnGetVariant("物件No")));
    ASSERT_TRUE(rs->fnMovePrevious());
    EXPECT_EQ(rs->fnGetChar("物件No"), "00000001");
    // Columns are found whatever their width and case; Count(*), a BIGINT here, is a number.
    t.exec("Insert Into ＩＤ管理 (ＫＥＹＩＤ１, テーブル名称) Values (7, 'x');");
    rs = t.db().fnOpenRecordSet(
        "Select [ＫＥＹＩＤ１], Count(*) AS RecCount From ＩＤ管理 Group By ＫＥＹＩＤ１;");
    ASSERT_TRUE(rs) << t.db().lastErrorText();
    EXPECT_EQ(rs->fnGetInt("KeyId1"), 7);
    EXPECT_EQ(rs->fnGetVariant("RecCount"), Variant(int64_t{1}));
    // The largest Currency arrives exactly, not through a double.
    auto money = t.db().fnOpenRecordSet("Select 提出用金額 From 内訳出力;");
    EXPECT_EQ(money ? money->fnGetMoney("提出用金額").toString() : "", "922337203685477.5807");
}

// A batch of inserts goes to this server as one statement of column arrays: every
// row keeps its own values, however they are quoted, and a row the column refuses
// refuses the whole batch. A fraction for an integer column goes as written and is
// rounded as its literal is.
TEST_F(ServerDriver, BatchedInsertsStoreEveryRowsOwnValues) {
    const std::pair<const char*, const char*> names[] = {
        {"a''b", "a'b"},
        {"\"q\" \\ {x,y} NULL", "\"q\" \\ {x,y} NULL"},
        {"", ""},
        {"全角　ＡＢ（）  ", "全角　ＡＢ（）  "},
        {"NULL", "NULL"}};
    std::string batch;
    for (int i = 0; i < 5; ++i) {
        batch +=
            "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 名称１, 見積１単価, 頁名称, 更新日) "
            "Values (3, " +
            std::to_string(i + 1) + ", '" + names[i].first + "', " +
            (i % 2 ? "-0.0001" : "12345678901.2345") + ", " + (i == 4 ? "NULL" : "'p'") +
            ", GetDate());\r\n";
    }
    EXPECT_EQ(affected(batch), 5);
    auto rs = t.db().fnOpenRecordSet(
        "Select * From 内訳出力 Where 内訳名称ＩＤ = 3 Order By 内訳出力ＩＤ");
    ASSERT_TRUE(rs) << t.db().lastErrorText();
    for (int i = 0; i < 5; ++i, rs->fnMoveNext()) {
        EXPECT_EQ(rs->fnGetChar("名称１"), names[i].second);
        EXPECT_EQ(rs->fnGetMoney("見積１単価").toString(), i % 2 ? "-0.0001" : "12345678901.2345");
        EXPECT_EQ(isNull(rs->fnGetVariant("頁名称")), i == 4);
        EXPECT_FALSE(isNull(rs->fnGetVariant("更新日")));
    }
    EXPECT_EQ(t.value("Select Length(名称１) From 内訳出力 Where 内訳出力ＩＤ = 4"), "9");

    EXPECT_FALSE(
        t.db().fnExecute("Insert Into 内訳出力 (内訳名称ＩＤ, 頁名称) Values (4, 'ok');"
                         "Insert Into 内訳出力 (内訳名称ＩＤ, 頁名称) Values (4, '" +
                         std::string(17, 'x') + "');"));
    EXPECT_EQ(t.value("Select Count(*) From 内訳出力 Where 内訳名称ＩＤ = 4"), "0");
    EXPECT_EQ(affected("Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ) Values (5, 1.5);"
                       "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ) Values (5, 2);"),
              2);
    EXPECT_EQ(t.value("Select Sum(内訳出力ＩＤ) From 内訳出力 Where 内訳名称ＩＤ = 5"), "4");
}

// Rows arrive in blocks of 64: rows at the block edges, NULLs, and names of 76 four-byte
// characters (past a buffer for 76 BMP characters) read as written, also after a requery.
TEST_F(ServerDriver, RowsReadInBlocksArriveWhole) {
    std::string longName;
    for (int i = 0; i < 76; ++i) longName += "\xF0\xA0\xAE\xB7";  // U+20BB7
    auto name = [&](int id) -> std::optional<std::string> {
        if (id % 64 == 0 || id == 3) return longName;
        if (id % 65 == 0 || id == 130) return std::nullopt;
        return "工事" + std::to_string(id);
    };
    constexpr int kRows = 130;
    std::string inserts;
    for (int id = 1; id <= kRows; ++id) {
        auto value = name(id);
        inserts += "Insert Into 物件概要 (物件概要ＩＤ, 工事名称) Values (" + std::to_string(id) +
                   ", " + (value ? "'" + *value + "'" : "NULL") + ");\r\n";
    }
    t.exec(inserts);
    auto rs = t.db().fnOpenRecordSet(
        "Select 物件概要ＩＤ, 工事名称 From 物件概要 Order By 物件概要ＩＤ;");
    ASSERT_TRUE(rs) << t.db().lastErrorText();
    for (int pass = 0; pass < 2; ++pass) {
        int id = 0;
        for (; !rs->pbEOF(); rs->fnMoveNext()) {
            ++id;
            ASSERT_EQ(rs->fnGetInt("物件概要ＩＤ"), id);
            auto expected = name(id);
            EXPECT_EQ(isNull(rs->fnGetVariant("工事名称")), !expected) << id;
            EXPECT_EQ(rs->fnGetChar("工事名称"), expected.value_or("")) << id;
        }
        EXPECT_EQ(id, kRows);
        ASSERT_TRUE(rs->fnRequery());
    }
}

TEST_F(ServerDriver, TransactionsNestAFailedStatementLeavesTheRestAndAnOpenOneRollsBack) {
    CCCDBS_DataBase& db = t.db();
    ASSERT_EQ(db.fnBeginTrans(), 1);
    t.exec("Insert Into 金額種類Ｍ (金額種類ＩＤ) Values (1);");
    ASSERT_EQ(db.fnBeginTrans(), 2);
    t.exec("Insert Into 金額種類Ｍ (金額種類ＩＤ) Values (2);");
    EXPECT_TRUE(db.fnRollBackTrans());
    // As on SQL Server, a failed statement does not end the transaction around it.
    int32_t rows = 0, result = 0;
    EXPECT_TRUE(db.fnExecuteEx(kLockInsert, rows, result));
    EXPECT_FALSE(db.fnExecuteEx(kLockInsert, rows, result));
    t.exec("Insert Into 金額種類Ｍ (金額種類ＩＤ) Values (3);");
    EXPECT_TRUE(db.fnCommitTrans());
    EXPECT_EQ(t.value("Select Sum(金額種類ＩＤ) From 金額種類Ｍ;"), "4");
    // Another connection sees nothing of a transaction until it commits.
    auto other = t.connect();
    ASSERT_TRUE(other);
    ASSERT_EQ(db.fnBeginTrans(), 1);
    t.exec("Delete From 金額種類Ｍ;");
    auto rs = other->fnOpenRecordSet("Select Count(*) From 金額種類Ｍ;");
    EXPECT_EQ(rs ? rs->fnGetInt(0) : -1, 2);
    EXPECT_TRUE(db.fnRollBackTrans() && !db.fnCommitTrans());  // nothing left to commit
    EXPECT_EQ(t.count("金額種類Ｍ"), 2);
    // A transaction left open ends rolled back with its connection; its record set stays.
    ASSERT_EQ(other->fnBeginTrans(), 1);
    ASSERT_TRUE(other->fnExecute("Insert Into 金額種類Ｍ (金額種類ＩＤ) Values (5);"));
    rs = other->fnOpenRecordSet("Select 金額種類ＩＤ From 金額種類Ｍ Where 金額種類ＩＤ = 5;");
    ASSERT_TRUE(rs);
    EXPECT_TRUE(other->fnClose());
    EXPECT_EQ(rs->fnGetInt(0), 5);
    EXPECT_TRUE(rs->fnMoveNext() && rs->pbEOF());
    EXPECT_EQ(t.count("金額種類Ｍ"), 2);
}

TEST_F(ServerDriver, WrongOrUndecipherablePasswordsStopTheLogOnWithoutShowingThem) {
    std::optional<testing::TestServer> server = testing::testServer();
    ASSERT_TRUE(server);
    const std::string ini = t.folder().file("OTHER.INI");
    testing::PasswordKey key;
    const struct {
        std::string stored;
        std::string reason;
        bool ownBox;
    } cases[] = {
        {key.stored("wrong-" + server->password), "password authentication failed", false},
        {"", "no password", false},
        {"sb1:AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA", "cannot be deciphered",
         true},
    };
    for (const auto& c : cases) {
        testing::writeBytes(ini, server->databaseSection(c.stored));
        t.messages().clear();
        EXPECT_FALSE(fnDREVOObj_GetDbObject(ini));
        std::string reason = context::appContext().Database->lastErrorText();
        EXPECT_NE(reason.find(c.reason), std::string::npos) << reason;
        EXPECT_EQ(reason.find(server->password), std::string::npos) << reason;
        ASSERT_EQ(t.messages().messages().size(), c.ownBox ? 2u : 1u);
        EXPECT_EQ(t.messages().messages().back().number, 3010);
        for (const auto& shown : t.messages().messages())
            EXPECT_EQ(shown.text.find(server->password), std::string::npos) << shown.text;
    }
}

}  // namespace
}  // namespace omrix::data
