#pragma once
// The suite's data-access entry points (fnDrevoExt_*), over the drivers. Every
// function returns 0 for success, except GetState (bit 0: open), GetRecordCount,
// GetBOF / GetEOF (non-zero: true) and BeginTrans (the nesting level, 0 on failure).
// Where the suite passed opaque handles, these take the objects themselves.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "context/handle_table.h"
#include "data/core/database.h"
#include "data/core/drevo_record_set.h"
#include "data/core/variant.h"
#include "data/drivers/driver.h"
#include "util/failure.h"

namespace omrix::data {

// The number a record set is given for its connection: an entry of the program's table
// of connections (AppContext.Connections), held while the connection is open.
class ConnectionHandle {
  public:
    ConnectionHandle() = default;
    explicit ConnectionHandle(Driver* connection);
    ~ConnectionHandle();
    ConnectionHandle(ConnectionHandle&& other) noexcept;
    ConnectionHandle& operator=(ConnectionHandle&& other) noexcept;

    int64_t value() const { return value_; }

  private:
    void release();

    // The table it was entered in, even when the program's context was reset since.
    std::shared_ptr<context::HandleTable> table_;
    int64_t value_ = 0;
};

// Null for 0, a closed connection's number or one never given.
Driver* connectionFromHandle(int64_t handle);

// How a server is reached through ODBC: the INI's SQL_DNS and ODBC_DRIVER.
struct OdbcSource {
    std::string dataSource;
    std::string driver;
};

// True when this build has the ODBC driver.
bool serverDriverAvailable();

using Connection = util::Result<std::unique_ptr<Driver>>;

// Server "sqlite" (any case): `database` is the file. Any other server is reached
// through ODBC: the data source of `source` when it names one, else its driver and
// `server`. The failure never holds the password.
Connection logInToDatabase(std::string_view server, std::string_view user,
                           std::string_view password, std::string_view database,
                           const OdbcSource& source = {});
// A connection text: an ODBC one when it holds "DSN=" or "DRIVER=" pairs; else
// "Data Source=<file>" (or "Database=", "DBQ=") among ';'-separated pairs, or the
// plain file name, of the embedded database.
Connection openConnectionText(std::string_view connect);
int32_t fnDrevoExt_DatabaseClose(Driver& connection);
// Both kinds (1: log-in, 2: the connection a record set is opened on) report bit 0
// set for an open connection.
int32_t fnDrevoExt_GetState(int32_t kind, const Driver* connection);

int32_t fnDrevoExt_Execute(std::string_view sql, Driver& connection, int32_t& recordsAffected);
// `result` gets kErrorsInCommand for a row a unique key refused, else the engine's
// code. The options (-1 and the code the caller expects) change nothing here: the
// layer shows no errors it could be asked to keep quiet.
int32_t fnDrevoExt_ExecuteEx(std::string_view sql, Driver& connection, int32_t& recordsAffected,
                             int32_t& result, int16_t option, int32_t longOption);
int32_t fnDrevoExt_BeginTrans(Driver& connection);
int32_t fnDrevoExt_CommitTrans(Driver& connection);
int32_t fnDrevoExt_RollbackTrans(Driver& connection);

// Cursor and lock types are accepted as the callers pass them; every record set reads
// forward from the engine and becomes static when asked to count or move back.
int32_t fnDrevoExt_Open(std::string_view sql, Driver& connection,
                        std::unique_ptr<DrevoRecordSet>& recordSet, int32_t cursorType,
                        int32_t lockType, int32_t options);
int32_t fnDrevoExt_Close(std::unique_ptr<DrevoRecordSet>& recordSet);
int32_t fnDrevoExt_Requery(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_GetRecordCount(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_GetBOF(const DrevoRecordSet& recordSet);
int32_t fnDrevoExt_GetEOF(const DrevoRecordSet& recordSet);
int32_t fnDrevoExt_MoveFirst(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_MoveLast(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_MovePrevious(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_MoveNext(DrevoRecordSet& recordSet);
// Null for a NULL column; Empty with a non-zero result for an unknown column.
int32_t fnDrevoExt_GetVariantData(Variant& out, const ColumnIndex& index,
                                  DrevoRecordSet& recordSet);
int32_t fnDrevoExt_GetVariantData2(Variant& out, const ColumnIndex& index,
                                   DrevoRecordSet& recordSet);
// Record sets are read-only here: the module changes rows with statements only.
int32_t fnDrevoExt_AddNew(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_Update(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_Delete(DrevoRecordSet& recordSet);
int32_t fnDrevoExt_SetVariantData(const ColumnIndex& index, const Variant& value,
                                  DrevoRecordSet& recordSet);
int32_t fnDrevoExt_SetVariantData2(const ColumnIndex& index, const Variant& value,
                                   DrevoRecordSet& recordSet);

}  // namespace omrix::data
