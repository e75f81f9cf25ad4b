#include <gtest/gtest.h>

#include <map>

#include "reports/documents/daika_data.h"
#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using omrix::testing::pdfPages;
using omrix::testing::pdfText;
using omrix::testing::withoutBlanks;
using util::Currency;

DaikaLine line(int32_t id, int32_t parent, int32_t no, int16_t kind = 8) {
    DaikaLine l;
    l.内訳名称ＩＤ = 1;
    l.内訳ＩＤ = id;
    l.親内訳ＩＤ = parent;
    l.表示No = no;
    l.種別フラグ = kind;
    l.名称[0] = "L" + std::to_string(id);
    return l;
}

DaikaHeader header(int32_t owner, int32_t id) {
    DaikaHeader h;
    h.内訳名称ＩＤ = 1;
    h.代価表ＩＤ = id;
    h.内訳ＩＤ = owner;
    return h;
}

TEST(DaikaTables, OwnersInStatementOrderWithTheirLowerLines) {
    // 1 ─ 2 (owner, 表示No 2) ─ 5, 6 (unused), 7
    //   └ 3 (owner, 表示No 1) ─ 4
    std::vector<DaikaLine> lines{line(1, 0, 1, 1), line(2, 1, 2), line(3, 1, 1),
                                 line(4, 3, 1),    line(5, 2, 2), line(6, 2, 1, 8 | kUnusedLine),
                                 line(7, 2, 1)};
    lines[4].金額[4] = Currency::fromRaw(10000 * 300);
    lines[6].金額[1] = Currency::fromRaw(10000 * 45);  // only 見積２ priced
    auto tables = buildDaikaTables({header(2, 20), header(3, 30), header(99, 40)}, lines);
    ASSERT_EQ(tables.size(), 3u);
    EXPECT_EQ(tables[0].owner.内訳ＩＤ, 3);
    EXPECT_EQ(tables[1].owner.内訳ＩＤ, 2);
    ASSERT_EQ(tables[1].lines.size(), 2u);
    EXPECT_EQ(tables[1].lines[0].内訳ＩＤ, 7);  // 表示No 1 before 2; unused 6 left out
    EXPECT_EQ(tables[1].lines[1].内訳ＩＤ, 5);
    EXPECT_EQ(tables[1].linesTotal, Currency::fromRaw(10000 * 345));
    EXPECT_EQ(tables[2].header.代価表ＩＤ, 40);  // owner missing: last, empty
    EXPECT_TRUE(tables[2].lines.empty());
    EXPECT_EQ(pricedColumn(lines[6]), 1);
    EXPECT_EQ(pricedColumn(lines[0]), -1);

    // A cycle in bad data neither loops nor loses the tables.
    std::vector<DaikaLine> cyclic{line(1, 2, 1), line(2, 1, 1)};
    EXPECT_EQ(buildDaikaTables({header(1, 1)}, cyclic).size(), 1u);
}

TEST(DaikaTables, LongTablesContinueAndTotalsStayWhole) {
    const DaikaGeometry& g = daikaGeometry();
    const double body = 120;  // room for the opening and 12 rows
    auto table = [](std::size_t lines, bool rounding) {
        DaikaTable t;
        t.lines.resize(lines);
        t.header.端数金額 = Currency::fromRaw(rounding ? -10000 : 0);
        return t;
    };
    std::vector<DaikaTable> tables{table(3, false), table(30, true), table(0, false)};
    auto pages = paginateDaika(tables, body, g);
    int totals = 0;
    std::map<std::size_t, std::size_t> next;  // table: the line its next part starts at
    for (const DaikaPage& page : pages) {
        double used = 0;
        for (std::size_t i = 0; i < page.size(); ++i) {
            const DaikaSegment& s = page[i];
            totals += s.totals ? 1 : 0;
            std::size_t rows = s.lineCount + (s.totals ? totalRows(tables[s.table]) : 0);
            used += (i > 0 ? g.gapMm : 0) + g.titleMm + g.headingMm + rows * g.rowMm;
            // The first part of a table opens it; the later ones go on where it stopped.
            EXPECT_EQ(s.continued, next.contains(s.table));
            EXPECT_EQ(s.firstLine, next[s.table]);
            next[s.table] += s.lineCount;
        }
        EXPECT_LE(used, body + 1e-9);
    }
    EXPECT_EQ(next[1], 30u);
    EXPECT_EQ(totals, 3);
    EXPECT_GE(pages.size(), 3u);
    EXPECT_TRUE(paginateDaika({}, body, g).size() == 1);
}

