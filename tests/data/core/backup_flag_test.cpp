#include "data/core/backup_flag.h"

#include <gtest/gtest.h>

#include "context/ini_file.h"
#include "data/table_database.h"
#include "platform/ini_write.h"

namespace omrix::data {
namespace {

TEST(BackupFlag, TablesAtEitherStartPositionWrittenAfterSuccess) {
    const std::pair<const char*, bool> cases[] = {
        {"UPDATE 物件概要 SET 工期 = ''", true},
        {"UPDATE 物件概要Ｂ SET 工期 = ''", false},
        {"insert into 年度Ｍ (a) values (1)", true},
        {"UPDATE 自社ＭＸ SET a = 1", true},  // the masters carry no suffix rule
        // 出来高内訳 only matches with its blank; other data tables at the end too.
        {"DELETE FROM 出来高内訳 WHERE a = 1", true},
        {"DELETE FROM 出来高内訳名称 WHERE a = 1", false},
        {"DELETE FROM 出来高内訳", false},
        {"DELETE FROM 物件管理", true},
        // Positions count characters; 8 is tested for INSERT as well.
        {"UPDATE 新物件概要 SET a = 1", false},
        {"INSERT 物件概要 VALUES (1)", true},
        {" UPDATE 物件概要 SET a = 1", false},
    };
    for (const auto& [sql, raises] : cases) EXPECT_EQ(raisesBackupFlag(sql), raises) << sql;
    // The flag is written only after a statement that succeeded.
    testing::TableDatabase a;
    ASSERT_TRUE(a.ok());
    auto flag = [&] { return context::VBFILE_ReadINI("KALVERON", "BackupFlag", 0, a.iniPath()); };
    ASSERT_FALSE(a.db().fnExecute("Update 物件概要 Set 無い列 = ''"));
    EXPECT_EQ(flag(), "");
    ASSERT_TRUE(a.db().fnExecute("Update 物件概要 Set 工期 = '' Where 1 = 0"));
    EXPECT_EQ(flag(), "1");
    // fnExecuteEx never raises the flag.
    platform::VBFILE_WriteINI("KALVERON", "BackupFlag", "0", 0, a.iniPath());
    int32_t affected = 0, result = 0;
    ASSERT_TRUE(a.db().fnExecuteEx("Update 物件概要 Set 工期 = ''", affected, result));
    EXPECT_EQ(flag(), "0");
}

}  // namespace
}  // namespace omrix::data
