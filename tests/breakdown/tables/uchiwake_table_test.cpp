#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "breakdown/tables/omrix_dbt_daikahyo.h"
#include "breakdown/tables/omrix_dbt_uchiwake.h"
#include "breakdown/tables/progress_bar.h"
#include "breakdown/ucw_fixture.h"
#include "context/app_context.h"
#include "data/table_database.h"

namespace omrix::testing {
namespace {

using namespace breakdown;
void insertLine(TableDatabase& t, int32_t nameId, int32_t id, int32_t parent, int flag,
                int32_t hyojiNo, std::string_view deleted = "0", int32_t staff = 0) {
    t.exec(
        "Insert Into 内訳 (削除区分, 内訳名称ＩＤ, 内訳ＩＤ, 親内訳ＩＤ, 種別フラグ, 表示No, "
        "他社担当者ＭＩＤ, 名称１) Values ('" +
        std::string(deleted) + "', " + std::to_string(nameId) + ", " + std::to_string(id) + ", " +
        std::to_string(parent) + ", " + std::to_string(flag) + ", " + std::to_string(hyojiNo) +
        ", " + std::to_string(staff) + ", 'line " + std::to_string(id) + "');");
}

// Live lines of breakdown `nameId`, each {内訳ＩＤ, 親内訳ＩＤ, 種別フラグ, 表示No}.
void insertLines(TableDatabase& t, int32_t nameId,
                 std::initializer_list<std::array<int32_t, 4>> lines) {
    for (const auto& l : lines) insertLine(t, nameId, l[0], l[1], l[2], l[3]);
}

void lockLine(TableDatabase& t, int32_t nameId, int32_t id) {
    t.exec(
        "Insert Into 排他管理 (ＫＥＹテーブル名称２, ＫＥＹＩＤ２, テーブル名称, ロックＩＤ番号) "
        "Values ('内訳名称', " +
        std::to_string(nameId) + ", '内訳', " + std::to_string(id) + ");");
}

std::vector<int32_t> idsOf(const UchiwakeRows& rows) {
    std::vector<int32_t> ids;
    for (std::size_t i = 1; i < rows.size(); ++i) ids.push_back(rows[i].内訳ＩＤ);
    return ids;
}

// Lines of breakdown 7 shared by the read tests; line 5 is deleted, line 9 belongs
// to another breakdown.
void fillBreakdown(TableDatabase& t) {
    insertLine(t, 7, 1, 0, 0, 0);
    insertLine(t, 7, 2, 1, 1, 2);
    insertLine(t, 7, 3, 1, 8, 1, "0", 33);
    insertLine(t, 7, 4, 1, 2, 1);
    insertLine(t, 7, 5, 1, 8, 3, "1");
    insertLine(t, 8, 9, 0, 0, 0);
    t.exec(
        "Insert Into 代価表 (内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ, 端数金額, 合計金額, モデル数量, "
        "換算単価) "
        "Values (7, 11, 3, 1.5, 1000, 2.5, 400.1234);");
    lockLine(t, 7, 2);
    lockLine(t, 8, 3);  // another breakdown's lock: no mark on line 3 of breakdown 7
    t.exec("Insert Into 他社担当者Ｍ (他社担当者ＭＩＤ, 他社ＣＤ) Values (33, 'T001  ');");
}

using UchiwakeTable = TablesTest;
using UchiwakeLoad = TablesTest;

}  // namespace

TEST_F(UchiwakeTable, SelectReadsLiveLinesWithLocksPriceTablesAndStaff) {
    fillBreakdown(t);
    UchiwakeRows rows;
    ProgressBar bar;
    ASSERT_TRUE(fnOmrix_DBT_Uchiwake_Select201(rows, 7, true, &bar));
    // The bar counts the deleted line too, so it stops one short and is hidden.
    EXPECT_EQ(std::tuple(bar.maximum(), bar.value(), bar.visible()), std::tuple(5, 4, false));
    // 表示No, then 種別フラグ within equal 表示No.
    EXPECT_EQ(idsOf(rows), (std::vector<int32_t>{1, 4, 3, 2}));
    const UchiwakeRec& item = rows[3];
    const DaikahyoRec& d = item.代価表;
    EXPECT_EQ(
        std::tuple(d.代価表ＩＤ, d.内訳名称ＩＤ, d.内訳ＩＤ, d.端数金額, d.換算単価, d.モデル数量),
        std::tuple(11, 7, 3, money("1.5"), money("400.1234"), 2.5));
    EXPECT_EQ(item.他社担当者名, "T001");
    EXPECT_FALSE(item.ロック);
    EXPECT_TRUE(rows[4].ロック);
    EXPECT_EQ(rows[2].代価表.代価表ＩＤ, 0);  // no 代価表 row: cleared

    ASSERT_TRUE(fnOmrix_DBT_Uchiwake_Select201(rows, 7, false));
    EXPECT_EQ(rows[3].代価表.代価表ＩＤ, 0);

    EXPECT_EQ(fnOmrix_DBT_Uchiwake_Count(7), 5);  // the deleted line counts
}

// A stored value a Currency cannot hold stops the read with the overflow message,
// text that is no number with "not a number", each naming table, column and line:
// the statement must never print it as 0.
TEST(UchiwakeRead, StoredValuesBeyondCurrencyStopTheReadByName) {
    struct Case {
        const char* update;
        const char* shown;  // the message; empty: the read goes through
    };
    const Case cases[] = {
        {"Update 内訳 Set 見積１単価 = 1e20 Where 内訳ＩＤ = 3",
         "オーバーフローしました。（内訳の見積１単価、内訳ＩＤ 3）"},
        {"Update 内訳 Set 提出用金額 = 'abc' Where 内訳ＩＤ = 4",
         "not a number（内訳の提出用金額、内訳ＩＤ 4）"},
        {"Update 内訳 Set 内訳数量 = -1e16 Where 内訳ＩＤ = 2",
         "オーバーフローしました。（内訳の内訳数量、内訳ＩＤ 2）"},
        {"Update 代価表 Set 合計金額 = '1,000円' Where 内訳ＩＤ = 3",
         "not a number（代価表の合計金額、内訳ＩＤ 3）"},
        {"Update 代価表 Set 合計金額 = '1e30' Where 内訳ＩＤ = 3",
         "オーバーフローしました。（代価表の合計金額、内訳ＩＤ 3）"},
        {"Update 内訳 Set 見積１単価 = NULL, 見積２単価 = '  ', 内訳数量 = '12.5' Where 内訳ＩＤ = "
         "3",
         ""},
        {"Update 内訳 Set 提出用単価 = 99999999999999.9999 Where 内訳ＩＤ = 3", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.update);
        TableDatabase t;
        ASSERT_TRUE(t.ok()) << t.error();
        fillBreakdown(t);
        t.exec(c.update);
        UchiwakeRows rows;
        const bool read = fnOmrix_DBT_Uchiwake_Select201(rows, 7, true);
        EXPECT_EQ(read, *c.shown == '\0');
        if (read) {
            EXPECT_TRUE(t.messages().messages().empty());
            continue;
        }
        ASSERT_EQ(t.messages().messages().size(), 1u);
        EXPECT_EQ(t.messages().messages()[0].text, c.shown);
    }
}

TEST_F(UchiwakeTable, SelectFailsWithoutDatabaseOrTable) {
    UchiwakeRows rows;
    t.exec("Drop Table 排他管理;");
    EXPECT_FALSE(fnOmrix_DBT_Uchiwake_Select201(rows, 7, true));
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_EQ(fnOmrix_DBT_Uchiwake_Count(7), 0);
    context::appContext().Database.reset();
    EXPECT_FALSE(fnOmrix_DBT_Uchiwake_Select201(rows, 7, true));
    EXPECT_EQ(fnOmrix_DBT_Uchiwake_Count(7), -1);
    EXPECT_TRUE(t.messages().messages().empty());  // the table procedures show nothing
}

TEST_F(UchiwakeLoad, LoadsTheContextBreakdownOrNothing) {
    fillBreakdown(t);
    context::appContext().UchiwakeName.内訳名称ＩＤ = 7;
    auto root = fnLoadUchiwake();
    ASSERT_TRUE(root);
    // The select gives 4, 3 (equal 表示No, by 種別フラグ), 2; the level sort swaps 4 and 3.
    EXPECT_EQ(chainIds(root->fnGetTopChild()), (std::vector<int32_t>{3, 4, 2}));
    EXPECT_EQ(byId(root, 3)->prUchiwakeRec().代価表.代価表ＩＤ, 11);

    insertLine(t, 7, 6, 99, 8, 1);  // an orphan spoils the whole breakdown (named: the build)
    EXPECT_EQ(fnLoadUchiwake(), nullptr);
    EXPECT_EQ(t.messages().messages().size(), 1u);
}

TEST_F(UchiwakeLoad, LockRecheckTakesOverWhatTheHolderSaved) {
    insertLines(t, 7, {{1, 0, 0, 0}, {2, 1, 1, 1}, {3, 2, 8, 1}});
    lockLine(t, 7, 2);
    context::appContext().UchiwakeName.内訳名称ＩＤ = 7;
    auto root = fnLoadUchiwake();
    ASSERT_TRUE(root);
    COmrixEditUcw* work = byId(root, 2);
    COmrixEditUcw* oldChild = byId(root, 3);
    EXPECT_TRUE(work->fnIsLocked(false));
    EXPECT_TRUE(work->fnIsLocked(true));  // still held
    EXPECT_EQ(byId(root, 3), oldChild);

    // The holder adds a line, renames one and lets go.
    insertLine(t, 7, 4, 2, 8, 2);
    t.exec("Update 内訳 Set 名称１ = 'renamed' Where 内訳ＩＤ = 3;");
    t.exec("Delete From 排他管理;");
    EXPECT_TRUE(work->fnIsLocked(false));  // without the database nothing changes
    EXPECT_EQ(chainIds(work->fnGetTopChild()), (std::vector<int32_t>{3}));
    EXPECT_FALSE(work->fnIsLocked(true));
    EXPECT_EQ(chainIds(work->fnGetTopChild()), (std::vector<int32_t>{3, 4}));
    EXPECT_EQ(work->fnGetTopChild()->fnGetParent(), work);
    EXPECT_EQ(byId(root, 3)->prUchiwakeRec().名称１.trimmedRight(), "renamed");
    // The replaced line stays valid for whoever still holds it.
    EXPECT_EQ(oldChild->prUchiwakeRec().名称１.trimmedRight(), "line 3");
    EXPECT_FALSE(work->fnIsLowerLock(true, false));
}

TEST_F(UchiwakeLoad, HeldEmptyLinesAreNotEmptyAndLowerLocksAreCollected) {
    insertLines(t, 7, {{1, 0, 0, 0}, {2, 1, 2, 1}, {3, 1, 2, 2}, {4, 3, 4, 1}});
    t.exec("Update 内訳 Set 名称１ = '';");
    lockLine(t, 7, 2);
    lockLine(t, 7, 4);
    context::appContext().UchiwakeName.内訳名称ＩＤ = 7;
    auto root = fnLoadUchiwake();
    ASSERT_TRUE(root);
    EXPECT_FALSE(byId(root, 2)->fnIsEmpty());
    std::vector<COmrixEditUcw*> held;
    EXPECT_TRUE(root->fnIsLowerLock(true, false, &held));
    std::vector<int32_t> heldIds;
    for (COmrixEditUcw* line : held) heldIds.push_back(idOf(line));
    EXPECT_EQ(heldIds, (std::vector<int32_t>{2, 4}));
    EXPECT_EQ(idOf(byId(root, 4)->fnGetUpperLock(false)), 0);
    EXPECT_EQ(idOf(byId(root, 4)->fnGetUpperLock(true)), 4);

    t.exec("Delete From 排他管理 Where ロックＩＤ番号 = 2;");
    EXPECT_TRUE(byId(root, 2)->fnIsEmpty());

    // The holder of 4 saved a line below it and let go: asked first, the lock
    // re-check brings that line in, so 4 is no longer empty.
    insertLine(t, 7, 5, 4, 8, 1);
    t.exec("Delete From 排他管理;");
    EXPECT_FALSE(byId(root, 4)->fnIsEmpty());
    EXPECT_EQ(chainIds(byId(root, 4)->fnGetTopChild()), (std::vector<int32_t>{5}));
}

// The outline: headings whole, lines above them and one line below each in place, the
// rest left out; every line when siblings tie on 表示No; nothing for a broken shape or a
// heading whose stored value is refused, which the whole load then reports.
TEST_F(UchiwakeLoad, OutlineHoldsWhatTheLevelTreeNeedsInTheWholesOrder) {
    // 6 is a 科目 under a line item, 9 a total, 10 printed apart under nothing.
    insertLines(t, 7,
                {{1, 0, 0, 1},
                 {2, 1, 1, 20},
                 {3, 1, 1, 10},
                 {4, 2, 8, 1},
                 {5, 2, 8, 2},
                 {6, 5, 2, 1},
                 {7, 3, 8, 1},
                 {8, 7, 8, 1},
                 {9, 1, 64, 30},
                 {10, 1, 0x81, 40}});
    auto root = loadUchiwakeOutline(t.db(), 7);
    ASSERT_TRUE(root);
    // By hand: 1's lines by 表示No are 3 (10), 2 (20), 9 (30), 10 (40); the total leads to
    // no heading. Below 3 only line items: the first, 7, stands for them; 8 goes. Below 2,
    // 5 leads to the 科目 6, so 4 is not needed.
    EXPECT_EQ(chainIds(root->fnGetTopChild()), (std::vector<int32_t>{3, 2, 10}));
    EXPECT_EQ(chainIds(byId(root, 3)->fnGetTopChild()), (std::vector<int32_t>{7}));
    EXPECT_EQ(chainIds(byId(root, 2)->fnGetTopChild()), (std::vector<int32_t>{5}));
    EXPECT_EQ(chainIds(byId(root, 5)->fnGetTopChild()), (std::vector<int32_t>{6}));
    EXPECT_EQ(byId(root, 7)->fnGetTopChild(), nullptr);
    // Headings are whole, other lines only placed.
    EXPECT_EQ(byId(root, 6)->prUchiwakeRec().名称１.trimmedRight(), "line 6");
    EXPECT_EQ(byId(root, 5)->prUchiwakeRec().名称１.trimmedRight(), "");
    bool apart = false;
    root->sbSearchSyuBetu(kFlagBesshiApart, apart);
    EXPECT_TRUE(apart);

    // Two 種目 sharing 表示No 20 under 1: every line stays, in the order of the whole,
    // select order 2 then 11 (種別フラグ 1 before 2), and the level sort swaps them.
    insertLine(t, 7, 11, 1, 2, 20);
    root = loadUchiwakeOutline(t.db(), 7);
    ASSERT_TRUE(root);
    EXPECT_EQ(chainIds(root->fnGetTopChild()), (std::vector<int32_t>{3, 11, 2, 9, 10}));
    EXPECT_EQ(chainIds(byId(root, 2)->fnGetTopChild()), (std::vector<int32_t>{4, 5}));
    EXPECT_NE(byId(root, 8), nullptr);
    context::appContext().UchiwakeName.内訳名称ＩＤ = 7;
    EXPECT_EQ(chainIds(fnLoadUchiwake()->fnGetTopChild()), (std::vector<int32_t>{3, 11, 2, 9, 10}));

    // A line item's refused amount is the whole load's to report.
    t.exec("UPDATE 内訳 SET 見積１単価 = 'abc' WHERE 内訳ＩＤ = 8;");
    EXPECT_TRUE(loadUchiwakeOutline(t.db(), 7));
    EXPECT_EQ(loadUchiwake(t.db(), 7), nullptr);

    const char* broken[] = {
        "UPDATE 内訳 SET 見積１単価 = 'abc' WHERE 内訳ＩＤ = 3;",  // a heading's amount
        "UPDATE 内訳 SET 親内訳ＩＤ = 99 WHERE 内訳ＩＤ = 6;",     // an orphan heading
        "UPDATE 内訳 SET 内訳ＩＤ = 2 WHERE 内訳ＩＤ = 11;",       // an ID given twice
    };
    for (const char* sql : broken) {
        SCOPED_TRACE(sql);
        TableDatabase fresh;
        for (int32_t id : {1, 2, 3, 6, 11}) insertLine(fresh, 7, id, id == 6 ? 2 : id > 1, 1, id);
        fresh.exec(sql);
        EXPECT_EQ(loadUchiwakeOutline(fresh.db(), 7), nullptr);
        EXPECT_TRUE(fresh.messages().messages().empty());
    }
}

}  // namespace omrix::testing
