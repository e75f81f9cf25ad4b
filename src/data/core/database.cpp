#include "data/core/database.h"

#include <filesystem>

#include "context/ini_file.h"
#include "context/program_folder.h"
#include "data/core/backup_flag.h"
#include "data/core/debug_log.h"
#include "data/core/drevo_ext.h"
#include "platform/messages.h"
#include "platform/password.h"
#include "util/ascii.h"
#include "util/text.h"

namespace omrix::data {
namespace {

std::string defaultIniPath() {
    std::error_code error;
    auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    std::string name = error ? std::string("omrix") : program.filename().string();
    return context::programFolder() + "/" + name + ".INI";
}

// DB_NAME of the embedded database is a file beside the INI file unless absolute.
std::string besideIniFile(std::string_view iniPath, std::string_view file) {
    if (file.empty()) return {};
    std::filesystem::path path{std::string(file)};
    if (path.is_absolute()) return path.string();
    return (std::filesystem::path(std::string(iniPath)).parent_path() / path).string();
}

constexpr const char* kDataSourceKey = "SQL_DNS";
constexpr const char* kOdbcDriverKey = "ODBC_DRIVER";

}  // namespace

bool isEmbeddedServer(std::string_view server) {
    return util::equalsIgnoringAsciiCase(util::trimBlanks(server, util::kBlanksAndTabs), "sqlite");
}

struct CCCDBS_DataBase::Impl {
    std::string iniPath = defaultIniPath();
    std::string iniSection = "DATABASE";
    std::string serverKey = "SERVER_NAME";
    std::string databaseKey = "DB_NAME";
    std::string userKey = "USER_NAME";
    std::string passwordKey = "PASSWORD";
    int32_t databaseType = 1;
    std::unique_ptr<Driver> connection;
    ConnectionHandle handle;  // dropped before the connection it names
    std::string server, database, user, password;
    DebugSettings debug = readDebugSettings();
    DebugLog log{debug, "\\DBS_DATABASE.LOG"};
    std::string lastError;
    std::string passwordError;