using DaikaReportTest = omrix::testing::ReportTest;

TEST_F(DaikaReportTest, OneTablePerOwnerWithQuantitiesPricesAndTotals) {
    // The owner's 名称１ at its full 64 bytes (32 full-width characters) prints whole
    // beside "12.500 t 当り", neither over the other.
    const std::string longName = "鉄筋加工組立あいうえおかきくけこさしすせそたちつてとなにぬねのは";
    db.addBreakdown(1, "00000001", "オムリクス本社ビル新築工事");
    db.tables.exec(
        "Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 親内訳ＩＤ, 種別フラグ, 表示No, 表示番号名称, "
        "名称１, "
        "仕様１, 単位名称, 内訳数量, 提出用単価, 提出用金額) Values "
        "(1, 1, 0, 2, 1, '1', '鉄筋工事', '', '式', 1, 0, 0),"
        "(1, 2, 1, 8, 1, '1-1', '" +
        longName +
        "', 'SD345 D22', 't', 12.5, 98000, 1225000),"
        "(1, 3, 2, 8, 1, '', '加工手間', '', 't', 12.5, 42000, 525000),"
        "(1, 4, 2, 8, 2, '', '組立手間', '', 't', 12.5, 56000, 700000),"
        "(1, 5, 2, 264, 3, '', '未使用の行', '', 't', 1, 1, 1);");
    db.tables.exec(
        "Insert Into 代価表 (内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ, 端数金額, 合計金額, モデル数量, "
        "換算単価) "
        "Values (1, 1, 2, -120, 1224880, 12.5, 97990.4);"
        "Insert Into 代価表 (削除区分, 内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ) Values ('1', 1, 2, 1);");
    // 加工手間 with 仕様１ and 仕様２ at their 66 bytes (33 full-width characters).
    const std::string spec1 = "加工場にて切断曲げ加工" + longName.substr(18, 22 * 3);
    const std::string spec2 = "現場搬入後に組立結束" + longName.substr(18, 23 * 3);
    db.tables.exec("Update 内訳 Set 仕様１ = '" + spec1 + "', 仕様２ = '" + spec2 +
                   "' Where 内訳ＩＤ = 3;");
    auto report = db.report("PRINT_DAIKA", "{代価表.内訳名称ＩＤ} = 1");
    std::string path = db.pdf(*report);
    EXPECT_EQ(pdfPages(path), 1);
    // No company on this design: no Author.
    EXPECT_EQ(omrix::testing::pdfTitleAuthorSubject(path), "代価表||オムリクス本社ビル新築工事");
    std::string compact = withoutBlanks(pdfText(path));
    SCOPED_TRACE(compact);
    for (const char* part :
         {"代価表", "オムリクス本社ビル新築工事", "No.1-1", longName.c_str(), "SD345D22",
          "12.500t当り", "加工手間", "組立手間", "42,000", "525,000", "700,000", "計", "1,225,000",
          "端数調整", "-120", "合計", "1,224,880", "97,990.4", "1/1"}) {
        EXPECT_NE(compact.find(withoutBlanks(part)), std::string::npos) << part;
    }
    const std::string raw = omrix::testing::pdfRawText(path);
    EXPECT_NE(raw.find(spec1 + spec2), std::string::npos) << raw;
    // In the workbook the 56 mm 仕様 column wraps each 33 characters of 3.0 mm (99 mm)
    // into at least 2 lines: a row of at least 4 × 3.0 = 12 mm, not the table's 8.2.
    const std::string book = db.folder.file("daika.xlsx");
    ASSERT_EQ(failureText(report->exportWorkbook(book)), "");
    int status = -1;
    const std::string cells = omrix::testing::workbookXml(book, "--cells", status);
    const auto cell = omrix::testing::workbookCell(cells, spec1 + "\\n" + spec2);
    EXPECT_GE(cell.heightPt, 12 * 72 / 25.4) << cells;
    EXPECT_EQ(cell.wraps, 1);
    EXPECT_EQ(compact.find("未使用の行"), std::string::npos);
    EXPECT_EQ(compact.find("鉄筋工事"), std::string::npos);  // its row was soft-deleted
    // One bookmark per table, titled as the table opens.
    EXPECT_EQ(omrix::testing::pdfOutline(path),
              std::vector<std::string>{"0|No.1-1　" + longName + "|1"});
}

}  // namespace
}  // namespace omrix::reports
