#include <gtest/gtest.h>

#include "reports/formula_text.h"
#include "reports/report.h"
#include "reports/selection_formula.h"

namespace omrix::reports {
namespace {

// The launch forms, blanks of either width around each part, the 32-bit bounds; any
// other form is refused naming the formula and leaves the result as it was.
TEST(SelectionFormula, AcceptsTheLaunchFormsOnlyNamingWhatItRefuses) {
    const struct {
        std::string_view text, parsed;  // parsed: table.column=value, "" when refused
    } cases[] = {
        {"  { 物件概要 . 物件概要ＩＤ }\t=\t 42  ", "物件概要.物件概要ＩＤ=42"},
        {"\u3000{代価表.内訳名称ＩＤ}=\u30009\u3000", "代価表.内訳名称ＩＤ=9"},
        {"{T.c} = +2147483647", "T.c=2147483647"},
        {"{T.col_1} = -2147483648", "T.col_1=-2147483648"},
        {"", ""},
        {"{内訳出力.内訳名称ＩＤ} =", ""},
        {"内訳出力.内訳名称ＩＤ = 1", ""},
        {"{.内訳名称ＩＤ} = 1", ""},
        {"{内訳出力.内訳名称ＩＤ} = 1 And {内訳出力.表示No} = 2", ""},
        {"{内訳出力.内訳名称ＩＤ} = 1; Delete From 内訳", ""},
        {"{内訳出力.内訳名称ＩＤ} <> 1", ""},
        {"{内訳出力.内訳名称ＩＤ} = '1'", ""},
        {"{内訳出力.内訳名称ＩＤ} = +-1", ""},
        {"{内訳出力.内訳名称ＩＤ} = 2147483648", ""},
        {"{内訳出力.内訳名称ＩＤ)--} = 1", ""},
        {"{a.b.c} = 1", ""},
    };
    for (const auto& c : cases) {
        SelectionFormula f;
        f.table = "unchanged";
        std::string error;
        const bool parsed = parseSelectionFormula(c.text, f, error);
        EXPECT_EQ(parsed, !c.parsed.empty()) << c.text << ": " << error;
        if (parsed) {
            EXPECT_EQ(f.table + "." + f.column + "=" + std::to_string(f.value), c.parsed);
        } else {
            EXPECT_NE(error.find("\"" + std::string(c.text) + "\""), std::string::npos) << error;
            EXPECT_EQ(f.table, "unchanged");
        }
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

// Designs by their exact name only; an index outside the design fails the next load.
TEST(ReportObject, ExactDesignNamesAndIndexesOutsideTheDesign) {
    EXPECT_EQ(Report::create("OMRIX_PRINT_B5UCHIWAKESHO.RPT"), nullptr);
    EXPECT_EQ(Report::create("b5_uchiwakesho"), nullptr);
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
