// The statement's PDF outline, on the rows the print run makes of a breakdown built by
// hand with three levels of headings, read back with qpdf --json.
#include <QPdfWriter>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "breakdown/ucw_fixture.h"
#include "level_tree/level_tree_model.h"
#include "print/print_rows_generator.h"
#include "reports/documents/statement_outline.h"
#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using namespace breakdown;  // the kind flags
using testing::line;

UchiwakeRec numbered(int32_t id, int32_t parent, int16_t flag, int32_t no, std::string number,
                     std::string name) {
    UchiwakeRec rec = line(id, parent, flag, no, std::move(name));
    rec.表示番号名称 = number;
    return rec;
}

// `count` items below `parent`, IDs from `firstId`, each named 明細<id>.
void addItems(std::vector<UchiwakeRec>& lines, int32_t parent, int32_t firstId, int count) {
    for (int i = 0; i < count; ++i)
        lines.push_back(
            line(firstId + i, parent, kFlagMeisai, i + 1, "明細" + std::to_string(firstId + i)));
}

using StatementOutlineTest = testing::ReportTest;

TEST_F(StatementOutlineTest, ThreeLevelsOfHeadingsWorkedByHand) {
    // 本工事
    //   Ⅰ 建築 (種目)
    //     1 躯体 (科目)
    //       (1) 鉄筋 (科目): 20 items, so its pages run on over a second page
    //       明細5
    //     2 仕上 (科目): 2 items
    //   Ⅱ 設備 (種目): 2 items
    std::vector<UchiwakeRec> lines{
        numbered(1, 0, kFlagSyumoku, 1, "", "本工事"),
        numbered(2, 1, kFlagSyumoku, 1, "Ⅰ", "建築"),
        numbered(3, 2, kFlagKamoku, 1, "1", "躯体"),
        numbered(4, 3, kFlagKamoku, 1, "(1)", "鉄筋"),
        line(5, 3, kFlagMeisai, 2, "明細5"),
        numbered(6, 2, kFlagKamoku, 2, "2", "仕上"),
        numbered(7, 1, kFlagSyumoku, 2, "Ⅱ", "設備"),
    };
    addItems(lines, 4, 10, 20);
    addItems(lines, 6, 30, 2);
    addItems(lines, 7, 40, 2);
    auto root = testing::buildTree(std::move(lines));
    ASSERT_TRUE(root);
    level_tree::LevelTreeModel tree;
    tree.sbCreateTree(root.get(), 0);
    for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
    print::PrintOptionRec options;
    options.nPageStart = 1;
    options.nPageType = print::kPageTypeOnlyNum;
    options.nBesshiMode = print::kBesshiAndAll;
    ASSERT_TRUE(print::sbSetPrintType(options, "B5"));
    print::PrintRows rows;
    ASSERT_TRUE(
        print::createPrintRows({.root = root.get(), .uchiwakeNameId = 7}, options, rows, tree));

    db.addBreakdown(7, "00000001", "外郭工事");
    db.tables.exec("Begin;");
    for (const print::PrintRow& row : rows) db.tables.exec(print::BuildPrintRowInsert(row));
    db.tables.exec("Commit;");

    // Pages, depth first: 1 本工事 建築 設備 · 2 建築 躯体 仕上 · 3 躯体 鉄筋 明細5 ·
    // 4 鉄筋 明細10–23 (15 lines) · 5 明細24–29 (鉄筋 runs on) · 6 仕上 明細30–31 ·
    // 7 設備 明細40–41. The main pages carry no bookmark of their own.
    ASSERT_EQ(rows.size(), 7u * 15u);
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_TRUE(report);
    std::string pdf = db.pdf(*report);
    ASSERT_FALSE(pdf.empty());
    EXPECT_EQ(testing::pdfOutline(pdf), (std::vector<std::string>{
                                            "0|Ⅰ 建築|2",
                                            "1|1 躯体|3",
                                            "2|(1) 鉄筋|4",
                                            "1|2 仕上|6",
                                            "0|Ⅱ 設備|7",
                                        }));
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
    b.addPage({row("", "本工事"), row("A", "甲"), row("B", "乙")});
    b.addPage({row("A", "甲"), row("1", "子"), row("2", "          〃     ")});
    b.addPage({row("1", "子"), row("x", "明細")});
    b.addPage({row("A", "甲")});  // runs on: A's group has been passed
    b.addPage({row("2", "子")});  // the ditto line's group
    b.addPage({row("B", "乙")});
    std::vector<std::string> got;
    for (const OutlineEntry& e : b.entries())
        got.push_back(std::to_string(e.level) + "|" + e.title + "|" + std::to_string(e.page));
    EXPECT_EQ(got, (std::vector<std::string>{"0|A 甲|2", "1|1 子|3", "1|2 子|5", "0|B 乙|6"}));
}

// The update goes only on a PDF it can read, and leaves any other file as it was.
TEST_F(StatementOutlineTest, UpdateOnlyOnAPdfItCanRead) {
    std::string error;
    const DocumentInfo info{.title = "内訳書", .author = "株式会社'オ'", .subject = "外郭工事"};
    const std::string text = db.folder.file("notes.pdf");
    testing::writeBytes(text, "not a PDF\n");
    EXPECT_FALSE(appendPdfUpdate(text, info, {{"a", 1, 0}}, error));
    EXPECT_FALSE(appendPdfUpdate(text, info, {}, error));
    EXPECT_EQ(testing::readBytes(text), "not a PDF\n");
    EXPECT_FALSE(appendPdfUpdate(db.folder.file("missing.pdf"), info, {{"a", 1, 0}}, error));

    db.addBreakdown(7, "00000001", "外郭工事");
    db.addPages(7, 2);  // no headings: the PDF has no outline of its own
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    const std::string pdf = db.folder.file("plain.pdf");
    {
        QPdfWriter writer(QString::fromStdString(pdf));  // as Qt writes it, no update yet
        ASSERT_TRUE(report->print(writer)) << report->lastError();
    }
    const std::string written = testing::readBytes(pdf);
    // Titles in UTF-16 (a character beyond the BMP as its pair), a page past the end
    // pointing at the last one, a level jumping by two nesting by one.
    ASSERT_TRUE(appendPdfUpdate(pdf, info, {{"外𠀋", 1, 0}, {"b", 9, 2}}, error)) << error;
    EXPECT_EQ(testing::readBytes(pdf).substr(0, written.size()), written);
    EXPECT_EQ(testing::pdfOutline(pdf), (std::vector<std::string>{"0|外𠀋|1", "1|b|2"}));
    EXPECT_EQ(testing::pdfInfoField(pdf, "Author"), "株式会社'オ'");
    EXPECT_EQ(testing::pdfInfoField(pdf, "Subject"), "外郭工事");
    EXPECT_EQ(testing::pdfPages(pdf), 2);
    // A file already updated is not ours to read again: refused, left whole.
    const std::string updated = testing::readBytes(pdf);
    EXPECT_FALSE(appendPdfUpdate(pdf, info, {{"c", 1, 0}}, error));
    EXPECT_EQ(testing::readBytes(pdf), updated);
}

}  // namespace
}  // namespace omrix::reports
