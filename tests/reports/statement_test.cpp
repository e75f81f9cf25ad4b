#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "context/app_context.h"
#include "reports/report_fixture.h"
#include "reports/report_fonts.h"
#include "reports/statement_data.h"

namespace omrix::reports {
namespace {

using omrix::testing::pdfPages;
using omrix::testing::pdfText;
using omrix::testing::PrintRowSpec;
using omrix::testing::withoutBlanks;

using StatementTest = omrix::testing::ReportTest;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The part followed by a blank or the end of a line, so that 行1-1 is not 行1-10.
bool containsWord(const std::string& text, const std::string& part) {
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        auto end = at + part.size();
        if (end == text.size() || text[end] == ' ' || text[end] == '\n') return true;
    }
    return false;
}

TEST(StatementPaging, PagesFollow頁番号AndLines表示No) {
    std::vector<StatementLine> lines;
    auto add = [&](int page, int no, int id) {
        StatementLine l;
        l.頁番号 = page;
        l.表示No = no;
        l.内訳出力ＩＤ = id;
        l.表示頁番号 = page + 10;
        lines.push_back(l);
    };
    add(3, 2, 1);
    add(1, 15, 2);
    add(3, 1, 3);
    add(1, 1, 4);
    add(2, 7, 5);
    auto pages = paginateStatement(lines);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].頁番号, 1);
    EXPECT_EQ(pages[0].表示頁番号, 11);
    ASSERT_EQ(pages[0].lines.size(), 2u);
    EXPECT_EQ(pages[0].lines[0].表示No, 1);
    EXPECT_EQ(lineSlot(pages[0], 1), 14);  // 表示No 15 stays on the last line
    EXPECT_EQ(lineSlot(pages[1], 0), 6);
    EXPECT_EQ(pages[2].lines[0].内訳出力ＩＤ, 3);

    // Bad numbering (a repeated 表示No, too many lines): nothing is lost.
    lines.clear();
    for (int i = 1; i <= 17; ++i) add(1, 4, i);
    pages = paginateStatement(lines);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].lines.size(), 15u);
    EXPECT_EQ(pages[1].lines.size(), 2u);
    EXPECT_EQ(lineSlot(pages[0], 3), 3);
    EXPECT_TRUE(paginateStatement({}).empty());
}

TEST_F(StatementTest, SeveralPagesInOrderWithNumbersAndJapaneseText) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    db.addPages(7, 3);
    // Rows of another breakdown and soft-deleted rows stay out.
    db.addPages(8, 2);
    db.tables.exec(
        "Update 内訳出力 Set 削除区分 = '1' Where 内訳名称ＩＤ = 7 And 頁番号 = 2 And 表示No = 5;");
    db.tables.exec("Update 内訳出力 Set 表示頁番号 = 21 Where 内訳名称ＩＤ = 7 And 頁番号 = 2;");

    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    report->FormulaFields().Item(1).text = "'株式会社オムリクス建設'";
    std::string path = db.pdf(*report);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(report->pageCount(), 3);
    EXPECT_EQ(pdfPages(path), 3);

    for (int page = 1; page <= 3; ++page) {
        std::string text = pdfText(path, page);
        SCOPED_TRACE(text);
        EXPECT_TRUE(contains(withoutBlanks(text), std::to_string(page) + "/3"));
        EXPECT_TRUE(containsWord(text, "行" + std::to_string(page) + "-1"));
        EXPECT_TRUE(contains(text, "行" + std::to_string(page) + "-15"));
        EXPECT_TRUE(contains(text, "オムリクス本社ビル新築工事"));
        EXPECT_TRUE(contains(text, "株式会社オムリクス建設"));
        EXPECT_FALSE(contains(text, "行" + std::to_string(page + 1) + "-"));
    }
    EXPECT_TRUE(contains(pdfText(path, 2), "No. 21"));
    EXPECT_FALSE(contains(pdfText(path, 2), "行2-5"));
    EXPECT_TRUE(contains(pdfText(path, 3), "No. 3"));
}

