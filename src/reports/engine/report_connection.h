#pragma once
// A report reads through a connection of its own, opened from its log-on texts, so
// that a preview left open never holds the program's connection.

#include <memory>
#include <string>
#include <vector>

#include "data/core/database.h"
#include "data/tables/record_fields.h"
#include "reports/engine/report_object.h"
#include "util/failure.h"

namespace omrix::reports {

// A data-source name is an ODBC data source, logged on to with the report's user,
// password and database. An empty one means the program's own database: the file of
// AppContext.Database when that is open on SQLite, else the database the INI names,
// logged on to as the program does.
util::Result<std::unique_ptr<data::CCCDBS_DataBase>> openReportConnection(const LogOnInfo& logOn);

// `what` failed, with the engine's reason in brackets where it gives one, as the
// viewer shows it on the page.
util::Failure withReason(const std::string& what, const data::CCCDBS_DataBase& db);

// A read that stops part-way is a failure, never the whole: rows cut short would print
// as if they were all there. The engine's reason follows where it gives one.
util::Failure partWayFailure(const data::CCCDBS_DataBase& db);

// Reads every row of the query into records through a field list (record, visitor),
// as the table modules list their columns.
template <typename Row, typename Fields>
util::Status readReportRows(data::CCCDBS_DataBase& db, const std::string& sql,
                            std::vector<Row>& rows, Fields fields) {
    auto rs = db.fnOpenRecordSet(sql);
    if (!rs) {
        // The engine's reason where it gives one (a viewer shows it on the page), else
        // the statement it refused.
        std::string reason = db.lastErrorText();
        return util::Failure("the report cannot read its rows", reason.empty() ? sql : reason);
    }
    data::FieldReader reader(*rs);
    while (!rs->pbEOF()) {
        fields(rows.emplace_back(), reader);
        if (!rs->fnMoveNext()) return partWayFailure(db);
    }
    rs->fnClose();
    return {};
}

}  // namespace omrix::reports
