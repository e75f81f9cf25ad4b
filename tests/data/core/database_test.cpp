#include "data/core/database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "data/core/schema.h"
#include "data/drivers/driver.h"
#include "data/table_database.h"

namespace omrix::data {
namespace {

using Database = testing::TablesTest;

using testing::kLockInsert;

TEST_F(Database, SeveralInOneTextRunInOrderAndCountTogether) {
    int32_t affected = -1;
    int16_t status = -1;
    ASSERT_TRUE(
        t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ, 変数名) Values (1, 'A');\r\n"
                         "Insert Into 物件変数 (物件変数ID, 変数名) Values (2, 'B');\r\n"
                         "Insert Into 物件変数 (物件変数ＩＤ, 変数名) Values (3, 'A')\r\n;"
                         "Update 物件変数 Set 数量 = 物件変数ＩＤ * 2 Where 変数名 = 'A';\r\n"
                         "Select * From 物件変数;",
                         affected, status));
    EXPECT_EQ(affected, 5);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(t.value("Select Sum(数量) From 物件変数"), "8");
    // The first failing statement ends the text; what ran before it stays.
    EXPECT_FALSE(t.db().fnExecute(
        "Delete From 物件変数 Where 物件変数ＩＤ = 1; Insert Into NoSuchTable Values (1); "
        "Delete From 物件変数;",
        affected, status));
    EXPECT_EQ(status, SQLITE_ERROR);
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(t.count("物件変数"), 2);
    EXPECT_EQ(t.db().fnOpenRecordSet("Delete From 物件変数"), nullptr);  // no query: no record set
    // The suite's server functions.
    EXPECT_EQ(t.value("Select Len('ab  ') || Len('内訳 ') || Coalesce(Len(NULL), 'n')"), "22n");
    EXPECT_EQ(t.value("Select Length(GetDate())"), "19");
}

// A second lock row, blank-padded, is refused with the server's code; others keep theirs.
TEST_F(Database, RefusedLockRowReportsErrorsInCommand) {
    int32_t affected = -1, result = -1;
    auto lock = [&](const std::string& sql) {
        return t.db().fnExecuteEx(sql, affected, result, -1, kErrorsInCommand);
    };
    ASSERT_TRUE(lock(kLockInsert));
    std::string padded = kLockInsert;
    padded.replace(padded.find("'物件概要'"), std::string("'物件概要'").size(), "'物件概要   '");
    EXPECT_FALSE(lock(padded));
    EXPECT_EQ(result, static_cast<int32_t>(0x80040E14u));
    EXPECT_FALSE(lock("Insert Into ＩＤ排他管理 (ＫＥＹＩＤ１) Values (NULL)"));
    EXPECT_EQ(result, SQLITE_CONSTRAINT_NOTNULL);
}

TEST_F(Database, NullAndEmptyStayApartInEveryReader) {
    t.exec(
        "Insert Into 物件特記管理 (物件特記管理ＩＤ, 工期ＦＲＯＭ, 工事No, 契約金額, 支払条件) "
        "Values (1, NULL, NULL, NULL, NULL), (2, '2024-03-31 17:45:09', '', 0, '0');");
    auto rs = t.db().fnOpenRecordSet("Select * From 物件特記管理 Order By 物件特記管理ＩＤ");
    ASSERT_TRUE(rs);
    for (const char* column : {"工期ＦＲＯＭ", "工事No", "契約金額", "支払条件"})
        EXPECT_TRUE(isNull(rs->fnGetVariant(column))) << column;
    EXPECT_EQ(rs->fnGetChar("工事No"), "");
    EXPECT_EQ(rs->fnGetMoney("契約金額"), util::Currency());
    EXPECT_EQ(rs->fnGetDate("工期ＦＲＯＭ").toString(), "1899-12-30 00:00:00");

    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_EQ(rs->fnGetVariant("工事No"), Variant(std::string()));
    EXPECT_EQ(rs->fnGetVariant("契約金額"), Variant(int64_t{0}));
    EXPECT_EQ(rs->fnGetDate("工期ＦＲＯＭ"), (DateTime{2024, 3, 31, 17, 45, 9}));
    // Past the last row, and on a closed record set, every reader gives its empty value.
    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_TRUE(isEmpty(rs->fnGetVariant("工事No")));
    EXPECT_TRUE(rs->fnClose());
    EXPECT_EQ(rs->fnGetInt(0), 0);
}

