#include "data/drivers/sqlite_driver.h"

#include <sys/stat.h>

#include <sqlite3.h>

#include <unordered_map>

#include "data/drivers/sql_server_functions.h"
#include "data/drivers/sql_text.h"

namespace omrix::data {
namespace {

bool isKeyViolation(int code) {
    return code == SQLITE_CONSTRAINT_UNIQUE || code == SQLITE_CONSTRAINT_PRIMARYKEY;
}

// The engine's reason in the words of the cause where the user can act on it.
std::string failureText(sqlite3* db, int code) {
    switch (code & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return "the database is locked by another program";
        case SQLITE_READONLY:
            return "the database file is read-only";
        case SQLITE_FULL:
            return "no space left on the device";
        default:
            return sqlite3_errmsg(db);
    }
}

class SqliteCursor : public Cursor {
  public:
    SqliteCursor(sqlite3* db, sqlite3_stmt* statement) : db_(db), statement_(statement) {}
    ~SqliteCursor() override { sqlite3_finalize(statement_); }
    SqliteCursor(const SqliteCursor&) = delete;
    SqliteCursor& operator=(const SqliteCursor&) = delete;

    int32_t step(bool& hasRow) override {
        hasRow = false;
        if (done_) return 0;
        int rc = sqlite3_step(statement_);
        if (rc == SQLITE_ROW) {
            hasRow = true;
            return 0;
        }
        // Reset at once: a finished read must not keep other programs from writing.
        done_ = true;
        int reset = sqlite3_reset(statement_);
        if (rc == SQLITE_DONE) return 0;
        return reset != SQLITE_OK ? reset : sqlite3_extended_errcode(db_);
    }
    int32_t rewind() override {
        done_ = false;
        return sqlite3_reset(statement_);
    }
    int columnCount() const override { return sqlite3_column_count(statement_); }
    std::string_view columnName(int column) const override {
        const char* name = sqlite3_column_name(statement_, column);
        return name != nullptr ? std::string_view(name) : std::string_view();
    }
    ColumnType columnType(int column) override {
        switch (sqlite3_column_type(statement_, column)) {
            case SQLITE_INTEGER:
                return ColumnType::Integer;
            case SQLITE_FLOAT:
                return ColumnType::Real;
            case SQLITE_TEXT:
                return ColumnType::Text;
            case SQLITE_BLOB:
                return ColumnType::Blob;
            default:
                return ColumnType::Null;
        }
    }
    int64_t columnInt(int column) override { return sqlite3_column_int64(statement_, column); }
    double columnDouble(int column) override { return sqlite3_column_double(statement_, column); }
    std::string_view columnText(int column) override {
        auto text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
        if (text == nullptr) return {};
        return {text, static_cast<size_t>(sqlite3_column_bytes(statement_, column))};
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* statement_;
    bool done_ = false;
};

}  // namespace

// Compiled forms of write statements by their shape (literals taken out). Compiling
// a wide INSERT costs several times what storing its row does.
struct SqliteDriver::StatementCache {
    static constexpr size_t kLimit = 64;
    std::unordered_map<std::string, sqlite3_stmt*> statements;  // null: runs as written
    ParameterisedStatement work;

