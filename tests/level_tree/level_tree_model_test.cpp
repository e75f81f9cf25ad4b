#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "breakdown/ucw_fixture.h"
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

// The sample tree built into a model, in a fresh context. Its nodes, by tag: 1, 2, 3, 9,
// 11, 12, 13, 14 at indices 1 … 8.
class SampleTree : public ::testing::Test {
  protected:
    void SetUp() override {
        root = sampleTree();
        ASSERT_TRUE(root);
        m.sbCreateTree(root.get(), 0);
    }
    std::vector<int32_t> ticked() const {
        std::vector<int32_t> out;
        for (int32_t i = 1; i <= m.count(); ++i) {
            if (m.node(i).checked) out.push_back(i);
        }
        return out;
    }
    testing::FreshContext fresh;
    std::shared_ptr<breakdown::COmrixEditUcw> root;
    LevelTreeModel m;
};
using Ids = std::vector<int32_t>;

}  // namespace

TEST_F(SampleTree, HeadingsOnlyInLineOrderUnderTheirNearestShownAncestor) {
    // No nodes for items, totals, empty headings, continuations or kind 512; 科目 9 sits
    // below an item, so it hangs under 種目 2, after 科目 3.
    std::vector<std::string> tags, images;
    for (int32_t i = 1; i <= m.count(); ++i) {
        tags.push_back(m.node(i).tag);
        images.push_back(m.node(i).image);
    }
    EXPECT_EQ(tags, (std::vector<std::string>{"1", "2", "3", "9", "11", "12", "13", "14"}));
    EXPECT_EQ(images, (std::vector<std::string>{"見出し", "種目", "科目", "科目", "種目", "中科目",
                                                "別紙", "別紙"}));
    const struct {
        int32_t node, parent, next;
    } links[] = {{1, 0, 0}, {3, 2, 4}, {4, 2, 0}, {2, 1, 5}, {7, 6, 8}};
    for (auto l : links) {
        EXPECT_EQ(m.node(l.node).parent, l.parent) << l.node;
        EXPECT_EQ(m.node(l.node).next, l.next) << l.node;
    }
    EXPECT_EQ(m.selectedNode(), 1);
    EXPECT_EQ(m.currentNode(), 0);

    // The number padded to six bytes before the name; a locked line named and red.
    const std::pair<int32_t, const char*> texts[] = {
        {1, "工事費内訳書第1期"}, {2, "Ⅰ    建築工事"},       // 2 bytes + 4 blanks
        {3, "12    躯体"},        {4, "3     仕上(編集中)"},  // trimmed, then padded
        {5, "１２３４設備工事"},  {7, "      別紙A"}};        // 8 bytes: kept whole
    for (auto [node, text] : texts) EXPECT_EQ(m.node(node).text, text);
    EXPECT_EQ(m.node(4).foreColor, 0xFFu);
    EXPECT_EQ(m.node(3).foreColor, 0u);
}

