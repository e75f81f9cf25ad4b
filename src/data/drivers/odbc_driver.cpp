#include "data/drivers/odbc_driver.h"

#include <sql.h>
#include <sqlext.h>

#include <charconv>
#include <cstdlib>
#include <vector>

#include "data/drivers/odbc_row_block.h"
#include "data/drivers/sql_text.h"

namespace omrix::data {

// What the driver said of a failure: the first record's state and number, every text.
struct OdbcDiagnostic {
    std::string state;
    int32_t native = 0;
    std::string text;

    int32_t code() const;
};

namespace {

using Diagnostic = OdbcDiagnostic;

// How long a log-on waits for the server before it gives up.
constexpr SQLULEN kLoginTimeoutSeconds = 30;
// A failure the driver gave no native number for.
constexpr int32_t kUnnumberedError = -1;
constexpr size_t kMaxDiagnosticText = 1024;
// What every failure on a session the server dropped says, whatever the driver's words.
constexpr const char* kConnectionLost = "the connection to the database server was lost";

}  // namespace

int32_t OdbcDiagnostic::code() const {
    return native != 0 ? native : kUnnumberedError;
}

namespace {

// A driver's text on one line: the server's hints come on lines of their own, indented,
// and a message is one line wherever it is shown.
std::string oneLine(std::string_view text) {
    std::string out;
    bool blank = false;
    for (char c : text) {
        const bool space = c == ' ' || c == '\n' || c == '\r' || c == '\t';
        if (space) {
            blank = !out.empty();
            continue;
        }
        if (blank) out += ' ';
        blank = false;
        out += c;
    }
    return out;
}

// The first record's state and number, the texts of every record.
Diagnostic diagnose(SQLSMALLINT type, SQLHANDLE handle) {
    Diagnostic diagnostic;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[SQL_SQLSTATE_SIZE + 1] = {};
        SQLINTEGER native = 0;
        SQLCHAR text[kMaxDiagnosticText] = {};
        SQLSMALLINT length = 0;
        SQLRETURN rc = SQLGetDiagRec(type, handle, record, state, &native, text,
                                     static_cast<SQLSMALLINT>(sizeof text), &length);
        if (!SQL_SUCCEEDED(rc)) break;
        if (record == 1) {
            diagnostic.state = reinterpret_cast<const char*>(state);
            diagnostic.native = native;
        } else {
            diagnostic.text += "; ";
        }
        diagnostic.text += oneLine(reinterpret_cast<const char*>(text));
    }
    if (diagnostic.text.empty()) diagnostic.text = "the ODBC driver gave no reason";
    return diagnostic;
}

ColumnType columnTypeOf(SQLSMALLINT sqlType) {
    switch (sqlType) {
        case SQL_BIT:
        case SQL_TINYINT:
        case SQL_SMALLINT:
        case SQL_INTEGER:
        case SQL_BIGINT:
            return ColumnType::Integer;
        case SQL_REAL:
        case SQL_FLOAT:
        case SQL_DOUBLE:
            return ColumnType::Real;
        case SQL_BINARY:
        case SQL_VARBINARY:
        case SQL_LONGVARBINARY:
            return ColumnType::Blob;
        default:
            return ColumnType::Text;  // decimals too: Currency reads them exactly
    }
}

// SQLSTATE class 08 is a connection exception; the driver may say so only through
// the connection's dead flag (a socket closed under it).
bool isLinkFailure(const Diagnostic& failure, SQLHDBC dbc) {
    if (failure.state.rfind("08", 0) == 0) return true;
    SQLUINTEGER dead = SQL_CD_FALSE;
    return SQL_SUCCEEDED(SQLGetConnectAttr(dbc, SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr)) &&
           dead == SQL_CD_TRUE;
}

}  // namespace

// The environment and connection handles, shared by the driver and its open cursors
// so that a cursor read after the driver closed still has a live connection.
struct OdbcConnection {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool connected = false;

