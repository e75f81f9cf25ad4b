#include "data/drivers/sql_text.h"

#include <gtest/gtest.h>

namespace omrix::data {
namespace {

TEST(WidthFolding, IdentifiersFoldAndLiteralsStay) {
    const std::pair<const char*, const char*> cases[] = {
        {"Select 内訳名称ＩＤ, ＫＥＹＩＤ２ From 内訳 Where 名称１ = 'ＩＤ１'",
         "Select 内訳名称ID, KEYID2 From 内訳 Where 名称1 = 'ＩＤ１'"},
        // A doubled quote keeps the literal open; what follows the literal folds again.
        {"Set 名称１ = 'Ｏ''Ｎｅｉｌ ＩＤ', 頁名称 = '' Where ＩＤ = １",
         "Set 名称1 = 'Ｏ''Ｎｅｉｌ ＩＤ', 頁名称 = '' Where ID = 1"},
        // Names in quotes or brackets fold; a quote inside them opens no literal.
        {"[工種＿科目コード], \"Ａ'Ｂ\" ＩＤ", "[工種_科目コード], \"A'B\" ID"},
        {"-- ＩＤ 'x\nＩＤ /* ＩＤ */ ＩＤ", "-- ＩＤ 'x\nID /* ＩＤ */ ID"},
        {"ＩＤ = 'ＩＤ", "ID = 'ＩＤ"},  // an unterminated literal runs to the end
        // Full-width characters that would change the tokens stay as they are.
        {"ＩＤ＇＂［］；－－／＊", "ID＇＂［］；－－／＊"},
        {"内訳 ＠｀～｟ ！", "内訳 @｀~｟ !"},
        {"ＩＤ\xEF\xBC", "ID\xEF\xBC"},  // a lone lead byte at the end is no character
    };
    for (const auto& [written, folded] : cases) EXPECT_EQ(foldSqlText(written), folded);
    // Statements split only at semicolons of code.
    EXPECT_EQ(splitStatements(" a; 'x;y''; z' ;\r\n[b;c] -- d;\n;; \"e;f\" /* ; */ "),
              (std::vector<std::string_view>{"a", "'x;y''; z'", "[b;c] -- d;", "\"e;f\" /* ; */"}));
    EXPECT_TRUE(splitStatements(" ; \r\n ;").empty());
    EXPECT_EQ(leadingKeyword("  -- note\n /* x */ insert Into t"), "INSERT");
    EXPECT_EQ(leadingKeyword("(select 1)"), "");
}

// Only plain-literal writes run with parameters; every table test reads their values.
TEST(Parameterise, LeavesWhatMustRunAsWritten) {
    ParameterisedStatement p;
    for (const char* sql : {"Select * From t Where a = 1", "Insert Into t Select 1",
                            "Delete From t Where a In (select b From u)",
                            "Insert Into t Values (?)", "Insert Into t Values (:a)",
                            "Insert Into t Values (x'00')", "Insert Into t Values (0x10)",
                            "Insert Into t Values ('open", "Create Table t (a NUMERIC(19, 4))"})
        EXPECT_FALSE(parameterise(sql, p)) << sql;
    // Doubled quotes are undone in the value; a quote doubled at the end leaves the
    // literal open.
    const std::pair<const char*, std::string_view> literals[] = {
        {"Insert Into t Values ('O''Neil', 1)", "O'Neil"},
        {"Insert Into t Values ('''', 1)", "'"},
        {"Insert Into t Values ('a''''b', 1)", "a''b"},
        {"Insert Into t Values ('', 1)", ""},
    };
    for (const auto& [sql, value] : literals) {
        ASSERT_TRUE(parameterise(sql, p)) << sql;
        EXPECT_EQ(p.shape, "Insert Into t Values (?, ?)");
        ASSERT_EQ(p.literals.size(), 2U);
        EXPECT_EQ(p.literals[0].text, value) << sql;
    }
    EXPECT_FALSE(parameterise("Insert Into t Values ('a''", p));
    EXPECT_FALSE(parameterise("Insert Into t Values ('''", p));
    // A word holding SELECT is no sub-query.
    EXPECT_TRUE(parameterise("Update t Set selected = 1, [select] = 2", p));
    EXPECT_EQ(p.shape, "Update t Set selected = ?, [select] = ?");
}

}  // namespace
}  // namespace omrix::data
