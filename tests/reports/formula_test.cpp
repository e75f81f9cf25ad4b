#include <gtest/gtest.h>

#include "reports/formula_text.h"
#include "reports/report.h"
#include "reports/report_design.h"
#include "reports/selection_formula.h"

namespace omrix::reports {
namespace {

TEST(SelectionFormula, AcceptsTheLaunchFormsWithBlanks) {
    struct Case {
        std::string_view text;
        std::string_view table, column;
        int32_t value;
    };
    const Case cases[] = {
        {"{内訳出力.内訳名称ＩＤ} = 123", "内訳出力", "内訳名称ＩＤ", 123},
        {"{代価表.内訳名称ＩＤ}=7", "代価表", "内訳名称ＩＤ", 7},
        {"  { 物件概要 . 物件概要ＩＤ }\t=\t 42  ", "物件概要", "物件概要ＩＤ", 42},
        {"\u3000{物件見積要項.物件見積要項ＩＤ} =\u30009\u3000", "物件見積要項", "物件見積要項ＩＤ",
         9},
        {"{T.col_1} = -5", "T", "col_1", -5},
        {"{T.c} = +5", "T", "c", 5},
        {"{T.c} = 2147483647", "T", "c", 2147483647},
        {"{T.c} = -2147483648", "T", "c", -2147483647 - 1},
    };
    for (const Case& c : cases) {
        SelectionFormula f;
        std::string error;
        ASSERT_TRUE(parseSelectionFormula(c.text, f, error)) << c.text << ": " << error;
        EXPECT_EQ(f.table, c.table) << c.text;
        EXPECT_EQ(f.column, c.column) << c.text;
        EXPECT_EQ(f.value, c.value) << c.text;
    }
}

TEST(SelectionFormula, RefusesOtherFormsNamingTheFormula) {
    const std::string_view refused[] = {
        "",
        "{内訳出力.内訳名称ＩＤ}",
        "{内訳出力.内訳名称ＩＤ} =",
        "内訳出力.内訳名称ＩＤ = 1",
        "{内訳名称ＩＤ} = 1",
        "{.内訳名称ＩＤ} = 1",
        "{内訳出力.} = 1",
        "{内訳出力.内訳名称ＩＤ = 1",
        "{内訳出力.内訳名称ＩＤ} = 1 And {内訳出力.表示No} = 2",
        "{内訳出力.内訳名称ＩＤ} = 1; Delete From 内訳",
        "{内訳出力.内訳名称ＩＤ} <> 1",
        "{内訳出力.内訳名称ＩＤ} = 1.5",
        "{内訳出力.内訳名称ＩＤ} = '1'",
        "{内訳出力.内訳名称ＩＤ} = 1 2",
        "{内訳出力.内訳名称ＩＤ} = +-1",
        "{内訳出力.内訳名称ＩＤ} = 2147483648",
        "{内訳出力.内訳 名称ＩＤ} = 1",
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

TEST(FormulaText, UnquotesLiterals) {
    EXPECT_EQ(unquoteFormulaText("'株式会社オムリクス建設'"), "株式会社オムリクス建設");
    EXPECT_EQ(unquoteFormulaText("'O''Brien ''s'''"), "O'Brien 's'");
    EXPECT_EQ(unquoteFormulaText("''"), "");
    EXPECT_EQ(unquoteFormulaText("  '  左右に空白  '  "), "  左右に空白  ");
    EXPECT_EQ(unquoteFormulaText("\"二重\"\"引用\""), "二重\"引用");
    // Not a literal: shown as it stands.
    EXPECT_EQ(unquoteFormulaText("'開いたまま"), "'開いたまま");
    EXPECT_EQ(unquoteFormulaText("'"), "'");
    EXPECT_EQ(unquoteFormulaText("素のまま"), "素のまま");
    EXPECT_EQ(unquoteFormulaText(""), "");
    // A lone quote inside is kept rather than lost.
    EXPECT_EQ(unquoteFormulaText("'a'b'"), "a'b");
}

TEST(ReportObject, DesignsByNameWithTheirTablesAndFields) {
    EXPECT_EQ(Report::create("OMRIX_PRINT_B5UCHIWAKESHO.RPT"), nullptr);
    EXPECT_EQ(Report::create("b5_uchiwakesho"), nullptr);
    for (ReportDesign design : allDesigns()) {
        const DesignInfo& info = designInfo(design);
        auto report = Report::create(info.name);
        ASSERT_NE(report, nullptr) << info.name;
        EXPECT_EQ(report->Database().Tables().Count(), static_cast<int>(info.tables.size()));
        EXPECT_EQ(report->pageCount(), 0);
    }
    auto daika = Report::create("PRINT_DAIKA");
    EXPECT_EQ(daika->Database().Tables().Count(), 3);
    auto yoko = Report::create("PRINTA4YOKO");
    EXPECT_EQ(yoko->FormulaFields().Count(), 5);
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