    ~StatementCache() { clear(); }
    void clear() {
        for (auto& entry : statements) sqlite3_finalize(entry.second);
        statements.clear();
    }
    sqlite3_stmt* find(sqlite3* db, const std::string& shape, bool& known) {
        auto it = statements.find(shape);
        known = it != statements.end();
        if (known) return it->second;
        if (statements.size() >= kLimit) clear();
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        if (sqlite3_prepare_v3(db, shape.c_str(), static_cast<int>(shape.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement, &tail) != SQLITE_OK ||
            (tail != nullptr && *tail != '\0')) {
            sqlite3_finalize(statement);
            statement = nullptr;
        }
        statements.emplace(shape, statement);
        return statement;
    }
};

namespace {

void bindLiterals(sqlite3_stmt* statement, const std::vector<SqlLiteral>& literals) {
    int k = 1;
    for (const SqlLiteral& literal : literals) {
        switch (literal.kind) {
            case SqlLiteral::Kind::Integer:
                sqlite3_bind_int64(statement, k, literal.integer);
                break;
            case SqlLiteral::Kind::Real:
                sqlite3_bind_double(statement, k, literal.real);
                break;
            case SqlLiteral::Kind::Text:
                // Never a null pointer: '' is an empty text, not NULL.
                sqlite3_bind_text(statement, k, literal.text.empty() ? "" : literal.text.data(),
                                  static_cast<int>(literal.text.size()), SQLITE_STATIC);
                break;
        }
        ++k;
    }
}

}  // namespace

std::string SqliteDriver::openFailureText(const std::string& path, int code,
                                          std::string_view detail) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return path + ": no such database file";
    if (S_ISDIR(info.st_mode)) return path + " is a folder, not a database file";
    switch (code & 0xFF) {
        case SQLITE_NOTADB:
            return path + " is not a database file";
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return path + " is locked by another program";
        case SQLITE_PERM:
        case SQLITE_READONLY:
            return path + " may not be written to";
        default:
            return path + ": " + std::string(detail);
    }
}

util::Result<std::unique_ptr<SqliteDriver>> SqliteDriver::open(const std::string& path,
                                                               int busyTimeoutMs) {
    sqlite3* db = nullptr;
    // Without SQLITE_OPEN_CREATE a missing file fails instead of becoming an empty one.
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        util::Failure failure(
            openFailureText(path, db != nullptr ? sqlite3_extended_errcode(db) : rc,
                            db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
        sqlite3_close_v2(db);
        return failure;
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, busyTimeoutMs);
    // The journal stays the rollback journal (the file's own mode is left alone). WAL
    // would let other programs read while a print run writes, but data_bench measured
    // the run's one large transaction of 100,000 print rows 10-25% slower with it
    // (and the prepared-statement baseline 25-30% slower), and the big writes of this
    // module are exactly those; readers wait out a commit through the busy timeout.
    // Opening reads nothing; the first real read tells a database from any other file.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK && !registerSqlServerFunctions(db)) rc = SQLITE_ERROR;
    // Debian builds the engine to overwrite every page a delete frees, which tripled a
    // print run's delete of the previous run's 内訳出力 rows (0.6 s against 1.8 s for
    // 100,000 lines), pages the inserts after it fill again at once. FAST overwrites
    // deleted content where that costs no extra write; the journal, the syncs and the
    // locks are the same either way.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA secure_delete = FAST", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        util::Failure failure(
            openFailureText(path, sqlite3_extended_errcode(db), sqlite3_errmsg(db)));
        sqlite3_close_v2(db);
        return failure;
    }
    return std::unique_ptr<SqliteDriver>(new SqliteDriver(db));
}

util::Status SqliteDriver::createFile(const std::string& path) {
    sqlite3* db = nullptr;
    int rc =
        sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    // A new file stays empty until something is written; VACUUM gives it its header
    // at once. An existing database is only probed.
    if (rc == SQLITE_OK) {
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    }
    if (rc == SQLITE_OK && sqlite3_get_autocommit(db) != 0) {
        sqlite3_int64 pages = 0;
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA page_count", -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            pages = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
        if (pages == 0) rc = sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    }
    std::string reason;
    if (rc != SQLITE_OK) reason = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    sqlite3_close_v2(db);
    if (rc == SQLITE_OK) return {};
    return util::Failure("cannot create " + path, reason);
}

SqliteDriver::SqliteDriver(sqlite3* db) : db_(db), cache_(std::make_unique<StatementCache>()) {}

SqliteDriver::~SqliteDriver() {
    close();
}

void SqliteDriver::close() {
    if (db_ == nullptr) return;
    cache_.reset();
    // Cursors still open keep the connection alive until they are finalized.
    sqlite3_close_v2(db_);
    db_ = nullptr;
    level_ = 0;
}

// A read that failed part-way (a cursor's step) leaves its reason with the connection
// only.
std::string SqliteDriver::lastError() const {
    if (!lastError_.empty() || db_ == nullptr) return lastError_;
    const int code = sqlite3_errcode(db_);
    if (code == SQLITE_OK || code == SQLITE_ROW || code == SQLITE_DONE) return lastError_;
    return failureText(db_, code);
}

int32_t SqliteDriver::fail(int32_t code) {
    lastError_ = db_ == nullptr ? "not connected" : failureText(db_, code);
    return code;
}

ExecResult SqliteDriver::execute(std::string_view sql) {
    ExecResult result;
    if (db_ == nullptr) {
        result.code = fail(SQLITE_MISUSE);
        return result;
    }
    std::string folded = foldSqlText(sql);
    const char* next = folded.c_str();
    const char* end = next + folded.size();
    sqlite3_int64 before = sqlite3_total_changes64(db_);
    while (next < end && result.code == 0) {
        while (next < end && (*next == ' ' || *next == '\r' || *next == '\n' || *next == '\t'))
            ++next;
        if (next == end) break;
        if (runParameterised(next, end, result.code)) continue;
        result.code = runAsWritten(next, end);
    }
    result.affected = static_cast<int32_t>(sqlite3_total_changes64(db_) - before);
    result.keyViolation = isKeyViolation(result.code);
    syncLevel();
    return result;
}

// The write statement at `next` through its compiled shape; false when it has to run
// as written. Moves `next` past the statement when it ran.
bool SqliteDriver::runParameterised(const char*& next, const char* end, int32_t& code) {
    ParameterisedStatement& work = cache_->work;
    if (!parameterise(std::string_view(next, static_cast<size_t>(end - next)), work)) return false;
    bool known = false;
    sqlite3_stmt* statement = cache_->find(db_, work.shape, known);
    if (statement == nullptr) return false;
    bindLiterals(statement, work.literals);
    int rc = sqlite3_step(statement);
    while (rc == SQLITE_ROW) rc = sqlite3_step(statement);
    if (rc != SQLITE_DONE) code = fail(sqlite3_extended_errcode(db_));
    sqlite3_reset(statement);
    next += work.length;
    return true;
}

int32_t SqliteDriver::runAsWritten(const char*& next, const char* end) {
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    int rc = sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), &statement, &tail);
    if (rc != SQLITE_OK) {
        next = end;
        return fail(sqlite3_extended_errcode(db_));
    }
    next = tail;
    if (statement == nullptr) return 0;  // blanks or a comment
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    int32_t code = rc == SQLITE_DONE ? 0 : fail(sqlite3_extended_errcode(db_));
    sqlite3_finalize(statement);
    return code;
}

