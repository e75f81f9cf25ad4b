#pragma once
// The embedded database: one SQLite file shared with the suite's other programs.

#include <memory>
#include <string>

#include "data/drivers/driver.h"
#include "util/failure.h"

struct sqlite3;

namespace omrix::data {

class SqliteDriver : public Driver {
  public:
    // Opens an existing database file, never creating one, and probes it with a real
    // query, so that a missing, unreadable or foreign file fails here; the failure names
    // the file.
    // A missing file, a folder, another kind of file or a lock held past the busy
    // timeout, each named with the path.
    static std::string openFailureText(const std::string& path, int code, std::string_view detail);
    // Other programs of the suite write the same file: a statement waits this long for
    // their locks before it fails.
    static constexpr int kBusyTimeoutMs = 30000;
    static util::Result<std::unique_ptr<SqliteDriver>> open(const std::string& path,
                                                            int busyTimeoutMs = kBusyTimeoutMs);
    // An empty database file for omrix-db init; the failure names the file.
    static util::Status createFile(const std::string& path);

    ~SqliteDriver() override;
    SqliteDriver(const SqliteDriver&) = delete;
    SqliteDriver& operator=(const SqliteDriver&) = delete;

    bool isOpen() const override { return db_ != nullptr; }
    ExecResult execute(std::string_view sql) override;
    int32_t beginTrans() override;
    int32_t commitTrans() override;
    int32_t rollbackTrans() override;
    int32_t transactionLevel() const override { return level_; }
    int32_t openCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) override;
    std::string lastError() const override;
    void close() override;

  private:
    explicit SqliteDriver(sqlite3* db);
    int32_t fail(int32_t code);
    int32_t runSimple(const char* sql);
    bool runParameterised(const char*& next, const char* end, int32_t& code);
    int32_t runAsWritten(const char*& next, const char* end);
    void syncLevel();
    void endOuter();

    struct StatementCache;
    sqlite3* db_ = nullptr;
    int32_t level_ = 0;
    std::string lastError_;
    std::unique_ptr<StatementCache> cache_;
};

}  // namespace omrix::data
