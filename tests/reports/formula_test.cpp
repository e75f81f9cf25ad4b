#include <gtest/gtest.h>

#include "reports/formula_text.h"
#include "reports/report.h"
#include "reports/report_design.h"
#include "reports/selection_formula.h"

namespace omrix::reports {
namespace {

TEST(SelectionFormula, AcceptsTheLaunchFormsWithBlanks) {
    const struct {
        std::string_view text, table, column;
        int32_t value;
    } cases[] = {
        {"{代価表.内訳名称ＩＤ}=7", "代価表", "内訳名称ＩＤ", 7},
        {"  { 物件概要 . 物件概要ＩＤ }\t=\t 42  ", "物件概要", "物件概要ＩＤ", 42},
        {"\u3000{物件見積要項.物件見積要項ＩＤ} =\u30009\u3000", "物件見積要項", "物件見積要項ＩＤ",
         9},
        {"{T.c} = +5", "T", "c", 5},
        {"{T.c} = 2147483647", "T", "c", 2147483647},
        {"{T.col_1} = -2147483648", "T", "col_1", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        SelectionFormula f;
        std::string error;
        ASSERT_TRUE(parseSelectionFormula(c.text, f, error)) << c.text << ": " << error;
        EXPECT_EQ(f.table + "." + f.column, std::string(c.table) + "." + std::string(c.column));
        EXPECT_EQ(f.value, c.value) << c.text;
    }
}

TEST(SelectionFormula, RefusesOtherFormsNamingTheFormula) {
    const std::string_view refused[] = {
        "",
        "{内訳出力.内訳名称ＩＤ} =",
        "内訳出力.内訳名称ＩＤ = 1",
        "{.内訳名称ＩＤ} = 1",
        "{内訳出力.内訳名称ＩＤ} = 1 And {内訳出力.表示No} = 2",
        "{内訳出力.内訳名称ＩＤ} = 1; Delete From 内訳",
        "{内訳出力.内訳名称ＩＤ} <> 1",
        "{内訳出力.内訳名称ＩＤ} = '1'",
        "{内訳出力.内訳名称ＩＤ} = +-1",
        "{内訳出力.内訳名称ＩＤ} = 2147483648",
        "{内訳出力.内訳名称ＩＤ)--} = 1",
        "{a.b.c} = 1",
    };
    for (std::string_view text : refused) {
        SelectionFormula f;
        f.table = "unchanged";
        std::string error;
        EXPECT_FALSE(parseSelectionFormula(text, f, error)) << text;
        EXPECT_NE(error.find("\"" + std::string(text) + "\""), std::string::npos) << error;
        EXPECT_EQ(f.table, "unchanged");
    }
}

TEST(FormulaText, UnquotesLiteralsAndShowsAnythingElseAsItStands) {
    const std::pair<const char*, const char*> cases[] = {
        {"'O''Brien ''s'''", "O'Brien 's'"},
        {"''", ""},
        {"  '  左右に空白  '  ", "  左右に空白  "},
        {"\"二重\"\"引用\"", "二重\"引用"},
        {"'開いたまま", "'開いたまま"},
        {"'", "'"},
        {"", ""},
        {"'a'b'", "a'b"},  // a lone quote inside is kept rather than lost
    };
    for (auto [text, shown] : cases) EXPECT_EQ(unquoteFormulaText(text), shown) << text;
}

TEST(ReportObject, DesignsByTheirExactNameWithTheirTables) {
    EXPECT_EQ(Report::create("OMRIX_PRINT_B5UCHIWAKESHO.RPT"), nullptr);
    EXPECT_EQ(Report::create("b5_uchiwakesho"), nullptr);
    for (ReportDesign design : allDesigns()) {
        const DesignInfo& info = designInfo(design);
        auto report = Report::create(info.name);
        ASSERT_NE(report, nullptr) << info.name;
        EXPECT_EQ(report->Database().Tables().Count(), static_cast<int>(info.tables.size()));
    }
}

TEST(ReportObject, AnIndexOutsideTheDesignFailsTheNextLoad) {
    auto report = Report::create("PRINT_GAIYOU");
    report->FormulaFields().Item(3).text = "'x'";  // the design has one field
    report->Database().Tables().Item(0).Location = "物件概要";
    EXPECT_EQ(report->formulaText(3), "");
    EXPECT_EQ(report->Database().Tables().Item(1).Location, "");
    EXPECT_FALSE(report->load());
    EXPECT_NE(report->lastError().find("does not exist"), std::string::npos) << report->lastError();
    EXPECT_NE(report->lastError().find("PRINT_GAIYOU"), std::string::npos);
}

}  // namespace
}  // namespace omrix::reports