TEST_F(StatementTest, FiguresGroupedAndBlankWhenZero) {
    db.addBreakdown(3, "00000001", "工事");
    db.addPrintRow(3, 1,
                   {.name1 = "普通コンクリート",
                    .name2 = "Fc24 S18",
                    .spec1 = "ポンプ打設",
                    .unit = "m3",
                    .quantity = "       1,234.500",
                    .pageName = "建築工事",
                    .price = 15800,
                    .amount = 19505100});
    db.addPrintRow(3, 2, {.line = 2, .name1 = "直接仮設工事", .unit = ""});

    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 3");
    std::string path = db.pdf(*report);
    ASSERT_FALSE(path.empty());
    std::string text = pdfText(path);
    SCOPED_TRACE(text);
    EXPECT_TRUE(contains(text, "19,505,100"));
    EXPECT_TRUE(contains(text, "15,800"));
    EXPECT_TRUE(contains(text, "1,234.500"));
    EXPECT_TRUE(contains(text, "Fc24 S18"));
    EXPECT_TRUE(contains(text, "【建築工事】"));
    EXPECT_FALSE(contains(text, " 0 "));
    EXPECT_EQ(pdfPages(path), 1);
}

TEST_F(StatementTest, InternalCheckHeadsItsColumnsFromTheFormulaFields) {
    db.addBreakdown(4, "00000001", "工事");
    db.tables.exec(
        "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 名称１, 見積１単価, 見積１金額, "
        "見積２金額, "
        "見積３金額, 見積４金額, 提出用金額, 表示No, 頁番号, 表示頁番号) Values (4, 1, '杭工事', "
        "111, 1111, 2222, 3333, 4444, 5555, 1, 1, 1);");
    auto report = db.report("PRINTA4YOKO", "{内訳出力.内訳名称ＩＤ} = 4");
    report->FormulaFields().Item(3).text = "'原価見積'";
    report->FormulaFields().Item(4).text = "'査定見積'";
    report->FormulaFields().Item(5).text = "''";
    std::string path = db.pdf(*report);
    ASSERT_FALSE(path.empty());
    std::string text = pdfText(path);
    SCOPED_TRACE(text);
    EXPECT_TRUE(contains(text, "原価見積"));
    EXPECT_TRUE(contains(text, "査定見積"));
    EXPECT_TRUE(contains(withoutBlanks(text), "内訳書(社内確認用)"));
    EXPECT_FALSE(contains(text, "''"));
    for (const char* amount : {"1,111", "2,222", "3,333", "4,444", "5,555", "111"})
        EXPECT_TRUE(contains(text, amount)) << amount;
}

// A selection without rows still prints one page: the form and what it says instead.
TEST_F(StatementTest, EmptySelectionsPrintOnePageOfTheEmptyForm) {
    db.addBreakdown(5, "00000001", "空の工事");
    const struct {
        const char *design, *formula, *shown;
    } cases[] = {
        {"PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 5", "空の工事"},
        {"PRINT_YOUKOU", "{物件見積要項.物件見積要項ＩＤ} = 404", "支払条件"},
        {"PRINT_DAIKA", "{代価表.内訳名称ＩＤ} = 5", "代価表のある明細はありません"},
    };
    for (const auto& c : cases) {
        auto report = db.report(c.design, c.formula);
        std::string path = db.pdf(*report);
        ASSERT_FALSE(path.empty()) << c.design;
        EXPECT_EQ(report->pageCount(), 1) << c.design;
        EXPECT_EQ(pdfPages(path), 1) << c.design;
        std::string text = withoutBlanks(pdfText(path));
        EXPECT_TRUE(contains(text, c.shown)) << c.design;
        EXPECT_TRUE(contains(text, "1/1")) << c.design;
    }
}

