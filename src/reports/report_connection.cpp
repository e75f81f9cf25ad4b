#include "reports/report_connection.h"

#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/database.h"
#include "util/text.h"

namespace omrix::reports {

std::unique_ptr<data::CCCDBS_DataBase> openReportConnection(const LogOnInfo& logOn,
                                                            std::string& error) {
    std::string_view dsn = util::trimBlanks(logOn.server);
    if (!dsn.empty()) {
        error = "the report's data source \"" + std::string(dsn) +
                "\" is an ODBC data source, which this build cannot open";
        return nullptr;
    }
    auto db = std::make_unique<data::CCCDBS_DataBase>();
    const auto& program = context::appContext().Database;
    if (program && program->isOpen() && data::isEmbeddedServer(program->psServerName())) {
        if (db->fnOpen("sqlite", program->psDataBaseName(), logOn.user, logOn.password, 1))
            return db;
        error = "the report cannot open the program's database " + program->psDataBaseName();
    } else {
        std::string ini = context::fnGetIniPath();
        std::string server = context::fnReadDatabaseIniValue("DATABASE", "SERVER_NAME", ini);
        if (!data::isEmbeddedServer(server)) {
            error = "the report has no data source: " + ini +
                    " names no embedded (sqlite) database and no ODBC data source was given";
            return nullptr;
        }
        if (db->fnOpenFromIni(ini)) return db;
        error = "the report cannot open the database that " + ini + " names";
    }
    std::string reason = db->lastErrorText();
    if (!reason.empty()) error += " (" + reason + ")";
    return nullptr;
}

}  // namespace omrix::reports
