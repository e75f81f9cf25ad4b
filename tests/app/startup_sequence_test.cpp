// Start-up against a real SQLite file: what it stores, and where and how it stops.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/startup_sequence.h"
#include "breakdown/edit_ucw.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "context/temp_folder.h"
#include "data/drevo_ext.h"
#include "data/sqlite_driver.h"
#include "data/table_database.h"
#include "platform/ini_write.h"

namespace omrix::app {

using namespace context;
namespace {

using platform::ShownMessage;
using platform::VBFILE_WriteINI;

class StartupSequence : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(tables.ok()) << tables.error();
        appContext().CommandLine = "-B:00000001 -H:01 -Q:テスト物件 -T:5";
        SetUpTables(tables);
    }

    // One breakdown of two lines for project 00000001-01, the environment, operator 5.
    static void SetUpTables(testing::TableDatabase& t) {
        t.exec(
            "INSERT INTO 内訳名称 (内訳名称ＩＤ, 内訳名称, 物件No, 版No) "
            "VALUES (9, '本工事', '00000001', '01');");
        t.exec(
            "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No, 名称１) "
            "VALUES (9, 1, 0, 0, 1, '見出し'), (9, 2, 1, 1, 1, '建築工事');");
        t.exec("INSERT INTO 環境Ｍ (ＬＯＣＫ作成トライ回数) VALUES (3);");
        t.exec("INSERT INTO 自社担当者Ｍ (自社担当者ＭＩＤ, 権限) VALUES (5, 3);");
    }

    void setTubo(const std::string& value) {
        tables.exec(
            "INSERT INTO 物件変数 (物件No, 変数名, 数量) VALUES ('00000000', 'TUBOKANSAN', " +
            value + ");");
    }

    // The numbers and first texts of what was shown, in order.
    static std::vector<std::pair<int32_t, std::string>> shownBy(testing::TableDatabase& t) {
        std::vector<std::pair<int32_t, std::string>> list;
        for (const ShownMessage& m : t.messages().messages())
            list.emplace_back(m.number, m.params[0]);
        return list;
    }
    std::vector<std::pair<int32_t, std::string>> shown() { return shownBy(tables); }

    testing::TableDatabase tables;
};

using Shown = std::vector<std::pair<int32_t, std::string>>;

TEST_F(StartupSequence, FillsTheContext) {
    setTubo("3.3058");
    ASSERT_EQ(runStartup(), StartupEnd::Started) << ::testing::PrintToString(shown());
    const AppContext& context = appContext();
    EXPECT_EQ(context.BukkenNo, "00000001");
    EXPECT_EQ(context.HanNo, "01");
    EXPECT_EQ(context.BukkenName, "テスト物件");
    EXPECT_EQ(context.UchiwakeNameID, 9);
    ASSERT_TRUE(context.UchiwakeRoot);
    EXPECT_EQ(context.UchiwakeRoot->prUchiwakeRec().内訳ＩＤ, 1);
    EXPECT_DOUBLE_EQ(context.TuboKansan, 3.306);
    EXPECT_EQ(context.Kengen, 3);
    EXPECT_EQ(context.Kankyo.ＬＯＣＫ作成トライ回数, 3);
    EXPECT_FALSE(context.BesshiExists);
    EXPECT_TRUE(shown().empty());

    // A line of a sheet printed apart is noticed.
    tables.exec(
        "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No) "
        "VALUES (9, 3, 144, 2, 1);");
    ASSERT_EQ(runStartup(), StartupEnd::Started) << ::testing::PrintToString(shown());
    EXPECT_TRUE(appContext().BesshiExists);
}

TEST_F(StartupSequence, TsuboFactorRoundsHalvesAwayFromZero) {
    for (auto [stored, expected] :
         {std::pair{"0.0005", 0.001}, std::pair{"-0.0005", -0.001}, std::pair{"0.30249", 0.302}}) {
        tables.exec("DELETE FROM 物件変数;");
        setTubo(stored);
        EXPECT_DOUBLE_EQ(fnGetTuboKansanRounded(*appContext().Database), expected) << stored;
    }
    tables.exec("DELETE FROM 物件変数;");
    ASSERT_EQ(runStartup(), StartupEnd::Started);
    EXPECT_EQ(appContext().TuboKansan, 0.0);
}

