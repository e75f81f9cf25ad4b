#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "reports/report_connection.h"
#include "reports/report_fixture.h"
#include "reports/statement_page_index.h"

namespace omrix::reports {
namespace {

using omrix::testing::PrintRowSpec;

const RowSelection kBreakdown7{"内訳出力", "内訳名称ＩＤ", 7};

// A page as text: its numbers, name and the names of its lines with their slots.
std::string describe(const StatementPage& page) {
    std::string out = std::to_string(page.頁番号) + "/" + std::to_string(page.表示頁番号) + " " +
                      page.頁名称 + ":";
    for (std::size_t i = 0; i < page.lines.size(); ++i)
        out += " " + std::to_string(lineSlot(page, i)) + "=" + page.lines[i].名称[0];
    return out;
}

class PageIndexTest : public omrix::testing::ReportTest {
  protected:
    void add(int32_t id, int page, int line, std::string pageName = "", int32_t nameId = 7) {
        PrintRowSpec r;
        r.page = page;
        r.displayPage = page + 100;
        r.line = line;
        r.name1 = "r" + std::to_string(id);
        r.pageName = std::move(pageName);
        db.addPrintRow(nameId, id, r);
    }

    // Every page read through the index against paginating every row at once.
    void expectSamePagesAsAllRows() {
        std::string error;
        std::vector<StatementLine> all;
        ASSERT_TRUE(
            readReportRows(db.tables.db(), kBreakdown7.sql(), all, statementLineFields, error))
            << error;
        std::vector<StatementPage> expected = paginateStatement(all);
        StatementPageIndex index;
        ASSERT_TRUE(index.build(db.tables.db(), kBreakdown7, error)) << error;
        ASSERT_EQ(index.pageCount(), static_cast<int>(expected.size()));
        // Backwards, so that no page leans on the one before it.
        for (int k = index.pageCount(); k >= 1; --k) {
            StatementPage page;
            ASSERT_TRUE(index.readPage(db.tables.db(), k, page, error)) << error;
            const StatementPage& want = expected[static_cast<std::size_t>(k - 1)];
            EXPECT_EQ(describe(page), describe(want)) << "page " << k;
            EXPECT_EQ(index.pageNumber(k), want.頁番号);
            EXPECT_EQ(index.displayPageNumber(k), want.表示頁番号);
            EXPECT_EQ(index.pageName(k), want.頁名称);
            EXPECT_EQ(index.lineCount(k), static_cast<int>(want.lines.size()));
        }
        // Three pages a query, overlapping, the last group cut at the end.
        for (int first = 1; first <= index.pageCount(); first += 2) {
            std::vector<StatementPage> pages;
            ASSERT_TRUE(index.readPages(db.tables.db(), first, 3, pages, error)) << error;
            ASSERT_EQ(static_cast<int>(pages.size()), std::min(3, index.pageCount() - first + 1));
            for (std::size_t i = 0; i < pages.size(); ++i) {
                EXPECT_EQ(describe(pages[i]), describe(expected[first - 1 + i])) << first + i;
            }
        }
    }
};

TEST_F(PageIndexTest, GivesTheSamePagesAsPaginatingAllRows) {
    // Rows out of order, a gap in 頁番号, a page named only by its third line, blank
    // lines left out, an overfull 頁番号 of 17 lines going over two pages, rows of
    // another breakdown and a soft-deleted row left out.
    int32_t id = 0;
    add(++id, 3, 2);
    add(++id, 1, 15, "  ");
    add(++id, 1, 1);
    add(++id, 1, 3, " 躯体工事 ");
    add(++id, 1, 5, "仕上");
    add(++id, 9, 7);
    for (int line = 1; line <= 17; ++line) add(++id, 5, line <= 15 ? line : 15);
    add(++id, 3, 1);
    add(++id, 1, 2, "", 8);
    add(++id, 4, 1);
    db.tables.exec("Update 内訳出力 Set 削除区分 = '1' Where 内訳出力ＩＤ = " + std::to_string(id) +
                   ";");
    expectSamePagesAsAllRows();

    std::string error;
    StatementPageIndex index;
    ASSERT_TRUE(index.build(db.tables.db(), kBreakdown7, error));
    EXPECT_EQ(index.pageCount(), 5);  // 1, 3, 5, 5 continued, 9
    EXPECT_EQ(index.pageName(1), "躯体工事");
    EXPECT_EQ(index.lineCount(3), 15);
    EXPECT_EQ(index.lineCount(4), 2);

    StatementPage page;
    EXPECT_FALSE(index.readPage(db.tables.db(), 0, page, error));
    EXPECT_FALSE(index.readPage(db.tables.db(), 6, page, error));
    EXPECT_EQ(index.pageNumber(6), 0);
    EXPECT_EQ(index.pageName(-1), "");
}

TEST_F(PageIndexTest, EmptyStatementAndRowsGoneSinceTheIndexWasBuilt) {
    std::string error;
    StatementPageIndex index;
    ASSERT_TRUE(index.build(db.tables.db(), kBreakdown7, error));
    EXPECT_EQ(index.pageCount(), 0);

    db.addPages(7, 2);
    ASSERT_TRUE(index.build(db.tables.db(), kBreakdown7, error));
    ASSERT_EQ(index.pageCount(), 2);
    db.tables.exec("Delete From 内訳出力 Where 頁番号 = 2 And 表示No <= 5;");
    StatementPage page;
    ASSERT_TRUE(index.readPage(db.tables.db(), 2, page, error)) << error;
    ASSERT_EQ(page.lines.size(), 10u);
    EXPECT_EQ(page.lines.front().名称[0], "行2-6");
    EXPECT_EQ(lineSlot(page, 0), 5);

    RowSelection missing{"内訳出力_なし", "内訳名称ＩＤ", 7};
    EXPECT_FALSE(index.build(db.tables.db(), missing, error));
    EXPECT_NE(error.find("内訳出力_なし"), std::string::npos);
}

QImage painted(const Report& report, int page) {
    QImage image(210, 297, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_TRUE(report.paintPage(painter, page)) << report.pageError();
    return image;
}

TEST_F(PageIndexTest, APageAlonePaintsAsItDoesAfterAllBeforeIt) {
    db.addBreakdown(7, "00000001", "本社ビル新築工事");
    db.addPages(7, 40);
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_TRUE(report->load()) << report->lastError();
    ASSERT_EQ(report->pageCount(), 40);
    QImage alone = painted(*report, 37);
    for (int k = 1; k <= 36; ++k) painted(*report, k);
    EXPECT_EQ(painted(*report, 37), alone);
    EXPECT_NE(painted(*report, 36), alone);

    // The texts a search sees are those of the page asked for.
    auto texts = report->pageTexts(37);
    auto has = [&](const QString& text) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const PageText& t) { return t.text == text; });
    };
    EXPECT_TRUE(has("行37-15"));
    EXPECT_FALSE(has("行36-15"));
    EXPECT_TRUE(report->pageTexts(41).empty());
    PageLabel label = report->pageLabel(37);
    EXPECT_TRUE(label.known);
    EXPECT_EQ(label.頁番号, 37);

    // Rows that vanish under an open report: the form still paints, the failure shows.
    db.tables.exec("Drop Table 内訳出力;");
    QImage image(210, 297, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_FALSE(report->paintPage(painter, 12));
    EXPECT_FALSE(report->pageError().empty());
}

}  // namespace
}  // namespace omrix::reports
