// Another program holding the file: the open and a write fail after the busy timeout.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

#include "data/drivers/sqlite_driver.h"
#include "data/table_database.h"
#include "export/program_output.h"

namespace omrix::data {
namespace {

constexpr int kShortWaitMs = 50;

// "Another program" holding the file in the given mode.
class OtherProgram {
  public:
    OtherProgram(const std::string& path, const char* begin) {
        EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db_, begin, nullptr, nullptr, nullptr), SQLITE_OK);
    }
    ~OtherProgram() {
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
    }
    OtherProgram(const OtherProgram&) = delete;
    OtherProgram& operator=(const OtherProgram&) = delete;

  private:
    sqlite3* db_ = nullptr;
};

using SqliteLock = testing::TablesTest;

TEST_F(SqliteLock, AHeldFileFailsAfterTheBusyTimeoutNamingTheLock) {
    {
        OtherProgram writer(t.file(), "BEGIN EXCLUSIVE");
        auto refused = SqliteDriver::open(t.file(), kShortWaitMs);
        ASSERT_FALSE(refused);
        EXPECT_EQ(refused.failure().text(), t.file() + " is locked by another program");
    }
    auto opened = SqliteDriver::open(t.file(), kShortWaitMs);
    ASSERT_TRUE(opened) << opened.failure().text();
    auto& driver = *opened;
    {
        OtherProgram writer(t.file(), "BEGIN IMMEDIATE");
        ExecResult result = driver->execute("INSERT INTO 物件変数 (物件変数ＩＤ) VALUES (1);");
        EXPECT_EQ(result.code & 0xFF, SQLITE_BUSY);
        EXPECT_EQ(driver->lastError(), "the database is locked by another program");
    }
    EXPECT_EQ(t.count("物件変数;"), 0);
    // Once the other program lets go, the same connection writes.
    EXPECT_EQ(driver->execute("INSERT INTO 物件変数 (物件変数ＩＤ) VALUES (1);").code, 0);
}

// A write refused by a full disk or a read-only file system names that cause. On a
// real small tmpfs, which needs root; skipped where none can be mounted.
TEST_F(SqliteLock, AFullDiskAndAReadOnlyFileNameTheirCause) {
    const std::filesystem::path disk = t.folder().path() / "disk";
    testing::SmallDisk mounted(disk.string(), "256k");
    if (!mounted.mounted()) GTEST_SKIP() << "no tmpfs can be mounted here";
    const std::string file = (disk / "full.sqlite").string();
    ASSERT_TRUE(SqliteDriver::createFile(file));
    {
        auto opened = SqliteDriver::open(file, kShortWaitMs);
        ASSERT_TRUE(opened) << opened.failure().text();
        auto& driver = *opened;
        ASSERT_EQ(driver->execute("CREATE TABLE big (x BLOB);").code, 0);
        // 256 KiB hold at most five rows of 64 KiB with the journal.
        int32_t failed = 0;
        for (int row = 0; row < 8 && failed == 0; ++row)
            failed = driver->execute("INSERT INTO big VALUES (randomblob(65536));").code;
        EXPECT_EQ(failed & 0xFF, SQLITE_FULL);
        EXPECT_EQ(driver->lastError(), "no space left on the device");
    }
    const std::string remount = "mount -o remount,ro '" + disk.string() + "'";
    ASSERT_EQ(std::system(remount.c_str()), 0);
    auto opened = SqliteDriver::open(file, kShortWaitMs);
    ASSERT_TRUE(opened) << opened.failure().text();
    auto& driver = *opened;
    EXPECT_EQ(driver->execute("DELETE FROM big;").code & 0xFF, SQLITE_READONLY);
    EXPECT_EQ(driver->lastError(), "the database file is read-only");
}

}  // namespace
}  // namespace omrix::data