TEST_F(SampleTree, TickingCarriesDownAndOneLevelCommandsStopAtChildren) {
    // Without a current node the menu commands do nothing; setChecked makes none current.
    m.setChecked(3, true);
    Ids changed;
    m.onCheckChanged = [&](int32_t i) { changed.push_back(i); };
    for (const LevelTreeCommand& command : levelTreeMenu()) (m.*command.run)();
    EXPECT_EQ(ticked(), Ids{3});
    EXPECT_TRUE(changed.empty());
    m.setChecked(3, false);
    changed.clear();

    // 種目 11 (5) > 中科目 12 (6) > 別紙 13 (7), 14 (8).
    m.Tv_Kaiso_NodeCheck(5, true);
    EXPECT_EQ(ticked(), (Ids{5, 6, 7, 8}));
    EXPECT_EQ(changed, (Ids{5, 6, 7, 8}));
    EXPECT_EQ(m.currentNode(), 5);
    EXPECT_EQ(m.selectedNode(), 5);
    // The node and its direct children cleared, the grandchildren left ticked.
    m.mnuPrintCheckOnly1KaisoFree_Click();
    EXPECT_EQ(ticked(), (Ids{7, 8}));
    // A click carries the present state: an unticked node clears its branch.
    changed.clear();
    m.Tv_Kaiso_NodeClick(6);
    EXPECT_EQ(ticked(), Ids{});
    EXPECT_EQ(changed, (Ids{7, 8}));
    EXPECT_EQ(m.currentNode(), 6);
    m.mnuPrintCheckOnly1Kaiso_Click();
    EXPECT_EQ(ticked(), (Ids{6, 7, 8}));
    m.Tv_Kaiso_NodeClick(1);
    m.mnuPrintCheckAllKaiso_Click();
    EXPECT_EQ(ticked(), (Ids{1, 2, 3, 4, 5, 6, 7, 8}));  // the locked 4 too
    m.Tv_Kaiso_NodeClick(2);
    m.mnuPrintCheckAllKaisoFree_Click();
    EXPECT_EQ(ticked(), (Ids{1, 5, 6, 7, 8}));

    // Clicked 2, then pointed at 5 (right-click or keyboard): the command clears 5 and
    // its children, leaves 2's branch alone and ticks nothing on the way.
    changed.clear();
    m.pointNode(5);
    EXPECT_TRUE(changed.empty());
    EXPECT_EQ(m.currentNode(), 5);
    EXPECT_EQ(m.selectedNode(), 5);
    m.mnuPrintCheckOnly1KaisoFree_Click();
    EXPECT_EQ(ticked(), (Ids{1, 7, 8}));
    m.pointNode(99);  // no such node: the current one stays
    EXPECT_EQ(m.currentNode(), 5);
}

// Pseudo tags are always ticked but are no choice; only the exact ones skip the search.
TEST_F(SampleTree, PseudoTagsAreAlwaysTickedButDoNotCountAsAChoice) {
    for (std::string_view tag : {"-1", "-2", "-3"}) EXPECT_EQ(m.fnGetPrintKaisoChecked(tag), -1);
    for (int32_t id : {-1, -2, -3}) EXPECT_TRUE(m.fnGetTreeUchiwakeChecked(id));
    EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
    EXPECT_EQ(m.fnGetPrintKaisoChecked(" -2"), 0);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("-4"), 0);
    EXPECT_EQ(m.fnGetTreeObject("-1"), nullptr);

    m.setChecked(3, true);
    EXPECT_EQ(m.fnGetPrintKaisoChecked(" 3 "), -1);
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(4));   // an item: no node
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(99));  // no such line
}

// Look-up by tag: the first node of a tag answers, whatever its copies say.
TEST_F(SampleTree, FirstNodeOfATagWins) {
    m.sbCreateTree(root.get(), 1);  // the same lines again below the first root
    ASSERT_EQ(m.count(), 16);
    ASSERT_EQ(m.node(11).tag, "3");
    EXPECT_EQ(m.fnGetTreeObject("3")->index, 3);
    m.setChecked(11, true);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("3"), 0);
    EXPECT_FALSE(m.fnGetTreeUchiwakeChecked(3));
    EXPECT_TRUE(m.fnCheckKaisoUchiwakeChecked());  // any node counts here
    m.setChecked(3, true);
    m.setChecked(11, false);
    EXPECT_EQ(m.fnGetPrintKaisoChecked("3"), -1);
    EXPECT_TRUE(m.fnGetTreeUchiwakeChecked(3));
    // Cleared, or built from no line: no nodes, nothing ticked, clicks go nowhere.
    for (bool rebuilt : {false, true}) {
        rebuilt ? m.sbCreateTree(nullptr, 0) : m.clear();
        EXPECT_EQ(m.count(), 0);
        EXPECT_EQ(m.fnGetTreeObject("1"), nullptr);
        m.Tv_Kaiso_NodeClick(1);
        m.mnuPrintCheckAllKaiso_Click();
        EXPECT_EQ(m.currentNode(), 0);
        EXPECT_FALSE(m.fnCheckKaisoUchiwakeChecked());
    }
}

}  // namespace omrix::level_tree