TEST_F(StatementTest, RefusesWhatItCannotRead) {
    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = abc");
    EXPECT_FALSE(report->exportPdf(db.folder.file("x.pdf")));
    EXPECT_TRUE(contains(report->lastError(), "{内訳出力.内訳名称ＩＤ} = abc"));

    report->RecordSelectionFormula = "{代価表.内訳名称ＩＤ} = 1";
    EXPECT_FALSE(report->load());
    EXPECT_TRUE(contains(report->lastError(), "代価表")) << report->lastError();

    report->RecordSelectionFormula = "{内訳出力.存在しない列} = 1";
    EXPECT_FALSE(report->load());
    EXPECT_TRUE(contains(report->lastError(), "存在しない列")) << report->lastError();

    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = 1";
    report->Database().Tables().Item(1).SetLogOnInfo("OMRIX_DSN", "sa", "pw", "OMRIX");
    EXPECT_FALSE(report->load());
    EXPECT_TRUE(contains(report->lastError(), "OMRIX_DSN")) << report->lastError();
    EXPECT_TRUE(contains(report->lastError(), "ODBC"));

    report->Database().Tables().Item(1).SetLogOnInfo("", "", "", "");
    report->Database().Tables().Item(1).Location = "内訳出力;drop";
    EXPECT_FALSE(report->load());
    EXPECT_EQ(report->pageCount(), 0);

    report->Database().Tables().Item(1).Location = "内訳出力";
    EXPECT_TRUE(report->load()) << report->lastError();
    EXPECT_FALSE(report->exportPdf(db.folder.file("no-such-folder/x.pdf")));
    EXPECT_TRUE(contains(report->lastError(), "no-such-folder")) << report->lastError();
}

TEST_F(StatementTest, WithoutTheProgramsConnectionTheIniNamesTheFile) {
    db.addBreakdown(6, "00000001", "INIの工事");
    db.addPages(6, 1);
    context::appContext().Database.reset();  // the INI of the fixture names the file
    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 6");
    ASSERT_TRUE(report->load()) << report->lastError();
    EXPECT_EQ(report->pageCount(), 1);
}

// What a page paints is checked against its neighbours in page_index_test.
TEST_F(StatementTest, ReloadsWhenRowsAndTheFormulaChange) {
    db.addBreakdown(9, "00000001", "工事");
    db.addPages(9, 2);
    auto report = db.report("A4YOKOUCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 9");
    ASSERT_TRUE(report->load()) << report->lastError();
    EXPECT_EQ(report->pageCount(), 2);
    QImage image(100, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    report->paintPage(painter, 3);  // out of range: nothing
    painter.end();

    // New rows and a new formula are read by the next print, not the old layout.
    db.addPages(10, 1);
    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = 10";
    std::string path = db.pdf(*report);
    EXPECT_EQ(pdfPages(path), 1);
    EXPECT_EQ(report->pageCount(), 1);
}

TEST_F(StatementTest, AMissingFontFileIsNamedInTheError) {
    QString family;
    std::string error;
    EXPECT_FALSE(loadFontFamily("IPAexGothic", {"/nonexistent/ipaexg.ttf", "/also/not/here.ttf"},
                                family, error));
    EXPECT_TRUE(contains(error, "IPAexGothic")) << error;
    EXPECT_TRUE(contains(error, "/nonexistent/ipaexg.ttf")) << error;
    EXPECT_TRUE(contains(error, "/also/not/here.ttf")) << error;
    EXPECT_TRUE(family.isEmpty());
    // A file that is no font is passed over like a missing one.
    std::string notAFont = db.folder.file("broken.ttf");
    omrix::testing::writeBytes(notAFont, "not a font");
    EXPECT_FALSE(loadFontFamily("IPAexGothic", {QString::fromStdString(notAFont)}, family, error));
}

}  // namespace
}  // namespace omrix::reports
