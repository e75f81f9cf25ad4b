// omrix-db demo as scripts run it: the built program, its exit statuses and messages.

#include <gtest/gtest.h>

#include <cstdlib>

#include "demo/demo_fixture.h"
#include "export/program_output.h"

namespace omrix::testing {
namespace {

TEST(DemoCommand, FillsOnceThroughTheIniFileAndReportsMisuse) {
    TempFolder folder;
    auto omrixDb = [&](const std::string& arguments) {
        return runProgram(std::string(OMRIX_DB_PROGRAM) + " " + arguments, folder.file("err.txt"));
    };
    const std::string ini = folder.file("OMRIX.INI");
    const std::string file = folder.file("demo.sqlite");
    writeBytes(ini, "[DATABASE]\r\nSERVER_NAME=SQLite\r\nDB_NAME=demo.sqlite\r\n");
    // Flags the data layer raises go to this INI file, not beside the program.
    setenv("OMRIX_INI", ini.c_str(), 1);
    ASSERT_EQ(omrixDb("init --ini " + ini + " --force").status, 0);

    ProgramRun made = omrixDb("demo --ini " + ini + " --lines 40 --seed 3");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("00000001"), std::string::npos) << made.out;
    EXPECT_NE(made.out.find("40 lines"), std::string::npos) << made.out;
    EXPECT_EQ(queryNumber(file, "SELECT Count(*) FROM 内訳 WHERE 削除区分 = '0'"), 40);

    ProgramRun again = omrixDb("demo --file " + file);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already"), std::string::npos) << again.err;
    EXPECT_EQ(omrixDb("demo --file " + file + " --lines 0").status, 2);
    EXPECT_EQ(omrixDb("demo --file " + file + " --lines many").status, 2);
    EXPECT_EQ(omrixDb("demo --file " + folder.file("missing.sqlite")).status, 1);
    unsetenv("OMRIX_INI");
}

}  // namespace
}  // namespace omrix::testing
