#pragma once
// The one connection of the program and the record sets opened from it. Neither
// class shows anything: every failure is a false, 0, "" or null result.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/core/variant.h"
#include "util/currency.h"

namespace omrix::data {

class Driver;  // the fnDrevoExt_* layer: SQLite now, ODBC for server databases
class DebugLog;

// A column is named (the Japanese column name, width-folded and ASCII-case-blind)
// or given by 0-based ordinal. It only carries the argument of one call: the name
// is viewed, not copied, so that reading a column by name costs no allocation.
class ColumnIndex {
  public:
    ColumnIndex(const char* name) : name_(name) {}
    ColumnIndex(std::string_view name) : name_(name) {}
    ColumnIndex(const std::string& name) : name_(name) {}
    ColumnIndex(int ordinal) : ordinal_(ordinal) {}
    bool byName() const { return ordinal_ < 0; }
    std::string_view name() const { return name_; }
    int ordinal() const { return ordinal_; }

  private:
    std::string_view name_;
    int ordinal_ = -1;
};

struct DebugSettings;

class CCCDBS_RecordSet {
  public:
    CCCDBS_RecordSet();  // reads the debug settings from OMRIX.INI
    explicit CCCDBS_RecordSet(const DebugSettings& debug);
    ~CCCDBS_RecordSet();  // closes
    CCCDBS_RecordSet(const CCCDBS_RecordSet&) = delete;
    CCCDBS_RecordSet& operator=(const CCCDBS_RecordSet&) = delete;

    bool fnOpen(std::string_view sql, int64_t connection, int32_t curType = 0,
                int32_t lockType = -1, int32_t options = -1);
    bool fnClose();
    bool fnRequery();
    int32_t plRecordCount() const;
    bool pbBOF() const;
    bool pbEOF() const;
    bool fnMoveFirst();
    bool fnMoveLast();
    bool fnMovePrevious();
    bool fnMoveNext();
    // Record sets are read-only: these fail (and are traced while debugging).
    bool fnAddNew();
    bool fnUpdate();
    bool fnDelete();
    bool fnSetVariant(const ColumnIndex& index, const Variant& data);
    bool fnSetVariant2(const ColumnIndex& index, const Variant& data);
    bool fnSetBinary(const ColumnIndex& index, const Variant& data);

    Variant fnGetVariant(const ColumnIndex& index);
    Variant fnGetVariant2(const ColumnIndex& index);
    std::string fnGetChar(const ColumnIndex& index);
    uint8_t fnGetTinyInt(const ColumnIndex& index);
    double fnGetHdouble(const ColumnIndex& index);
    float fnGetFloat(const ColumnIndex& index);
    int16_t fnGetSmallInt(const ColumnIndex& index);
    int32_t fnGetInt(const ColumnIndex& index);
    DateTime fnGetDate(const ColumnIndex& index);
    util::Currency fnGetMoney(const ColumnIndex& index);
    bool fnGetBit(const ColumnIndex& index);

    // Column names of the result, as the database gives them (folded).
    int columnCount() const;
    std::string columnName(int ordinal) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

class CCCDBS_DataBase {
  public:
    CCCDBS_DataBase();
    ~CCCDBS_DataBase();  // closes
    CCCDBS_DataBase(const CCCDBS_DataBase&) = delete;
    CCCDBS_DataBase& operator=(const CCCDBS_DataBase&) = delete;

    std::string psServerName() const;
    std::string psDataBaseName() const;
    std::string psUserName() const;
    std::string psPassWord() const;

    [[nodiscard]] bool fnOpen(std::string_view server, std::string_view database,
                              std::string_view user, std::string_view password,
                              int32_t databaseType);
    [[nodiscard]] bool fnOpenEtc(std::string_view connect);
    // Empty arguments keep the stored INI path, section and key names; a type of 0 or
    // less keeps the stored type.
    [[nodiscard]] bool fnOpenFromIni(std::string_view iniPath = {}, std::string_view section = {},
                                     std::string_view serverKey = {},
                                     std::string_view databaseKey = {},
                                     std::string_view userKey = {},
                                     std::string_view passwordKey = {}, int32_t databaseType = -1);
    bool fnClose();
    // Closes a connection that is of no use (no tables of the suite, say), keeping
    // `reason` as the last failure.
    void closeRefused(std::string reason);
    bool isOpen() const;
    // The engine's text for the last failure, for tools that show it.
    std::string lastErrorText() const;
    // Why the PASSWORD of the last fnOpenFromIni could not be deciphered; empty when it
    // could (it never holds the password).
    std::string passwordError() const;
    // db/schema.sql as the connected engine creates it.
    std::string schemaText(std::string_view schemaSql) const;
    // What fnOpenRecordSet hands to CCCDBS_RecordSet::fnOpen; 0 when not connected.
    int64_t connectionHandle() const;

    // Null when not connected or the query fails.
    std::unique_ptr<CCCDBS_RecordSet> fnOpenRecordSet(std::string_view sql, int32_t curType = 0,
                                                      int32_t lockType = -1, int32_t options = -1);
    [[nodiscard]] bool fnExecute(std::string_view sql, int32_t& recordsAffected, int16_t& status);
    [[nodiscard]] bool fnExecute(std::string_view sql);
    [[nodiscard]] bool fnExecuteEx(std::string_view sql, int32_t& recordsAffected, int32_t& result,
                                   int16_t option = 0, int32_t longOption = 0);
    // The nesting level after the begin (1 for the outer transaction); 0 when not
    // connected or the transaction could not be begun.
    [[nodiscard]] int32_t fnBeginTrans();
    [[nodiscard]] bool fnCommitTrans();
    bool fnRollBackTrans();
    [[nodiscard]] bool fnOpenFile(std::string_view connect, std::string_view fullPath);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Statements the batched writes send in one command: few round trips to the
// server, texts of modest size.
inline constexpr int kStatementsPerCommand = 100;

// RAII transaction: rolls back unless committed. One that is not its own (the caller
// holds a transaction open) begins, commits and rolls back nothing, so a procedure
// with a "no transaction of its own" flag writes the same code either way.
class Transaction {
  public:
    explicit Transaction(CCCDBS_DataBase& db, bool own = true);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    [[nodiscard]] bool begun() const { return begun_; }
    [[nodiscard]] bool commit();

  private:
    CCCDBS_DataBase& db_;
    bool own_;
    bool begun_;
    bool done_ = false;
};

// SERVER_NAME "sqlite" (any case) selects the embedded database; any other is a server.
bool isEmbeddedServer(std::string_view server);


}  // namespace omrix::data
