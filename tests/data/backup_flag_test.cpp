#include "data/backup_flag.h"

#include <gtest/gtest.h>

#include "context/ini_file.h"
#include "data/table_database.h"
#include "platform/ini_write.h"

namespace omrix::data {
namespace {

TEST(BackupFlag, TablesAtEitherStartPosition) {
    EXPECT_TRUE(raisesBackupFlag("UPDATE 物件概要 SET 工期 = ''"));
    EXPECT_FALSE(raisesBackupFlag("UPDATE 物件概要Ｂ SET 工期 = ''"));
    EXPECT_TRUE(raisesBackupFlag("insert into 年度Ｍ (a) values (1)"));
    EXPECT_FALSE(raisesBackupFlag("INSERT  INTO 年度Ｍ (a) values (1)"));
    EXPECT_TRUE(raisesBackupFlag("Delete From 内訳名称 Where 1 = 1"));
    EXPECT_TRUE(raisesBackupFlag("delete from 代価表"));
    EXPECT_FALSE(raisesBackupFlag("Delete From 内訳出力 Where 1 = 1"));
    EXPECT_FALSE(raisesBackupFlag("Insert Into 内訳 (a) Values (1)"));
    // The masters carry no suffix rule: 自社ＭＸ still starts with 自社Ｍ.
    EXPECT_TRUE(raisesBackupFlag("UPDATE 自社ＭＸ SET a = 1"));
    EXPECT_TRUE(raisesBackupFlag("UPDATE メーカー＿商社Ｍ SET a = 1"));
    // 送受信インデックス履歴 excludes Ｂ and Ｗ, 出来高内訳 only matches with its blank.
    EXPECT_TRUE(raisesBackupFlag("UPDATE 送受信インデックス履歴 SET a = 1"));
    EXPECT_FALSE(raisesBackupFlag("UPDATE 送受信インデックス履歴Ｗ SET a = 1"));
    EXPECT_FALSE(raisesBackupFlag("UPDATE 送受信インデックス履歴Ｂ SET a = 1"));
    EXPECT_TRUE(raisesBackupFlag("DELETE FROM 出来高内訳 WHERE a = 1"));
    EXPECT_FALSE(raisesBackupFlag("DELETE FROM 出来高内訳名称 WHERE a = 1"));
    EXPECT_FALSE(raisesBackupFlag("DELETE FROM 出来高内訳"));
    // Data tables match at the end of the text too (no next character).
    EXPECT_TRUE(raisesBackupFlag("DELETE FROM 物件管理"));
    // Positions count characters: a kanji before the name shifts it.
    EXPECT_FALSE(raisesBackupFlag("UPDATE 新物件概要 SET a = 1"));
    // Position 8 is tested for INSERT as well, and 13 for UPDATE.
    EXPECT_TRUE(raisesBackupFlag("INSERT 物件概要 VALUES (1)"));
    EXPECT_TRUE(raisesBackupFlag("UPDATE abcd 物件概要 SET a = 1"));
    EXPECT_FALSE(raisesBackupFlag("SELECT * FROM 物件概要"));
    EXPECT_FALSE(raisesBackupFlag(" UPDATE 物件概要 SET a = 1"));
    EXPECT_FALSE(raisesBackupFlag("UPD"));
}

TEST(BackupFlag, WrittenOnlyAfterASuccessfulStatement) {
    testing::TableDatabase a;
    ASSERT_TRUE(a.ok());
    auto flag = [&] { return context::VBFILE_ReadINI("KALVERON", "BackupFlag", 0, a.iniPath()); };
    EXPECT_EQ(flag(), "");
    ASSERT_TRUE(a.db().fnExecute("Update 物件概要Ｂ Set 工期 = ''") == false);  // no such table
    EXPECT_EQ(flag(), "");
    ASSERT_TRUE(a.db().fnExecute("Delete From 内訳出力"));
    EXPECT_EQ(flag(), "");
    ASSERT_TRUE(a.db().fnExecute("Update 物件概要 Set 工期 = '' Where 1 = 0"));
    EXPECT_EQ(flag(), "1");
    // fnExecuteEx never raises the flag.
    platform::VBFILE_WriteINI("KALVERON", "BackupFlag", "0", 0, a.iniPath());
    int32_t affected = 0, result = 0;
    ASSERT_TRUE(a.db().fnExecuteEx("Update 物件概要 Set 工期 = ''", affected, result));
    EXPECT_EQ(flag(), "0");
    // The database section is kept as it was.
    EXPECT_EQ(context::fnReadDatabaseIniValue("DATABASE", "DB_NAME", a.iniPath()), "tables.sqlite");
}

}  // namespace
}  // namespace omrix::data
