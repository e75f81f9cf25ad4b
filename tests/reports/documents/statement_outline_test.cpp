// The statement's PDF outline, on the rows the print run makes of a breakdown built by
// hand with three levels of headings, read back with qpdf --json.
#include <gtest/gtest.h>
#include <QPdfWriter>

#include <string>
#include <vector>

#include "reports/documents/statement_outline.h"
#include "reports/report_fixture.h"
#include "reports/three_level_breakdown.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using StatementOutlineTest = testing::ReportTest;

// "level|title|page", as testing::pdfOutline() reads a PDF's.
std::vector<std::string> outlineRows(const std::vector<OutlineEntry>& entries) {
    std::vector<std::string> rows;
    for (const OutlineEntry& e : entries)
        rows.push_back(std::to_string(e.level) + "|" + e.title + "|" + std::to_string(e.page));
    return rows;
}

TEST_F(StatementOutlineTest, ThreeLevelsOfHeadingsWorkedByHand) {
    // Three levels of headings, (1) 鉄筋 with 20 items so that its pages run on.
    const print::PrintRows rows = testing::writeThreeLevelBreakdown(db);

    // Pages, depth first: 1 本工事 建築 設備 · 2 建築 躯体 仕上 · 3 躯体 鉄筋 明細5 ·
    // 4 鉄筋 明細10–23 (15 lines) · 5 明細24–29 (鉄筋 runs on) · 6 仕上 明細30–31 ·
    // 7 設備 明細40–41. The main pages carry no bookmark of their own.
    ASSERT_EQ(rows.size(), 7u * 15u);
    const std::vector<std::string> expected{
        "0|Ⅰ 建築|2", "1|1 躯体|3", "2|(1) 鉄筋|4", "1|2 仕上|6", "0|Ⅱ 設備|7",
    };
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_TRUE(report);
    // Before painting, the outline is read from the rows; the PDF's is made from the
    // pages as they were read to be painted.
    ASSERT_EQ(failureText(report->load()), "");
    auto read = report->readOutline();
    ASSERT_TRUE(read) << read.failure().text();
    EXPECT_EQ(outlineRows(*read), expected);
    std::string pdf = db.pdf(*report);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(testing::pdfOutline(pdf), expected);
}

// The page groups as the builder finds them, on pages made by hand: a page whose first
// line repeats a line whose group has already been passed runs on, and a ditto mark on
// the parent's page still matches the heading's full name.
TEST(StatementOutlineBuilder, GroupsFoundFromTheirHeadings) {
    auto row = [](std::string number, std::string name) {
        StatementLine l;
        l.表示番号名称 = std::move(number);
        l.名称[0] = std::move(name);
        return l;
    };
    StatementOutlineBuilder b;
    auto page = [&b](const std::vector<StatementLine>& lines) {
        b.addPage(StatementOutlineBuilder::pageOf(lines));
    };
    page({row("", "本工事"), row("A", "甲"), row("B", "乙")});
    page({row("A", "甲"), row("1", "子"), row("2", "          〃     ")});
    page({row("1", "子"), row("x", "明細")});
    page({row("A", "甲")});  // runs on: A's group has been passed
    page({row("2", "子")});  // the ditto line's group
    page({row("B", "乙")});
    EXPECT_EQ(outlineRows(b.entries()),
              (std::vector<std::string>{"0|A 甲|2", "1|1 子|3", "1|2 子|5", "0|B 乙|6"}));
}

// The update goes only on a PDF it can read, and leaves any other file as it was.
TEST_F(StatementOutlineTest, UpdateOnlyOnAPdfItCanRead) {
    const DocumentInfo info{.title = "内訳書", .author = "株式会社'オ'", .subject = "外郭工事"};
    const std::string text = db.folder.file("notes.pdf");
    testing::writeBytes(text, "not a PDF\n");
    EXPECT_FALSE(appendPdfUpdate(text, info, {{"a", 1, 0}}));
    EXPECT_FALSE(appendPdfUpdate(text, info, {}));
    EXPECT_EQ(testing::readBytes(text), "not a PDF\n");
    EXPECT_FALSE(appendPdfUpdate(db.folder.file("missing.pdf"), info, {{"a", 1, 0}}));

    db.addBreakdown(7, "00000001", "外郭工事");
    db.addPages(7, 2);  // no headings: the PDF has no outline of its own
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    const std::string pdf = db.folder.file("plain.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));  // as Qt writes it, no update yet
        ASSERT_EQ(failureText(report->print(writer)), "");
    }
    const std::string written = testing::readBytes(pdf);
    // Titles in UTF-16 (a character beyond the BMP as its pair), a page past the end
    // pointing at the last one, a level jumping by two nesting by one.
    ASSERT_EQ(failureText(appendPdfUpdate(pdf, info, {{"外𠀋", 1, 0}, {"b", 9, 2}})), "");
    EXPECT_EQ(testing::readBytes(pdf).substr(0, written.size()), written);
    EXPECT_EQ(testing::pdfOutline(pdf), (std::vector<std::string>{"0|外𠀋|1", "1|b|2"}));
    EXPECT_EQ(testing::pdfInfoField(pdf, "Author"), "株式会社'オ'");
    EXPECT_EQ(testing::pdfInfoField(pdf, "Subject"), "外郭工事");
    EXPECT_EQ(testing::pdfPages(pdf), 2);
    // A file already updated is not ours to read again: refused, left whole.
    const std::string updated = testing::readBytes(pdf);
    EXPECT_FALSE(appendPdfUpdate(pdf, info, {{"c", 1, 0}}));
    EXPECT_EQ(testing::readBytes(pdf), updated);
}

}  // namespace
}  // namespace omrix::reports
