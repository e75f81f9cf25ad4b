#include "data/debug_log.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "data/access_database.h"
#include "context/ini_file.h"

namespace omrix::data {
namespace {

// Trace files go to the program folder; each test names its own.
std::string traceName(const char* what) {
    return "h3_trace_" + std::string(what) + "_" + std::to_string(::getpid()) + ".LOG";
}

TEST(DebugTrace, OnlyExactlyOffSwitchesItOff) {
    for (const char* value : {"OFF", "off", "ON", "0"}) {
        std::string name = traceName("switch");
        testing::AccessDatabase a("[DEBUG_OPTION]\nRECORDSET_DEBUG=" + std::string(value) +
                                  "\nRECORDSET_LOGFILE=\\" + name + "\n");
        ASSERT_TRUE(a.ok());
        DebugSettings settings = readDebugSettings();
        EXPECT_EQ(settings.enabled, std::string(value) != "OFF") << value;
        if (settings.enabled) {
            EXPECT_EQ(settings.logFile, "\\" + name);
        }
        std::filesystem::remove(context::programFolder() + "/" + name);
    }
    testing::AccessDatabase none;  // no DEBUG_OPTION section: the default "OFF"
    EXPECT_FALSE(readDebugSettings().enabled);
}

TEST(DebugTrace, StatementsAndValuesAreWritten) {
    std::string name = traceName("values");
    std::string path = context::programFolder() + "/" + name;
    std::filesystem::remove(path);
    {
        testing::AccessDatabase a("[DEBUG_OPTION]\nRECORDSET_DEBUG=off\nRECORDSET_LOGFILE=\\" +
                                  name + "\n");
        ASSERT_TRUE(a.ok());
        CCCDBS_DataBase db;  // reads the switch when made
        ASSERT_TRUE(db.fnOpenFromIni(a.iniPath()));
        ASSERT_TRUE(db.fnExecute("Insert Into 物件変数 (変数名, 数量) Values ('TUBO', 3.5)"));
        auto rs = db.fnOpenRecordSet("SELECT 変数名, 数量,名称 FROM 物件変数");
        ASSERT_TRUE(rs);
        rs->fnGetChar("変数名");
        rs->fnGetHdouble("数量");
        rs->fnGetVariant("名称");
        rs->fnMoveNext();
        rs->fnClose();
        EXPECT_FALSE(db.fnOpenRecordSet("SELECT x FROM nowhere"));
    }
    std::string trace = testing::readBytes(path);
    std::filesystem::remove(path);
    EXPECT_NE(trace.find("Insert Into 物件変数 (変数名, 数量) Values ('TUBO', 3.5)\r\n"),
              std::string::npos);
    EXPECT_NE(trace.find("-----<<< "), std::string::npos);
    EXPECT_NE(trace.find(" >>> -----\r\nSELECT 変数名, 数量,名称 FROM 物件変数\r\n"
                         "\t変数名\t 数量\t名称\r\n\tTUBO\t3.5\t\r\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("レコードセットオープン失敗ステータス = "), std::string::npos);
}

TEST(DebugTrace, PendingTextJoinsTheNextLine) {
    testing::TempFolder folder;
    DebugSettings settings{true, "\\" + traceName("join")};
    DebugLog log(settings, "\\unused.LOG");
    std::filesystem::remove(log.path());
    log.append("\ta\tb");
    log.writeLine("next");
    log.writeLine("");
    log.append("\tc");
    log.writeLine("");
    std::string trace = testing::readBytes(log.path());
    std::filesystem::remove(log.path());
    EXPECT_EQ(trace, "\ta\tb\r\nnext\r\n\r\n\tc\r\n");
}

TEST(DebugTrace, UnwritableFileShowsAMessageAndNothingElse) {
    testing::AccessDatabase a;
    DebugSettings settings{true, "\\no_such_folder_h3/trace.LOG"};
    DebugLog log(settings, "\\unused.LOG");
    log.writeLine("x");
    ASSERT_EQ(a.messages().messages().size(), 1u);
    EXPECT_EQ(a.messages().messages()[0].text,
              "：指定ﾌｧｲﾙ(" + log.path() + ")をオープンできません。");
}

}  // namespace
}  // namespace omrix::data
