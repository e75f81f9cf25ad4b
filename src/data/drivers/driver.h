#pragma once
// What a database engine has to offer the data layer: one connection, statements,
// transactions and forward-reading cursors. The SQLite driver is the embedded
// database; a server driver (ODBC) plugs in behind the same interface.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace omrix::data {

// The OLE DB code (DB_E_ERRORSINCOMMAND) the suite's data layer reports for a refused
// insert; the ID numbering tells a taken lock from other failures by it.
inline constexpr int32_t kErrorsInCommand = static_cast<int32_t>(0x80040E14u);

enum class ColumnType { Null, Integer, Real, Text, Blob };

// One open query result, read forward. Statement texts reach the driver as written;
// folding identifiers is the driver's business.
class Cursor {
  public:
    virtual ~Cursor() = default;
    // 0 and `hasRow` false at the end; any other result is the engine's error code.
    virtual int32_t step(bool& hasRow) = 0;
    // Runs the query again from its start; the next step gives the first row.
    virtual int32_t rewind() = 0;
    virtual int columnCount() const = 0;
    virtual std::string_view columnName(int column) const = 0;
    // Valid for the current row only.
    virtual ColumnType columnType(int column) = 0;
    virtual int64_t columnInt(int column) = 0;
    virtual double columnDouble(int column) = 0;
    virtual std::string_view columnText(int column) = 0;
};

struct ExecResult {
    int32_t code = 0;           // 0 success, else the engine's error code
    int32_t affected = 0;       // rows changed by every statement of the text
    bool keyViolation = false;  // a unique or primary key refused the row
};

class Driver {
  public:
    virtual ~Driver() = default;
    virtual bool isOpen() const = 0;
    // Every statement of the text in order; the first failure ends the text.
    virtual ExecResult execute(std::string_view sql) = 0;
    // Nesting level after the begin (1 for the outer transaction), 0 on failure.
    virtual int32_t beginTrans() = 0;
    virtual int32_t commitTrans() = 0;
    virtual int32_t rollbackTrans() = 0;
    virtual int32_t transactionLevel() const = 0;
    // The first statement of the text that returns rows becomes the cursor; statements
    // before it run first.
    virtual int32_t openCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) = 0;
    virtual std::string lastError() const = 0;
    // db/schema.sql as this engine creates it (the embedded database takes it as written).
    virtual std::string schemaText(std::string_view schemaSql) const {
        return std::string(schemaSql);
    }
    virtual void close() = 0;
};

}  // namespace omrix::data