TEST_F(Database, ConvertWhatTheColumnsHoldFoundByName) {
    auto rs = t.db().fnOpenRecordSet(
        "Select 12345678901.2345 As big, '12.5' As t, "
        "3.5 As half2, 70000 As wide, 300 As byte, -1 As neg, 'TRUE' As word, "
        "45382.75 As serial, '2024/02/30' As bad, 'abc' As text");
    ASSERT_TRUE(rs);
    // 15 significant digits of a decimal: money is exact up to 99,999,999,999.9999.
    EXPECT_EQ(rs->fnGetMoney("big").toString(), "12345678901.2345");
    EXPECT_EQ(rs->fnGetInt("t") + rs->fnGetSmallInt("half2"), 12 + 4);  // halves to even
    EXPECT_EQ(rs->fnGetSmallInt("wide"), 0);                            // does not fit
    EXPECT_EQ(rs->fnGetInt("wide"), 70000);
    EXPECT_EQ(rs->fnGetTinyInt("byte") + rs->fnGetTinyInt("neg"), 0);
    EXPECT_TRUE(rs->fnGetBit("neg") && rs->fnGetBit("word") && !rs->fnGetBit("text"));
    EXPECT_EQ(rs->fnGetDate("serial"), (DateTime{2024, 3, 31, 18, 0, 0}));
    EXPECT_EQ(rs->fnGetDate("bad"), DateTime{});
    // Columns are found whatever their width, case or order.
    t.exec(
        "Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 仕様規格ＩＤ１, 名称１) Values "
        "(1, 10, 100, 'x'), (1, 20, 200, 'y');");
    rs = t.db().fnOpenRecordSet(
        "select u.*, 1 ロック from 内訳 u where u.内訳名称ID = 1 order by u.内訳ID");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->fnGetInt("仕様規格id１"), 100);
    ASSERT_TRUE(rs->fnMoveNext());
    // Another order on the next row still finds each column.
    EXPECT_EQ(rs->fnGetChar("名称１"), "y");
    EXPECT_EQ(rs->fnGetInt("仕様規格ＩＤ1"), 200);
    EXPECT_TRUE(isEmpty(rs->fnGetVariant(rs->columnCount())));
}

TEST_F(Database, RollBackUnlessCommittedAndNest) {
    auto ids = [this] { return t.value("Select Group_Concat(物件変数ＩＤ) From 物件変数"); };
    // A transaction writes through a larger page cache; every way out gives it back.
    auto cache = [this] { return t.value("PRAGMA cache_size"); };
    const std::string readCache = cache();
    {
        Transaction transaction(t.db());
        t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (1)");
        EXPECT_NE(cache(), readCache);
    }
    EXPECT_EQ(cache(), readCache);
    {
        Transaction transaction(t.db());
        t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (2)");
        EXPECT_TRUE(transaction.commit());
        EXPECT_FALSE(transaction.commit());
    }
    EXPECT_EQ(ids(), "2");
    // An inner rollback keeps the outer work.
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (3)");
    EXPECT_EQ(t.db().fnBeginTrans(), 2);
    t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (4)");
    EXPECT_TRUE(t.db().fnRollBackTrans());
    EXPECT_TRUE(t.db().fnCommitTrans());
    EXPECT_EQ(ids(), "2,3");
    EXPECT_EQ(cache(), readCache);
    EXPECT_FALSE(t.db().fnCommitTrans() || t.db().fnRollBackTrans());
    // A statement text that ends the transaction itself leaves no level behind.
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    t.exec("Rollback");
    EXPECT_EQ(cache(), readCache);
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    EXPECT_TRUE(t.db().fnCommitTrans());
}