    bool connected() const { return connection != nullptr; }
    void attach(std::unique_ptr<Driver> opened) {
        connection = std::move(opened);
        handle = ConnectionHandle(connection.get());
    }
    void detach() {
        handle = {};
        connection.reset();
    }
    bool logIn(std::string_view server, std::string_view database, std::string_view user,
               std::string_view password, int32_t, const OdbcSource& source) {
        if (connected()) return true;
        Connection opened = logInToDatabase(server, user, password, database, source);
        if (!opened) {
            lastError = opened.failure().text();
            return false;
        }
        if ((fnDrevoExt_GetState(1, opened->get()) & 1) == 0) return false;
        attach(std::move(*opened));
        this->server = server;
        this->database = database;
        this->user = user;
        this->password = password;
        return true;
    }
    void trace(std::string_view sql) {
        if (log.enabled()) log.writeLine(withoutPasswords(sql));
    }
};

CCCDBS_DataBase::CCCDBS_DataBase() : impl_(std::make_unique<Impl>()) {}

CCCDBS_DataBase::~CCCDBS_DataBase() {
    fnClose();
}

std::string CCCDBS_DataBase::psServerName() const {
    return impl_->server;
}
std::string CCCDBS_DataBase::psDataBaseName() const {
    return impl_->database;
}
std::string CCCDBS_DataBase::psUserName() const {
    return impl_->user;
}
std::string CCCDBS_DataBase::psPassWord() const {
    return impl_->password;
}

bool CCCDBS_DataBase::isOpen() const {
    return impl_->connected();
}

std::string CCCDBS_DataBase::lastErrorText() const {
    if (impl_->connected()) {
        std::string text = impl_->connection->lastError();
        if (!text.empty()) return text;
    }
    return impl_->lastError;
}

std::string CCCDBS_DataBase::passwordError() const {
    return impl_->passwordError;
}

std::string CCCDBS_DataBase::schemaText(std::string_view schemaSql) const {
    return impl_->connected() ? impl_->connection->schemaText(schemaSql) : std::string(schemaSql);
}

int64_t CCCDBS_DataBase::connectionHandle() const {
    return impl_->handle.value();
}

bool CCCDBS_DataBase::fnOpen(std::string_view server, std::string_view database,
                             std::string_view user, std::string_view password,
                             int32_t databaseType) {
    return impl_->logIn(server, database, user, password, databaseType, {});
}

bool CCCDBS_DataBase::fnOpenEtc(std::string_view connect) {
    Impl& d = *impl_;
    if (d.connected()) return true;
    Connection connection = openConnectionText(connect);
    if (!connection) {
        d.lastError = connection.failure().text();
        return false;
    }
    d.attach(std::move(*connection));
    return true;
}

bool CCCDBS_DataBase::fnOpenFromIni(std::string_view iniPath, std::string_view section,
                                    std::string_view serverKey, std::string_view databaseKey,
                                    std::string_view userKey, std::string_view passwordKey,
                                    int32_t databaseType) {
    Impl& d = *impl_;
    if (d.connected()) return true;
    if (!iniPath.empty()) d.iniPath = iniPath;
    if (!section.empty()) d.iniSection = section;
    if (!serverKey.empty()) d.serverKey = serverKey;
    if (!databaseKey.empty()) d.databaseKey = databaseKey;
    if (!userKey.empty()) d.userKey = userKey;
    if (!passwordKey.empty()) d.passwordKey = passwordKey;
    if (databaseType > 0) d.databaseType = databaseType;

    auto read = [&](const std::string& key) {
        return context::fnReadDatabaseIniValue(d.iniSection, key, d.iniPath);
    };
    std::string server = read(d.serverKey);
    std::string database = read(d.databaseKey);
    std::string user = read(d.userKey);
    d.passwordError.clear();
    util::Result<std::string> password =
        platform::decodeStoredPassword(util::trimBlanksRight(read(d.passwordKey)));
    if (!password) {
        // Never a log-on with an empty password in its place.
        d.passwordError = "[" + d.iniSection + "] " + d.passwordKey + " of " + d.iniPath +
                          " cannot be deciphered: " + password.failure().text();
        d.lastError = d.passwordError;
        return false;
    }
    if (isEmbeddedServer(server)) database = besideIniFile(d.iniPath, database);
    // The server's data source and driver are read beside the four log-on keys.
    OdbcSource source{.dataSource = read(kDataSourceKey), .driver = read(kOdbcDriverKey)};
    return d.logIn(server, database, user, *password, d.databaseType, source);
}

bool CCCDBS_DataBase::fnClose() {
    Impl& d = *impl_;
    if (!d.connected()) return true;
    bool ok = fnDrevoExt_DatabaseClose(*d.connection) == 0;
    d.detach();
    return ok;
}

void CCCDBS_DataBase::closeRefused(std::string reason) {
    fnClose();
    impl_->lastError = std::move(reason);
}

std::unique_ptr<CCCDBS_RecordSet> CCCDBS_DataBase::fnOpenRecordSet(std::string_view sql,
                                                                   int32_t curType,
                                                                   int32_t lockType,
                                                                   int32_t options) {
    Impl& d = *impl_;
    if (!d.connected()) return nullptr;
    // The record sets share the settings this object read, not a fresh read each.
    auto recordSet = std::make_unique<CCCDBS_RecordSet>(d.debug);
    if (!recordSet->fnOpen(sql, connectionHandle(), curType, lockType, options)) return nullptr;
    return recordSet;
}

bool CCCDBS_DataBase::fnExecute(std::string_view sql, int32_t& recordsAffected, int16_t& status) {
    Impl& d = *impl_;
    recordsAffected = 0;
    status = 0;
    d.trace(sql);
    if (!d.connected()) return false;
    int32_t rc = fnDrevoExt_Execute(sql, *d.connection, recordsAffected);
    status = static_cast<int16_t>(rc);
    if (rc != 0) {
        if (status == 0) status = -1;
        return false;
    }
    markBackupIfNeeded(sql);
    return true;
}

bool CCCDBS_DataBase::fnExecute(std::string_view sql) {
    int32_t affected = 0;
    int16_t status = 0;
    return fnExecute(sql, affected, status);
}

bool CCCDBS_DataBase::fnExecuteEx(std::string_view sql, int32_t& recordsAffected, int32_t& result,
                                  int16_t option, int32_t longOption) {
    Impl& d = *impl_;
    recordsAffected = 0;
    result = 0;
    d.trace(sql);
    if (!d.connected()) return false;
    return fnDrevoExt_ExecuteEx(sql, *d.connection, recordsAffected, result, option, longOption) ==
           0;
}

int32_t CCCDBS_DataBase::fnBeginTrans() {
    return impl_->connected() ? fnDrevoExt_BeginTrans(*impl_->connection) : 0;
}

bool CCCDBS_DataBase::fnCommitTrans() {
    return impl_->connected() && fnDrevoExt_CommitTrans(*impl_->connection) == 0;
}

bool CCCDBS_DataBase::fnRollBackTrans() {
    return impl_->connected() && fnDrevoExt_RollbackTrans(*impl_->connection) == 0;
}

bool CCCDBS_DataBase::fnOpenFile(std::string_view connect, std::string_view fullPath) {
    if (impl_->connected()) return true;
    std::error_code error;
    if (!std::filesystem::is_regular_file(std::string(fullPath), error)) return false;
    return fnOpenEtc(std::string(connect) + std::string(fullPath));
}

Transaction::Transaction(CCCDBS_DataBase& db, bool own)
    : db_(db), own_(own), begun_(!own || db.fnBeginTrans() > 0) {}

Transaction::~Transaction() {
    if (own_ && begun_ && !done_) (void)db_.fnRollBackTrans();
}

bool Transaction::commit() {
    if (!begun_ || done_) return false;
    done_ = true;
    return !own_ || db_.fnCommitTrans();
}

}  // namespace omrix::data