    OdbcConnection() = default;
    OdbcConnection(const OdbcConnection&) = delete;
    OdbcConnection& operator=(const OdbcConnection&) = delete;
    ~OdbcConnection() {
        if (connected) SQLDisconnect(dbc);
        if (dbc != SQL_NULL_HDBC) SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        if (env != SQL_NULL_HENV) SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
};

namespace {

class StatementHandle {
  public:
    explicit StatementHandle(SQLHDBC dbc) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &handle_)))
            handle_ = SQL_NULL_HSTMT;
    }
    ~StatementHandle() {
        if (handle_ != SQL_NULL_HSTMT) SQLFreeHandle(SQL_HANDLE_STMT, handle_);
    }
    StatementHandle(const StatementHandle&) = delete;
    StatementHandle& operator=(const StatementHandle&) = delete;
    SQLHSTMT get() const { return handle_; }

  private:
    SQLHSTMT handle_ = SQL_NULL_HSTMT;
};

SQLRETURN executeDirect(SQLHSTMT statement, const std::string& text) {
    return SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.data())),
                         static_cast<SQLINTEGER>(text.size()));
}

SQLSMALLINT resultColumns(SQLHSTMT statement) {
    SQLSMALLINT columns = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(statement, &columns))) return 0;
    return columns;
}

// Moves through the results of a statement text from `rc` (what SQLExecDirect gave)
// until `stop` says a result is the one wanted or none is left. Fails with the
// diagnostics of the first statement that failed.
template <typename Stop>
bool walkResults(SQLHSTMT statement, SQLRETURN rc, Diagnostic& failure, Stop stop) {
    while (true) {
        if (rc == SQL_ERROR || rc == SQL_INVALID_HANDLE) {
            failure = diagnose(SQL_HANDLE_STMT, statement);
            return false;
        }
        // SQL_NO_DATA here is a searched change that met no row.
        if (rc != SQL_NO_DATA && stop()) return true;
        rc = SQLMoreResults(statement);
        if (rc == SQL_NO_DATA) return true;
    }
}

class OdbcCursor : public Cursor {
  public:
    OdbcCursor(std::shared_ptr<OdbcConnection> connection, std::string text)
        : connection_(std::move(connection)),
          text_(std::move(text)),
          statement_(connection_->dbc) {}

    // Runs the text up to its first result with columns; false with `failure`.
    bool run(Diagnostic& failure) {
        if (statement_.get() == SQL_NULL_HSTMT) {
            failure = diagnose(SQL_HANDLE_DBC, connection_->dbc);
            return false;
        }
        SQLRETURN rc = executeDirect(statement_.get(), text_);
        bool found = false;
        if (!walkResults(statement_.get(), rc, failure,
                         [&] { return found = resultColumns(statement_.get()) > 0; }))
            return false;
        if (!found) {
            failure = {"", kUnnumberedError, "the statement returns no rows"};
            return false;
        }
        describe();
        return true;
    }

    int32_t step(bool& hasRow) override {
        hasRow = false;
        if (done_) return 0;
        SQLRETURN rc = block_.bound() ? block_.next() : fetchRow();
        if (rc == SQL_NO_DATA) {
            finish();
            return 0;
        }
        if (!SQL_SUCCEEDED(rc)) return fail();
        hasRow = true;
        return 0;
    }

    int32_t rewind() override {
        block_.unbind();
        SQLFreeStmt(statement_.get(), SQL_CLOSE);
        done_ = false;
        Diagnostic failure;
        return run(failure) ? 0 : failure.code();
    }