// A second connection's write, and its begin, wait for the open transaction.
TEST_F(Database, SecondConnectionWaitsForTheOpenTransaction) {
    for (bool secondBegins : {false, true}) {
        SCOPED_TRACE(secondBegins);
        t.exec("Delete From 物件変数");
        ASSERT_EQ(t.db().fnBeginTrans(), 1);
        if (!secondBegins) t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (1)");
        std::atomic<bool> committed{false}, done{false};
        bool written = false, sawCommit = false;
        std::thread second([&] {
            auto other = t.connect();
            if (!other) return;
            if (secondBegins && other->fnBeginTrans() != 1) return;
            written = other->fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (2)") &&
                      (!secondBegins || other->fnCommitTrans());
            sawCommit = committed.load();
            done = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        EXPECT_FALSE(done.load());
        if (secondBegins) t.exec("Insert Into 物件変数 (物件変数ＩＤ) Values (1)");
        committed = true;
        ASSERT_TRUE(t.db().fnCommitTrans());
        second.join();
        EXPECT_TRUE(written && sawCommit);
        EXPECT_EQ(t.count("物件変数"), 2);
    }
}

// A record set given the number of a closed connection fails; a number is never
// handed out again, not even to the next connection opened on the same file.
TEST_F(Database, RecordSetOnAClosedConnectionFailsAndNumbersAreNotReused) {
    auto other = t.connect();
    ASSERT_TRUE(other);
    const int64_t closed = other->connectionHandle();
    ASSERT_NE(closed, 0);
    CCCDBS_RecordSet live;
    EXPECT_TRUE(live.fnOpen("Select * From 物件変数", closed));
    live.fnClose();
    ASSERT_TRUE(other->fnClose());
    EXPECT_EQ(other->connectionHandle(), 0);
    CCCDBS_RecordSet stale;
    EXPECT_FALSE(stale.fnOpen("Select * From 物件変数", closed));
    auto reopened = t.connect();
    ASSERT_TRUE(reopened);
    EXPECT_NE(reopened->connectionHandle(), closed);
    EXPECT_FALSE(stale.fnOpen("Select * From 物件変数", closed));
}

// A file that is no database is refused with its cause and path, and never created.
TEST(OpeningFiles, MissingCorruptOrForeignFilesFailWithTheirCause) {
    testing::TempFolder folder;
    const std::string missing = folder.file("missing.sqlite");
    const std::string corrupt = folder.file("corrupt.sqlite");
    testing::writeBytes(corrupt, std::string("SQLite format 3\0", 16) + std::string(2000, '\xA5'));
    const struct {
        std::string server, path, cause;  // cause: empty when the driver gives none
    } cases[] = {
        {"sqlite", missing, missing + ": no such database file"},
        {"sqlite", corrupt, corrupt + " is not a database file"},
        {"sqlite", folder.path().string(),
         folder.path().string() + " is a folder, not a database file"},
        {"sqlite", "", ""},
    };
    for (const auto& c : cases) {
        CCCDBS_DataBase db;
        EXPECT_FALSE(db.fnOpen(c.server, c.path, "", "", 1)) << c.path;
        EXPECT_FALSE(db.isOpen());
        if (!c.cause.empty()) {
            EXPECT_EQ(db.lastErrorText(), c.cause);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}

// Every test table file is opened through its INI file; here what it may hold besides.
TEST(OpeningFiles, FromIniFile) {
    testing::TempFolder folder;
    const std::string ini = folder.file("OMRIX.INI"), file = folder.file("db.sqlite");
    ASSERT_TRUE(createDatabaseFile(file));
    testing::writeBytes(ini, "[ALT]\nSRV=sqlite\nFILE=" + file + "\n");
    CCCDBS_DataBase db;
    ASSERT_TRUE(db.fnOpenFromIni(ini, "ALT", "SRV", "FILE"));
    EXPECT_TRUE(db.fnOpenFromIni(ini));  // connected: the INI file is not read again
    for (const char* body : {"[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=\n",
                             "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=elsewhere.sqlite\n"}) {
        testing::writeBytes(ini, body);
        EXPECT_FALSE(CCCDBS_DataBase().fnOpenFromIni(ini)) << body;
    }
    EXPECT_TRUE(db.fnClose() && db.fnOpenEtc(file));
}

}  // namespace
}  // namespace omrix::data