int32_t SqliteDriver::runSimple(const char* sql) {
    int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    return rc == SQLITE_OK ? 0 : fail(sqlite3_extended_errcode(db_));
}

// A statement text may end the transaction itself (ROLLBACK, or an error that rolls
// back); the nesting count follows the engine.
void SqliteDriver::syncLevel() {
    if (db_ != nullptr && sqlite3_get_autocommit(db_) != 0) endOuter();
}

// Within a transaction the changed pages stay in memory up to kWriteCache before they
// spill to the file, and every spill syncs the journal first: a print run's write of
// 100,000 lines (160 MB of rows) spilled 168 times with the 2 MB the connection reads
// with, 1.2 s of syncs, and 42 times with 8 MB. What is synced at commit and the locks
// are as before; the cache shrinks back when the transaction ends.
constexpr const char* kWriteCache = "PRAGMA cache_size = -8192";
constexpr const char* kReadCache = "PRAGMA cache_size = -2000";

void SqliteDriver::endOuter() {
    if (level_ > 0) sqlite3_exec(db_, kReadCache, nullptr, nullptr, nullptr);
    level_ = 0;
}

int32_t SqliteDriver::beginTrans() {
    if (db_ == nullptr) return 0;
    syncLevel();
    // IMMEDIATE takes the write lock now: two programs that both read and then
    // write inside a transaction would otherwise deadlock on the upgrade.
    std::string sql = level_ == 0 ? std::string("BEGIN IMMEDIATE")
                                  : "SAVEPOINT omrix_level_" + std::to_string(level_ + 1);
    if (runSimple(sql.c_str()) != 0) return 0;
    if (level_ == 0) sqlite3_exec(db_, kWriteCache, nullptr, nullptr, nullptr);
    return ++level_;
}

int32_t SqliteDriver::commitTrans() {
    if (db_ == nullptr) return fail(SQLITE_MISUSE);
    syncLevel();
    if (level_ == 0) return fail(SQLITE_ERROR);
    if (level_ > 1) {
        std::string sql = "RELEASE omrix_level_" + std::to_string(level_);
        int32_t rc = runSimple(sql.c_str());
        if (rc == 0) --level_;
        return rc;
    }
    int32_t rc = runSimple("COMMIT");
    // A commit that failed leaves nothing half-open behind.
    if (rc != 0 && sqlite3_get_autocommit(db_) == 0)
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    endOuter();
    return rc;
}

int32_t SqliteDriver::rollbackTrans() {
    if (db_ == nullptr) return fail(SQLITE_MISUSE);
    syncLevel();
    if (level_ == 0) return fail(SQLITE_ERROR);
    if (level_ > 1) {
        std::string name = "omrix_level_" + std::to_string(level_);
        std::string sql = "ROLLBACK TO " + name + "; RELEASE " + name;
        int32_t rc = runSimple(sql.c_str());
        if (rc == 0) --level_;
        return rc;
    }
    int32_t rc = runSimple("ROLLBACK");
    endOuter();
    return rc;
}

int32_t SqliteDriver::openCursor(std::string_view sql, std::unique_ptr<Cursor>& cursor) {
    cursor.reset();
    if (db_ == nullptr) return fail(SQLITE_MISUSE);
    std::string folded = foldSqlText(sql);
    const char* next = folded.c_str();
    const char* end = next + folded.size();
    while (next < end) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(db_, next, static_cast<int>(end - next), &statement, &tail);
        if (rc != SQLITE_OK) return fail(sqlite3_extended_errcode(db_));
        next = tail;
        if (statement == nullptr) continue;
        if (sqlite3_column_count(statement) > 0) {
            cursor = std::make_unique<SqliteCursor>(db_, statement);
            return 0;
        }
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
        }
        int32_t code = rc == SQLITE_DONE ? 0 : fail(sqlite3_extended_errcode(db_));
        sqlite3_finalize(statement);
        if (code != 0) return code;
    }
    lastError_ = "the statement returns no rows";
    return SQLITE_ERROR;
}

}  // namespace omrix::data
