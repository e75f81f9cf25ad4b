#pragma once
// A real SQLite file built from db/schema.sql in a fresh folder, named by an OMRIX.INI,
// installed as AppContext.Database with a message recorder; children of a fork open
// their own connection. With OMRIX_TEST_ON_SERVER the tables are made afresh on the
// PostgreSQL server of scripts/with-test-server, logged on to with an enciphered password.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "context/fresh_context.h"
#include "context/temp_folder.h"
#include "data/core/database.h"
#include "platform/messages.h"
#include "platform/password_key.h"

namespace omrix::testing {

class TableDatabase {
  public:
    // extraIni: more INI text after the [DATABASE] section.
    explicit TableDatabase(const std::string& extraIni = "");
    ~TableDatabase();
    TableDatabase(const TableDatabase&) = delete;
    TableDatabase& operator=(const TableDatabase&) = delete;

    bool ok() const { return error_.empty(); }  // else the reason is in error()
    const std::string& error() const { return error_; }
    const std::string& iniPath() const { return iniPath_; }
    const std::string& file() const { return file_; }  // the database file on SQLite
    const std::string& databaseSection() const { return databaseSection_; }
    const TempFolder& folder() const { return folder_; }

    std::shared_ptr<data::CCCDBS_DataBase> connect() const;  // a new one to the same file

    data::CCCDBS_DataBase& db() { return *db_; }
    platform::RecordingSink& messages() { return *sink_; }

    // Runs SQL text through the data layer; fails the running test when it fails.
    void exec(std::string_view sql);
    // The first column of the first row as text, or "<null>", "<none>" (no row), "<error>".
    std::string value(std::string_view sql);
    int64_t count(std::string_view tableAndCondition);
    // Every `action` ("Insert", "Update", "Delete") on `table` fails until stopRefusing.
    void refuse(std::string_view action, std::string_view table);
    void stopRefusing(std::string_view table);

  private:
    FreshContext fresh_;  // first made, last gone
    TempFolder folder_;
#ifdef OMRIX_TEST_ON_SERVER
    PasswordKey key_;
#endif
    std::string file_;
    std::string databaseSection_;
    std::string iniPath_;
    std::string error_;
    std::shared_ptr<data::CCCDBS_DataBase> db_;
    std::shared_ptr<platform::RecordingSink> sink_;
};

// The numbering lock row of 物件概要 as the suite writes it; a second one is refused.
inline constexpr const char* kLockInsert =
    "Insert Into ＩＤ排他管理 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
    "ＫＥＹテーブル名称１, ＫＥＹＩＤ１, ＫＥＹテーブル名称２, ＫＥＹＩＤ２, テーブル名称 ) Values "
    "(GetDate(), 'tester', '', 0, '0', '', 0, '', 0, '物件概要' );";

// A fixture of a fresh table file, `t`, made before each test body runs.
class TablesTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(t.ok()) << t.error(); }
    TableDatabase t;
};

}  // namespace omrix::testing
