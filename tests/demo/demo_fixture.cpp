#include "demo/demo_fixture.h"

#include <sqlite3.h>

#include "context/app_context.h"
#include "data/core/schema.h"
#include "data/drivers/sql_text.h"

namespace omrix::testing {
namespace {

struct Connection {
    explicit Connection(const std::string& file) {
        sqlite3_open_v2(file.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr);
    }
    ~Connection() { sqlite3_close(handle); }
    sqlite3* handle = nullptr;
};

std::string cellText(sqlite3_stmt* statement, int column) {
    if (sqlite3_column_type(statement, column) == SQLITE_NULL) return "<null>";
    return reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
}

}  // namespace

DemoFile::DemoFile() {
    file_ = folder_.file("demo.sqlite");
    iniPath_ = folder_.file("OMRIX.INI");
    writeBytes(iniPath_, "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\n");
    // The data layer raises its backup flag in the INI file of the program.
    context::appContext().IniPath = iniPath_;
    if (util::Status made = data::createDatabaseFile(file_); !made) {
        error_ = made.failure().text();
        return;
    }
    db_ = std::make_shared<data::CCCDBS_DataBase>();
    if (!db_->fnOpenFromIni(iniPath_)) {
        error_ = "cannot open " + file_;
        return;
    }
    if (!data::createSchema(*db_, data::embeddedSchemaSql(), false)) error_ = "schema refused";
}

DemoFile::DemoFile(const demo::DemoOptions& options) : DemoFile() {
    if (!error_.empty()) return;
    util::Result<demo::DemoSummary> made = demo::createDemoDatabase(*db_, options);
    if (made)
        summary_ = *made;
    else
        error_ = made.failure().text();
}

DemoFile::~DemoFile() {
    auto& context = context::appContext();
    if (context.Database == db_) context::resetAppContext();
    if (db_) db_->fnClose();
}

std::shared_ptr<platform::RecordingSink> DemoFile::install() {
    context::resetAppContext();
    auto& context = context::appContext();
    context.IniPath = iniPath_;
    context.Database = db_;
    auto sink = std::make_shared<platform::RecordingSink>();
    context.Messages = sink;
    return sink;
}

std::vector<std::string> queryRows(const std::string& file, const std::string& sql) {
    std::vector<std::string> rows;
    // Names are written as the suite spells them; the file holds them folded.
    const std::string folded = data::foldSqlText(sql);
    Connection connection(file);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection.handle, folded.c_str(), -1, &statement, nullptr) !=
        SQLITE_OK) {
        rows.push_back("<error> " + sql);
        return rows;
    }
    while (sqlite3_step(statement) == SQLITE_ROW) {
        std::string line;
        for (int c = 0; c < sqlite3_column_count(statement); ++c) {
            if (c > 0) line += '\t';
            line += cellText(statement, c);
        }
        rows.push_back(std::move(line));
    }
    sqlite3_finalize(statement);
    return rows;
}

int64_t queryNumber(const std::string& file, const std::string& sql) {
    auto rows = queryRows(file, sql);
    if (rows.empty() || rows.front().starts_with("<")) return -1;
    return std::stoll(rows.front());
}

std::string dumpDatabase(const std::string& file) {
    std::string dump;
    for (const auto& table :
         queryRows(file, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name")) {
        dump += "== " + table + "\n";
        for (const auto& row : queryRows(file, "SELECT * FROM \"" + table + "\" ORDER BY rowid")) {
            dump += row + "\n";
        }
    }
    return dump;
}

}  // namespace omrix::testing
