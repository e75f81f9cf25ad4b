// Statement layouts on their paper; statements printed to PDF and to workbooks from real
// rows and read back; what a report refuses.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>

#include "reports/documents/statement_cells.h"
#include "reports/documents/statement_workbook.h"
#include "reports/engine/report_design.h"
#include "reports/engine/report_fonts.h"
#include "reports/engine/statement_columns.h"
#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using omrix::testing::pdfPages;
using omrix::testing::pdfText;
using omrix::testing::withoutBlanks;

using StatementTest = omrix::testing::ReportTest;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(StatementGeometry, EveryTypeFitsItsPaper) {
    for (ReportDesign design : allDesigns()) {
        const DesignInfo& info = designInfo(design);
        if (info.kind != DocumentKind::Statement) continue;
        const StatementGeometry& g = statementGeometry(design);
        SCOPED_TRACE(info.name);
        EXPECT_LE(g.margins.leftMm + g.tableWidthMm() + g.margins.rightMm,
                  info.paper.widthMm + 1e-9);
        // The page number band sits in the bottom margin, below the table.
        EXPECT_LE(g.tableBottomMm(), info.paper.heightMm - g.margins.bottomMm + 1e-9);
        EXPECT_GE(g.lineMm, 2 * g.fontMm + 1.0);  // two text lines per line
        for (const StatementColumn& c : g.columns) {
            EXPECT_GT(c.widthMm, 2 * g.fontMm);
            // Fewer formula fields than the design has: an empty heading, no crash.
            if (c.field == StatementField::Submitted) {
                EXPECT_EQ(columnHeading(c, {"a"}), "");
            }
        }
    }
}

// Which cells a long text takes, B5 columns 0 No, 1 名称, 2 仕様, 3 数量, 4 単位, 5 単価,
// 6 金額, 7 備考: a text that fits keeps its cell; one too long takes the empty cell on
// its right, else on its left, else the empty cells under it; a cell another text
// took is no one's own; with nothing free it stays as it is.
TEST(StatementCells, ALongTextTakesTheFreeCellsBesideThenUnderIt) {
    const StatementGeometry& g = statementGeometry(ReportDesign::B5_UCHIWAKESHO);
    StatementLine first, second;
    first.名称[0] = "名";
    first.仕様[0] = "仕";
    first.単位名称 = "式";
    second.単位名称 = "式";
    const struct {
        double nameNeeds, specNeeds;  // mm² of cell the owner's texts need
        std::vector<CellSpan> firstLine, secondLine;
    } cases[] = {
        {1, 1, {{1, 1, 1}, {2, 2, 2}, {4, 4, 4}}, {{4, 4, 4}}},
        // 仕様 43 × 12.2 = 525 too small, with 数量: 57 × 12.2 = 695.
        {1, 600, {{1, 1, 1}, {2, 2, 3}, {4, 4, 4}}, {{4, 4, 4}}},
        // 名称 43 × 12.2 = 525, with No 622: takes No, then both cells under them.
        {700, 1, {{1, 0, 1, 2}, {2, 2, 2}, {4, 4, 4}}, {{4, 4, 4}}},
        // Past every free cell: 名称 over No and two lines, 仕様 over 数量 and two lines.
        {5000, 5000, {{1, 0, 1, 2}, {2, 2, 3, 2}, {4, 4, 4}}, {{4, 4, 4}}},
    };
    for (const auto& c : cases) {
        const auto spans = pageSpans(g, {&first, &second}, [&](int, const CellSpan& span) {
            const double area = (g.columnLeftMm(span.last + 1) - g.columnLeftMm(span.first)) *
                                span.lines * g.lineMm;
            return area >= (span.owner == 1 ? c.nameNeeds : span.owner == 2 ? c.specNeeds : 0);
        });
        EXPECT_EQ(spans[0], c.firstLine) << c.nameNeeds << " " << c.specNeeds;
        EXPECT_EQ(spans[1], c.secondLine) << c.nameNeeds << " " << c.specNeeds;
    }
}

