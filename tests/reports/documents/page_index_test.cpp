// Statement pages: paginating all rows at once and reading them through the page index
// give the same pages, worked out by hand; a page paints alone as it does in sequence.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "reports/documents/statement_page_index.h"
#include "reports/engine/report_connection.h"
#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;

const RowSelection kBreakdown7{"内訳出力", "内訳名称ＩＤ", 7};
using Pages = std::vector<std::string>;

// A page as text: 頁番号/表示頁番号 頁名称: then slot=name of each line.
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
        db.addPrintRow(nameId, id,
                       {.page = page,
                        .displayPage = page + 100,
                        .line = line,
                        .name1 = "r" + std::to_string(id),
                        .pageName = std::move(pageName)});
    }

    // The pages of all rows at once, one at a time through the index (backwards, so that
    // no page leans on the one before it) and three a query, overlapping.
    void expectPages(const Pages& want) {
        std::vector<StatementLine> all;
        ASSERT_EQ(failureText(
                      readReportRows(db.tables.db(), kBreakdown7.sql(), all, statementLineFields)),
                  "");
        Pages paginated;
        for (const StatementPage& page : paginateStatement(all))
            paginated.push_back(describe(page));
        EXPECT_EQ(paginated, want);

        StatementPageIndex index;
        ASSERT_EQ(failureText(index.build(db.tables.db(), kBreakdown7)), "");
        ASSERT_EQ(index.pageCount(), static_cast<int>(want.size()));
        for (int k = index.pageCount(); k >= 1; --k) {
            auto page = index.readPage(db.tables.db(), k);
            ASSERT_EQ(failureText(page), "");
            EXPECT_EQ(describe(*page), want[k - 1]);
            EXPECT_EQ(index.pageNumber(k), page->頁番号);
            EXPECT_EQ(index.displayPageNumber(k), page->表示頁番号);
            EXPECT_EQ(index.pageName(k), page->頁名称);
            EXPECT_EQ(index.lineCount(k), static_cast<int>(page->lines.size()));
        }
        for (int first = 1; first <= index.pageCount(); first += 2) {
            auto pages = index.readPages(db.tables.db(), first, 3);
            ASSERT_EQ(failureText(pages), "");
            ASSERT_EQ(static_cast<int>(pages->size()), std::min(3, index.pageCount() - first + 1));
            for (std::size_t i = 0; i < pages->size(); ++i)
                EXPECT_EQ(describe((*pages)[i]), want[first - 1 + i]);
        }
        EXPECT_FALSE(index.readPage(db.tables.db(), 0));
        EXPECT_FALSE(index.readPage(db.tables.db(), index.pageCount() + 1));
    }
};

TEST_F(PageIndexTest, PagesBy頁番号AndLinesBy表示No) {
    // Rows out of order; a gap in 頁番号; a page named by its third line, a blank name
    // passed over; 頁番号 5 with 17 lines, the last three all 表示No 15; rows of another
    // breakdown and a soft-deleted row left out.
    expectPages({});
    add(1, 3, 2);
    add(2, 1, 15, "  ");
    add(3, 1, 1);
    add(4, 1, 3, " 躯体工事 ");
    add(5, 1, 5, "仕上");
    add(6, 9, 7);
    for (int id = 7; id <= 23; ++id) add(id, 5, std::min(id - 6, 15));
    add(24, 3, 1);
    add(25, 1, 2, "", 8);
    add(26, 4, 1);
    db.tables.exec("Update 内訳出力 Set 削除区分 = '1' Where 内訳出力ＩＤ = 26;");

    std::string fifteen = "5/105 :";  // 表示No 1 … 15 on their slots, r7 … r21
    for (int slot = 0; slot < 15; ++slot)
        fifteen += " " + std::to_string(slot) + "=r" + std::to_string(slot + 7);
    // The overflow of 頁番号 5: numbers no longer distinct, lines go by their place.
    expectPages({"1/101 躯体工事: 0=r3 2=r4 4=r5 14=r2", "3/103 : 0=r24 1=r1", fifteen,
                 "5/105 : 0=r22 1=r23", "9/109 : 6=r6"});
}

QImage painted(const Report& report, int page) {
    QImage image(210, 297, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    EXPECT_EQ(failureText(report.paintPage(painter, page)), "");
    return image;
}

TEST_F(PageIndexTest, APageAlonePaintsAsAfterAllBeforeItAndRowsGoneUnderIt) {
    db.addBreakdown(7, "00000001", "本社ビル新築工事");
    db.addPages(7, 40);
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_EQ(failureText(report->load()), "");
    ASSERT_EQ(report->pageCount(), 40);
    QImage alone = painted(*report, 37);
    for (int k = 1; k <= 36; ++k) painted(*report, k);
    EXPECT_EQ(painted(*report, 37), alone);
    EXPECT_NE(painted(*report, 36), alone);

    // Rows deleted since the index was built: the page reads those left, on their slots;
    // a table that is gone is named.
    StatementPageIndex index;
    ASSERT_EQ(failureText(index.build(db.tables.db(), kBreakdown7)), "");
    db.tables.exec("Delete From 内訳出力 Where 頁番号 = 2 And 表示No <= 5;");
    auto read = index.readPage(db.tables.db(), 2);
    ASSERT_EQ(failureText(read), "");
    const StatementPage& page = *read;
    ASSERT_EQ(page.lines.size(), 10u);
    EXPECT_EQ(page.lines.front().名称[0] + " " + std::to_string(lineSlot(page, 0)), "行2-6 5");
    EXPECT_NE(failureText(index.build(db.tables.db(), {"内訳出力_なし", "内訳名称ＩＤ", 7}))
                  .find("内訳出力_なし"),
              std::string::npos);
    // Rows that vanish under an open report: the failure shows.
    db.tables.exec("Drop Table 内訳出力;");
    QImage image(210, 297, QImage::Format_RGB32);
    QPainter painter(&image);
    EXPECT_NE(failureText(report->paintPage(painter, 12)).find("内訳出力"), std::string::npos);
}

// A row the engine cannot read (a value that overflows, on row 20 of 30) fails the read
// where it stands: never a shorter statement, nor a page with fewer lines.
TEST_F(PageIndexTest, ARowThatCannotBeReadFailsTheReadNotShortensIt) {
    db.addPages(7, 2);
    db.tables.exec(
        "CREATE VIEW 壊れ内訳出力 AS SELECT * FROM 内訳出力 WHERE CASE WHEN 内訳出力ＩＤ = 20 "
        "THEN abs(-9223372036854775807 - 内訳出力ＩＤ / 20) ELSE 1 END;");
    const RowSelection broken{"壊れ内訳出力", "内訳名称ＩＤ", 7};
    std::vector<StatementLine> rows;
    EXPECT_EQ(failureText(readReportRows(db.tables.db(), broken.sql(), rows, statementLineFields)),
              "the report's rows stop part-way (integer overflow)");
    StatementPageIndex index;
    EXPECT_EQ(failureText(index.build(db.tables.db(), broken)),
              "the report's rows stop part-way (integer overflow)");
}

}  // namespace
}  // namespace omrix::reports
