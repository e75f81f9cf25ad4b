#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"
#include "context/fresh_context.h"
#include "level_tree/level_tree_model.h"

namespace omrix::level_tree {
namespace {

using testing::buildTree;
using testing::line;
using testing::UchiwakeRec;
using namespace breakdown;

UchiwakeRec heading(int32_t id, int32_t parent, int16_t flag, int32_t hyojiNo, std::string number,
                    std::string name2) {
    UchiwakeRec rec = line(id, parent, flag, hyojiNo, "名称" + std::to_string(id));
    rec.表示番号名称 = number;
    rec.名称２ = name2;
    return rec;
}

// 見出し 1
//   種目 2            科目 3 (12)        明細 4, 合計見出し 5 > 明細 6, 合計 7
//                     明細 8 (not usual) > 科目 9 (locked)
//   空の種目 10
//   種目 11           中科目 12 > 別紙 13, 別紙(本書とは別) 14 > 明細 15
//   continuation 16, kind 512 line 17
std::shared_ptr<breakdown::COmrixEditUcw> sampleTree() {
    UchiwakeRec root = line(1, 0, 0, 1, "本工事");
    root.名称２ = "工事費内訳書  ";
    root.仕様２ = "第1期  ";
    UchiwakeRec empty = line(10, 1, 1, 3, "");
    UchiwakeRec locked = heading(9, 8, 2, 1, "3", "仕上");
    locked.ロック = true;
    return buildTree(
        {root, heading(2, 1, 1, 1, "Ⅰ", "建築工事"), heading(3, 2, 2, 1, " 12 ", "躯体"),
         line(4, 3, 8, 1), line(5, 3, kFlagGokeiMidasi, 2), line(6, 5, 8, 1),
         line(7, 3, kFlagGokei, 3), line(8, 2, 8, 2), locked, empty,
         heading(11, 1, 1, 4, "１２３４", "設備工事"), heading(12, 11, 4, 1, "1", "給水"),
         heading(13, 12, kFlagBesshi, 1, "", "別紙A"),
         heading(14, 12, kFlagBesshi | kFlagBesshiApart, 2, "", "別紙B"), line(15, 14, 8, 1),
         line(16, 1, kFlagKeizoku | kFlagMeisai, 5), line(17, 1, kFlag512, 6)});
}

// The sample tree built into a model, in a fresh context.
class SampleTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root = sampleTree();
        ASSERT_TRUE(root);
        m.sbCreateTree(root.get(), 0);
    }
    testing::FreshContext fresh;
    std::shared_ptr<breakdown::COmrixEditUcw> root;
    LevelTreeModel m;
};
using LevelTreeBuild = SampleTree;
using LevelTreeChecks = SampleTree;
using LevelTreeQueries = SampleTree;

std::vector<std::string> tags(const LevelTreeModel& m) {
    std::vector<std::string> out;
    for (int32_t i = 1; i <= m.count(); ++i) out.push_back(m.node(i).tag);
    return out;
}

using Ids = std::vector<int32_t>;

Ids checkedIndices(const LevelTreeModel& m) {
    Ids out;
    for (int32_t i = 1; i <= m.count(); ++i) {
        if (m.node(i).checked) out.push_back(i);
    }
    return out;
}

int32_t indexOf(const LevelTreeModel& m, std::string_view tag) {
    const LevelNode* n = m.fnGetTreeObject(tag);
    return n != nullptr ? n->index : 0;
}

}  // namespace

TEST_F(LevelTreeBuild, HeadingsOnlyInLineOrderUnderTheirNearestShownAncestor) {
    // No nodes for items, totals, empty headings, continuations or kind 512.
    EXPECT_EQ(tags(m), (std::vector<std::string>{"1", "2", "3", "9", "11", "12", "13", "14"}));
    // 科目 9 sits below an item: it hangs under 種目 2, after 科目 3.
    EXPECT_EQ(m.node(indexOf(m, "9")).parent, indexOf(m, "2"));
    EXPECT_EQ(m.node(indexOf(m, "3")).next, indexOf(m, "9"));
    EXPECT_EQ(m.node(indexOf(m, "2")).next, indexOf(m, "11"));
    EXPECT_EQ(m.node(indexOf(m, "13")).parent, indexOf(m, "12"));
    EXPECT_EQ(m.node(1).parent, 0);
    EXPECT_EQ(m.selectedNode(), 1);
    EXPECT_EQ(m.currentNode(), 0);

    std::vector<std::string> images;
    for (int32_t i = 1; i <= m.count(); ++i) images.push_back(m.node(i).image);
    EXPECT_EQ(images, (std::vector<std::string>{"見出し", "種目", "科目", "科目", "種目", "中科目",
                                                "別紙", "別紙"}));
    // The number padded to six bytes before the name; a locked line named and red.
    EXPECT_EQ(m.node(indexOf(m, "1")).text, "工事費内訳書第1期");
    EXPECT_EQ(m.node(indexOf(m, "2")).text, "Ⅰ    建築工事");      // 2 bytes + 4 blanks
    EXPECT_EQ(m.node(indexOf(m, "3")).text, "12    躯体");         // trimmed, then padded
    EXPECT_EQ(m.node(indexOf(m, "9")).text, "3     仕上(編集中)");
    EXPECT_EQ(m.node(indexOf(m, "11")).text, "１２３４設備工事");  // 8 bytes: kept whole
    EXPECT_EQ(m.node(indexOf(m, "13")).text, "      別紙A");
    EXPECT_EQ(m.node(indexOf(m, "9")).foreColor, 0xFFu);
    EXPECT_EQ(m.node(indexOf(m, "3")).foreColor, 0u);
}