TEST_F(StatementTest, PagesInOrderWithTheirNumbersNamesAndFigures) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    db.addPages(7, 3);
    db.addPages(8, 2);  // another breakdown's rows stay out, as does a soft-deleted row
    db.tables.exec(
        "Update 内訳出力 Set 削除区分 = '1' Where 内訳名称ＩＤ = 7 And 名称１ = '行2-5';");
    db.tables.exec("Update 内訳出力 Set 表示頁番号 = 21 Where 内訳名称ＩＤ = 7 And 頁番号 = 2;");
    db.tables.exec(
        "Update 内訳出力 Set 名称２ = 'Fc24 S18', 単位名称 = 'm3', 内訳数量 = '       1,234.500', "
        "頁名称 = '建築工事', 提出用単価 = 15800, 提出用金額 = 19505100 Where 内訳名称ＩＤ = 7 "
        "And 名称１ = '行1-1';");

    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    // As the launch quotes a company name with quotes in it: they print as entered,
    // a doubled one doubled.
    report->FormulaFields().Item(1).text = "'株式会社'オ''ムリクス建設'";
    std::string path = db.pdf(*report);
    EXPECT_EQ(pdfPages(path), 3);
    const char* numbers[] = {"No. 1", "No. 21", "No. 3"};
    for (int page = 1; page <= 3; ++page) {
        std::string text = pdfText(path, page);
        SCOPED_TRACE(text);
        const std::string p = std::to_string(page);
        // One page number, the rows' 表示頁番号: no position footer beside it.
        EXPECT_FALSE(contains(withoutBlanks(text), p + "/3"));
        EXPECT_TRUE(contains(text, numbers[page - 1]));
        EXPECT_EQ(std::count(text.begin(), text.end(), '/'), 0) << text;
        EXPECT_TRUE(contains(text, "行" + p + "-15"));
        EXPECT_TRUE(contains(text, "オムリクス本社ビル新築工事"));
        EXPECT_TRUE(contains(text, "株式会社'オ''ムリクス建設"));
        EXPECT_FALSE(contains(text, "行" + std::to_string(page + 1) + "-"));
        // Figures grouped by thousands; a zero amount or price left blank.
        EXPECT_EQ(contains(text, "19,505,100"), page == 1);
        EXPECT_FALSE(contains(text, " 0 "));
    }
    std::string first = pdfText(path, 1);
    for (const char* part : {"15,800", "1,234.500", "Fc24 S18", "【建築工事】"})
        EXPECT_TRUE(contains(first, part)) << part;
    EXPECT_FALSE(contains(pdfText(path, 2), "行2-5"));
    // The document information names the document, the company, the project and the
    // program with its version.
    using omrix::testing::pdfInfoField;
    EXPECT_EQ(omrix::testing::pdfTitleAuthorSubject(path),
              "内訳書|株式会社'オ''ムリクス建設|オムリクス本社ビル新築工事");
    EXPECT_TRUE(std::regex_match(pdfInfoField(path, "Creator"),
                                 std::regex("omrix-print [0-9]+\\.[0-9]+\\.[0-9]+")))
        << pdfInfoField(path, "Creator");

    // Set in the fonts derived from IPAex, embedded: text taken from the PDF names the
    // ideographs (工), not the look-alike radicals, and no reader supplies the font.
    int status = -1;
    const std::string fonts =
        omrix::testing::capture("pdffonts " + omrix::testing::shellQuoted(path), status);
    const std::regex embedded("OmrixPrint(Gothic|Mincho) +CID TrueType +Identity-H +yes ");
    EXPECT_EQ(std::distance(std::sregex_iterator(fonts.begin(), fonts.end(), embedded),
                            std::sregex_iterator()),
              2)
        << fonts;
    EXPECT_EQ(fonts.find("IPAex"), std::string::npos) << fonts;
}

