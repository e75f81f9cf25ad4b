#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "breakdown/tree/hyoji_sort.h"
#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"
#include "platform/messages.h"

namespace omrix::testing {
namespace {

using breakdown::fnBuildUchiwakeTree;
using breakdown::sbSortUchiwakeByHyojiNo;

bool builds(std::vector<UchiwakeRec> lines) {
    auto rows = rowsOf(std::move(lines));
    std::shared_ptr<COmrixEditUcw> root;
    bool ok = fnBuildUchiwakeTree(rows, root, 0);
    EXPECT_EQ(ok, root != nullptr);
    return ok;
}

// The message a failed build showed ("" when it built, "-" when it showed none).
std::string refusal(std::vector<UchiwakeRec> lines) {
    auto sink = std::make_shared<platform::RecordingSink>();
    context::appContext().Messages = sink;
    const bool ok = builds(std::move(lines));
    context::appContext().Messages.reset();
    if (ok) return "";
    return sink->messages().empty() ? "-" : sink->messages()[0].text;
}

std::vector<int32_t> sortedIds(std::vector<std::pair<int32_t, int32_t>> idAndHyoji) {
    std::vector<UchiwakeRec> level(1);
    for (auto [id, no] : idAndHyoji) level.push_back(line(id, 0, 8, no));
    sbSortUchiwakeByHyojiNo(level, 1, -1);
    std::vector<int32_t> ids;
    for (std::size_t k = 1; k < level.size(); ++k) ids.push_back(level[k].内訳ＩＤ);
    return ids;
}

}  // namespace

TEST(UchiwakeSort, EqualKeysComeOutInThePartitionOrder) {
    // Worked by hand through the partitioning.
    EXPECT_EQ(sortedIds({{1, 5}, {2, 5}, {3, 5}}), (std::vector<int32_t>{3, 2, 1}));
    EXPECT_EQ(sortedIds({{1, 5}, {2, 5}, {3, 5}, {4, 5}}), (std::vector<int32_t>{3, 4, 1, 2}));
    EXPECT_EQ(sortedIds({{1, 2}, {2, 1}, {3, 2}, {4, 1}}), (std::vector<int32_t>{4, 2, 1, 3}));
    EXPECT_EQ(sortedIds({}), (std::vector<int32_t>{}));
}

TEST(UchiwakeBuild, LinksChildrenAndTopLinesInDisplayOrderBothWays) {
    auto root = buildTree({line(1, 0, 0), line(2, 1, 1, 30), line(3, 1, 1, 10), line(4, 1, 1, 20),
                           line(5, 3, 8, 1), line(6, 3, 8, 2)});
    ASSERT_TRUE(root);
    EXPECT_EQ(chainIds(root->fnGetTopChild()), (std::vector<int32_t>{3, 4, 2}));
    COmrixEditUcw* three = byId(root, 3);
    EXPECT_EQ(chainIds(three->fnGetTopChild()), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(three->fnGetTopChild()->fnGetParent(), three);
    EXPECT_EQ(byId(root, 4)->fnGetPrev(), three);
    EXPECT_EQ(byId(root, 6)->fnGetLevel(), 3);
    // Work flags are cleared on the lines of a finished tree.
    EXPECT_FALSE(byId(root, 6)->prUchiwakeRec().配置済);

    // Several top lines chain from the root in display order, without a parent.
    root = buildTree({line(1, 0, 0, 2), line(2, 0, 0, 1)});
    ASSERT_TRUE(root);
    EXPECT_EQ(chainIds(root.get()), (std::vector<int32_t>{2, 1}));
    EXPECT_EQ(root->fnGetNext()->fnGetParent(), nullptr);
}

TEST(UchiwakeBuild, EveryBrokenShapeFailsTheWholeLoad) {
    // A parent that does not exist, named with its line.
    EXPECT_EQ(
        refusal({line(1, 0, 0), line(2, 1, 1), line(3, 99, 8)}),
        "the breakdown cannot be built: 内訳ＩＤ 3の親内訳ＩＤ 99 is no line of the breakdown");
    // Two lines naming each other as parent are never reached from the top.
    EXPECT_EQ(refusal({line(1, 0, 0), line(2, 3, 8), line(3, 2, 8)}),
              "the breakdown cannot be built: the parent links of 内訳ＩＤ 2 form a cycle");
    // Two lines with one ID, with lines below it: those would be placed twice.
    EXPECT_FALSE(builds({line(1, 0, 0), line(2, 1, 1), line(2, 1, 1), line(3, 2, 8)}));
    // A duplicate ID without lines below is no failure: both lines are placed once.
    EXPECT_TRUE(builds({line(1, 0, 0), line(2, 1, 1), line(2, 1, 1)}));
    // A loop through a duplicate ID reachable from the top.
    EXPECT_FALSE(builds({line(1, 0, 0), line(2, 1, 1), line(1, 2, 8)}));
    // A line whose ID is 0 would take the top level again.
    EXPECT_FALSE(builds({line(1, 0, 0), line(0, 1, 8)}));
    // No lines, or none at the top.
    EXPECT_FALSE(builds({}));
    EXPECT_EQ(refusal({line(1, 5, 0), line(2, 1, 8)}),
              "the breakdown cannot be built: no line is at the top (親内訳ＩＤ 0); 内訳ＩＤ 1の"
              "親内訳ＩＤ 5 is no line of the breakdown");
    EXPECT_EQ(refusal({line(1, 2, 0), line(2, 1, 8)}),
              "the breakdown cannot be built: no line is at the top (親内訳ＩＤ 0); the parent "
              "links of 内訳ＩＤ 1 form a cycle");
}

TEST(UchiwakeBuild, TotalHeadingQuantityIsLimitedToOne) {
    auto withQuantity = [](UchiwakeRec rec, double quantity) {
        rec.内訳数量 = quantity;
        return rec;
    };
    auto root =
        buildTree({line(1, 0, 0), withQuantity(line(2, 1, kFlagGokeiMidasi), 3.0),
                   withQuantity(line(3, 1, kFlagGokeiMidasi | kFlagBesshi | kFlagSyumoku), 0.5),
                   withQuantity(line(4, 1, 8), 3.0)});
    ASSERT_TRUE(root);
    std::vector<double> quantities;
    for (int32_t id : {2, 3, 4}) quantities.push_back(byId(root, id)->prUchiwakeRec().内訳数量);
    EXPECT_EQ(quantities, (std::vector<double>{1.0, 0.5, 3.0}));
}

TEST(UchiwakeBuild, RowsBecomeTheLinesAndSurviveTheCaller) {
    auto rows = rowsOf({line(1, 0, 0), line(2, 1, 8, 0, "名称")});
    std::shared_ptr<COmrixEditUcw> root;
    ASSERT_TRUE(fnBuildUchiwakeTree(rows, root, 0));
    EXPECT_TRUE(rows.empty());
    std::weak_ptr<COmrixEditUcw> weak = root;
    std::shared_ptr<COmrixEditUcw> held = root->fnGetTopChild()->share();
    root.reset();
    // The handle on the child keeps the whole tree.
    EXPECT_EQ(held->prUchiwakeRec().名称１.trimmedRight(), "名称");
    EXPECT_EQ(idOf(held->fnGetParent()), 1);
    held.reset();
    EXPECT_TRUE(weak.expired());
}

TEST(UchiwakeBuild, DeepAndWideTreesNeedNoDeepStack) {
    std::vector<UchiwakeRec> lines;
    constexpr int kDepth = 20000;
    lines.push_back(line(1, 0, 0));
    for (int id = 2; id <= kDepth; ++id) lines.push_back(line(id, id - 1, 2));
    auto root = buildTree(std::move(lines));
    ASSERT_TRUE(root);
    COmrixEditUcw* deepest = byId(root, kDepth);
    EXPECT_EQ(deepest->fnGetLevel(), kDepth);
    std::vector<records::BukkenHensuRec> noVariables;
    root->sbMoneyReCalc(noVariables);
    EXPECT_EQ(idOf(root->fnGetLastChild()), 2);
}

}  // namespace omrix::testing
