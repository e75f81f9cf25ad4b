#include "data/table_database.h"

#include <gtest/gtest.h>

#include <charconv>

#include "context/app_context.h"
#include "data/core/schema.h"
#include "data/test_server.h"

namespace omrix::testing {
namespace {

#ifdef OMRIX_TEST_ON_SERVER
constexpr bool kOnServer = true;
#else
constexpr bool kOnServer = false;
#endif

std::string variantText(const data::Variant& v) {
    if (data::isNull(v)) return "<null>";
    if (data::isEmpty(v)) return "<empty>";
    if (auto* i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (auto* d = std::get_if<double>(&v)) {
        char buffer[64];
        auto end = std::to_chars(buffer, buffer + sizeof buffer, *d).ptr;
        return std::string(buffer, end);
    }
    return std::get<std::string>(v);
}

}  // namespace

TableDatabase::TableDatabase(const std::string& extraIni) {
    file_ = folder_.file("tables.sqlite");
    iniPath_ = folder_.file("OMRIX.INI");
#ifdef OMRIX_TEST_ON_SERVER
    std::optional<TestServer> server = testServer();
    if (!server) {
        error_ = kNoTestServer;
        return;
    }
    databaseSection_ = server->databaseSection(key_.stored(server->password));
#else
    databaseSection_ = "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=tables.sqlite\n";
#endif
    writeBytes(iniPath_, databaseSection_ + extraIni);

    auto& context = context::appContext();
    context.IniPath = iniPath_;
    context.TantoshaName = "tester";
    sink_ = std::make_shared<platform::RecordingSink>();
    context.Messages = sink_;

#ifndef OMRIX_TEST_ON_SERVER
    if (util::Status made = data::createDatabaseFile(file_); !made) {
        error_ = made.failure().text();
        return;
    }
#endif
    db_ = connect();
    if (!db_) {
        error_ = "cannot open " + file_ + " through " + iniPath_;
        return;
    }
    // The schema the library was built with; the server's tables of the last test go.
    if (!data::createSchema(*db_, data::embeddedSchemaSql(), kOnServer)) {
        error_ = "schema refused: " + db_->lastErrorText();
        return;
    }
    context.Database = db_;
}

TableDatabase::~TableDatabase() {
    if (db_) db_->fnClose();
}

std::shared_ptr<data::CCCDBS_DataBase> TableDatabase::connect() const {
    auto db = std::make_shared<data::CCCDBS_DataBase>();
    if (!db->fnOpenFromIni(iniPath_)) return nullptr;
    // A test file need not survive a power cut; waiting for the disk only slows the tests.
    if (!kOnServer && !db->fnExecute("PRAGMA synchronous = OFF;")) return nullptr;
    return db;
}

void TableDatabase::exec(std::string_view sql) {
    EXPECT_TRUE(db_->fnExecute(sql)) << sql;
}

std::string TableDatabase::value(std::string_view sql) {
    auto rs = db_->fnOpenRecordSet(sql);
    if (!rs) return "<error>";
    if (rs->pbEOF()) return "<none>";
    return variantText(rs->fnGetVariant(0));
}

int64_t TableDatabase::count(std::string_view tableAndCondition) {
    std::string text = value("Select Count(*) From " + std::string(tableAndCondition));
    int64_t n = -1;
    std::from_chars(text.data(), text.data() + text.size(), n);
    return n;
}

void TableDatabase::refuse(std::string_view action, std::string_view table) {
    std::string on = std::string(action) + " On " + std::string(table);
    if (kOnServer) {
        exec(
            "Create Or Replace Function omrix_refuse() Returns trigger Language plpgsql As "
            "'Begin Raise Exception ''no''; End';"
            "Create Trigger refuse Before " +
            on + " For Each Row Execute Function omrix_refuse();");
    } else {
        exec("Create Trigger refuse Before " + on + " Begin Select Raise(Abort, 'no'); End;");
    }
}

void TableDatabase::stopRefusing(std::string_view table) {
    exec(kOnServer ? "Drop Trigger refuse On " + std::string(table) + ";"
                   : std::string("Drop Trigger refuse;"));
}

}  // namespace omrix::testing
