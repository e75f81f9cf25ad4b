// omrix-db demo as scripts run it: the built program, its exit statuses and messages.

#include <gtest/gtest.h>

#include <cstdlib>

#include "demo/demo_fixture.h"
#include "export/program_output.h"

namespace omrix::testing {
namespace {

ProgramRun omrixDb(const TempFolder& folder, const std::string& arguments) {
    return runProgram(std::string(OMRIX_DB_PROGRAM) + " " + arguments, folder.file("err.txt"));
}

TEST(DemoCommand, FillsOnceAndReportsMisuse) {
    TempFolder folder;
    const std::string file = folder.file("d.sqlite");
    // Flags the data layer raises go to this INI file, not beside the program.
    writeBytes(folder.file("OMRIX.INI"), "");
    setenv("OMRIX_INI", folder.file("OMRIX.INI").c_str(), 1);
    ASSERT_EQ(omrixDb(folder, "init --file " + file).status, 0);

    ProgramRun made = omrixDb(folder, "demo --file " + file + " --lines 40 --seed 3");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_NE(made.out.find("00000001"), std::string::npos) << made.out;
    EXPECT_NE(made.out.find("40 lines"), std::string::npos) << made.out;
    EXPECT_EQ(queryNumber(file, "SELECT Count(*) FROM 内訳 WHERE 削除区分 = '0'"), 40);

    ProgramRun again = omrixDb(folder, "demo --file " + file);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already"), std::string::npos) << again.err;

    EXPECT_EQ(omrixDb(folder, "demo --file " + file + " --lines 0").status, 2);
    EXPECT_EQ(omrixDb(folder, "demo --file " + file + " --lines many").status, 2);
    EXPECT_EQ(omrixDb(folder, "demo --file " + folder.file("missing.sqlite")).status, 1);
    unsetenv("OMRIX_INI");
}

TEST(DemoCommand, FindsTheDatabaseThroughTheIniFile) {
    TempFolder folder;
    const std::string ini = folder.file("OMRIX.INI");
    writeBytes(ini, "[DATABASE]\r\nSERVER_NAME=SQLite\r\nDB_NAME=demo.sqlite\r\n");
    ASSERT_EQ(omrixDb(folder, "init --ini " + ini + " --force").status, 0);
    ProgramRun made = omrixDb(folder, "demo --ini " + ini + " --seed 5");
    EXPECT_EQ(made.status, 0) << made.err;
    EXPECT_EQ(
        queryNumber(folder.file("demo.sqlite"), "SELECT Count(*) FROM 内訳 WHERE 削除区分 = '0'"),
        demo::kDemoDefaultLines);
}

}  // namespace
}  // namespace omrix::testing
