// The same demo, made and exported once on SQLite and once on the PostgreSQL server of
// scripts/with-test-server (logged on through an enciphered password), must give the
// same print rows and the same documents.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>

#include "context/temp_folder.h"
#include "data/test_server.h"
#include "export/program_output.h"
#include "platform/password_key.h"

namespace omrix::apps {
namespace {

constexpr const char* kDocuments[] = {"uchiwake", "youkou", "gaiyou", "daika"};
constexpr int kAuditColumns = 5;

using testing::capture;
const auto quoted = testing::shellQuoted;

// A number cell in one form whatever the engine's ("0" or "0.0000"); the audit
// columns (times of writing) left out; column names in one case.
std::string comparable(const std::string& rows) {
    std::istringstream in(rows);
    std::string out, line;
    bool header = true;
    while (std::getline(in, line)) {
        std::istringstream cells(line);
        std::string cell;
        for (int column = 0; std::getline(cells, cell, '\t'); ++column) {
            if (column < kAuditColumns) continue;
            char* end = nullptr;
            double number = std::strtod(cell.c_str(), &end);
            if (!header && !cell.empty() && end == cell.c_str() + cell.size()) {
                char text[64];
                std::snprintf(text, sizeof text, "%.4f", number);
                cell = text;
            }
            for (char& c : cell) c = header && c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
            out += cell + "\t";
        }
        out += "\n";
        header = false;
    }
    return out;
}

struct Site {
    std::string ini, docs;
};

class ServerExport : public ::testing::Test {
  protected:
    void SetUp() override {
        server = testing::testServer();
        ASSERT_TRUE(server);
        ASSERT_TRUE(key.ready());
        embedded = site("sqlite", "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\n");
        onServer = site("server", server->databaseSection(key.stored(server->password)));
    }

    Site site(const std::string& name, const std::string& database) {
        std::filesystem::create_directories(folder.file(name));
        Site s{folder.file(name + "/OMRIX.INI"), folder.file(name + "/docs")};
        testing::writeBytes(s.ini, database +
                                       "[KALVERON]\nTANTOSHA=demo\n"
                                       "PRINTCOMAPNYNAME=株式会社オムリクス建設\n");
        return s;
    }

    std::string tool(const std::string& program, const std::string& arguments, int& status,
                     const std::string& input = "") {
        std::string command = quoted(program) + " " + arguments + " 2>&1";
        if (!input.empty()) command = "echo " + quoted(input) + " | " + command;
        return capture(command, status);
    }

    void makeDemo(const Site& s) {
        int status = -1;
        std::string log = tool(OMRIX_DB_PROGRAM, "init --force --ini " + quoted(s.ini), status);
        ASSERT_EQ(status, 0) << log;
        log = tool(OMRIX_DB_PROGRAM, "demo --lines 300 --ini " + quoted(s.ini), status);
        ASSERT_EQ(status, 0) << log;
    }

    std::string exportAll(const Site& s, int& status) {
        return tool(OMRIX_PRINT_EXPORT,
                    "--ini " + quoted(s.ini) + " --bukken 00000001 --han 01 --out " +
                        quoted(s.docs) + " --outputs uchiwake,youkou,gaiyou,daika",
                    status);
    }

    std::string printRows(const Site& s) {
        int status = -1;
        std::string rows = tool(OMRIX_DB_PROGRAM, "exec --ini " + quoted(s.ini), status,
                                "Select * From 内訳出力 Order By 内訳名称ＩＤ, 内訳出力ＩＤ;");
        EXPECT_EQ(status, 0) << rows;
        return comparable(rows);
    }

    std::optional<testing::TestServer> server;
    testing::PasswordKey key;
    testing::TempFolder folder;
    Site embedded, onServer;
};

TEST_F(ServerExport, SameRowsAndDocumentsAsOnTheEmbeddedDatabase) {
    for (const Site* s : {&embedded, &onServer}) {
        makeDemo(*s);
        int status = -1;
        std::string log = exportAll(*s, status);
        ASSERT_EQ(status, 0) << log;
    }
    std::string rows = printRows(embedded);
    EXPECT_GT(std::count(rows.begin(), rows.end(), '\n'), 300);
    EXPECT_EQ(printRows(onServer), rows);
    for (const char* document : kDocuments) {
        const std::string pdf = std::string("/") + document + ".pdf";
        const std::string text = testing::pdfText(embedded.docs + pdf);
        EXPECT_FALSE(text.empty()) << document;
        EXPECT_EQ(testing::pdfText(onServer.docs + pdf), text) << document;
    }
}

TEST_F(ServerExport, WrongPasswordEndsStartUpWithNothingWritten) {
    makeDemo(onServer);
    int status = -1;
    std::string rowsBefore = printRows(onServer);
    testing::writeBytes(onServer.ini, server->databaseSection(key.stored("not-the-password")));
    std::string log = exportAll(onServer, status);
    EXPECT_EQ(status, 1) << log;
    EXPECT_NE(log.find("3010"), std::string::npos) << log;
    EXPECT_NE(log.find("3005"), std::string::npos) << log;
    EXPECT_EQ(log.find("not-the-password"), std::string::npos) << log;
    EXPECT_FALSE(std::filesystem::exists(onServer.docs + "/uchiwake.pdf"));

    testing::writeBytes(onServer.ini, server->databaseSection(key.stored(server->password)));
    EXPECT_EQ(printRows(onServer), rowsBefore);
}

}  // namespace
}  // namespace omrix::apps
