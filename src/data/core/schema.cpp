#include "data/core/schema.h"

#include "data/drivers/sql_text.h"
#include "data/drivers/sqlite_driver.h"

namespace omrix::data {
namespace {

std::string_view skipBlanks(std::string_view s) {
    while (!s.empty() &&
           (s.front() == ' ' || s.front() == '\t' || s.front() == '\r' || s.front() == '\n'))
        s.remove_prefix(1);
    return s;
}

// Removes `word` (any case) from the front; false when it is not there.
bool takeWord(std::string_view& s, std::string_view word) {
    s = skipBlanks(s);
    if (s.size() < word.size() || leadingKeyword(s.substr(0, word.size() + 1)) != word)
        return false;
    s.remove_prefix(word.size());
    return true;
}

}  // namespace

util::Status createDatabaseFile(const std::string& path) {
    return SqliteDriver::createFile(path);
}

std::vector<std::string> schemaTableNames(std::string_view schemaSql) {
    std::vector<std::string> names;
    for (std::string_view statement : splitStatements(schemaSql)) {
        // Comments before the statement belong to it after the split.
        while (true) {
            statement = skipBlanks(statement);
            const SqlSpan* span = sqlSpanAt(statement, 0);
            if (span == nullptr || !span->isComment()) break;
            size_t end = sqlSpanEnd(statement, 0, *span);
            statement = end == std::string_view::npos ? std::string_view() : statement.substr(end);
        }
        std::string_view rest = statement;
        if (!takeWord(rest, "CREATE") || !takeWord(rest, "TABLE")) continue;
        std::string_view probe = rest;
        if (takeWord(probe, "IF") && takeWord(probe, "NOT") && takeWord(probe, "EXISTS"))
            rest = probe;
        rest = skipBlanks(rest);
        size_t end = rest.find_first_of(" \t\r\n(");
        names.emplace_back(rest.substr(0, end));
    }
    return names;
}

bool schemaExists(CCCDBS_DataBase& db, std::string_view schemaSql) {
    for (const std::string& table : schemaTableNames(schemaSql)) {
        if (db.fnOpenRecordSet("Select 1 From " + table + " Where 1 = 0")) return true;
    }
    return false;
}

bool createSchema(CCCDBS_DataBase& db, std::string_view schemaSql, bool replace) {
    Transaction transaction(db);
    if (!transaction.begun()) return false;
    if (replace) {
        for (const std::string& table : schemaTableNames(schemaSql)) {
            if (!db.fnExecute("DROP TABLE IF EXISTS " + table)) return false;
        }
    }
    return db.fnExecute(db.schemaText(schemaSql)) && transaction.commit();
}

}  // namespace omrix::data