TEST_F(StartupSequence, OperatorWithoutRowOrWithoutTHasNoRights) {
    appContext().CommandLine = "-B:00000001 -H:01";
    ASSERT_EQ(runStartup(), StartupEnd::Started);
    EXPECT_EQ(appContext().TantoshaID, 0);
    EXPECT_EQ(appContext().Kengen, 0);
    appContext().CommandLine = "-B:00000001 -H:01 -T:77";
    ASSERT_EQ(runStartup(), StartupEnd::Started);
    EXPECT_EQ(appContext().Kengen, 0);
    EXPECT_TRUE(shown().empty());
}

// Each step that cannot go on stops the start-up with its own message; the steps
// before it have run.
TEST_F(StartupSequence, EachFailingStepStopsWithItsMessage) {
    struct Case {
        const char* what;
        const char* sql;  // run on the fixture's tables first
        const char* commandLine;
        StartupEnd end;
        Shown shown;
    };
    const Case cases[] = {
        {"no 内訳名称 for the project",
         "",
         "-B:00000002 -H:01",
         StartupEnd::UchiwakeName,
         {{3010, "内訳名称の取得"}}},
        {"two 内訳名称 rows",
         "INSERT INTO 内訳名称 (内訳名称ＩＤ, 物件No, 版No) VALUES (10, '00000001', '01');",
         "-B:00000001 -H:01",
         StartupEnd::UchiwakeName,
         {{3010, "内訳名称の取得"}}},
        {"a deleted second row no longer counts",
         "INSERT INTO 内訳名称 (内訳名称ＩＤ, 物件No, 版No, 削除区分) "
         "VALUES (10, '00000001', '01', '1');",
         "-B:00000001 -H:01",
         StartupEnd::Started,
         {}},
        {"a breakdown without lines",
         "DELETE FROM 内訳;",
         "-B:00000001 -H:01",
         StartupEnd::Breakdown,
         {{3010, "内訳の取得"}}},
        {"no live 環境Ｍ row",
         "UPDATE 環境Ｍ SET 削除区分 = '1';",
         "-B:00000001 -H:01",
         StartupEnd::Kankyo,
         {{3010, "環境Ｍの取得"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing::TableDatabase fresh;
        ASSERT_TRUE(fresh.ok()) << fresh.error();
        SetUpTables(fresh);
        if (*c.sql != '\0') fresh.exec(c.sql);
        appContext().CommandLine = c.commandLine;
        EXPECT_EQ(runStartup(), c.end);
        EXPECT_EQ(shownBy(fresh), c.shown);
        // The stop at 環境Ｍ is the last step: the breakdown was loaded before it.
        if (c.end == StartupEnd::Kankyo) {
            EXPECT_TRUE(appContext().UchiwakeRoot);
        }
    }
}

TEST_F(StartupSequence, BadDatabaseShows3010Then3005AndKeepsTheCause) {
    testing::TempFolder folder;
    const std::string ini = folder.file("OMRIX.INI");
    testing::writeBytes(folder.file("text.sqlite"), "not a database, just words\n");
    struct Case {
        const char* database;  // [DATABASE] lines
        std::string cause;     // the database's last error, or how it begins
        bool causeGoesOn = false;
    };
    // With the server driver the host is looked for and the driver's own reason follows.
    const bool withDriver = data::serverDriverAvailable();
    const Case cases[] = {
        {"SERVER_NAME=sqlite\nDB_NAME=text.sqlite\n",
         folder.file("text.sqlite") + " is not a database file"},
        {"SERVER_NAME=dbhost\nDB_NAME=omrix\n",
         withDriver ? "cannot log on to the server \"dbhost\" through the ODBC driver "
                      "\"PostgreSQL Unicode\": "
                    : "SERVER_NAME \"dbhost\" names a database server, and this build has no "
                      "server (ODBC) driver",
         withDriver},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.database);
        tables.messages().clear();
        testing::writeBytes(ini, std::string("[DATABASE]\n") + c.database);
        appContext().IniPath = ini;
        EXPECT_EQ(runStartup(), StartupEnd::Database);
        EXPECT_EQ(shown(),
                  (Shown{{3010, "ＤＢオブジェクトの取得"}, {3005, "データベース接続情報"}}));
        const auto& messages = tables.messages().messages();
        EXPECT_EQ(messages[0].params[2], "fnDREVOObj_GetDbObject");
        EXPECT_EQ(messages[1].params[1], "アプリケーションを起動できません。");
        ASSERT_TRUE(appContext().Database);
        std::string cause = appContext().Database->lastErrorText();
        EXPECT_EQ(c.causeGoesOn ? cause.substr(0, c.cause.size()) : cause, c.cause);
        if (c.causeGoesOn) {
            EXPECT_GT(cause.size(), c.cause.size());
        }
    }
    // A lock held past the busy timeout is named as such (waiting it out takes 30 s).
    EXPECT_EQ(data::SqliteDriver::openFailureText(ini, SQLITE_BUSY, "database is locked"),
              ini + " is locked by another program");
}

TEST_F(StartupSequence, IniFileThatCannotBeSettingsIsRefusedWithItsCause) {
    testing::TempFolder folder;
    testing::writeBytes(folder.file("big.INI"), std::string((1 << 20) + 1, ';'));
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/zero", "/dev/zero is larger than 1 MiB"},
        {folder.file("big.INI"), folder.file("big.INI") + " is larger than 1 MiB"},
        {folder.path().string(), folder.path().string() + " is a folder"},
    };
    for (const auto& [path, cause] : cases) {
        tables.messages().clear();
        appContext().IniPath = path;
        EXPECT_EQ(runStartup(), StartupEnd::IniFile);
        ASSERT_EQ(tables.messages().messages().size(), 1u);
        EXPECT_EQ(tables.messages().messages()[0].text,
                  "設定ファイル（OMRIX.INI）を読めません：" + cause);
    }
}

TEST_F(StartupSequence, BlankIniPathStopsFirst) {
    appContext().IniPath = "   ";
    EXPECT_EQ(runStartup(), StartupEnd::IniPath);
    EXPECT_EQ(shown(), (Shown{{3005, "Iniファイルパスの取得"}}));
    EXPECT_EQ(tables.messages().messages()[0].params[1], "アプリケーションを起動できません。");
}

TEST_F(StartupSequence, ExitWritesTheCompanyAndReleasesTheDatabase) {
    ASSERT_EQ(runStartup(), StartupEnd::Started);
    runExitSteps("株式会社 'A' ", CloseReason::SystemShutdown);
    EXPECT_FALSE(appContext().Database);
    EXPECT_EQ(fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME"), "株式会社 'A'");
    // The database lines of the file are kept.
    EXPECT_EQ(fnReadIniValue("DATABASE", "DB_NAME"), "tables.sqlite");
}

// The hand-off runs [KALVERON] MAIN_PROGRAM with the caller's window (key W), unless
// the system is closing the program; an empty key hands off to nothing.
TEST_F(StartupSequence, ExitHandsOffToTheMainProgram) {
    struct Case {
        const char* program;
        CloseReason reason;
        HandOff expected;
        bool ran;
    };
    const Case cases[] = {
        {"echo \"$OMRIX_CALLER_WINDOW\" > handed.txt", CloseReason::User, HandOff::Started, true},
        {"echo \"$OMRIX_CALLER_WINDOW\" > handed.txt", CloseReason::Code, HandOff::Started, true},
        {"echo \"$OMRIX_CALLER_WINDOW\" > handed.txt", CloseReason::SystemShutdown,
         HandOff::Skipped, false},
        {"echo \"$OMRIX_CALLER_WINDOW\" > handed.txt", CloseReason::TaskManager, HandOff::Skipped,
         false},
        {"   ", CloseReason::User, HandOff::NoProgram, false},
    };
    const std::filesystem::path folder = std::filesystem::path(tables.iniPath()).parent_path();
    const std::filesystem::path handed = folder / "handed.txt";
    appContext().CommandLine = "-B:00000001 -H:01 -W:4711";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.program);
        std::filesystem::remove(handed);
        const bool blank = std::string_view(c.program).find_first_not_of(' ') == std::string::npos;
        VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM",
                        blank ? c.program : "cd '" + folder.string() + "' && " + c.program, 0,
                        fnGetIniPath());
        EXPECT_EQ(runExitSteps("会社", c.reason), c.expected);
        // The main program is not waited for: give it a few seconds to leave its mark.
        for (int wait = 0; c.ran && wait < 100 && testing::readBytes(handed.string()).empty();
             ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_EQ(testing::readBytes(handed.string()), c.ran ? "4711\n" : "");
    }
    EXPECT_TRUE(tables.messages().messages().empty());
}

TEST_F(StartupSequence, FailedIniWriteAtExitIsReportedAndTheCloseGoesOn) {
    appContext().IniPath = "/nonexistent-folder/OMRIX.INI";
    runExitSteps("会社", CloseReason::User);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].first, 3024);
    EXPECT_FALSE(appContext().Database);
}

}  // namespace
}  // namespace omrix::app
