#pragma once
// The suite's server database through ODBC (unixODBC): SQL Server in production,
// PostgreSQL through psqlODBC in the tests. What differs between them lives in the
// dialect chosen from the DBMS name the driver reports.

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "data/drivers/driver.h"
#include "data/drivers/odbc_connection_string.h"
#include "data/drivers/sql_dialect.h"
#include "util/failure.h"

namespace omrix::data {

struct OdbcConnection;
struct OdbcDiagnostic;

class OdbcDriver : public Driver {
  public:
    // The failure is the driver's diagnostics, never the connection string. A session
    // the server drops (a restart, a crash) is logged on to again by the next action
    // outside a transaction; every failure on it says "the connection to the database
    // server was lost".
    static util::Result<std::unique_ptr<OdbcDriver>> connect(const std::string& connectionString);
    ~OdbcDriver() override;
    OdbcDriver(const OdbcDriver&) = delete;
    OdbcDriver& operator=(const OdbcDriver&) = delete;

    bool isOpen() const override { return connection_ != nullptr; }
    ExecResult execute(std::string_view sql) override;
    int32_t beginTrans() override;
    int32_t commitTrans() override;
    int32_t rollbackTrans() override;
    int32_t transactionLevel() const override { return level_; }
    int32_t openCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) override;
    std::string schemaText(std::string_view schemaSql) const override;
    std::string lastError() const override { return lastError_; }
    void close() override;

    const SqlDialect& dialect() const { return *dialect_; }

  private:
    OdbcDriver(std::shared_ptr<OdbcConnection> connection, std::unique_ptr<SqlDialect> dialect);
    int32_t runSimple(const std::string& sql);
    ExecResult runText(std::string_view sql);
    int32_t runCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor);
    void noteFailure(const OdbcDiagnostic& failure);
    bool logOnAgain();
    bool ready();
    bool mayRunAgain(bool read, bool firstOfTransaction);
    bool takeFirstOfTransaction();
    std::string serverText(std::string_view sql);
    const ColumnTypeNames& columnTypes(const std::string& table);
    int32_t endTransaction(bool commit);
    std::string savepointName(int32_t level) const;

    std::shared_ptr<OdbcConnection> connection_;
    std::unique_ptr<SqlDialect> dialect_;
    // Kept to log on again after a lost session; never traced or shown.
    std::string connectionString_;
    int32_t level_ = 0;
    bool used_ = false;  // a statement of the open transaction has run
    bool lost_ = false;  // the server dropped the session
    std::string lastError_;
    // Read once per table and connection; a statement that may change a table's
    // columns forgets them.
    std::map<std::string, ColumnTypeNames> columnTypes_;
};

}  // namespace omrix::data
