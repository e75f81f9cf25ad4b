#include <gtest/gtest.h>

#include "breakdown/tree/ucw_tree.h"
#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"

namespace omrix::testing {
namespace {

using breakdown::UcwTree;

// A work type with an item, a total heading holding two items, its total, and a
// last item.
std::shared_ptr<COmrixEditUcw> totalsTree() {
    return buildTree({line(1, 0, 0), line(2, 1, 1, 1), line(3, 2, 8, 1),
                      line(4, 2, kFlagGokeiMidasi, 2), line(5, 4, 8, 1), line(6, 4, 8, 2),
                      line(7, 2, kFlagGokei, 3), line(8, 2, 8, 4)});
}

std::vector<int32_t> editOrderFrom(COmrixEditUcw* line, bool back = false) {
    std::vector<int32_t> ids;
    for (; line != nullptr; line = back ? line->fnGetEditPrev() : line->fnGetEditNext())
        ids.push_back(idOf(line));
    return ids;
}

}  // namespace

TEST(EditUcwTraversal, TotalHeadingsAreWalkedThroughInPlaceNestedOnesToTheirLastLine) {
    auto root = totalsTree();
    ASSERT_TRUE(root);
    // Through the total heading's lines to its next sibling; the unit's end ends the walk.
    EXPECT_EQ(editOrderFrom(byId(root, 3)), (std::vector<int32_t>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(editOrderFrom(byId(root, 8), true), (std::vector<int32_t>{8, 7, 6, 5, 4, 3}));
    // An edit unit's children are not entered.
    EXPECT_EQ(byId(root, 2)->fnGetEditNext(), nullptr);

    // Nested total headings: back into them down to their last line.
    root = buildTree({line(1, 0, 0), line(2, 1, 1), line(3, 2, kFlagGokeiMidasi, 1),
                      line(4, 3, kFlagGokeiMidasi, 1), line(5, 4, 8, 1), line(6, 2, 8, 2)});
    ASSERT_TRUE(root);
    EXPECT_EQ(editOrderFrom(byId(root, 6), true), (std::vector<int32_t>{6, 5, 4, 3}));
    EXPECT_EQ(idOf(byId(root, 5)->fnGetEditNext()), 6);
}

TEST(EditUcwLinks, InsertAndDetachKeepBothDirections) {
    auto tree = UcwTree::create();
    COmrixEditUcw* parent = tree->newLine(line(1, 0, 1));
    COmrixEditUcw* a = tree->newLine(line(2, 0, 8));
    COmrixEditUcw* b = tree->newLine(line(3, 0, 8));
    COmrixEditUcw* c = tree->newLine(line(4, 0, 8));
    parent->sbAddChild(a);
    parent->sbAddChild(c);
    parent->sbAddChild(b, 1);  // after the first child
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{2, 3, 4}));
    COmrixEditUcw* d = tree->newLine(line(5, 0, 8));
    parent->sbAddChild(d, 1, true);  // before the first child: the new top child
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{5, 2, 3, 4}));

    b->sbIsolate();
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{5, 2, 4}));
    EXPECT_EQ(c->fnGetPrev(), a);
    d->sbIsolate();  // the top child
    EXPECT_EQ(parent->fnGetTopChild(), a);
    EXPECT_EQ(a->fnGetPrev(), nullptr);

    // Moving a line that already sits in the chain.
    a->sbSetNext(c);
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{2, 4}));
    c->sbSetNext(c);  // onto itself: nothing happens
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{2, 4}));
    b->sbSetParent(parent, 2);
    EXPECT_EQ(chainIds(parent->fnGetTopChild()), (std::vector<int32_t>{2, 4, 3}));
    EXPECT_EQ(parent->fnGetLastChild(), b);
}

TEST(EditUcwKinds, MajorKindFollowsTheBitOrder) {
    using namespace breakdown;
    struct Case {
        const char* what;
        int16_t flag;
        int16_t kind;
    };
    const Case cases[] = {
        {"total heading before 種目", kFlagGokeiMidasi | kFlagSyumoku, kSyubetuGokeiMidasi},
        {"total before line item", kFlagGokei | kFlagMeisai, kSyubetuGokei},
        {"中科目 before 種目", kFlagChuKamoku | kFlagSyumoku, kSyubetuChuKamoku},
        {"sheet printed apart", kFlagBesshiApart, kSyubetuBesshi},
        {"種目 before 512", kFlagSyumoku | kFlag512, kSyubetuSyumoku},
        {"512 before continuation", kFlag512 | kFlagKeizoku, kSyubetu512},
        {"heading", 0, kSyubetuMidasi},
        {"unused bit alone", kFlagMishiyou, kSyubetuMeisai},
    };
    for (const Case& c : cases) EXPECT_EQ(fnMajorSyubetu(c.flag), c.kind) << c.what;
}

TEST(EditUcwContent, EmptyLinesAreTrimmedAndTested) {
    auto blank = line(3, 2, 8, 1, "");
    blank.仕様１ = "   ";
    auto named = line(4, 2, 8, 2, "  名前");
    auto root = buildTree(
        {line(1, 0, 0), line(2, 1, 1, 1, ""), blank, named, line(5, 2, kFlagGokeiMidasi, 3, "")});
    ASSERT_TRUE(root);
    // A line with lines below it is never empty (2); kinds without content never are (1, 5).
    std::vector<bool> empty;
    for (int32_t id = 1; id <= 5; ++id) empty.push_back(byId(root, id)->fnIsEmpty());
    EXPECT_EQ(empty, (std::vector<bool>{false, false, true, false, false}));
    // Leading blanks are gone once a content test looked at the field.
    EXPECT_EQ(byId(root, 4)->prUchiwakeRec().名称１.trimmedRight(), "名前");

    auto quantity = line(6, 0, 8, 0, "");
    quantity.内訳数量 = 0.5;
    EXPECT_FALSE(UcwTree::create()->newLine(quantity)->fnIsEmpty());
}

TEST(EditUcwSearch, FindsBelowButNeverBeside) {
    auto root = totalsTree();
    ASSERT_TRUE(root);
    EXPECT_EQ(byId(root, 2)->fnGetIDTarget(2, false), nullptr);
    EXPECT_EQ(byId(root, 3)->fnGetIDTarget(8, true), nullptr);  // a sibling
    bool exist = false;
    byId(root, 4)->sbSearchSyuBetu(kFlagGokei, exist);
    EXPECT_FALSE(exist);  // the total is beside the heading, not below it
    root->sbSearchSyuBetu(kFlagGokei, exist);
    EXPECT_TRUE(exist);
}

}  // namespace omrix::testing
