#include "data/core/drevo_ext.h"

#include <utility>

#include "data/core/program_database.h"
#include "data/drivers/odbc_connection_string.h"
#include "data/drivers/sqlite_driver.h"
#include "util/ascii.h"
#include "util/text.h"
#ifdef OMRIX_HAVE_ODBC
#include "data/drivers/odbc_driver.h"
#endif

namespace omrix::data {
namespace {

// ADO's "operation is not allowed in this context" for the read-only record sets.
constexpr int32_t kNotAllowed = 3219;

std::string_view trimmed(std::string_view s) {
    return util::trimBlanks(s, util::kBlanksAndTabs);
}

Connection openSqlite(std::string_view file) {
    if (file.empty()) return util::Failure("no database file named");
    auto driver = SqliteDriver::open(std::string(file));
    if (!driver) return driver.failure();
    return std::unique_ptr<Driver>(std::move(*driver));
}

// Whether a connection text is an ODBC one rather than the name of a database file.
bool isOdbcConnectionText(std::string_view connect) {
    std::string_view rest = connect;
    while (!rest.empty()) {
        size_t end = rest.find(';');
        std::string_view pair = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        std::string_view key = trimmed(pair.substr(0, pair.find('=')));
        if (pair.find('=') != std::string_view::npos &&
            (util::equalsIgnoringAsciiCase(key, "DSN") ||
             util::equalsIgnoringAsciiCase(key, "DRIVER")))
            return true;
    }
    return false;
}

Connection openOdbc(const std::string& connect) {
#ifdef OMRIX_HAVE_ODBC
    auto driver = OdbcDriver::connect(connect);
    if (!driver) return driver.failure();
    return std::unique_ptr<Driver>(std::move(*driver));
#else
    (void)connect;
    return util::Failure("this build has no server (ODBC) driver");
#endif
}

}  // namespace

bool serverDriverAvailable() {
#ifdef OMRIX_HAVE_ODBC
    return true;
#else
    return false;
#endif
}

ConnectionHandle::ConnectionHandle(Driver* connection)
    : table_(programConnections()), value_(table_->add(connection)) {}

ConnectionHandle::~ConnectionHandle() {
    release();
}

ConnectionHandle::ConnectionHandle(ConnectionHandle&& other) noexcept
    : table_(std::move(other.table_)), value_(std::exchange(other.value_, 0)) {}

ConnectionHandle& ConnectionHandle::operator=(ConnectionHandle&& other) noexcept {
    if (this != &other) {
        release();
        table_ = std::move(other.table_);
        value_ = std::exchange(other.value_, 0);
    }
    return *this;
}

void ConnectionHandle::release() {
    if (table_ && value_ != 0) table_->remove(value_);
    value_ = 0;
}

Driver* connectionFromHandle(int64_t handle) {
    return static_cast<Driver*>(programConnections()->find(handle));
}

Connection logInToDatabase(std::string_view server, std::string_view user,
                           std::string_view password, std::string_view database,
                           const OdbcSource& source) {
    if (util::equalsIgnoringAsciiCase(trimmed(server), "sqlite")) return openSqlite(database);
    if (!serverDriverAvailable()) {
        return util::Failure(
            "SERVER_NAME \"" + std::string(server) +
            "\" names a database server, and this build has no server (ODBC) driver");
    }
    OdbcLogOn logOn{.dataSource = std::string(trimmed(source.dataSource)),
                    .driver = std::string(trimmed(source.driver)),
                    .server = std::string(server),
                    .database = std::string(database),
                    .user = std::string(user),
                    .password = std::string(password)};
    Connection made = openOdbc(odbcConnectionString(logOn));
    if (made) return made;
    return util::Failure("cannot log on to " + odbcLogOnTarget(logOn), made.failure().text());
}

Connection openConnectionText(std::string_view connect) {
    if (isOdbcConnectionText(connect)) return openOdbc(std::string(connect));
    if (connect.find('=') == std::string_view::npos) return openSqlite(trimmed(connect));
    std::string_view rest = connect;
    while (!rest.empty()) {
        size_t end = rest.find(';');
        std::string_view pair = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        size_t equals = pair.find('=');
        if (equals == std::string_view::npos) continue;
        std::string_view key = trimmed(pair.substr(0, equals));
        if (util::equalsIgnoringAsciiCase(key, "Data Source") ||
            util::equalsIgnoringAsciiCase(key, "Database") ||
            util::equalsIgnoringAsciiCase(key, "DBQ"))
            return openSqlite(trimmed(pair.substr(equals + 1)));
    }
    return util::Failure("the connection text names no database file");
}

int32_t fnDrevoExt_DatabaseClose(Driver& connection) {
    connection.close();
    return 0;
}

int32_t fnDrevoExt_GetState(int32_t, const Driver* connection) {
    return connection != nullptr && connection->isOpen() ? 1 : 0;
}

int32_t fnDrevoExt_Execute(std::string_view sql, Driver& connection, int32_t& recordsAffected) {
    ExecResult result = connection.execute(sql);
    recordsAffected = result.affected;
    return result.code;
}

int32_t fnDrevoExt_ExecuteEx(std::string_view sql, Driver& connection, int32_t& recordsAffected,
                             int32_t& result, int16_t, int32_t) {
    ExecResult executed = connection.execute(sql);
    recordsAffected = executed.affected;
    result = executed.keyViolation ? kErrorsInCommand : executed.code;
    return executed.code;
}

int32_t fnDrevoExt_BeginTrans(Driver& connection) {
    return connection.beginTrans();
}
int32_t fnDrevoExt_CommitTrans(Driver& connection) {
    return connection.commitTrans();
}
int32_t fnDrevoExt_RollbackTrans(Driver& connection) {
    return connection.rollbackTrans();
}

int32_t fnDrevoExt_Open(std::string_view sql, Driver& connection,
                        std::unique_ptr<DrevoRecordSet>& recordSet, int32_t, int32_t, int32_t) {
    auto opened = std::make_unique<DrevoRecordSet>();
    int32_t rc = opened->open(connection, sql);
    if (rc != 0) return rc;
    recordSet = std::move(opened);
    return 0;
}

int32_t fnDrevoExt_Close(std::unique_ptr<DrevoRecordSet>& recordSet) {
    recordSet.reset();
    return 0;
}

int32_t fnDrevoExt_Requery(DrevoRecordSet& recordSet) {
    return recordSet.requery();
}

int32_t fnDrevoExt_GetRecordCount(DrevoRecordSet& recordSet) {
    int32_t count = 0;
    recordSet.recordCount(count);
    return count;
}

int32_t fnDrevoExt_GetBOF(const DrevoRecordSet& recordSet) {
    return recordSet.bof() ? 1 : 0;
}
int32_t fnDrevoExt_GetEOF(const DrevoRecordSet& recordSet) {
    return recordSet.eof() ? 1 : 0;
}
int32_t fnDrevoExt_MoveFirst(DrevoRecordSet& recordSet) {
    return recordSet.moveFirst();
}
int32_t fnDrevoExt_MoveLast(DrevoRecordSet& recordSet) {
    return recordSet.moveLast();
}
int32_t fnDrevoExt_MovePrevious(DrevoRecordSet& recordSet) {
    return recordSet.movePrevious();
}
int32_t fnDrevoExt_MoveNext(DrevoRecordSet& recordSet) {
    return recordSet.moveNext();
}

int32_t fnDrevoExt_GetVariantData(Variant& out, const ColumnIndex& index,
                                  DrevoRecordSet& recordSet) {
    return recordSet.value(index, out);
}

int32_t fnDrevoExt_GetVariantData2(Variant& out, const ColumnIndex& index,
                                   DrevoRecordSet& recordSet) {
    return recordSet.value(index, out);
}

int32_t fnDrevoExt_AddNew(DrevoRecordSet&) {
    return kNotAllowed;
}
int32_t fnDrevoExt_Update(DrevoRecordSet&) {
    return kNotAllowed;
}
int32_t fnDrevoExt_Delete(DrevoRecordSet&) {
    return kNotAllowed;
}
int32_t fnDrevoExt_SetVariantData(const ColumnIndex&, const Variant&, DrevoRecordSet&) {
    return kNotAllowed;
}
int32_t fnDrevoExt_SetVariantData2(const ColumnIndex&, const Variant&, DrevoRecordSet&) {
    return kNotAllowed;
}

}  // namespace omrix::data
