#include <cstdio>
#include <string>

#include "data/drivers/sql_text.h"
#include "omrix_db_commands.h"
#include "util/bounded_file.h"

namespace omrix::db_tool {
namespace {

struct ExecOptions {
    DatabaseChoice database;
    std::string sqlFile;  // empty or "-": standard input
};

bool returnsRows(std::string_view statement) {
    std::string keyword = data::leadingKeyword(statement);
    return keyword == "SELECT" || keyword == "WITH" || keyword == "PRAGMA" ||
           keyword == "EXPLAIN" || keyword == "VALUES";
}

// Tabs and line breaks inside values would break the table apart.
std::string cell(const data::Variant& value) {
    if (data::isNull(value)) return "NULL";
    std::string out;
    for (char c : data::variantToText(value)) {
        switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool printRows(data::CCCDBS_DataBase& db, std::string_view statement) {
    auto rs = db.fnOpenRecordSet(statement);
    if (!rs) return false;
    std::string line;
    for (int i = 0; i < rs->columnCount(); ++i) line += (i ? "\t" : "") + rs->columnName(i);
    if (rs->columnCount() > 0) std::printf("%s\n", line.c_str());
    while (!rs->pbEOF()) {
        line.clear();
        for (int i = 0; i < rs->columnCount(); ++i)
            line += (i ? "\t" : "") + cell(rs->fnGetVariant(i));
        std::printf("%s\n", line.c_str());
        if (!rs->fnMoveNext() && !rs->pbEOF()) return false;
    }
    return true;
}

int runExec(const ExecOptions& options) {
    std::string sql;
    const bool fromInput = options.sqlFile.empty() || options.sqlFile == "-";
    const std::string path = fromInput ? "/dev/stdin" : options.sqlFile;
    const util::FileRead read = util::readBoundedFile(path, util::kScriptFileLimit, sql);
    if (read != util::FileRead::Ok) {
        reportError(util::describeFileRead(read, path, util::kScriptFileLimit));
        return kExitFailed;
    }

    data::CCCDBS_DataBase db;
    std::string error;
    if (!openDatabase(options.database, false, db, error)) {
        reportError(error);
        return kExitFailed;
    }
    for (std::string_view statement : data::splitStatements(sql)) {
        if (returnsRows(statement)) {
            if (!printRows(db, statement)) {
                reportError("query failed: " + db.lastErrorText());
                return kExitFailed;
            }
            continue;
        }
        int32_t affected = 0;
        int16_t status = 0;
        if (!db.fnExecute(statement, affected, status)) {
            reportError("statement failed (" + std::to_string(status) + "): " + db.lastErrorText());
            return kExitFailed;
        }
        std::printf("%d rows affected\n", affected);
    }
    return finishOutput();
}

}  // namespace

void addExecCommand(CLI::App& app, CommandTable& commands) {
    auto options = std::make_shared<ExecOptions>();
    CLI::App* command = app.add_subcommand(
        "exec", "run SQL text through the data layer; rows print tab-separated under a header");
    addDatabaseOptions(*command, options->database);
    command->add_option("sql", options->sqlFile, "file of SQL text; '-' or none: standard input");
    commands[command] = [options] { return runExec(*options); };
}

}  // namespace omrix::db_tool
