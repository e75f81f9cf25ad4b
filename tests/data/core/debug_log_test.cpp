#include "data/core/debug_log.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "context/ini_file.h"
#include "data/table_database.h"

namespace omrix::data {
namespace {

namespace fs = std::filesystem;

TEST(DebugTrace, OnlyAnAbsentKeyOrExactlyOffSwitchesItOff) {
    for (const auto& [ini, on] :
         {std::pair{"RECORDSET_DEBUG=OFF\n", false}, std::pair{"RECORDSET_DEBUG=off\n", true},
          std::pair{"RECORDSET_DEBUG=\n", true},  // present but empty
          std::pair{"RECORDSET_LOGFILE=x.LOG\n", false}}) {
        testing::TableDatabase a(std::string("[DEBUG_OPTION]\n") + ini);
        ASSERT_TRUE(a.ok());
        EXPECT_EQ(readDebugSettings().enabled, on) << ini;
    }
}

TEST(DebugTrace, FilesStayInTheIniFolderAndAnUnwritableOneShowsOneMessage) {
    testing::TableDatabase a;
    const fs::path folder = a.folder().path();
    const std::pair<const char*, fs::path> cases[] = {
        {"\\..\\..\\outside.LOG", folder / "DBS_DEFAULT.LOG"},
        {"a/../../outside.LOG", folder / "DBS_DEFAULT.LOG"},
    };
    for (const auto& [name, expected] : cases) {
        DebugLog log(DebugSettings{true, name, folder.string()}, "\\DBS_DEFAULT.LOG");
        EXPECT_EQ(log.path(), expected.string()) << name;
    }
}

TEST(DebugTrace, TracesPrivatelyWithoutPasswordsOrShowsOneMessage) {
    testing::TableDatabase a("[DEBUG_OPTION]\nRECORDSET_DEBUG=off\nRECORDSET_LOGFILE=\\t.LOG\n");
    ASSERT_TRUE(a.ok());
    const std::string path = a.folder().file("t.LOG");
    {
        CCCDBS_DataBase db;  // reads the switch when made
        ASSERT_TRUE(db.fnOpenFromIni(a.iniPath()));
        for (const char* sql :
             {"Insert Into 物件変数 (変数名, 数量) Values ('TUBO', 3.5)",
              "Insert Into 自社担当者Ｍ (自社担当者ＭＩＤ, 担当者パスワード) Values (1, 'himitsu')",
              "Update 自社担当者Ｍ Set 担当者パスワード = 'it''s;x', 自社担当者名 = 'named' "
              "Where 自社担当者ＭＩＤ = 1"})
            ASSERT_TRUE(db.fnExecute(sql)) << sql;
        auto rs = db.fnOpenRecordSet("SELECT 変数名, 数量,名称 FROM 物件変数");
        ASSERT_TRUE(rs);
        rs->fnGetChar("変数名");
        rs->fnGetHdouble("数量");
        rs->fnGetVariant("名称");
        rs->fnMoveNext();
        rs->fnClose();
        auto staff = db.fnOpenRecordSet("SELECT 担当者パスワード, 自社担当者名 FROM 自社担当者Ｍ");
        ASSERT_TRUE(staff);
        staff->fnGetChar(0);
        staff->fnGetChar("担当者パスワード");
        staff->fnGetChar("自社担当者名");
        staff->fnClose();
        // Compared with a password column, and read from one under another name.
        ASSERT_TRUE(
            db.fnExecute("Insert Into 自社担当者Ｍ (自社担当者ＭＩＤ, 担当者パスワード) "
                         "Values (2, 'himitsu2'), (3, 4711)"));
        auto alias = db.fnOpenRecordSet(
            "select 担当者パスワード as x from 自社担当者Ｍ where 担当者パスワード in ('himitsu2', "
            "4711)");
        ASSERT_TRUE(alias);
        alias->fnGetChar("x");
        alias->fnClose();
        EXPECT_FALSE(db.fnOpenRecordSet("SELECT x FROM nowhere"));
    }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    std::string trace = testing::readBytes(path);
    EXPECT_NE(trace.find("Insert Into 物件変数 (変数名, 数量) Values ('TUBO', 3.5)\r\n"),
              std::string::npos);
    EXPECT_NE(trace.find(" >>> -----\r\nSELECT 変数名, 数量,名称 FROM 物件変数\r\n"
                         "\t変数名\t 数量\t名称\r\n\tTUBO\t3.5\t\r\n"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("Set 担当者パスワード = '***', 自社担当者名 = '***' Where"),
              std::string::npos)
        << trace;
    EXPECT_NE(trace.find("\t***\t***\t***\r\n"), std::string::npos) << trace;
    for (const char* secret : {"it''s", "himitsu", "4711"})
        EXPECT_EQ(trace.find(secret), std::string::npos) << secret << "\n" << trace;
    EXPECT_NE(trace.find("レコードセットオープン失敗ステータス = "), std::string::npos);
    // Columns named like a password, and their values in statements.
    for (std::string_view name : {"PassWord", "ＳＭＴＰパスワード", "db_pwd"})
        EXPECT_TRUE(isPasswordColumn(name)) << name;
    EXPECT_FALSE(isPasswordColumn("パス"));
    EXPECT_EQ(
        withoutPasswords("x=(パスワード='a''b') and password ='c' and pw='d' and n2=12 and '"),
        "x=(パスワード='***') and password ='***' and pw='***' and n2=*** and '***'");
    EXPECT_EQ(withoutPasswords("select 'a' from t where n = 1 -- pw"),
              "select 'a' from t where n = 1 -- pw");
    // An unwritable trace file shows one message, however many logs write to it.
    a.messages().clear();
    const DebugSettings settings{true, "\\no_such_folder/trace.LOG", a.folder().path().string()};
    DebugLog log(settings, "\\unused.LOG"), other(settings, "\\unused.LOG");
    for (int i = 0; i < 3; ++i) {
        log.writeLine("x");
        other.writeLine("y");
    }
    ASSERT_EQ(a.messages().messages().size(), 1u);
    EXPECT_EQ(a.messages().messages()[0].text,
              "：指定ﾌｧｲﾙ(" + log.path() + ")をオープンできません。");
}

// The trace stays in the INI file's folder whatever links lie there: a folder link, a
// file link and a hard link to a file elsewhere are refused with one message and the
// file elsewhere untouched; an existing trace file is made 0600.
TEST(DebugTrace, NeverWritesThroughALink) {
    testing::TableDatabase a;
    testing::TempFolder elsewhere;
    const fs::path folder = a.folder().path();
    const std::string target = elsewhere.file("target.log");
    testing::writeBytes(target, "kept\n");
    fs::create_directory_symlink(elsewhere.path(), folder / "sub");
    fs::create_symlink(target, folder / "file.log");
    fs::create_hard_link(target, folder / "hard.log");
    for (const char* name : {"sub/target.log", "sub/new.log", "file.log", "hard.log"}) {
        a.messages().clear();
        DebugLog log(DebugSettings{true, name, folder.string()}, "\\unused.LOG");
        log.writeLine("secret line");
        EXPECT_EQ(a.messages().messages().size(), 1u) << name;
        EXPECT_FALSE(fs::exists(elsewhere.path() / "new.log")) << name;
        EXPECT_EQ(testing::readBytes(target), "kept\n") << name;
    }
    const std::string open = (folder / "open.log").string();
    testing::writeBytes(open, "");
    fs::permissions(open, fs::perms(0644));
    DebugLog log(DebugSettings{true, "open.log", folder.string()}, "\\unused.LOG");
    log.writeLine("x");
    EXPECT_EQ(fs::status(open).permissions(), fs::perms(0600));
    EXPECT_EQ(testing::readBytes(open), "x\r\n");
}

}  // namespace
}  // namespace omrix::data
