#include <gtest/gtest.h>

#include <tuple>

#include "breakdown/ucw_fixture.h"
#include "breakdown/ucw_tree.h"
#include "context/app_context.h"

namespace omrix::testing {
namespace {

using breakdown::UcwTree;

UchiwakeRec priced(UchiwakeRec rec, double quantity, int64_t price) {
    rec.内訳数量 = quantity;
    rec.見積１単価 = *util::Currency::fromUnits(price);
    rec.単位名称 = "m2";
    return rec;
}

// A work type with an item, a total heading holding two items, its total, and a
// last item.
std::shared_ptr<COmrixEditUcw> totalsTree() {
    return buildTree({line(1, 0, 0), line(2, 1, 1, 1), line(3, 2, 8, 1),
                      line(4, 2, kFlagGokeiMidasi, 2), line(5, 4, 8, 1), line(6, 4, 8, 2),
                      line(7, 2, kFlagGokei, 3), line(8, 2, 8, 4)});
}

std::vector<int32_t> editOrderFrom(COmrixEditUcw* line) {
    std::vector<int32_t> ids;
    for (; line != nullptr; line = line->fnGetEditNext()) ids.push_back(idOf(line));
    return ids;
}

std::vector<int32_t> editOrderBackFrom(COmrixEditUcw* line) {
    std::vector<int32_t> ids;
    for (; line != nullptr; line = line->fnGetEditPrev()) ids.push_back(idOf(line));
    return ids;
}

}  // namespace

TEST(EditUcwTraversal, TotalHeadingsAreWalkedThroughInPlace) {
    auto root = totalsTree();
    ASSERT_TRUE(root);
    // Through the total heading's lines to its next sibling; the unit's end ends the walk.
    EXPECT_EQ(editOrderFrom(byId(root, 3)), (std::vector<int32_t>{3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(editOrderBackFrom(byId(root, 8)), (std::vector<int32_t>{8, 7, 6, 5, 4, 3}));
    // An edit unit's children are not entered.
    EXPECT_EQ(byId(root, 2)->fnGetEditNext(), nullptr);
}

TEST(EditUcwTraversal, NestedTotalsDescendToTheirLastLine) {
    auto root = buildTree({line(1, 0, 0), line(2, 1, 1), line(3, 2, kFlagGokeiMidasi, 1),
                           line(4, 3, kFlagGokeiMidasi, 1), line(5, 4, 8, 1), line(6, 2, 8, 2)});
    ASSERT_TRUE(root);
    EXPECT_EQ(editOrderBackFrom(byId(root, 6)), (std::vector<int32_t>{6, 5, 4, 3}));
    EXPECT_EQ(idOf(byId(root, 5)->fnGetEditNext()), 6);
    // Edit children of the work type: its unit in editing order.
    COmrixEditUcw* work = byId(root, 2);
    EXPECT_EQ(work->fnGetEditChildCount(), 4);
    EXPECT_EQ(idOf(work->fnGetEditChild(3)), 5);
    EXPECT_EQ(work->fnGetEditChild(5), nullptr);
    EXPECT_EQ(byId(root, 5)->fnGetEditParent(), work);
    EXPECT_EQ(byId(root, 5)->fnGetEditLevel(), 2);  // work type and item are units, totals not
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
    EXPECT_EQ(c->fnGetIndex(), 4);

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
    EXPECT_FALSE(fnIsSafeSyubetuFlag(kFlagSyumoku | kFlagKamoku));
    EXPECT_FALSE(fnIsSafeSyubetuFlag(kFlagGokeiMidasi | kFlagGokei | kFlagMishiyou));
    EXPECT_TRUE(fnIsSafeSyubetuFlag(kFlagGokei | kFlagSyumoku));
}

TEST(EditUcwKinds, EditKindFollowsParentsAndTheEditMode) {
    auto root = totalsTree();
    ASSERT_TRUE(root);
    context::resetAppContext();
    EXPECT_EQ(byId(root, 1)->fnGetEditSyubetu(), 1);
    EXPECT_EQ(byId(root, 3)->fnGetEditSyubetu(), 512);
    EXPECT_EQ(byId(root, 4)->fnGetEditSyubetu(), 2);  // a total heading takes its parent's
    EXPECT_EQ(byId(root, 4)->fnGetItemSyubetu(), 1);
    EXPECT_EQ(byId(root, 5)->fnGetUchiwakeRecAttribute(), 8);
    context::appContext().EditMode = 4;
    EXPECT_EQ(byId(root, 1)->fnGetEditSyubetu(), 8);
    context::resetAppContext();

    auto tree = UcwTree::create();
    COmrixEditUcw* lone = tree->newLine(line(9, 0, kFlagGokei | kFlag512 | kFlagSyumoku));
    EXPECT_EQ(lone->fnGetEditSyubetu(),
              kFlag512 | kFlagSyumoku);  // no parent: the flag's own kind bits
}

TEST(EditUcwContent, EmptyLinesAreTrimmedAndTested) {
    auto blank = line(3, 2, 8, 1, "");
    blank.仕様１ = "   ";
    auto named = line(4, 2, 8, 2, "  名前");
    auto root = buildTree(
        {line(1, 0, 0), line(2, 1, 1, 1, ""), blank, named, line(5, 2, kFlagGokeiMidasi, 3, "")});
    ASSERT_TRUE(root);
    EXPECT_TRUE(byId(root, 3)->fnIsEmpty());
    EXPECT_FALSE(byId(root, 4)->fnIsEmpty());
    // Leading blanks are gone once a content test looked at the field.
    EXPECT_EQ(byId(root, 4)->prUchiwakeRec().名称１.trimmedRight(), "名前");
    // A line with lines below it is never empty; kinds without content never are.
    EXPECT_FALSE(byId(root, 2)->fnIsEmpty());
    EXPECT_FALSE(byId(root, 1)->fnIsEmpty());
    EXPECT_FALSE(byId(root, 5)->fnIsEmpty());
    EXPECT_FALSE(byId(root, 3)->fnIsNoSaveEmpty());  // the named line follows it

    auto quantity = line(6, 0, 8, 0, "");
    quantity.内訳数量 = 0.5;
    EXPECT_FALSE(UcwTree::create()->newLine(quantity)->fnIsEmpty());
}

TEST(EditUcwContent, ContinuationLinesCountUpAlongARun) {
    auto unused = line(8, 2, 8 | kFlagMishiyou, 7, "未使用");
    auto root = buildTree({line(1, 0, 0), line(2, 1, 1), priced(line(3, 2, 8, 1, "本体"), 2, 100),
                           line(4, 2, 8, 2, "続き１"), line(5, 2, 8, 3, "続き２"),
                           priced(line(6, 2, 8, 4, "別"), 1, 5), line(7, 2, 8, 5, "続き"), unused,
                           line(9, 2, 8, 8, "未使用の後"), line(10, 2, kFlagBesshi, 9, "別紙"),
                           line(11, 2, kFlagKeizoku, 10, "別紙の続き")});
    ASSERT_TRUE(root);
    auto number = [&](int32_t id) { return byId(root, id)->fnGetKeizokuNo(); };
    // 6 has a quantity, 8 is marked unused, 9 follows an unused line.
    std::vector<int32_t> numbers;
    for (int32_t id : {3, 4, 5, 6, 7, 8, 9, 11}) numbers.push_back(number(id));
    EXPECT_EQ(numbers, (std::vector<int32_t>{0, 1, 2, 0, 1, 0, 0, 1}));
    EXPECT_EQ(idOf(byId(root, 5)->fnGetKeizokuParent()), 3);
    // 名称２ blank: a continuation that is not calculated; kind 4096 never is.
    EXPECT_TRUE(byId(root, 4)->fnIsUnCalcKeizoku());
    EXPECT_TRUE(byId(root, 11)->fnIsUnCalcKeizoku());
    auto rec = byId(root, 4)->prUchiwakeRec();
    // A unit name makes a line its own.
    rec.単位名称 = "式";
    byId(root, 4)->prUchiwakeRec(rec);
    EXPECT_EQ(number(4), 0);
    EXPECT_EQ(number(5), 1);  // and the next run starts after it
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

TEST(EditUcwIds, TemporaryIdsBecomeRealOnesDownTheTree) {
    auto tree = UcwTree::create();
    COmrixEditUcw* parent = tree->newLine(line(10, 0, 1));
    auto fresh = line(-1, 10, 8);
    fresh.代価表.代価表ＩＤ = -2;
    COmrixEditUcw* child = tree->newLine(fresh);
    auto grandchild = line(-2, -1, 8);
    grandchild.継続親内訳ＩＤ = -1;
    COmrixEditUcw* below = tree->newLine(grandchild);
    parent->sbAddChild(child);
    child->sbAddChild(below);
    parent->sbAdjustID(true, 100, 50);
    EXPECT_EQ(parent->prUchiwakeRec().内訳ＩＤ, 10);
    EXPECT_EQ(child->prUchiwakeRec().代価表.代価表ＩＤ, 49);
    const UchiwakeRec& low = below->prUchiwakeRec();
    EXPECT_EQ(std::tuple(low.内訳ＩＤ, low.親内訳ＩＤ, low.継続親内訳ＩＤ), std::tuple(99, 100, 100));
}

}  // namespace omrix::testing
