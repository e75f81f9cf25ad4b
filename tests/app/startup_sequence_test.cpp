// Start-up against a real SQLite file: what it stores, and where and how it stops.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/breakdown_load.h"
#include "app/startup_sequence.h"
#include "breakdown/tree/edit_ucw.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "context/temp_folder.h"
#include "data/core/drevo_ext.h"
#include "data/table_database.h"
#include "platform/ini_write.h"

namespace omrix::app {

using namespace context;
namespace {

using Shown = std::vector<std::pair<int32_t, std::string>>;

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
            "VALUES (9, '本工事', '00000001', '01');"
            "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No, 名称１) "
            "VALUES (9, 1, 0, 0, 1, '見出し'), (9, 2, 1, 1, 1, '建築工事');"
            "INSERT INTO 環境Ｍ (ＬＯＣＫ作成トライ回数) VALUES (3);"
            "INSERT INTO 自社担当者Ｍ (自社担当者ＭＩＤ, 権限) VALUES (5, 3);");
    }

    void setTubo(const std::string& value) {
        tables.exec("DELETE FROM 物件変数;");
        tables.exec(
            "INSERT INTO 物件変数 (物件No, 変数名, 数量) VALUES ('00000000', 'TUBOKANSAN', " +
            value + ");");
    }
    // The numbers and first texts of what was shown, in order.
    static Shown shownBy(testing::TableDatabase& t) {
        Shown list;
        for (const platform::ShownMessage& m : t.messages().messages())
            list.emplace_back(m.number, m.params[0]);
        return list;
    }
    Shown shown() { return shownBy(tables); }

    testing::TableDatabase tables;
};

TEST_F(StartupSequence, FillsTheContext) {
    setTubo("3.3058");
    ASSERT_EQ(runStartup(), StartupEnd::Started) << ::testing::PrintToString(shown());
    const AppContext& context = appContext();
    EXPECT_EQ(context.BukkenName, "テスト物件");  // the keys themselves: the command-line test
    EXPECT_EQ(context.UchiwakeNameID, 9);
    ASSERT_TRUE(context.UchiwakeRoot);
    EXPECT_EQ(context.UchiwakeRoot->prUchiwakeRec().内訳ＩＤ, 1);
    EXPECT_DOUBLE_EQ(context.TuboKansan, 3.306);
    EXPECT_EQ(context.Kengen, 3);
    EXPECT_EQ(context.Kankyo.ＬＯＣＫ作成トライ回数, 3);
    EXPECT_FALSE(context.BesshiExists);
    // A line of a sheet printed apart is noticed; an operator without a row has no rights.
    tables.exec(
        "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No) "
        "VALUES (9, 3, 144, 2, 1);");
    appContext().CommandLine = "-B:00000001 -H:01 -T:77";
    ASSERT_EQ(runStartup(), StartupEnd::Started) << ::testing::PrintToString(shown());
    EXPECT_TRUE(appContext().BesshiExists);
    EXPECT_EQ(appContext().Kengen, 0);
    EXPECT_TRUE(shown().empty());
}

// Start-up as the desktop program runs it, the whole breakdown loaded behind the window
// and finished as the window finishes it: where start-up would have ended.
StartupEnd runWithLoadBehind() {
    std::unique_ptr<BreakdownLoad> load;
    const StartupEnd end = runStartup(&load);
    if (end == StartupEnd::Started && load && !finishBreakdownLoad(*load))
        return StartupEnd::Breakdown;
    return end;
}

// Each failing step stops the start-up with its own message, after the steps before it,
// whether the breakdown loads before the window or behind it: the user reads the same.
TEST_F(StartupSequence, EachFailingStepStopsWithItsMessage) {
    // A line item whose amount is no number: the whole load refuses it, the outline
    // (headings only) does not.
    constexpr const char* kBadItem =
        "INSERT INTO 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 種別フラグ, 親内訳ＩＤ, 表示No, 見積１単価) "
        "VALUES (9, 3, 8, 2, 1, 'abc');";
    const std::string badItemAndKankyo =
        std::string(kBadItem) + "UPDATE 環境Ｍ SET 削除区分 = '1';";
    const struct {
        std::string sql;  // run on the fixture's tables first
        StartupEnd end;
        Shown shown;  // numbers and first texts; 0 for a plain message box
    } cases[] = {
        {"INSERT INTO 内訳名称 (内訳名称ＩＤ, 物件No, 版No) VALUES (10, '00000001', '01');",
         StartupEnd::UchiwakeName,
         {{3010, "内訳名称の取得"}}},
        // A deleted second row no longer counts.
        {"INSERT INTO 内訳名称 (内訳名称ＩＤ, 物件No, 版No, 削除区分) "
         "VALUES (10, '00000001', '01', '1');",
         StartupEnd::Started,
         {}},
        {"DELETE FROM 内訳;", StartupEnd::Breakdown, {{3010, "内訳の取得"}}},
        {"UPDATE 環境Ｍ SET 削除区分 = '1';", StartupEnd::Kankyo, {{3010, "環境Ｍの取得"}}},
        {kBadItem, StartupEnd::Breakdown, {{0, ""}, {3010, "内訳の取得"}}},
        // The breakdown fails first: 環境Ｍ is never read.
        {badItemAndKankyo, StartupEnd::Breakdown, {{0, ""}, {3010, "内訳の取得"}}},
        // The operator's rights cannot be read: a message, and start-up goes on ...
        {"ALTER TABLE 自社担当者Ｍ RENAME TO 自社担当者Ｍ_退避;",
         StartupEnd::Started,
         {{3010, "自社担当者情報Ｍの読み込み"}}},
        // ... unless the breakdown (its 代価表 unreadable) failed before.
        {"ALTER TABLE 自社担当者Ｍ RENAME TO 自社担当者Ｍ_退避;"
         "ALTER TABLE 代価表 RENAME TO 代価表_退避;",
         StartupEnd::Breakdown,
         {{3010, "内訳の取得"}}},
    };
    for (const auto& c : cases) {
        for (bool behind : {false, true}) {
            SCOPED_TRACE(c.sql + (behind ? " (loaded behind)" : ""));
            testing::TableDatabase fresh;
            ASSERT_TRUE(fresh.ok()) << fresh.error();
            SetUpTables(fresh);
            fresh.exec(c.sql);
            appContext().CommandLine = "-B:00000001 -H:01 -T:5";
            EXPECT_EQ(behind ? runWithLoadBehind() : runStartup(), c.end);
            EXPECT_EQ(shownBy(fresh), c.shown);
            // The stop at 環境Ｍ is the last step: the breakdown was loaded before it.
            EXPECT_EQ(appContext().UchiwakeRoot != nullptr,
                      c.end == StartupEnd::Kankyo || c.end == StartupEnd::Started);
        }
    }
}

