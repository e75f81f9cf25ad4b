#pragma once
// What differs between the servers the ODBC driver talks to. The module writes its SQL
// for SQL Server, which therefore gets every text unchanged; PostgreSQL gets it
// rewritten only where it would read it differently.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/drivers/insert_batch.h"

namespace omrix::data {

class SqlDialect {
  public:
    virtual ~SqlDialect() = default;
    // The DBMS name the ODBC driver reports for this server.
    virtual std::string_view name() const = 0;
    // A statement text of the module as this server must receive it.
    virtual std::string statementText(std::string_view sql) const = 0;
    // Whether a batch of inserts into one table goes as one statement; then the query
    // listing a table's columns with their type names tells how.
    virtual bool batchesInserts() const = 0;
    virtual std::string columnTypesQuery(std::string_view table) const = 0;
    // A batch of inserts as one statement, given its table's column types; empty
    // when it runs as written.
    virtual std::string insertBatchText(const InsertBatch& batch,
                                        const ColumnTypeNames& types) const = 0;
    // db/schema.sql (written for the embedded database) as this server creates it,
    // the functions the module's statements call included.
    virtual std::string schemaText(std::string_view schemaSql) const = 0;
    // Whether a failure is a unique or primary key refusing the row.
    virtual bool isKeyViolation(std::string_view sqlState, int32_t nativeError) const = 0;
    // Nested transactions are savepoints.
    virtual std::string savepoint(std::string_view name) const = 0;
    virtual std::string rollbackToSavepoint(std::string_view name) const = 0;
    // Empty where the server has nothing to release.
    virtual std::string releaseSavepoint(std::string_view name) const = 0;
};

// By the DBMS name of SQL_DBMS_NAME: "PostgreSQL" gets its own dialect, everything
// else is taken for SQL Server.
std::unique_ptr<SqlDialect> dialectForDbms(std::string_view dbmsName);

}  // namespace omrix::data
