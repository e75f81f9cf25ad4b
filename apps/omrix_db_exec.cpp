#include <algorithm>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "data/core/schema.h"

#include "data/drivers/sql_text.h"
#include "omrix_db_commands.h"
#include "util/bounded_file.h"

namespace omrix::db_tool {
namespace {

struct ExecOptions {
    DatabaseChoice database;
    std::string sqlFile;  // empty or "-": standard input
    bool force = false;   // a suite table may be dropped
};

// What the driver says of a statement that ran but returns no rows (a PRAGMA that sets).
constexpr std::string_view kNoRows = "the statement returns no rows";

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
            case '\0':
                out += "\\0";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void printLine(const std::string& line) {
    // Written whole: a NUL inside a value must not end the line.
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

bool printRows(data::CCCDBS_DataBase& db, std::string_view statement) {
    auto rs = db.fnOpenRecordSet(statement);
    if (!rs) return db.lastErrorText() == kNoRows;
    std::string line;
    for (int i = 0; i < rs->columnCount(); ++i) line += (i ? "\t" : "") + rs->columnName(i);
    if (rs->columnCount() > 0) printLine(line);
    while (!rs->pbEOF()) {
        line.clear();
        for (int i = 0; i < rs->columnCount(); ++i)
            line += (i ? "\t" : "") + cell(rs->fnGetVariant(i));
        printLine(line);
        if (!rs->fnMoveNext() && !rs->pbEOF()) return false;
    }
    return true;
}

std::string reasonOf(const data::CCCDBS_DataBase& db) {
    std::string reason = db.lastErrorText();
    return reason.empty() ? "the database gave no reason" : reason;
}

// The table a DROP TABLE statement names, as written; empty for any other statement.
std::string droppedTable(std::string_view statement) {
    std::istringstream words{std::string(statement)};
    std::string drop, table, name;
    words >> drop >> table >> name;
    if (data::columnNameKey(drop) != "drop" || data::columnNameKey(table) != "table") return {};
    if (data::columnNameKey(name) == "if") words >> name >> name;  // IF EXISTS name
    name.erase(std::remove_if(name.begin(), name.end(),
                              [](char c) { return c == '"' || c == '[' || c == ']' || c == '`'; }),
               name.end());
    return name;
}

// A DROP TABLE of one of the suite's tables, unless forced: the statement, else empty.
std::string unforcedDrop(const std::vector<std::string_view>& statements) {
    const std::vector<std::string> suite = data::schemaTableNames(data::embeddedSchemaSql());
    for (std::string_view statement : statements) {
        const std::string key = data::columnNameKey(droppedTable(statement));
        for (const std::string& table : suite) {
            if (!key.empty() && data::columnNameKey(table) == key) return std::string(statement);
        }
    }
    return {};
}

// One statement; false with the reason reported.
bool runStatement(data::CCCDBS_DataBase& db, std::string_view statement) {
    if (returnsRows(statement)) {
        if (printRows(db, statement)) return true;
        reportError("query failed: " + reasonOf(db));
        return false;
    }
    int32_t affected = 0;
    int16_t status = 0;
    if (!db.fnExecute(statement, affected, status)) {
        reportError("statement failed (" + std::to_string(status) + "): " + reasonOf(db));
        return false;
    }
    std::printf("%d rows affected\n", affected);
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
    const std::vector<std::string_view> statements = data::splitStatements(sql);
    if (std::string drop = unforcedDrop(statements); !options.force && !drop.empty()) {
        reportError("'" + drop + "' drops a table of the suite; give --force to run it");
        return kExitUsage;
    }

    data::CCCDBS_DataBase db;
    if (util::Status opened = openDatabase(options.database, false, db); !opened) {
        reportError(opened.failure().text());
        return kExitFailed;
    }
    // One transaction: a text that fails part-way leaves the database as it was.
    data::Transaction transaction(db);
    if (!transaction.begun()) {
        reportError("cannot begin a transaction: " + reasonOf(db));
        return kExitFailed;
    }
    for (std::string_view statement : statements) {
        if (!runStatement(db, statement)) return kExitFailed;
    }
    if (!transaction.commit()) {
        reportError("cannot commit: " + reasonOf(db));
        return kExitFailed;
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
    command->add_flag("--force", options->force, "allow DROP TABLE of the suite's tables");
    commands[command] = [options] { return runExec(*options); };
}

}  // namespace omrix::db_tool
