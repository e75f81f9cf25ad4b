// The export program's start: options, usage errors and what it finds in its INI file.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "startup/temp_folder.h"

namespace omrix::startup {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string output;  // standard output and standard error together
};

Result runExport(const std::string& arguments, const std::string& environment = "") {
    std::string command =
        environment + " '" + std::string(OMRIX_PRINT_EXPORT) + "' " + arguments + " 2>&1";
    Result result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return result;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) result.output.append(buffer, n);
    int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class PrintExport : public ::testing::Test {
  protected:
    void SetUp() override {
        ini = folder.file("OMRIX.INI");
        testing::writeBytes(
            ini,
            "[DATABASE]\r\nSERVER_NAME=SQLite\r\nDB_NAME=demo.sqlite\r\n"
            "USER_NAME=sa\r\nPASSWORD=0badc0ffee\r\n"
            "[KALVERON]\r\nTANTOSHA=  山田  \r\nPRINTCOMAPNYNAME=株式会社オムリクス\r\n");
    }
    std::string common() const { return "--bukken 00000001 --han 01 --ini '" + ini + "'"; }

    testing::TempFolder folder;
    std::string ini;
};

TEST_F(PrintExport, UsageErrorsExitWith2) {
    for (const std::string& arguments :
         {std::string("--han 01"), common() + " --outputs uchiwake,invoice",
          common() + " --outputs ''", common() + " --levels 12,x", common() + " --levels 0",
          common() + " --sheets some", common() + " --operator abc", common() + " --bogus"}) {
        Result result = runExport(arguments);
        EXPECT_EQ(result.status, 2) << arguments << "\n" << result.output;
    }
    EXPECT_EQ(runExport("--help").status, 0);
}

TEST_F(PrintExport, ReportsWhatItFoundAndNeverThePassword) {
    std::string out = folder.file("docs/today");
    Result result = runExport(common() + " --operator 7 --outputs daika,uchiwake,daika --out '" +
                              out + "' --levels 3,5 --sheets only --ditto");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(holds(result.output, "project 00000001 version 01, operator 7"));
    EXPECT_TRUE(holds(result.output, "file " + folder.file("demo.sqlite")));
    EXPECT_TRUE(holds(result.output, "(TANTOSHA): 山田\n"));
    EXPECT_TRUE(holds(result.output, "株式会社オムリクス"));
    EXPECT_TRUE(holds(result.output, out + "/uchiwake.pdf"));
    EXPECT_TRUE(holds(result.output, out + "/daika.pdf"));
    EXPECT_FALSE(holds(result.output, "youkou.pdf"));
    // The run's order, not the list's.
    EXPECT_LT(result.output.find("uchiwake.pdf"), result.output.find("daika.pdf"));
    EXPECT_FALSE(holds(result.output, "0badc0ffee"));
    EXPECT_TRUE(fs::is_directory(out));
}

TEST_F(PrintExport, OptionsOverrideTheIniAndTheEnvironment) {
    Result result =
        runExport(common() + " --company 'Other Co' --out '" + folder.path().string() + "'",
                  "OMRIX_INI=/nonexistent/OMRIX.INI");
    ASSERT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(holds(result.output, "Other Co"));
    EXPECT_FALSE(holds(result.output, "株式会社オムリクス"));
    EXPECT_TRUE(holds(result.output, "INI file: " + ini));

    // Without --ini the environment names the file; a missing one reads as defaults.
    result = runExport("--bukken 1 --han 2 --out '" + folder.path().string() + "'",
                       "OMRIX_INI='" + folder.file("missing.ini") + "'");
    EXPECT_EQ(result.status, 0) << result.output;
    EXPECT_TRUE(holds(result.output, "not found"));
    EXPECT_TRUE(holds(result.output, "server '', database ''"));
}

TEST_F(PrintExport, UnusableOutputFolderStopsTheRun) {
    testing::writeBytes(folder.file("plain"), "x");
    Result result = runExport(common() + " --out '" + folder.file("plain/sub") + "'");
    EXPECT_EQ(result.status, 1) << result.output;
}

}  // namespace
}  // namespace omrix::startup
