#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"
#include "context/fresh_context.h"
#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "print/print_rows_generator.h"

namespace omrix::print {
namespace {

using namespace breakdown;  // the kind flags
using level_tree::LevelTreeModel;
using testing::line;

UchiwakeRec item(int32_t id, int32_t parent, int32_t hyojiNo) {
    return line(id, parent, kFlagMeisai, hyojiNo, "明細" + std::to_string(id));
}

UchiwakeRec headingLine(int32_t id, int32_t parent, int16_t flag, int32_t hyojiNo, std::string name,
                        std::string pageName = {}) {
    UchiwakeRec rec = line(id, parent, flag, hyojiNo, std::move(name));
    rec.頁名称 = pageName;
    return rec;
}

// `count` items below `parent`, IDs from `firstId`.
void addItems(std::vector<UchiwakeRec>& lines, int32_t parent, int32_t firstId, int count) {
    for (int i = 0; i < count; ++i) lines.push_back(item(firstId + i, parent, i + 1));
}

class PrintRowsTest : public ::testing::Test {
  protected:
    testing::FreshContext fresh_;

    void SetUp() override {
        context::appContext().UchiwakeNameID = 7;
        context::appContext().Messages = sink;
        options.nPageStart = 1;
        options.nPageType = kPageTypeOnlyNum;
        options.nBesshiMode = kBesshiAndAll;
        ASSERT_TRUE(sbSetPrintType(options, "B5"));
    }
    void load(std::vector<UchiwakeRec> lines) {
        auto root = testing::buildTree(std::move(lines));
        ASSERT_TRUE(root);
        context::appContext().UchiwakeRoot = root;
        tree.clear();
        tree.sbCreateTree(root.get(), 0);
    }
    void tickAll() {
        for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
    }
    void tick(int32_t id, bool on = true) {
        const auto* node = tree.fnGetTreeObject(std::to_string(id));
        ASSERT_NE(node, nullptr) << id;
        tree.setChecked(node->index, on);
    }
    bool generate() { return fnCreatePrintRows(options, rows, tree); }

    // Per page: "頁番号/表示頁番号: names of its printed lines", every page checked
    // to hold lines 1..15 of one page with IDs in sequence.
    std::vector<std::string> pages() {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const PrintRow& r = rows[i];
            EXPECT_EQ(r.内訳出力ＩＤ, static_cast<int32_t>(i) + 1);
            EXPECT_EQ(r.内訳名称ＩＤ, 7);
            EXPECT_EQ(r.表示No, static_cast<int32_t>(i % 15) + 1) << "row " << i + 1;
            if (r.表示No == 1) {
                out.push_back(std::to_string(r.頁番号) + "/" + std::to_string(r.表示頁番号) + ":");
            } else {
                EXPECT_EQ(r.頁番号, rows[i - 1].頁番号);
                EXPECT_EQ(r.表示頁番号, rows[i - 1].表示頁番号);
            }
            if (!r.名称１.isBlank()) out.back() += " " + std::string(r.名称１.trimmedRight());
        }
        EXPECT_EQ(rows.size() % 15, 0u);
        return out;
    }