// The longest texts a print row gets, by hand: 名称 64 bytes = 32 full-width characters,
// 仕様 66 bytes = 33, 表示番号名称 and 単位名称 16 bytes = 8, 工事名称 76 bytes = 38; a
// remark line at most 34 (the breakdown's remark is 34 characters): one remark split at
// its CR, 17 + 16, in every type but A4(計算式), which prints both remarks, 34 + 34; a
// company name of 32; the formulas at 128 bytes of ASCII. Every cell of both lines is
// filled, so line 1's texts have no free cell beside or under them: each must fit its own
// (the widths are worked out beside the layouts).
// The workbook wraps them in their columns, each text at least ceil(characters × size /
// width) lines, so the row is at least as tall as its tallest cell's lines:
//  B5 (2.6 mm, remarks 2.3): 名称 32 × 2.6 / 43 → 2 each, 8 × 2.6 = 20.8 mm;
//  A4(縦) (3.0): 名称 96 / 46 → 3 each, 12 × 3.0 = 36 mm;
//  A4(横) (3.0): 名称 96 / 66 → 2 each, 24 mm;
//  A4(計算式) (2.8): 名称 89.6 / 50 → 2 each, 22.4 mm;
//  A4(社内確認用) (2.7): 名称 86.4 / 50 → 2 each, 21.6 mm.
TEST_F(StatementTest, LongestTextsPrintWholeInEveryLayout) {
    const std::string kana = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめ";
    const std::string kata = "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメ";
    auto first = [](const std::string& text, int characters) {
        return text.substr(0, static_cast<std::size_t>(characters) * 3);  // 3 bytes each
    };
    const std::string name1 = first(kana, 32), name2 = first(kata, 32);
    const std::string spec1 = "仕" + first(kana, 32), spec2 = "様" + first(kata, 32);
    const std::string project = first(kana, 33) + "ビル新築工事";  // 38 characters
    const std::string company = "株式会社" + first(kata, 28);      // 32 characters
    std::string formula;
    while (formula.size() < 128) formula += "(12.345+6.7)*";
    formula.resize(128);
    db.addBreakdown(7, "00000001", project);
    db.addPrintRow(7, 1, {.name1 = name1});
    db.addPrintRow(7, 2, {.line = 2});
    auto fill = [&](const std::string& remark1, const std::string& remark2) {
        db.tables.exec("Update 内訳出力 Set 名称１ = '" + name1 + "', 名称２ = '" + name2 +
                       "', 名称３ = '" + name2 + "', 名称４ = '" + name1 + "', 仕様１ = '" + spec1 +
                       "', 仕様２ = '" + spec2 + "', 仕様３ = '" + spec2 + "', 仕様４ = '" + spec1 +
                       "', 表示番号名称 = '番号番号番号番号', 単位名称 = '単位単位単位単位', "
                       "内訳数量 = '       1,234.500', 提出用単価 = 15800, 提出用金額 = 19505100, "
                       "見積１単価 = 11100, 見積４単価 = 14400, 見積４金額 = 44400, 社内備考 = '" +
                       remark1 + "', 社外備考 = '" + remark2 + "', 数量計算式 = '" + formula +
                       "', 単価計算式 = '" + formula + "' Where 内訳出力ＩＤ In (1, 2);");
    };
    const std::string split1 = first(kana, 17), split2 = first(kata, 16);
    const std::string both1 = first(kana, 34), both2 = first(kata, 34);
    const struct {
        const char* design;
        bool bothRemarks;
        std::vector<std::string> figures;
        double rowMm;  // the workbook row, at least
    } cases[] = {
        {"B5_UCHIWAKESHO", false, {"1,234.500", "15,800", "19,505,100"}, 20.8},
        {"PRINT_A4TATE", false, {"1,234.500", "15,800", "19,505,100"}, 36},
        {"A4YOKOUCHIWAKESHO", false, {"1,234.500", "15,800", "19,505,100"}, 24},
        {"PRINT_A4EXP", true, {"1,234.500", "15,800", "19,505,100", formula + formula}, 22.4},
        {"PRINTA4YOKO", false, {"1,234.500", "11,100", "14,400", "44,400", "15,800"}, 21.6},
    };
    // In drawing order, without line breaks and blanks of either width.
    auto rawText = [](const std::string& path) {
        return std::regex_replace(omrix::testing::pdfRawText(path), std::regex("　"), "");
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.design);
        const std::string remark1 = c.bothRemarks ? both1 : split1;
        const std::string remark2 = c.bothRemarks ? both2 : split2;
        fill(remark1, remark2);
        auto report = db.report(c.design, "{内訳出力.内訳名称ＩＤ} = 7");
        const bool withCompany = std::string_view(c.design).find("A4EXP") == std::string::npos &&
                                 std::string_view(c.design) != "PRINTA4YOKO";
        if (withCompany) report->FormulaFields().Item(1).text = "'" + company + "'";
        ::testing::internal::CaptureStderr();
        const std::string path = db.pdf(*report, std::string(c.design) + ".pdf");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
        int status = -1;
        const std::string text = rawText(path);
        std::vector<std::string> whole = c.figures;
        for (const std::string& t :
             {std::string("番号番号番号番号"), std::string("単位単位単位単位"),
              name1 + name2 + name2 + name1, spec1 + spec2 + spec2 + spec1, remark1 + remark2,
              project, withCompany ? company : project})
            whole.push_back(t);
        for (const std::string& t : whole) EXPECT_TRUE(contains(text, t)) << t << "\n" << text;
        EXPECT_FALSE(contains(text, "…"));

        // The workbook: "<row height in pt> <wraps> <JSON text>" per text cell.
        const std::string book = db.folder.file(std::string(c.design) + ".xlsx");
        ASSERT_EQ(failureText(report->exportWorkbook(book)), "");
        const std::string cells = omrix::testing::workbookXml(book, "--cells", status);
        ASSERT_EQ(status, 0) << cells;
        const std::string names = name1 + "\\n" + name2 + "\\n" + name2 + "\\n" + name1;
        for (const std::string& t : {names, remark1 + "\\n" + remark2}) {
            const auto cell = omrix::testing::workbookCell(cells, t);
            EXPECT_GE(cell.heightPt, c.rowMm * 72 / 25.4) << t << "\n" << cells;
            EXPECT_EQ(cell.wraps, 1) << t;
        }
        for (const std::string& t : {project, withCompany ? company : project})
            EXPECT_TRUE(contains(cells, "\"" + t + "\"")) << t;
    }

    // Remarks longer than the print run writes (64 + 64, the row's 128 bytes) in B5's
    // 備考 of 13 mm, 7 a line: 129 run on need 19 lines; with the empty cells under it,
    // floor((n × 12.2 − 0.6) / 2.117) lines: 2 rows 11, 3 rows 17, 4 rows 22, each
    // remark on 10 of its own.
    const std::string long1 = first(kana, 32) + first(kana, 32);
    const std::string long2 = first(kata, 32) + first(kata, 32);
    fill(long1, long2);
    db.tables.exec("Update 内訳出力 Set 社内備考 = '', 社外備考 = '' Where 内訳出力ＩＤ = 2;");
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ::testing::internal::CaptureStderr();
    std::string path = db.pdf(*report, "below.pdf");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(contains(rawText(path), long1 + long2)) << rawText(path);

    // Line 2's remark filled too: no free cell is left under, the remarks print cut and
    // are said once on standard error, though painted twice.
    db.tables.exec("Update 内訳出力 Set 社内備考 = '次の行' Where 内訳出力ＩＤ = 2;");
    report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ::testing::internal::CaptureStderr();
    path = db.pdf(*report, "cut.pdf");
    EXPECT_EQ(failureText(report->exportPdf(path)), "");
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::string said = "\"" + long1 + "　" + long2 + "\"";
    EXPECT_NE(err.find("warning: 内訳書: " + said + " is too long for its place on page 1"),
              std::string::npos)
        << err;
    EXPECT_EQ(err.find(said), err.rfind(said)) << err;
    EXPECT_TRUE(contains(rawText(path), "…"));
}

