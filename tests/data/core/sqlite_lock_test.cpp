// Another program holding the file: the open and a write fail after the busy timeout.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include "data/drivers/sqlite_driver.h"
#include "data/table_database.h"

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
    int32_t code = 0;
    std::string error;
    {
        OtherProgram writer(t.file(), "BEGIN EXCLUSIVE");
        EXPECT_EQ(SqliteDriver::open(t.file(), code, error, kShortWaitMs), nullptr);
        EXPECT_EQ(error, t.file() + " is locked by another program");
    }
    auto driver = SqliteDriver::open(t.file(), code, error, kShortWaitMs);
    ASSERT_NE(driver, nullptr) << error;
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

}  // namespace
}  // namespace omrix::data