TEST(LevelTreeEmpty, NoLineNoNodesAndEmptyModelAnswersFalse) {
    LevelTreeModel m;
    m.sbCreateTree(nullptr, 0);
    EXPECT_EQ(m.count(), 0);
    EXPECT_EQ(m.fnGetTreeObject("1"), nullptr);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("1"), 0);
    m.Tv_Kaiso_NodeClick(1);
    m.Tv_Kaiso_NodeCheck(0, true);
    m.mnuPrintCheckAllKaiso_Click();
    EXPECT_EQ(m.currentNode(), 0);
    EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
}

TEST_F(LevelTreeChecks, TickingCarriesDownAndOneLevelCommandsStopAtChildren) {
    Ids changed;
    m.onCheckChanged = [&](int32_t i) { changed.push_back(i); };
    const int32_t s11 = indexOf(m, "11"), c12 = indexOf(m, "12"), b13 = indexOf(m, "13"),
                  b14 = indexOf(m, "14");

    m.Tv_Kaiso_NodeCheck(s11, true);
    EXPECT_EQ(checkedIndices(m), (Ids{s11, c12, b13, b14}));
    EXPECT_EQ(changed, (Ids{s11, c12, b13, b14}));
    EXPECT_EQ(m.currentNode(), s11);
    EXPECT_EQ(m.selectedNode(), s11);

    // The node and its direct children cleared, the grandchildren left ticked.
    m.mnuPrintCheckOnly1KaisoFree_Click();
    EXPECT_EQ(checkedIndices(m), (Ids{b13, b14}));

    // A click carries the present state: an unticked node clears its branch.
    changed.clear();
    m.Tv_Kaiso_NodeClick(c12);
    EXPECT_EQ(checkedIndices(m), Ids{});
    EXPECT_EQ(changed, (Ids{b13, b14}));
    EXPECT_EQ(m.currentNode(), c12);

    m.mnuPrintCheckOnly1Kaiso_Click();
    EXPECT_EQ(checkedIndices(m), (Ids{c12, b13, b14}));
    m.Tv_Kaiso_NodeCheck(1, false);
    EXPECT_EQ(checkedIndices(m), Ids{});
    m.mnuPrintCheckAllKaiso_Click();
    EXPECT_EQ(static_cast<int32_t>(checkedIndices(m).size()), m.count());
    m.Tv_Kaiso_NodeClick(indexOf(m, "2"));
    m.mnuPrintCheckAllKaisoFree_Click();
    EXPECT_EQ(checkedIndices(m), (Ids{1, s11, c12, b13, b14}));

    // A ticked node clicked ticks its branch again.
    m.setChecked(b13, false);
    m.Tv_Kaiso_NodeClick(s11);
    EXPECT_TRUE(m.node(b13).checked);
}

TEST_F(LevelTreeChecks, MenuCommandsWithoutCurrentNodeDoNothing) {
    m.setChecked(3, true);
    int calls = 0;
    m.onCheckChanged = [&](int32_t) { ++calls; };
    for (const LevelTreeCommand& command : levelTreeMenu()) (m.*command.run)();
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(checkedIndices(m), Ids{3});
    // setChecked alone does not make a node current.
    EXPECT_EQ(m.currentNode(), 0);
}

TEST_F(LevelTreeQueries, PseudoTagsAreAlwaysTickedButDoNotCountAsAChoice) {
    for (std::string_view tag : {"-1", "-2", "-3"}) EXPECT_EQ(m.fnGetPrintKaisoChecked(tag), -1);
    for (int32_t id : {-1, -2, -3}) EXPECT_TRUE(m.fnGetTreeUchiwakeChecked(id));
    EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
    // Only the exact pseudo tags skip the search.
    EXPECT_EQ(m.fnGetPrintKaisoChecked(" -2"), 0);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("-4"), 0);
    EXPECT_EQ(m.fnGetTreeObject("-1"), nullptr);

    EXPECT_EQ(m.fnGetPrintKaisoChecked("3"), 0);
    m.setChecked(indexOf(m, "3"), true);
    EXPECT_TRUE(m.fnCheckKaisoUchiwakeChecked());
    EXPECT_EQ(m.fnGetPrintKaisoChecked(" 3 "), -1);
    EXPECT_TRUE(m.fnGetTreeUchiwakeChecked(3));
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(4));   // an item: no node
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(99));  // no such line
    EXPECT_EQ(m.fnGetTreeObject(" 14")->index, 8);
    m.setChecked(indexOf(m, "3"), false);
    EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
}

TEST_F(LevelTreeQueries, FirstNodeOfATagWins) {
    const int32_t first = m.count();
    // The same lines again below the first copy's root: every tag twice.
    m.sbCreateTree(root.get(), 1);
    ASSERT_EQ(m.count(), 2 * first);
    const int32_t copyOf3 = first + 3;
    ASSERT_EQ(m.node(copyOf3).tag, "3");
    EXPECT_EQ(m.fnGetTreeObject("3")->index, 3);

    m.setChecked(copyOf3, true);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("3"), 0);
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(3));
    EXPECT_TRUE(m.fnCheckKaisoUchiwakeChecked());  // any node counts here
    m.setChecked(3, true);
    m.setChecked(copyOf3, false);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("3"), -1);
    EXPECT_TRUE(m.fnGetTreeUchiwakeChecked(3));
    m.clear();
    EXPECT_EQ(m.count(), 0);
    EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
}

}  // namespace omrix::level_tree
