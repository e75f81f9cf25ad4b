// omrix-db as scripts run it: the built program, its exit status and its output.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "context/temp_folder.h"
#include "data/core/database.h"
#include "export/program_output.h"
#include "platform/password.h"
#include "platform/password_key.h"

namespace omrix::data {
namespace {

using ToolRun = testing::ProgramRun;

class OmrixDb : public ::testing::Test {
  protected:
    ToolRun run(const std::string& arguments, const std::string& input = "") {
        testing::writeBytes(folder_.file("in.txt"), input);
        return testing::runProgram("cd '" + folder_.path().string() + "' && env OMRIX_INI='" +
                                       folder_.file("OMRIX.INI") + "' '" + OMRIX_DB_PROGRAM + "' " +
                                       arguments + " < in.txt",
                                   folder_.file("err.txt"));
    }

    testing::TempFolder folder_;
};

TEST_F(OmrixDb, InitExecUsageErrorsAndPasswords) {
    ToolRun init = run("init --file db.sqlite");
    ASSERT_EQ(init.status, 0) << init.err;
    ToolRun result =
        run("exec --file db.sqlite",
            "Insert Into 物件変数 (物件変数ＩＤ, 変数名, 名称) Values (1, 'A', 'x\ty');\n"
            "Insert Into 物件変数 (物件変数ＩＤ, 変数名, 名称) Values (2, 'B', NULL);\n"
            "Update 物件変数 Set 数量 = 2.5;\n"
            "-- a comment; with a semicolon\n"
            "Select 物件変数ＩＤ, 変数名, 名称, 数量 From 物件変数 Order By 1;");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.out,
              "1 rows affected\n1 rows affected\n2 rows affected\n"
              "物件変数ID\t変数名\t名称\t数量\n1\tA\tx\\ty\t2.5\n2\tB\tNULL\t2.5\n");
    // The tables are made once, unless forced.
    EXPECT_EQ(run("init --file db.sqlite").status, 1);
    EXPECT_EQ(run("exec --file db.sqlite", "Select Count(*) As n From 物件変数").out, "n\n2\n");
    ASSERT_EQ(run("init --force --file db.sqlite").status, 0);
    EXPECT_EQ(run("exec --file db.sqlite", "Select Count(*) As n From 物件変数").out, "n\n0\n");

    ToolRun bad =
        run("exec --file db.sqlite", "Select * From 内訳; Update nowhere Set a = 1; Select 1");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("no such table"), std::string::npos) << bad.err;
    // Scripts that cannot be read whole are refused before anything runs.
    ToolRun refused = run("exec --file db.sqlite /dev/zero");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("/dev/zero is larger than 64 MiB"), std::string::npos);
    // Usage errors exit with 2; encrypt-password makes its key file when there is none.
    ToolRun unknown = run("frobnicate");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown sub-command 'frobnicate'"), std::string::npos)
        << unknown.err;
    for (const char* usage : {"", "init --file ''", "exec --ini ''", "init --ini a --file b"})
        EXPECT_EQ(run(usage).status, 2) << usage;
    // The tool makes the key file it enciphers with when there is none yet.
    testing::PasswordKey key;
    std::filesystem::remove(key.file());
    auto deciphered = [](const ToolRun& run) {
        auto plain = platform::decodeStoredPassword(run.out.substr(0, run.out.find('\n')));
        return plain ? plain.value() : std::string();
    };
    EXPECT_EQ(deciphered(run("encrypt-password", "パス word\n")), "パス word");
    EXPECT_EQ(deciphered(run("encrypt-password", "from input\r\n")), "from input");
    // Never from the command line, where every user sees it in the process list.
    ToolRun shown = run("encrypt-password secret");
    EXPECT_EQ(shown.status, 2);
    EXPECT_EQ(shown.out, "");
    EXPECT_NE(shown.err.find("standard input only"), std::string::npos) << shown.err;
    // A standard output that refuses what is printed is a failure, not a silent loss.
    for (const char* command :
         {"encrypt-password >/dev/full", "exec --file db.sqlite >/dev/full"}) {
        ToolRun full = run(command, "select 1;");
        EXPECT_EQ(full.status, 1) << command;
        EXPECT_EQ(full.err,
                  "omrix-db: standard output cannot be written: no space left on the device\n")
            << command;
    }
    // A key file that cannot be made, or is a folder, is the tool's failure with the file
    // named, never an abort.
    const std::string keyFolder = folder_.file("keys");
    std::filesystem::create_directories(keyFolder);
    for (const std::string& keyFile : {std::string("/proc/omrix/secret.key"), keyFolder}) {
        ::setenv("OMRIX_KEY_FILE", keyFile.c_str(), 1);
        ToolRun noKey = run("encrypt-password", "pw\n");
        EXPECT_EQ(noKey.status, 1) << keyFile;
        EXPECT_NE(noKey.err.find(keyFile), std::string::npos) << noKey.err;
        EXPECT_EQ(std::count(noKey.err.begin(), noKey.err.end(), '\n'), 1) << noKey.err;
    }
}