    std::shared_ptr<platform::RecordingSink> sink = std::make_shared<platform::RecordingSink>();
    LevelTreeModel tree;
    PrintOptionRec options;
    PrintRows rows;
};

using Pages = std::vector<std::string>;

// " 明細<first> … 明細<last>", the names addItems gives.
std::string itemNames(int first, int last) {
    std::string out;
    for (int id = first; id <= last; ++id) out += " 明細" + std::to_string(id);
    return out;
}

struct PagingCase {
    const char* what;
    std::vector<UchiwakeRec> lines;  // after the root, ID 1
    Pages pages;
    std::vector<int32_t> unticked = {};  // IDs cleared after ticking all
    int16_t pageStart = 1;
};

// Worked by hand. A page is closed right after its 15th line whenever any line of
// the walk follows, printed or not; the closing fill then adds a page of blanks.
// Headings ticked get pages of their own, depth first; unticked ones neither print
// nor get pages; a 中科目 is no print target even when ticked.
TEST_F(PrintRowsTest, MainAndSubStatementPagesWorkedByHand) {
    auto items = [](int32_t parent, int32_t firstId, int count) {
        std::vector<UchiwakeRec> out;
        addItems(out, parent, firstId, count);
        return out;
    };
    auto with = [](std::vector<UchiwakeRec> a, const std::vector<UchiwakeRec>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    const std::vector<UchiwakeRec> chuKamokuAndItemSheet{
        headingLine(2, 1, kFlagChuKamoku, 1, "中科目"), item(3, 2, 1),
        headingLine(4, 1, kFlagMeisai | kFlagBesshi, 2, "明細別紙"), item(5, 4, 1)};
    const std::vector<PagingCase> cases{
        {"the root alone is one page of the root and blanks", {}, {"1/1: 本工事"}},
        {"14 items fill the first page exactly",
         items(1, 2, 14),
         {"1/1: 本工事" + itemNames(2, 15)}},
        {"a 15th item opens page 2",
         items(1, 2, 15),
         {"1/1: 本工事" + itemNames(2, 15), "2/2: 明細16"}},
        {"an unticked heading after a full page gives a blank page",
         with(items(1, 2, 14), {headingLine(90, 1, kFlagSyumoku, 15, "外")}),
         {"1/1: 本工事" + itemNames(2, 15), "2/2:"},
         {90}},
        {"a heading's page full at its last line: no blank page",
         with({headingLine(2, 1, kFlagSyumoku, 1, "A")}, items(2, 10, 14)),
         {"1/1: 本工事 A", "2/2: A" + itemNames(10, 23)}},
        {"an empty total heading after a full heading page: a blank page, later pages one on",
         with(with({headingLine(2, 1, kFlagSyumoku, 1, "A")}, items(2, 10, 14)),
              {headingLine(80, 2, kFlagGokeiMidasi, 15, "見出し"),
               headingLine(3, 1, kFlagSyumoku, 2, "B")}),
         {"1/1: 本工事 A B", "2/2: A" + itemNames(10, 23), "3/3:", "4/4: B"}},
        {"an unticked 種目 is neither printed nor paged",
         {headingLine(2, 1, kFlagSyumoku, 1, "建築"), item(3, 2, 1),
          headingLine(4, 1, kFlagSyumoku, 2, "設備"), item(5, 4, 1)},
         {"1/1: 本工事 建築", "2/2: 建築 明細3"},
         {4}},
        {"sub-statement pages come depth first",
         {headingLine(2, 1, kFlagSyumoku, 1, "A"), headingLine(3, 2, kFlagKamoku, 1, "A1"),
          item(4, 3, 1), headingLine(5, 2, kFlagKamoku, 2, "A2"),
          headingLine(6, 5, kFlagKamoku, 1, "A2a"), headingLine(7, 1, kFlagSyumoku, 2, "B"),
          headingLine(8, 7, kFlagKamoku, 1, "B1")},
         {"1/1: 本工事 A B", "2/2: A A1 A2", "3/3: A1 明細4", "4/4: A2 A2a", "5/5: A2a",
          "6/6: B B1", "7/7: B1"}},
        {"a 中科目 is no print target; an item sheet asks the tree",
         chuKamokuAndItemSheet,
         {"1/1: 本工事 明細別紙", "2/2: 明細別紙 明細5"}},
        {"nothing ticked: the item sheet is skipped too", chuKamokuAndItemSheet, {"1/1: 本工事"},
         {1, 2, 4}},
        {"the first page number starts both counters, 0 too",
         {headingLine(2, 1, kFlagSyumoku, 1, "A")},
         {"0/0: 本工事 A", "1/1: A"},
         {},
         0},
    };
    for (const PagingCase& c : cases) {
        SCOPED_TRACE(c.what);
        load(with({line(1, 0, 0, 1, "本工事")}, c.lines));
        tickAll();
        for (int32_t id : c.unticked) tick(id, false);
        options.nPageStart = c.pageStart;
        ASSERT_TRUE(generate());
        EXPECT_EQ(pages(), c.pages);
        EXPECT_TRUE(sink->messages().empty());
    }
}

TEST_F(PrintRowsTest, TotalAboveTheFootMovesToLine14AndTotalsAt14Or15Stay) {
    // Root, five items, a total heading around one item, its total on line 8.
    std::vector<UchiwakeRec> lines{line(1, 0, 0, 1, "本工事")};
    addItems(lines, 1, 2, 5);
    lines.push_back(headingLine(7, 1, kFlagGokeiMidasi, 6, "小計見出し"));
    lines.push_back(item(8, 7, 1));
    lines.push_back(headingLine(9, 1, kFlagGokei, 7, "小計"));
    load(lines);
    ASSERT_TRUE(generate());
    ASSERT_EQ(rows.size(), 15u);
    EXPECT_TRUE(rows[7].名称１.isBlank());
    EXPECT_EQ(rows[7].種別フラグ, kFlagGokei);  // the flags stay with the line
    EXPECT_EQ(rows[13].名称１.trimmedRight(), "小計");
    EXPECT_EQ(rows[13].種別フラグ, 0);

    for (int itemsBefore : {12, 13}) {
        lines = {line(1, 0, 0, 1, "本工事")};
        addItems(lines, 1, 2, itemsBefore);
        lines.push_back(headingLine(100, 1, kFlagGokei, 99, "合計"));
        load(lines);
        ASSERT_TRUE(generate());
        const int onLine = itemsBefore + 2;
        EXPECT_EQ(rows[static_cast<std::size_t>(onLine - 1)].名称１.trimmedRight(), "合計")
            << "total on line " << onLine;
    }
}

TEST_F(PrintRowsTest, SheetsRestartOrContinueTheNumbering) {
    // 種目 A holds an item and a sheet printed apart with 20 items; 種目 B follows.
    std::vector<UchiwakeRec> lines{line(1, 0, 0, 1, "本工事"),
                                   headingLine(2, 1, kFlagSyumoku, 1, "A"), item(3, 2, 1),
                                   headingLine(4, 2, kFlagBesshi | kFlagBesshiApart, 2, "別紙")};
    addItems(lines, 4, 100, 20);
    lines.push_back(headingLine(5, 1, kFlagSyumoku, 2, "B"));
    load(lines);
    tickAll();
    auto firstLines = [&] {
        std::vector<std::string> out;
        for (const auto& p : pages()) out.push_back(p.substr(0, p.find(' ', p.find(':') + 2)));
        return out;
    };

    options.nBesshiPrint = kOptionOn;
    ASSERT_TRUE(generate());
    EXPECT_EQ(firstLines(),
              (Pages{"1/1: 本工事", "2/2: A", "3/1: 別紙", "4/2: 明細114", "5/3: B"}));

    options.nPageTsuban = kOptionOn;
    ASSERT_TRUE(generate());
    EXPECT_EQ(firstLines(),
              (Pages{"1/1: 本工事", "2/2: A", "3/3: 別紙", "4/4: 明細114", "5/5: B"}));

    // Sheets not printed: the line stays on A's page, the sheet gets no pages.
    options.nBesshiPrint = kOptionOff;
    ASSERT_TRUE(generate());
    EXPECT_EQ(pages(), (Pages{"1/1: 本工事 A B", "2/2: A 明細3 別紙", "3/3: B"}));

    // Only the sheets: numbered from 1, the physical pages from the first page number.
    options.nBesshiPrint = kOptionOn;
    options.nBesshiMode = kBesshiOnly;
    options.nPageStart = 5;
    options.nPageType = kPageTypeNames;
    ASSERT_TRUE(generate());
    EXPECT_EQ(firstLines(), (Pages{"5/1: 別紙", "6/2: 明細114"}));
    for (const PrintRow& r : rows) EXPECT_TRUE(r.頁名称.isBlank());
}

TEST_F(PrintRowsTest, SheetsOnlyCollectsThreeSectionsInOrder) {
    // Root sheet S1 (ticked); 種目 A with sheet S2 (ticked) and S3 (not ticked);
    // 科目 K below A holding sheet S4 (not ticked) with S5 inside, then S6.
    load({line(1, 0, 0, 1, "本工事"), headingLine(10, 1, kFlagBesshi | kFlagBesshiApart, 1, "S1"),
          headingLine(2, 1, kFlagSyumoku, 2, "A"),
          headingLine(20, 2, kFlagBesshi | kFlagBesshiApart, 1, "S2"),
          headingLine(21, 2, kFlagBesshi | kFlagBesshiApart, 2, "S3"),
          headingLine(3, 2, kFlagKamoku, 3, "K"),
          headingLine(30, 3, kFlagBesshi | kFlagBesshiApart, 1, "S4"),
          headingLine(31, 30, kFlagBesshi | kFlagBesshiApart, 1, "S5"),
          headingLine(32, 3, kFlagBesshi | kFlagBesshiApart, 2, "S6"),
          headingLine(33, 3, kFlagBesshi, 3, "plain")});
    tickAll();
    tick(21, false);
    tick(30, false);
    tick(31, false);
    options.nBesshiPrint = kOptionOn;
    options.nBesshiMode = kBesshiOnly;
    ASSERT_TRUE(generate());
    EXPECT_EQ(pages(), (Pages{"1/1: S1", "2/1: S2", "3/1: S4 S5", "4/1: S5", "5/1: S6"}));

    // Nothing to collect: a message, no rows.
    load({line(1, 0, 0, 1, "本工事"), headingLine(2, 1, kFlagSyumoku, 1, "A")});
    tickAll();
    EXPECT_FALSE(generate());
    EXPECT_TRUE(rows.empty());
    ASSERT_EQ(sink->messages().size(), 1u);
    EXPECT_EQ(
        sink->messages()[0].title + "|" + sink->messages()[0].text,
        "内訳出力|"
        "内訳が取得できませんでした\r\n出力する内訳、または印刷オプションを選択しなおしてください");
}

TEST_F(PrintRowsTest, PageNamesFollowTheirLinesOnlyWhenAsked) {
    load({headingLine(1, 0, 0, 1, "本工事", "本"), headingLine(2, 1, kFlagSyumoku, 1, "A", "建築"),
          item(3, 2, 1)});
    tickAll();
    ASSERT_TRUE(generate());
    for (const PrintRow& r : rows) EXPECT_TRUE(r.頁名称.isBlank());
    options.nPageType = kPageTypeNames;
    ASSERT_TRUE(generate());
    // The root line none, a line its own, blanks the last line's, sub-pages the root's.
    std::vector<std::string> names;
    for (std::size_t i : {0, 1, 14, 15, 29}) names.emplace_back(rows[i].頁名称.trimmedRight());
    EXPECT_EQ(names, (std::vector<std::string>{"", "建築", "建築", "本", "本"}));
}

TEST_F(PrintRowsTest, DittoMarkNeverOnAPagesFirstLine) {
    std::vector<UchiwakeRec> lines{line(1, 0, 0, 1, "本工事")};
    for (int i = 0; i < 16; ++i) lines.push_back(line(2 + i, 1, kFlagMeisai, i + 1, "型枠"));
    load(lines);
    options.nChofukuShoryaku = kOptionOn;
    ASSERT_TRUE(generate());
    ASSERT_EQ(rows.size(), 30u);
    const std::string ditto = "          〃     ";
    EXPECT_EQ(rows[1].名称１.trimmedRight(), "型枠");  // below the root's name
    EXPECT_EQ(rows[14].名称１.str().substr(0, ditto.size()), ditto);
    EXPECT_EQ(rows[15].名称１.trimmedRight(), "型枠");  // page 2, line 1
    EXPECT_EQ(rows[16].名称１.str().substr(0, ditto.size()), ditto);
}

}  // namespace
}  // namespace omrix::print