// A selection without rows still prints one page: the form and what it says instead.
TEST_F(StatementTest, EmptySelectionsPrintOnePageOfTheEmptyForm) {
    db.addBreakdown(5, "00000001", "空の工事");
    const struct {
        const char *design, *formula, *shown, *footer;
    } cases[] = {
        {"PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 5", "空の工事", ""},
        {"PRINT_YOUKOU", "{物件見積要項.物件見積要項ＩＤ} = 404", "支払条件", "1/1"},
        {"PRINT_DAIKA", "{代価表.内訳名称ＩＤ} = 5", "代価表のある明細はありません", "1/1"},
    };
    for (const auto& c : cases) {
        auto report = db.report(c.design, c.formula);
        std::string path = db.pdf(*report);
        EXPECT_EQ(pdfPages(path), 1) << c.design;
        std::string text = withoutBlanks(pdfText(path));
        EXPECT_TRUE(contains(text, c.shown)) << c.design;
        EXPECT_EQ(contains(text, "1/1"), *c.footer != '\0') << c.design;
    }
}

TEST_F(StatementTest, RefusesWhatItCannotReadNamingItAndReloadsOnEachPrint) {
    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = abc");
    EXPECT_TRUE(contains(failureText(report->exportPdf(db.folder.file("x.pdf"))),
                         "{内訳出力.内訳名称ＩＤ} = abc"));
    auto& table = report->Database().Tables().Item(1);
    const struct {
        const char *formula, *dsn, *location, *named, *also;
    } cases[] = {
        {"{代価表.内訳名称ＩＤ} = 1", "", "内訳出力", "代価表", ""},
        {"{内訳出力.存在しない列} = 1", "", "内訳出力", "存在しない列", ""},
        {"{内訳出力.内訳名称ＩＤ} = 1", "OMRIX_DSN", "内訳出力", "OMRIX_DSN", "ODBC"},
        {"{内訳出力.内訳名称ＩＤ} = 1", "", "内訳出力;drop", "", ""},
    };
    for (const auto& c : cases) {
        report->RecordSelectionFormula = c.formula;
        *c.dsn != '\0' ? table.SetLogOnInfo(c.dsn, "sa", "pw", "OMRIX")
                       : table.SetLogOnInfo("", "", "", "tables.sqlite");
        table.Location = c.location;
        const std::string error = failureText(report->load());
        EXPECT_NE(error, "") << c.formula;
        EXPECT_TRUE(contains(error, c.named)) << error;
        EXPECT_TRUE(contains(error, c.also)) << error;
        EXPECT_EQ(report->pageCount(), 0);
    }
    table.Location = "内訳出力";
    EXPECT_EQ(failureText(report->load()), "");
    EXPECT_TRUE(contains(failureText(report->exportPdf(db.folder.file("no-such-folder/x.pdf"))),
                         "no-such-folder"));
    // The next print reads new rows and a new formula, not the old layout.
    db.addPages(10, 2);
    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = 10";
    EXPECT_EQ(pdfPages(db.pdf(*report)), 2);
    EXPECT_EQ(report->pageCount(), 2);
}