// exec runs its text as one transaction and tells why a statement failed; init and
// demo on a file named by --file leave every INI file alone; demo's own refusals.
TEST_F(OmrixDb, ExecIsOneTransactionAndFileCommandsLeaveTheIniAlone) {
    ASSERT_EQ(run("init --file db.sqlite").status, 0);
    ASSERT_EQ(run("exec --file db.sqlite", "insert into 物件変数 (物件変数ＩＤ) values (1)").status,
              0);
    const std::string count = "select count(*) as n from 物件変数";
    const struct {
        const char *sql, *out, *err;
        int status;
    } cases[] = {
        // The delete is rolled back with the failing update.
        {"delete from 物件変数; update 内訳 set 存在しない列 = 0", "1 rows affected\n",
         "no such column: 存在しない列", 1},
        {"pragma user_version = 7; pragma user_version", "user_version\n7\n", "", 0},
        {"select load_extension('nowhere')", "", "query failed: not authorized", 1},
        {"select 'a' || char(0) || 'b' as t", "t\na\\0b\n", "", 0},
        {"drop table if exists [物件変数]", "", "give --force to run it", 2},
    };
    for (const auto& c : cases) {
        ToolRun result = run("exec --file db.sqlite", c.sql);
        EXPECT_EQ(result.status, c.status) << c.sql << "\n" << result.err;
        EXPECT_EQ(result.out, c.out) << c.sql;
        EXPECT_NE(result.err.find(c.err), std::string::npos) << result.err;
        EXPECT_EQ(run("exec --file db.sqlite", count).out, "n\n1\n") << c.sql;
    }
    EXPECT_EQ(run("exec --force --file db.sqlite", "drop table 物件変数").status, 0);

    // An INI the search would find stays as it was; none found is no message either.
    const std::string ini = "[KALVERON]\nBackupFlag=0\n";
    testing::writeBytes(folder_.file("OMRIX.INI"), ini);
    ToolRun demo = run("init --force --file db.sqlite && '" + std::string(OMRIX_DB_PROGRAM) +
                       "' demo --file db.sqlite --lines 20");
    EXPECT_EQ(demo.status, 0) << demo.err;
    EXPECT_EQ(demo.err, "");
    EXPECT_EQ(testing::readBytes(folder_.file("OMRIX.INI")), ini);
    std::filesystem::remove(folder_.file("OMRIX.INI"));
    demo = run("init --force --file db.sqlite && '" + std::string(OMRIX_DB_PROGRAM) +
               "' demo --file db.sqlite --lines 20 --seed 3");
    EXPECT_EQ(demo.err, "");
    // The demo names its project and lines, and fills a database once.
    EXPECT_NE(demo.out.find("00000001"), std::string::npos) << demo.out;
    EXPECT_NE(demo.out.find("20 lines"), std::string::npos) << demo.out;
    EXPECT_EQ(run("exec --file db.sqlite", "select count(*) as n from 内訳 where 削除区分 = '0'").out,
              "n\n20\n");
    ToolRun again = run("demo --file db.sqlite");
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.err.find("already"), std::string::npos) << again.err;
    EXPECT_EQ(run("demo --file missing.sqlite").status, 1);

    ToolRun missing = run("init --file /missing/dir/x.sqlite");
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/missing/dir/x.sqlite"), std::string::npos) << missing.err;
    // The INI file read as the export reads it: a pipe is refused at once, never waited
    // on, and more than 1 MiB is refused.
    const std::string pipe = folder_.file("PIPE.INI"), big = folder_.file("BIG.INI");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    testing::writeBytes(big, std::string((1 << 20) + 1, '\n'));
    for (const auto& [ini, reason] : {std::pair{pipe, pipe + " is not a regular file"},
                                      std::pair{big, big + " is larger than 1 MiB"}}) {
        ToolRun refused = run("exec --ini '" + ini + "'", "select 1");
        EXPECT_EQ(refused.status, 1) << ini;
        EXPECT_EQ(refused.err, "omrix-db: " + reason + "\n");
    }
    for (const char* usage :
         {"--bukken 12345678901234567", "--bukken \"00'01\"", "--lines 0", "--lines many"})
        EXPECT_EQ(run("demo --file db.sqlite " + std::string(usage)).status, 2) << usage;
}

}  // namespace
}  // namespace omrix::data