    int columnCount() const override { return static_cast<int>(names_.size()); }
    std::string_view columnName(int column) const override { return names_[column]; }
    ColumnType columnType(int column) override {
        bool isNull = block_.bound() ? block_.isNull(column) : nulls_[column];
        return isNull ? ColumnType::Null : types_[column];
    }
    int64_t columnInt(int column) override {
        std::string_view text = columnText(column);
        int64_t value = 0;
        if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc())
            value = static_cast<int64_t>(std::strtod(text.data(), nullptr));
        return value;
    }
    // The texts end in a NUL, in the block's buffers as in the strings.
    double columnDouble(int column) override {
        return std::strtod(columnText(column).data(), nullptr);
    }
    std::string_view columnText(int column) override {
        return block_.bound() ? block_.text(column) : std::string_view(values_[column]);
    }

  private:
    // Names and types of the result's columns; its rows are read a block at a time
    // where the columns allow it, else value by value.
    void describe() {
        SQLSMALLINT count = resultColumns(statement_.get());
        names_.assign(count, {});
        types_.assign(count, ColumnType::Text);
        values_.assign(count, {});
        nulls_.assign(count, true);
        std::vector<OdbcColumnShape> shapes(count);
        for (SQLSMALLINT i = 0; i < count; ++i) {
            SQLCHAR name[256] = {};
            SQLSMALLINT nameLength = 0, digits = 0, nullable = 0;
            SQLDescribeCol(statement_.get(), static_cast<SQLUSMALLINT>(i + 1), name,
                           static_cast<SQLSMALLINT>(sizeof name), &nameLength, &shapes[i].sqlType,
                           &shapes[i].size, &digits, &nullable);
            names_[i] = reinterpret_cast<const char*>(name);
            types_[i] = columnTypeOf(shapes[i].sqlType);
        }
        block_.bind(statement_.get(), shapes);
    }

    // The next row with every value read at once: for results that cannot be bound.
    SQLRETURN fetchRow() {
        SQLRETURN rc = SQLFetch(statement_.get());
        if (!SQL_SUCCEEDED(rc)) return rc;
        for (size_t column = 0; column < values_.size(); ++column) {
            bool isNull = false;
            if (!readColumnText(statement_.get(), static_cast<int>(column), values_[column],
                                isNull))
                return SQL_ERROR;
            nulls_[column] = isNull;
        }
        return rc;
    }

    // A finished read gives its result back to the server at once.
    void finish() {
        done_ = true;
        block_.unbind();
        SQLFreeStmt(statement_.get(), SQL_CLOSE);
    }

    int32_t fail() {
        Diagnostic failure = diagnose(SQL_HANDLE_STMT, statement_.get());
        finish();
        return failure.code();
    }

    std::shared_ptr<OdbcConnection> connection_;
    std::string text_;
    OdbcRowBlock block_;  // its buffers outlive the statement bound to them
    StatementHandle statement_;
    std::vector<std::string> names_;
    std::vector<ColumnType> types_;
    std::vector<std::string> values_;
    std::vector<bool> nulls_;
    bool done_ = false;
};

}  // namespace

namespace {

// A new session: null with `failure` telling why.
std::shared_ptr<OdbcConnection> logOn(const std::string& connectionString, Diagnostic& failure) {
    auto connection = std::make_shared<OdbcConnection>();
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &connection->env)) ||
        !SQL_SUCCEEDED(SQLSetEnvAttr(connection->env, SQL_ATTR_ODBC_VERSION,
                                     reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, connection->env, &connection->dbc))) {
        failure = {"", kUnnumberedError, "the ODBC driver manager could not be set up"};
        return nullptr;
    }
    SQLSetConnectAttr(connection->dbc, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0);
    SQLRETURN rc =
        SQLDriverConnect(connection->dbc, nullptr,
                         reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.c_str())),
                         SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        failure = diagnose(SQL_HANDLE_DBC, connection->dbc);
        return nullptr;
    }
    connection->connected = true;
    return connection;
}

}  // namespace

util::Result<std::unique_ptr<OdbcDriver>> OdbcDriver::connect(const std::string& connectionString) {
    Diagnostic failure;
    auto connection = logOn(connectionString, failure);
    if (!connection) return util::Failure(failure.text);
    SQLCHAR dbms[256] = {};
    SQLSMALLINT length = 0;
    SQLGetInfo(connection->dbc, SQL_DBMS_NAME, dbms, static_cast<SQLSMALLINT>(sizeof dbms),
               &length);
    auto driver = std::unique_ptr<OdbcDriver>(
        new OdbcDriver(std::move(connection), dialectForDbms(reinterpret_cast<const char*>(dbms))));
    driver->connectionString_ = connectionString;
    return driver;
}

OdbcDriver::OdbcDriver(std::shared_ptr<OdbcConnection> connection,
                       std::unique_ptr<SqlDialect> dialect)
    : connection_(std::move(connection)), dialect_(std::move(dialect)) {}

OdbcDriver::~OdbcDriver() {
    close();
}

void OdbcDriver::close() {
    if (!connection_) return;
    // An open transaction ends with the connection, as on the server: rolled back.
    if (level_ > 0) SQLEndTran(SQL_HANDLE_DBC, connection_->dbc, SQL_ROLLBACK);
    connection_.reset();
    level_ = 0;
    lost_ = false;
}

