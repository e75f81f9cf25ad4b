#include "reports/engine/report_connection.h"

#include "context/ini_file.h"
#include "data/core/database.h"
#include "data/drivers/odbc_connection_string.h"
#include "data/core/program_database.h"
#include "util/text.h"

namespace omrix::reports {

util::Failure withReason(const std::string& what, const data::CCCDBS_DataBase& db) {
    std::string reason = db.lastErrorText();
    return util::Failure(reason.empty() ? what : what + " (" + reason + ")");
}

util::Result<std::unique_ptr<data::CCCDBS_DataBase>> openReportConnection(const LogOnInfo& logOn) {
    auto db = std::make_unique<data::CCCDBS_DataBase>();
    std::string_view dsn = util::trimBlanks(logOn.server);
    const data::CCCDBS_DataBase* program = data::programDatabase();
    std::string what;
    if (!dsn.empty()) {
        data::OdbcLogOn server{.dataSource = std::string(dsn),
                               .driver = {},
                               .server = {},
                               .database = logOn.database,
                               .user = logOn.user,
                               .password = logOn.password};
        if (db->fnOpenEtc(data::odbcConnectionString(server))) return db;
        what = "the report cannot log on to " + data::odbcLogOnTarget(server);
    } else if (program && program->isOpen() && data::isEmbeddedServer(program->psServerName())) {
        if (db->fnOpen("sqlite", program->psDataBaseName(), logOn.user, logOn.password, 1))
            return db;
        what = "the report cannot open the program's database " + program->psDataBaseName();
    } else {
        // No data source of its own: the database the INI names, as the program logs on.
        std::string ini = context::fnGetIniPath();
        if (db->fnOpenFromIni(ini)) return db;
        what = "the report cannot open the database that " + ini + " names";
    }
    return withReason(what, *db);
}

util::Failure partWayFailure(const data::CCCDBS_DataBase& db) {
    return withReason("the report's rows stop part-way", db);
}

}  // namespace omrix::reports
