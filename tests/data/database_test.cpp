#include "data/database.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <thread>

#include "context/ini_file.h"
#include "data/driver.h"
#include "data/schema.h"
#include "data/table_database.h"
#include "platform/password.h"
#include "platform/password_key.h"
#include "platform/shown_messages.h"

namespace omrix::data {
namespace {

using Statements = testing::TablesTest;
using Readers = testing::TablesTest;
using RecordSets = testing::TablesTest;
using Transactions = testing::TablesTest;
using Concurrency = testing::TablesTest;
using Opening = testing::TablesTest;
using Schema = testing::TablesTest;

constexpr const char* kLockInsert =
    "Insert Into ＩＤ排他管理 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
    "ＫＥＹテーブル名称１, ＫＥＹＩＤ１, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, テーブル名称 ) Values "
    "(GetDate(), 'tester', '', 0, '0', '', 0, '', 0, '物件概要' );";

TEST_F(Statements, SeveralInOneTextRunInOrderAndCountTogether) {
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
    EXPECT_EQ(t.value("Select Count(*) From 物件変数"), "2");

    // Blank texts and comments run and change nothing.
    EXPECT_TRUE(t.db().fnExecute(" \r\n -- nothing\n", affected, status));
    EXPECT_EQ(affected, 0);
}

TEST_F(Statements, SameShapeWithOtherValuesStoresEachRowsOwnValues) {
    std::string batch;
    for (int i = 1; i <= 150; ++i) {
        batch +=
            "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 名称１, 見積１単価, 頁名称) "
            "Values (7, " +
            std::to_string(i) + ", '名''" + std::to_string(i) + "', " +
            (i % 2 ? "-0.0001" : "12345678901.2345") + ", " + (i == 3 ? "NULL" : "''") + ");\r\n";
    }
    int32_t affected = 0;
    int16_t status = 0;
    Transaction transaction(t.db());  // one commit, not 150
    ASSERT_TRUE(t.db().fnExecute(batch, affected, status));
    EXPECT_EQ(affected, 150);
    ASSERT_TRUE(transaction.commit());
    auto rs = t.db().fnOpenRecordSet(
        "Select * From 内訳出力 Where 内訳名称ＩＤ = 7 Order By 内訳出力ＩＤ");
    ASSERT_TRUE(rs);
    for (int i = 1; i <= 150; ++i) {
        ASSERT_FALSE(rs->pbEOF());
        EXPECT_EQ(rs->fnGetInt("内訳出力ＩＤ"), i);
        EXPECT_EQ(rs->fnGetChar("名称１"), "名'" + std::to_string(i));
        EXPECT_EQ(rs->fnGetMoney("見積１単価").toString(), i % 2 ? "-0.0001" : "12345678901.2345");
        EXPECT_EQ(isNull(rs->fnGetVariant("頁名称")), i == 3);
        rs->fnMoveNext();
    }
    EXPECT_TRUE(rs->pbEOF());
}

TEST_F(Statements, ServerFunctionsAndTheCounterWrap) {
    EXPECT_EQ(t.value("Select Len('ab  ') || Len('内訳 ') || Coalesce(Len(NULL), 'n')"), "22n");
    EXPECT_EQ(t.value("Select Length(GetDate())"), "19");
    ASSERT_TRUE(
        t.db().fnExecute("Insert Into 物件概要 (物件概要ＩＤ, 更新カウンタ) Values (1, 32765);"
                         "Insert Into 物件概要 (物件概要ＩＤ, 更新カウンタ) Values (2, 0);"));
    const char* update =
        "Update 物件概要 Set 更新日 = GetDate(), 更新操作者 = 'op', 更新画面ＩＤ = '', "
        "更新カウンタ = case when 更新カウンタ >= 32766 then 1 else 更新カウンタ + 1 end, "
        "工期 = '' Where 削除区分 = '0' And (物件概要ＩＤ = 1) ;";
    ASSERT_TRUE(t.db().fnExecute(update));
    EXPECT_EQ(t.value("Select 更新カウンタ From 物件概要 Where 物件概要ＩＤ = 1"), "32766");
    ASSERT_TRUE(t.db().fnExecute(update));
    EXPECT_EQ(t.value("Select 更新カウンタ From 物件概要 Where 物件概要ＩＤ = 1"), "1");
    EXPECT_EQ(t.value("Select 更新カウンタ From 物件概要 Where 物件概要ＩＤ = 2"), "0");
}

TEST_F(Statements, RefusedLockRowReportsErrorsInCommand) {
    int32_t affected = -1, result = -1;
    ASSERT_TRUE(t.db().fnExecuteEx(kLockInsert, affected, result, -1, kErrorsInCommand));
    EXPECT_EQ(affected, 1);
    EXPECT_EQ(result, 0);

    EXPECT_FALSE(t.db().fnExecuteEx(kLockInsert, affected, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, static_cast<int32_t>(0x80040E14u));
    EXPECT_EQ(affected, 0);
    // Trailing blanks name the same table, as on the suite's server.
    std::string padded = kLockInsert;
    padded.replace(padded.find("'物件概要'"), std::string("'物件概要'").size(), "'物件概要   '");
    EXPECT_FALSE(t.db().fnExecuteEx(padded, affected, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, kErrorsInCommand);

    // Other failures keep their own codes.
    EXPECT_FALSE(t.db().fnExecuteEx("Insert Into ＩＤ排他管理 (ＫＥＹＩＤ１) Values (NULL)",
                                    affected, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, SQLITE_CONSTRAINT_NOTNULL);
    EXPECT_FALSE(t.db().fnExecuteEx("Insert Into", affected, result, -1, kErrorsInCommand));
    EXPECT_EQ(result, SQLITE_ERROR);

    // The lock is free again once its row is gone.
    ASSERT_TRUE(
        t.db().fnExecute("Delete From ＩＤ排他管理 Where RTrim(テーブル名称) = '物件概要'"));
    EXPECT_TRUE(t.db().fnExecuteEx(kLockInsert, affected, result, -1, kErrorsInCommand));
}

TEST(Unconnected, NothingRuns) {
    CCCDBS_DataBase db;
    int32_t affected = 5, result = 5;
    int16_t status = 5;
    EXPECT_FALSE(db.fnExecute("Select 1", affected, status));
    EXPECT_FALSE(db.fnExecuteEx("Select 1", affected, result));
    EXPECT_EQ(affected + status + result, 0);
    EXPECT_EQ(db.fnBeginTrans(), 0);
    EXPECT_FALSE(db.fnCommitTrans());
    EXPECT_FALSE(db.fnRollBackTrans());
    EXPECT_EQ(db.fnOpenRecordSet("Select 1"), nullptr);
    EXPECT_TRUE(db.fnClose());
}

TEST_F(Readers, NullAndEmptyStayApartInEveryReader) {
    ASSERT_TRUE(
        t.db().fnExecute("Insert Into 物件特記管理 (物件特記管理ＩＤ, 工期ＦＲＯＭ, 工事No, "
                         "契約金額, 支払条件, 削除区分) "
                         "Values (1, NULL, NULL, NULL, NULL, '0');"
                         "Insert Into 物件特記管理 (物件特記管理ＩＤ, 工期ＦＲＯＭ, 工事No, "
                         "契約金額, 支払条件, 削除区分) "
                         "Values (2, '2024-03-31 17:45:09', '', 0, '0', '0');"));
    auto rs = t.db().fnOpenRecordSet("Select * From 物件特記管理 Order By 物件特記管理ＩＤ");
    ASSERT_TRUE(rs);

    for (const char* column : {"工期ＦＲＯＭ", "工事No", "契約金額", "支払条件"})
        EXPECT_TRUE(isNull(rs->fnGetVariant(column))) << column;
    EXPECT_EQ(rs->fnGetChar("工事No"), "");
    EXPECT_EQ(rs->fnGetTinyInt("契約金額"), 0);
    EXPECT_EQ(rs->fnGetSmallInt("契約金額"), 0);
    EXPECT_EQ(rs->fnGetInt("契約金額"), 0);
    EXPECT_EQ(rs->fnGetHdouble("契約金額"), 0.0);
    EXPECT_EQ(rs->fnGetFloat("契約金額"), 0.0f);
    EXPECT_EQ(rs->fnGetMoney("契約金額"), util::Currency());
    EXPECT_FALSE(rs->fnGetBit("契約金額"));
    EXPECT_EQ(rs->fnGetDate("工期ＦＲＯＭ"), DateTime{});
    EXPECT_EQ(rs->fnGetDate("工期ＦＲＯＭ").toString(), "1899-12-30 00:00:00");

    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_EQ(rs->fnGetVariant("工事No"), Variant(std::string()));
    EXPECT_EQ(rs->fnGetVariant("契約金額"), Variant(int64_t{0}));
    EXPECT_EQ(rs->fnGetVariant("支払条件"), Variant(std::string("0")));
    EXPECT_EQ(rs->fnGetDate("工期ＦＲＯＭ"), (DateTime{2024, 3, 31, 17, 45, 9}));
    EXPECT_FALSE(rs->fnGetBit("支払条件"));

    // Past the last row, and on a closed record set, every reader gives its empty value.
    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_TRUE(rs->pbEOF());
    EXPECT_TRUE(isEmpty(rs->fnGetVariant("工事No")));
    EXPECT_TRUE(rs->fnClose());
    EXPECT_TRUE(isEmpty(rs->fnGetVariant("工事No")));
    EXPECT_EQ(rs->fnGetChar("工事No"), "");
    EXPECT_EQ(rs->fnGetInt(0), 0);
}

TEST_F(Readers, ConvertWhatTheColumnsHold) {
    auto rs = t.db().fnOpenRecordSet(
        "Select 12345678901.2345 As big, 1234567890123.4567 As beyond, '12.5' As t, 2.5 As half, "
        "3.5 As half2, 70000 As wide, 300 As byte, -1 As neg, 'TRUE' As word, "
        "45382.75 As serial, GetDate() As now, '2024/02/30' As bad, 'abc' As text");
    ASSERT_TRUE(rs);
    // The engine keeps 15 significant digits of a decimal: money is exact up to
    // 99,999,999,999.9999, the last place of larger amounts may move.
    EXPECT_EQ(rs->fnGetMoney("big").toString(), "12345678901.2345");
    EXPECT_EQ(rs->fnGetMoney("beyond").wholeUnits(), 1234567890123);
    EXPECT_EQ(rs->fnGetMoney("t").toString(), "12.5");
    EXPECT_EQ(rs->fnGetInt("t"), 12);  // half to even
    EXPECT_EQ(rs->fnGetSmallInt("half"), 2);
    EXPECT_EQ(rs->fnGetSmallInt("half2"), 4);
    EXPECT_EQ(rs->fnGetSmallInt("wide"), 0);  // does not fit
    EXPECT_EQ(rs->fnGetInt("wide"), 70000);
    EXPECT_EQ(rs->fnGetTinyInt("byte"), 0);
    EXPECT_EQ(rs->fnGetTinyInt("neg"), 0);
    EXPECT_TRUE(rs->fnGetBit("neg"));
    EXPECT_TRUE(rs->fnGetBit("word"));
    EXPECT_FALSE(rs->fnGetBit("text"));
    EXPECT_EQ(rs->fnGetInt("text"), 0);
    EXPECT_EQ(rs->fnGetDate("serial"), (DateTime{2024, 3, 31, 18, 0, 0}));
    EXPECT_NE(rs->fnGetDate("now"), DateTime{});
    EXPECT_EQ(rs->fnGetDate("bad"), DateTime{});
    EXPECT_EQ(rs->fnGetChar("half"), "2.5");
    EXPECT_EQ(rs->fnGetChar("wide"), "70000");
}

TEST_F(Readers, ColumnsFoundByNameWhateverTheWidthCaseOrOrder) {
    ASSERT_TRUE(
        t.db().fnExecute("Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 仕様規格ＩＤ１, 名称１) Values "
                         "(1, 10, 100, 'x');"
                         "Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 仕様規格ＩＤ１, 名称１) Values "
                         "(1, 20, 200, 'y');"));
    auto rs = t.db().fnOpenRecordSet(
        "select u.*, 1 ロック from 内訳 u where u.内訳名称ID = 1 order by u.内訳ID");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->fnGetInt("内訳ＩＤ"), 10);
    EXPECT_EQ(rs->fnGetInt("仕様規格ＩＤ1"), 100);
    EXPECT_EQ(rs->fnGetInt("仕様規格id１"), 100);
    EXPECT_EQ(rs->fnGetChar("名称１"), "x");
    EXPECT_EQ(rs->fnGetInt("ロック"), 1);
    EXPECT_TRUE(isEmpty(rs->fnGetVariant("ない列")));
    ASSERT_TRUE(rs->fnMoveNext());
    // Another order on the next row still finds each column.
    EXPECT_EQ(rs->fnGetChar("名称１"), "y");
    EXPECT_EQ(rs->fnGetInt("仕様規格ＩＤ1"), 200);
    EXPECT_EQ(rs->fnGetInt("内訳ＩＤ"), 20);
    EXPECT_EQ(rs->fnGetInt("内訳名称ID"), 1);
    int ordinal = -1;
    for (int i = 0; i < rs->columnCount(); ++i) {
        if (rs->columnName(i) == "内訳ID") ordinal = i;
    }
    ASSERT_GE(ordinal, 0);
    EXPECT_EQ(rs->fnGetInt(ordinal), 20);
    EXPECT_TRUE(isEmpty(rs->fnGetVariant(rs->columnCount())));
}

TEST_F(RecordSets, NavigateLikeAStaticCursorWhenAsked) {
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (" +
                                     std::to_string(i) + ")"));
    auto rs = t.db().fnOpenRecordSet("Select 物件変数ＩＤ From 物件変数 Order By 1");
    ASSERT_TRUE(rs);
    EXPECT_FALSE(rs->pbBOF());
    ASSERT_TRUE(rs->fnMoveNext());
    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_EQ(rs->fnGetInt(0), 3);
    EXPECT_EQ(rs->plRecordCount(), 5);
    EXPECT_EQ(rs->fnGetInt(0), 3);  // counting keeps the position
    ASSERT_TRUE(rs->fnMovePrevious());
    EXPECT_EQ(rs->fnGetInt(0), 2);
    ASSERT_TRUE(rs->fnMoveLast());
    EXPECT_EQ(rs->fnGetInt(0), 5);
    ASSERT_TRUE(rs->fnMoveNext());
    EXPECT_TRUE(rs->pbEOF());
    EXPECT_FALSE(rs->fnMoveNext());
    ASSERT_TRUE(rs->fnMoveFirst());
    EXPECT_EQ(rs->fnGetInt(0), 1);
    ASSERT_TRUE(rs->fnMovePrevious());
    EXPECT_TRUE(rs->pbBOF());
    EXPECT_FALSE(rs->fnMovePrevious());

    // Requery reads the table as it is now.
    ASSERT_TRUE(t.db().fnExecute("Delete From 物件変数 Where 物件変数ＩＤ < 5"));
    ASSERT_TRUE(rs->fnRequery());
    EXPECT_EQ(rs->fnGetInt(0), 5);
    EXPECT_EQ(rs->plRecordCount(), 1);
    EXPECT_TRUE(rs->fnClose());
    EXPECT_TRUE(rs->fnClose());
    EXPECT_TRUE(rs->pbEOF());
    EXPECT_TRUE(rs->pbBOF());
    EXPECT_EQ(rs->plRecordCount(), 0);
    EXPECT_FALSE(rs->fnMoveFirst());

    // An empty result is at BOF and EOF at once.
    auto none = t.db().fnOpenRecordSet("Select * From 物件変数 Where 1 = 0");
    ASSERT_TRUE(none);
    EXPECT_TRUE(none->pbBOF());
    EXPECT_TRUE(none->pbEOF());
    EXPECT_EQ(none->plRecordCount(), 0);
    EXPECT_FALSE(none->fnMoveFirst());
    EXPECT_FALSE(none->fnMoveLast());

    // Record sets change no rows; statements do.
    EXPECT_FALSE(none->fnAddNew());
    EXPECT_FALSE(none->fnSetVariant("変数名", Variant(std::string("x"))));
    EXPECT_FALSE(none->fnUpdate());

    CCCDBS_RecordSet never;
    EXPECT_TRUE(never.fnClose());
    EXPECT_FALSE(never.fnOpen("Select 1", 0));
    EXPECT_EQ(t.db().fnOpenRecordSet("Select * From NoSuchTable"), nullptr);
    EXPECT_EQ(t.db().fnOpenRecordSet("Delete From 物件変数"), nullptr);
}

TEST_F(Transactions, RollBackUnlessCommitted) {
    {
        Transaction transaction(t.db());
        ASSERT_TRUE(transaction.begun());
        ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (1)"));
    }
    EXPECT_EQ(t.value("Select Count(*) From 物件変数"), "0");
    {
        Transaction transaction(t.db());
        ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (2)"));
        EXPECT_TRUE(transaction.commit());
        EXPECT_FALSE(transaction.commit());
    }
    EXPECT_EQ(t.value("Select Count(*) From 物件変数"), "1");

    // Nested levels: an inner rollback keeps the outer work.
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (3)"));
    EXPECT_EQ(t.db().fnBeginTrans(), 2);
    ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (4)"));
    EXPECT_TRUE(t.db().fnRollBackTrans());
    EXPECT_TRUE(t.db().fnCommitTrans());
    EXPECT_EQ(t.value("Select Group_Concat(物件変数ＩＤ) From 物件変数"), "2,3");
    EXPECT_FALSE(t.db().fnCommitTrans());
    EXPECT_FALSE(t.db().fnRollBackTrans());

    // A statement text that ends the transaction itself leaves no level behind.
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    ASSERT_TRUE(t.db().fnExecute("Rollback"));
    EXPECT_EQ(t.db().fnBeginTrans(), 1);
    EXPECT_TRUE(t.db().fnCommitTrans());
}

TEST_F(Concurrency, SecondWriterWaitsForTheOpenTransaction) {
    ASSERT_EQ(t.db().fnBeginTrans(), 1);
    ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (1)"));

    std::atomic<bool> committed{false};
    std::atomic<bool> writerDone{false};
    bool writerOk = false;
    bool sawCommit = false;
    std::thread writer([&] {
        auto other = t.connect();
        if (!other) return;
        // Waits for the lock instead of failing at once.
        writerOk = other->fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (2)");
        sawCommit = committed.load();
        writerDone = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_FALSE(writerDone.load());
    committed = true;
    ASSERT_TRUE(t.db().fnCommitTrans());
    writer.join();
    EXPECT_TRUE(writerOk);
    EXPECT_TRUE(sawCommit);
    EXPECT_EQ(t.value("Select Count(*) From 物件変数"), "2");

    // Two transactions, each opened before the other writes: the second begin waits.
    ASSERT_EQ(t.db().fnBeginTrans(), 1);
    std::atomic<bool> secondBegun{false};
    std::thread second([&] {
        auto other = t.connect();
        if (!other) return;
        Transaction transaction(*other);
        secondBegun = transaction.begun();
        if (transaction.begun()) {
            EXPECT_TRUE(other->fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (4)"));
            EXPECT_TRUE(transaction.commit());
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(secondBegun.load());
    ASSERT_TRUE(t.db().fnExecute("Insert Into 物件変数 (物件変数ＩＤ) Values (3)"));
    ASSERT_TRUE(t.db().fnCommitTrans());
    second.join();
    EXPECT_TRUE(secondBegun.load());
    EXPECT_EQ(t.value("Select Group_Concat(物件変数ＩＤ) From (Select 物件変数ＩＤ From 物件変数 "
                      "Order By 1)"),
              "1,2,3,4");
}

// A file that is no database is refused with its cause and path, and never created.
TEST(OpeningFiles, MissingCorruptOrForeignFilesFailWithTheirCause) {
    testing::TempFolder folder;
    const std::string missing = folder.file("missing.sqlite");
    testing::writeBytes(folder.file("text.sqlite"),
                        "this is not a database, just some text that is long enough\n");
    std::string header = "SQLite format 3";
    header += '\0';
    header += std::string(2000, '\xA5');
    testing::writeBytes(folder.file("corrupt.sqlite"), header);
    struct Case {
        std::string server, path, cause;  // cause: empty when the driver gives none
    };
    const Case cases[] = {
        {"sqlite", missing, missing + ": no such database file"},
        {"SQLite", folder.file("text.sqlite"),
         folder.file("text.sqlite") + " is not a database file"},
        {"sqlite", folder.file("corrupt.sqlite"),
         folder.file("corrupt.sqlite") + " is not a database file"},
        {"sqlite", folder.path().string(),
         folder.path().string() + " is a folder, not a database file"},
        {"sqlite", "", ""},
        {"MSSQL01", "suite", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        CCCDBS_DataBase db;
        EXPECT_FALSE(db.fnOpen(c.server, c.path, "", "", 1));
        EXPECT_FALSE(db.isOpen());
        if (!c.cause.empty()) {
            EXPECT_EQ(db.lastErrorText(), c.cause);
        }
        EXPECT_TRUE(db.fnClose());
    }
    EXPECT_FALSE(std::filesystem::exists(missing));

    CCCDBS_DataBase db;
    EXPECT_FALSE(db.fnOpenFile("", missing));
    std::string good = folder.file("good.sqlite");
    std::string error;
    ASSERT_TRUE(createDatabaseFile(good, error)) << error;
    EXPECT_TRUE(db.fnOpenFile("Data Source=", good));
    EXPECT_TRUE(db.fnOpenFile("", missing));  // already connected
    EXPECT_TRUE(db.fnClose());
    EXPECT_TRUE(db.fnOpenEtc(good));
}

TEST(OpeningFiles, FromIniFile) {
    testing::TempFolder folder;
    context::resetAppContext();
    std::string error;
    ASSERT_TRUE(createDatabaseFile(folder.file("db.sqlite"), error));
    std::string ini = folder.file("OMRIX.INI");
    testing::PasswordKey key;
    std::string password = key.stored("秘密pw");
    testing::writeBytes(ini,
                        "[Database]\r\nserver_name = SQLite \r\nDB_NAME=db.sqlite\r\n"
                        "USER_NAME=sa\r\nPASSWORD=" +
                            password + "   \r\n");
    {
        // DB_NAME is beside the INI file, not in the working folder.
        CCCDBS_DataBase db;
        ASSERT_TRUE(db.fnOpenFromIni(ini));
        EXPECT_EQ(db.psServerName(), "SQLite");
        EXPECT_EQ(db.psDataBaseName(), folder.file("db.sqlite"));
        EXPECT_EQ(db.psUserName(), "sa");
        EXPECT_EQ(db.psPassWord(), "秘密pw");
        // Connected: true without reading the INI file again.
        testing::writeBytes(ini, "[DATABASE]\nSERVER_NAME=other\n");
        EXPECT_TRUE(db.fnOpenFromIni(ini));
        EXPECT_EQ(db.psServerName(), "SQLite");
    }
    testing::writeBytes(ini, "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=db.sqlite\nPASSWORD=\n");
    {
        CCCDBS_DataBase db;
        ASSERT_TRUE(db.fnOpenFromIni(ini));
        EXPECT_EQ(db.psPassWord(), "");
    }
    // Other section and key names given by the caller.
    testing::writeBytes(ini, "[ALT]\nSRV=sqlite\nFILE=" + folder.file("db.sqlite") + "\n");
    {
        CCCDBS_DataBase db;
        EXPECT_TRUE(db.fnOpenFromIni(ini, "ALT", "SRV", "FILE"));
    }
    for (const char* body : {"[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=\n",
                             "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=elsewhere.sqlite\n",
                             "[DATABASE]\nSERVER_NAME=PRODSQL\nDB_NAME=db.sqlite\n", ""}) {
        testing::writeBytes(ini, body);
        CCCDBS_DataBase db;
        EXPECT_FALSE(db.fnOpenFromIni(ini)) << body;
    }
    CCCDBS_DataBase db;
    EXPECT_FALSE(db.fnOpenFromIni(folder.file("none.ini")));
}

TEST_F(Opening, GetDbObjectReportsFailure) {
    EXPECT_TRUE(fnDREVOObj_GetDbObject(t.iniPath()));
    ASSERT_TRUE(context::appContext().Database);
    EXPECT_TRUE(context::appContext().Database->isOpen());
    EXPECT_TRUE(t.messages().messages().empty());

    EXPECT_FALSE(fnDREVOObj_GetDbObject(t.folder().file("missing.ini")));
    EXPECT_EQ(testing::shownTexts(t.messages()),
              testing::Shown{"3010|ＤＢオブジェクトの取得||fnDREVOObj_GetDbObject"});
}

TEST_F(Schema, CreatesEveryTableAndRefusesToRunTwice) {
    auto tables = schemaTableNames(embeddedSchemaSql());
    EXPECT_EQ(tables.size(), 27u);
    EXPECT_EQ(tables.front(), "ＩＤ管理");
    for (const std::string& table : tables)
        EXPECT_NE(t.db().fnOpenRecordSet("Select * From " + table), nullptr) << table;
    EXPECT_TRUE(schemaExists(t.db(), embeddedSchemaSql()));
    ASSERT_TRUE(t.db().fnExecute("Insert Into 内訳 (内訳ＩＤ) Values (1)"));
    EXPECT_FALSE(createSchema(t.db(), embeddedSchemaSql(), false));
    EXPECT_EQ(t.value("Select Count(*) From 内訳"), "1");  // the failed run changed nothing
    EXPECT_TRUE(createSchema(t.db(), embeddedSchemaSql(), true));
    EXPECT_EQ(t.value("Select Count(*) From 内訳"), "0");

    // Rows that name few columns get the defaults.
    ASSERT_TRUE(t.db().fnExecute("Insert Into 内訳 (内訳ＩＤ) Values (2)"));
    auto rs = t.db().fnOpenRecordSet("Select * From 内訳");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->fnGetChar("削除区分"), "0");
    EXPECT_EQ(rs->fnGetVariant("名称１"), Variant(std::string()));
    EXPECT_EQ(rs->fnGetVariant("見積１単価"), Variant(int64_t{0}));
    EXPECT_NE(rs->fnGetDate("更新日"), DateTime{});
}

}  // namespace
}  // namespace omrix::data