// Noted once a failure shows the server gone; the next action outside a transaction
// logs on again.
void OdbcDriver::noteFailure(const Diagnostic& failure) {
    lastError_ = failure.text;
    if (!connection_ || !isLinkFailure(failure, connection_->dbc)) return;
    lost_ = true;
    lastError_ = kConnectionLost;
}

// A new session in place of one the server dropped; a transaction begun and not yet
// used goes on on it.
bool OdbcDriver::logOnAgain() {
    Diagnostic failure;
    auto connection = logOn(connectionString_, failure);
    if (!connection) {
        lastError_ = std::string(kConnectionLost) + " (" + failure.text + ")";
        return false;
    }
    if (level_ > 0)
        SQLSetConnectAttr(connection->dbc, SQL_ATTR_AUTOCOMMIT,
                          reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    connection_ = std::move(connection);
    columnTypes_.clear();
    lost_ = false;
    return true;
}

// Whether the next action may run: a lost session is replaced between transactions,
// never in the middle of one (that one fails, up to its rollback).
bool OdbcDriver::ready() {
    if (!connection_) {
        lastError_ = "not connected";
        return false;
    }
    if (!lost_) return true;
    if (level_ == 0) return logOnAgain();
    lastError_ = kConnectionLost;
    return false;
}

// A statement that met a lost session runs once more on a new one where nothing of
// it can have happened: a read outside a transaction, the first statement of one
// (the server rolled the rest back with the session).
bool OdbcDriver::mayRunAgain(bool read, bool firstOfTransaction) {
    if (!lost_) return false;
    if (level_ == 0 ? !read : !firstOfTransaction) return false;
    return logOnAgain();
}

// Whether this statement is the first of the open transaction; marks it used.
bool OdbcDriver::takeFirstOfTransaction() {
    const bool first = level_ > 0 && !used_;
    if (level_ > 0) used_ = true;
    return first;
}

std::string OdbcDriver::schemaText(std::string_view schemaSql) const {
    return dialect_->schemaText(schemaSql);
}

ExecResult OdbcDriver::execute(std::string_view sql) {
    ExecResult result;
    result.code = kUnnumberedError;
    if (!ready()) return result;
    const bool first = takeFirstOfTransaction();
    result = runText(sql);
    if (result.code != 0 && mayRunAgain(false, first)) result = runText(sql);
    return result;
}

ExecResult OdbcDriver::runText(std::string_view sql) {
    ExecResult result;
    // The text before the statement: reading a table's column types for it may log on
    // again, and the statement belongs to the session it runs on, kept until it is freed.
    const std::string text = serverText(sql);
    const std::shared_ptr<OdbcConnection> connection = connection_;
    StatementHandle statement(connection->dbc);
    Diagnostic failure;
    if (statement.get() == SQL_NULL_HSTMT) {
        failure = diagnose(SQL_HANDLE_DBC, connection->dbc);
    } else {
        // Every statement of the text counts, as SQL Server's batches do.
        SQLRETURN rc = executeDirect(statement.get(), text);
        int64_t affected = 0;
        bool ok = walkResults(statement.get(), rc, failure, [&] {
            SQLLEN rows = 0;
            if (resultColumns(statement.get()) == 0 &&
                SQL_SUCCEEDED(SQLRowCount(statement.get(), &rows)) && rows > 0)
                affected += rows;
            return false;
        });
        result.affected = static_cast<int32_t>(affected);
        if (ok) return result;
    }
    noteFailure(failure);
    result.code = failure.code();
    result.keyViolation = dialect_->isKeyViolation(failure.state, failure.native);
    return result;
}

// The text as the server takes it, a batch of inserts as one statement where the
// dialect has a form for it.
std::string OdbcDriver::serverText(std::string_view sql) {
    std::string text = dialect_->statementText(sql);
    std::string keyword = leadingKeyword(text);
    if (keyword == "CREATE" || keyword == "DROP" || keyword == "ALTER") columnTypes_.clear();
    InsertBatch batch;
    if (keyword != "INSERT" || !dialect_->batchesInserts() || !parseInsertBatch(text, batch))
        return text;
    std::string one = dialect_->insertBatchText(batch, columnTypes(batch.table));
    return one.empty() ? text : one;
}

const ColumnTypeNames& OdbcDriver::columnTypes(const std::string& table) {
    auto known = columnTypes_.find(table);
    if (known != columnTypes_.end()) return known->second;
    ColumnTypeNames types;
    std::string query = dialect_->columnTypesQuery(table);
    std::unique_ptr<Cursor> cursor;
    if (!query.empty() && openCursor(query, cursor) == 0) {
        bool hasRow = false;
        while (cursor->step(hasRow) == 0 && hasRow)
            types[columnNameKey(cursor->columnText(0))] = cursor->columnText(1);
    }
    // Kept only once read: the read may log on again, which forgets every table's.
    return columnTypes_[table] = std::move(types);
}

int32_t OdbcDriver::runSimple(const std::string& sql) {
    if (sql.empty()) return 0;
    return execute(sql).code;
}

std::string OdbcDriver::savepointName(int32_t level) const {
    return "omrix_level_" + std::to_string(level);
}

int32_t OdbcDriver::beginTrans() {
    if (!ready()) return 0;
    if (level_ > 0) {
        if (runSimple(dialect_->savepoint(savepointName(level_ + 1))) != 0) return 0;
        return ++level_;
    }
    SQLRETURN rc = SQLSetConnectAttr(connection_->dbc, SQL_ATTR_AUTOCOMMIT,
                                     reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0);
    if (!SQL_SUCCEEDED(rc)) {
        noteFailure(diagnose(SQL_HANDLE_DBC, connection_->dbc));
        return 0;
    }
    used_ = false;
    return level_ = 1;
}

int32_t OdbcDriver::endTransaction(bool commit) {
    SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, connection_->dbc, commit ? SQL_COMMIT : SQL_ROLLBACK);
    int32_t code = 0;
    if (!SQL_SUCCEEDED(rc)) {
        Diagnostic failure = diagnose(SQL_HANDLE_DBC, connection_->dbc);
        noteFailure(failure);
        code = failure.code();
        // A commit that failed leaves nothing half-open behind.
        if (commit) SQLEndTran(SQL_HANDLE_DBC, connection_->dbc, SQL_ROLLBACK);
    }
    SQLSetConnectAttr(connection_->dbc, SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
    level_ = 0;
    return code;
}

int32_t OdbcDriver::commitTrans() {
    if (!connection_ || level_ == 0) {
        lastError_ = "no transaction to commit";
        return kUnnumberedError;
    }
    if (level_ > 1) {
        int32_t rc = runSimple(dialect_->releaseSavepoint(savepointName(level_)));
        if (rc == 0) --level_;
        return rc;
    }
    if (lost_) {
        // The server rolled the work back with the session; the driver may still call
        // an empty commit a success.
        endTransaction(false);
        lastError_ = kConnectionLost;
        return kUnnumberedError;
    }
    return endTransaction(true);
}

int32_t OdbcDriver::rollbackTrans() {
    if (!connection_ || level_ == 0) {
        lastError_ = "no transaction to roll back";
        return kUnnumberedError;
    }
    if (level_ > 1 && lost_) {
        // The savepoint went with the session: the level still unwinds, so that the
        // outer rollback ends the transaction and the next action may log on again.
        --level_;
        lastError_ = kConnectionLost;
        return kUnnumberedError;
    }
    if (level_ > 1) {
        std::string name = savepointName(level_);
        int32_t rc = runSimple(dialect_->rollbackToSavepoint(name));
        if (rc == 0) rc = runSimple(dialect_->releaseSavepoint(name));
        if (rc == 0) --level_;
        return rc;
    }
    return endTransaction(false);
}

int32_t OdbcDriver::openCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) {
    cursor.reset();
    if (!ready()) return kUnnumberedError;
    const bool first = takeFirstOfTransaction();
    int32_t rc = runCursor(sql, cursor);
    if (rc != 0 && mayRunAgain(true, first)) rc = runCursor(sql, cursor);
    return rc;
}

int32_t OdbcDriver::runCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) {
    auto opened = std::make_unique<OdbcCursor>(connection_, dialect_->statementText(sql));
    Diagnostic failure;
    if (!opened->run(failure)) {
        noteFailure(failure);
        return failure.code();
    }
    cursor = std::move(opened);
    return 0;
}

}  // namespace omrix::data