// A missing font file and a file that is no font are named alike.
TEST_F(StatementTest, AFontThatCannotLoadIsNamedInTheError) {
    std::string notAFont = db.folder.file("broken.ttf");
    omrix::testing::writeBytes(notAFont, "not a font");
    auto family = loadFontFamily("IPAexGothic",
                                 {"/nonexistent/ipaexg.ttf", QString::fromStdString(notAFont)});
    ASSERT_FALSE(family);
    const std::string error = family.failure().text();
    for (const std::string& part :
         {std::string("IPAexGothic"), std::string("/nonexistent/ipaexg.ttf"), notAFont})
        EXPECT_TRUE(contains(error, part)) << error;
}

// What workbook_test.py cannot tell apart: quantities as the print run formatted them
// (aligned in 16 bytes, or longer), anything else no number; money with the decimals it has.
TEST(WorkbookFigures, QuantitiesAndMoneyFormats) {
    const std::pair<const char*, double> numbers[] = {
        {"       1,234.500", 1234.5},
        {"-12.000", -12.0},
        {"12,345,678,901,234.567", 12345678901234.567}};
    for (auto [text, value] : numbers) EXPECT_DOUBLE_EQ(quantityValue(text).value_or(-1), value);
    for (const char* text : {"", "1,2a", "inf", "0x10", "1.0.0"})
        EXPECT_FALSE(quantityValue(text).has_value()) << text;

    const std::pair<int64_t, const char*> money[] = {
        {12340000, "#,##0"}, {12345000, "#,##0.0"},     {-12345600, "#,##0.00"},
        {1, "#,##0.0000"},   {INT64_MIN, "#,##0.0000"}, {0, "#,##0"}};  // raw ten-thousandths
    for (auto [raw, format] : money) EXPECT_EQ(moneyFormat(raw), format) << raw;
}

// No lines, an unwritable path, rows gone under a loaded report: no workbook, and the
// failure named.
TEST_F(StatementTest, WorkbookFailuresLeaveNoWorkbook) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    auto report = db.report("PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7");
    std::string path = db.folder.file("uchiwake.xlsx");
    EXPECT_TRUE(contains(failureText(report->exportWorkbook(path)),
                         "report PRINT_A4TATE: the statement has no lines: no workbook written"));
    EXPECT_FALSE(std::filesystem::exists(path));

    db.addPages(7, 3);
    report = db.report("PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7");
    std::string unwritable = db.folder.file("missing/uchiwake.xlsx");
    EXPECT_TRUE(contains(failureText(report->exportWorkbook(unwritable)), "uchiwake.xlsx"));
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    EXPECT_EQ(failureText(report->exportWorkbook(path)), "");

    // The index is built; the rows go before the pages are read again.
    std::filesystem::remove(path);
    db.tables.exec("Drop Table 内訳出力;");
    EXPECT_NE(failureText(report->exportWorkbook(path)), "");
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace omrix::reports
