#include "reports/engine/report_connection.h"

#include "context/ini_file.h"
#include "data/core/database.h"
#include "data/drivers/odbc_connection_string.h"
#include "data/core/program_database.h"
#include "util/text.h"

namespace omrix::reports {

std::unique_ptr<data::CCCDBS_DataBase> openReportConnection(const LogOnInfo& logOn,
                                                            std::string& error) {
    auto db = std::make_unique<data::CCCDBS_DataBase>();
    std::string_view dsn = util::trimBlanks(logOn.server);
    const data::CCCDBS_DataBase* program = data::programDatabase();
    if (!dsn.empty()) {
        data::OdbcLogOn server{.dataSource = std::string(dsn),
                               .driver = {},
                               .server = {},
                               .database = logOn.database,
                               .user = logOn.user,
                               .password = logOn.password};
        if (db->fnOpenEtc(data::odbcConnectionString(server))) return db;
        error = "the report cannot log on to " + data::odbcLogOnTarget(server);
    } else if (program && program->isOpen() && data::isEmbeddedServer(program->psServerName())) {
        if (db->fnOpen("sqlite", program->psDataBaseName(), logOn.user, logOn.password, 1))
            return db;
        error = "the report cannot open the program's database " + program->psDataBaseName();
    } else {
        // No data source of its own: the database the INI names, as the program logs on.
        std::string ini = context::fnGetIniPath();
        if (db->fnOpenFromIni(ini)) return db;
        error = "the report cannot open the database that " + ini + " names";
    }
    std::string reason = db->lastErrorText();
    if (!reason.empty()) error += " (" + reason + ")";
    return nullptr;
}

std::string partWayError(const data::CCCDBS_DataBase& db) {
    std::string error = "the report's rows stop part-way";
    std::string reason = db.lastErrorText();
    if (!reason.empty()) error += " (" + reason + ")";
    return error;
}

}  // namespace omrix::reports
