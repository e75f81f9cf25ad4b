#include "data/tables/record_conventions.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <stdexcept>

#include "context/app_context.h"
#include "context/fresh_context.h"
#include "data/table_database.h"
#include "data/tables/table_write.h"
#include "util/text.h"

namespace omrix::data {
namespace {

using namespace std::string_literals;
using context::appContext;

TEST(SqlQuote, TextsAndTheScreenIdCutByBytesThenQuoted) {
    const struct {
        std::string text;
        int32_t limit;
        const char* quoted;
    } cases[] = {
        {"O'Neil", 0, "O''Neil"},
        // 20 full-width characters are 40 bytes; 16 bytes hold 8 of them.
        {"あいうえおかきくけこさしすせそたちつてと", 16, "あいうえおかきく"},
        // The cut comes first, so it can never leave half of a doubled quote.
        {"ab'cd", 3, "ab''"},
        {"aあ'", 2, "a"},  // a halved double-byte character is left out
        {"ab\0'); Delete From 物件概要; --"s, 0, "ab"},
    };
    for (const auto& c : cases) EXPECT_EQ(fnSqlQuote(c.text, c.limit), c.quoted) << c.text;
    EXPECT_EQ(sqlNumber(1e20), "100000000000000000000");
    EXPECT_EQ(sqlNumber(std::numeric_limits<double>::quiet_NaN()), "0");
    // The active window's name, quoted; none when there is no window.
    testing::FreshContext fresh;
    appContext().ScreenIdProvider = [] { return std::string("Frm_'Gaiyou'"); };
    EXPECT_EQ(fnScreenID(), "Frm_''Gaiyou''");
    appContext().ScreenIdProvider = []() -> std::string { throw std::runtime_error("none"); };
    EXPECT_EQ(fnScreenID(), "");
}

using AuditRecord = testing::TablesTest;
using UpdateThenInsert = testing::TablesTest;

TEST_F(AuditRecord, ReadsValuesAndNulls) {
    t.exec(
        "Insert Into 物件変数 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
        "物件変数ＩＤ) Values ('2024-03-05 06:07:08', 'tanaka', 'Frm_A', 32766, '0', 1), "
        "(NULL, NULL, NULL, NULL, NULL, 2);");
    auto rs = t.db().fnOpenRecordSet("Select * From 物件変数 Order By 物件変数ＩＤ;");
    ASSERT_TRUE(rs);
    AuditRec audit;
    sbReadAudit(*rs, audit);
    EXPECT_EQ(audit.更新日, (DateTime{2024, 3, 5, 6, 7, 8}));
    EXPECT_EQ(audit.更新操作者.trimmedRight(), "tanaka");
    EXPECT_EQ(audit.更新カウンタ, 32766);
    ASSERT_TRUE(rs->fnMoveNext());
    sbReadAudit(*rs, audit);
    EXPECT_EQ(audit.更新日, DateTime{});
    EXPECT_TRUE(audit.更新操作者.isBlank() && audit.削除区分.isBlank());
}

bool writeHensu(int32_t id, std::string_view name, bool transaction = true) {
    SqlColumnList columns;
    columns.number("物件変数ＩＤ", int64_t{id}).text("名称", name, 32).number("数量", 2.25);
    return fnUpdateThenInsert(*appContext().Database, "物件変数", "物件変数ＩＤ", id, columns,
                              transaction);
}

TEST_F(UpdateThenInsert, InsertsFirstThenUpdatesLiveRowsWithTheWrappingCounter) {
    appContext().ScreenIdProvider = [] { return std::string("Frm_Omrix_Print_GAIYOU"); };
    appContext().TantoshaName = "O'Reilly-Tanaka-Ichiro";  // 22 bytes

    ASSERT_TRUE(writeHensu(7, "first"));
    EXPECT_EQ(t.value("Select 更新カウンタ || '/' || 削除区分 || '/' || 更新操作者 || '/' || "
                      "更新画面ＩＤ || '/' || 名称 From 物件変数;"),
              "0/0/O'Reilly-Tanaka-/Frm_Omrix_Print_/first");

    t.exec("Update 物件変数 Set 更新カウンタ = 32765;");
    std::string seen;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(writeHensu(7, "again", i % 2 == 0));
        seen += t.value("Select 更新カウンタ From 物件変数;") + " ";
    }
    EXPECT_EQ(seen, "32766 1 2 ");
    EXPECT_EQ(t.count("物件変数;"), 1);
    // A soft-deleted row is left alone and a live one added.
    t.exec("Insert Into 物件変数 (削除区分, 物件変数ＩＤ, 名称) Values ('1', 9, 'gone');");
    ASSERT_TRUE(writeHensu(9, "new"));
    EXPECT_EQ(t.value("Select 名称 || 更新カウンタ From 物件変数 Where 削除区分 = '1';"), "gone0");
    EXPECT_EQ(t.value("Select 名称 From 物件変数 Where 削除区分 = '0' And 物件変数ＩＤ = 9;"),
              "new");
}

TEST_F(UpdateThenInsert, FailureRollsBackAndLeavesTheConnectionUsable) {
    t.refuse("Insert", "物件変数");
    EXPECT_FALSE(writeHensu(1, "a"));
    // No transaction was left open: another connection sees the next write.
    t.stopRefusing("物件変数");
    EXPECT_TRUE(writeHensu(1, "a"));
    auto other = t.connect();
    auto rs = other ? other->fnOpenRecordSet("Select Count(*) From 物件変数;") : nullptr;
    EXPECT_EQ(rs ? rs->fnGetInt(0) : -1, 1);
}

// Whatever a user types, the write stores what the byte rules allow, as one statement.
TEST_F(UpdateThenInsert, HostileTextsRoundTripAndNeverChangeTheStatement) {
    const std::vector<std::string> pieces = {"'", "''", "a",  " ", ";",  "--", "/*", "全",
                                             "ｱ", "〃", "𠮷", "😀", "\\", "\n", ")",  "\0"s};
    std::vector<std::pair<std::string, int32_t>> cases = {{"'); Drop Table 物件変数; --", 0},
                                                          {"𠮷野家'の😀\0'; --"s, 3}};
    std::mt19937 random(20240611);
    for (int n = 0; n < 200; ++n) {
        std::string text;
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            text += pieces[random() % pieces.size()];
        cases.emplace_back(text, static_cast<int32_t>(random() % 10));
    }
    int32_t id = 0;
    for (const auto& [text, limit] : cases) {
        SqlColumnList columns;
        columns.number("物件変数ＩＤ", int64_t{++id}).text("名称", text, limit);
        ASSERT_TRUE(fnUpdateThenInsert(t.db(), "物件変数", "物件変数ＩＤ", id, columns, true));
        std::string beforeNul = text.substr(0, text.find('\0'));
        EXPECT_EQ(t.value("Select 名称 From 物件変数 Where 物件変数ＩＤ = " + std::to_string(id)),
                  limit > 0 ? util::cutToBytes(beforeNul, limit) : beforeNul)
            << "case " << id << " limit " << limit;
    }
    EXPECT_EQ(t.count("物件変数;"), static_cast<int64_t>(cases.size()));
}

}  // namespace
}  // namespace omrix::data