// A server name: with the driver its own reason follows; without, the build says so.
TEST_F(StartupSequence, BadSettingsOrDatabaseStopWithTheirCause) {
    testing::TempFolder folder;
    const std::string ini = folder.file("OMRIX.INI");
    testing::writeBytes(ini, "[DATABASE]\nSERVER_NAME=dbhost\nDB_NAME=omrix\n");
    appContext().IniPath = ini;
    EXPECT_EQ(runStartup(), StartupEnd::Database);
    EXPECT_EQ(shown(), (Shown{{3010, "ＤＢオブジェクトの取得"}, {3005, "データベース接続情報"}}));
    ASSERT_TRUE(appContext().Database);
    const std::string cause = appContext().Database->lastErrorText();
    // The driver's own reason follows its part; the other message is whole.
    const bool driver = data::serverDriverAvailable();
    const std::string expected =
        driver ? "cannot log on to the server \"dbhost\" through the ODBC driver "
                 "\"PostgreSQL Unicode\": "
               : "SERVER_NAME \"dbhost\" names a database server, and this build has no "
                 "server (ODBC) driver";
    EXPECT_EQ(cause.substr(0, expected.size()), expected);
    EXPECT_EQ(cause.size() > expected.size(), driver);
    // An INI path or file that cannot be settings stops first.
    const std::pair<std::string, std::string> cases[] = {
        {"/dev/zero", "/dev/zero is not a regular file"},
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
    tables.messages().clear();
    appContext().IniPath = "   ";
    EXPECT_EQ(runStartup(), StartupEnd::IniPath);
    EXPECT_EQ(shown(), (Shown{{3005, "Iniファイルパスの取得"}}));
}

// The hand-off runs [KALVERON] MAIN_PROGRAM with the caller's window (key W), unless
// the system is closing the program; an empty key hands off to nothing.
TEST_F(StartupSequence, ExitHandsOffToTheMainProgramAndGoesOnAfterAFailedWrite) {
    const std::filesystem::path folder = std::filesystem::path(tables.iniPath()).parent_path();
    const std::string handed = (folder / "handed.txt").string();
    const std::string program =
        "cd '" + folder.string() + "' && echo \"$OMRIX_CALLER_WINDOW\" > handed.txt";
    const struct {
        std::string program;
        CloseReason reason;
        HandOff expected;
    } cases[] = {
        {program, CloseReason::Code, HandOff::Started},
        {program, CloseReason::SystemShutdown, HandOff::Skipped},
        {"   ", CloseReason::User, HandOff::NoProgram},
    };
    appContext().CommandLine = "-B:00000001 -H:01 -W:4711";
    for (const auto& c : cases) {
        std::filesystem::remove(handed);
        platform::VBFILE_WriteINI("KALVERON", "MAIN_PROGRAM", c.program, 0, fnGetIniPath());
        EXPECT_EQ(runExitSteps("会社", c.reason), c.expected);
        // The main program is not waited for: give it a few seconds to leave its mark.
        const bool ran = c.expected == HandOff::Started;
        for (int wait = 0; ran && wait < 100 && testing::readBytes(handed).empty(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        EXPECT_EQ(testing::readBytes(handed), ran ? "4711\n" : "");
    }
    EXPECT_TRUE(tables.messages().messages().empty());
    // A failed INI write at exit is reported and the close goes on.
    ASSERT_EQ(runStartup(), StartupEnd::Started);
    appContext().IniPath = "/nonexistent-folder/OMRIX.INI";
    runExitSteps("会社", CloseReason::User);
    ASSERT_EQ(shown().size(), 1u);
    EXPECT_EQ(shown()[0].first, 3024);
    EXPECT_FALSE(appContext().Database);
}

}  // namespace
}  // namespace omrix::app
