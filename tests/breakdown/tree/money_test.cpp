#include <gtest/gtest.h>

#include <tuple>

#include "breakdown/tree/formula.h"
#include "breakdown/ucw_fixture.h"
#include "breakdown/tree/ucw_tree.h"
#include "context/app_context.h"
#include "context/fresh_context.h"
#include "platform/messages.h"
#include "project/tables/bukken_hensu_record.h"

namespace omrix::testing {
namespace {

using util::Currency;

void addVariable(std::string name, double value) {
    project::BukkenHensuRec row;
    row.変数名 = name;
    row.数量 = value;
    context::appContext().BukkenHensu.push_back(row);
}

UchiwakeRec item(int32_t id, int32_t parent, int32_t hyojiNo, double quantity,
                 std::string_view price1, std::string_view price2 = "0",
                 std::string_view price3 = "0") {
    UchiwakeRec rec = line(id, parent, 8, hyojiNo);
    rec.内訳数量 = quantity;
    rec.見積１単価 = money(price1);
    rec.見積２単価 = money(price2);
    rec.提出用単価 = money(price3);
    return rec;
}

class MoneyTest : public ::testing::Test {
  protected:
    void SetUp() override { context::appContext().Messages = sink_; }
    void recalc(std::vector<UchiwakeRec> lines) {
        root = buildTree(std::move(lines));
        ASSERT_TRUE(root);
        root->sbMoneyReCalc(context::appContext().BukkenHensu);
    }
    const UchiwakeRec& rec(int32_t id) { return byId(root, id)->prUchiwakeRec(); }
    // "見積１金額/見積２金額/提出用金額" of a line.
    std::string amounts(int32_t id) {
        const UchiwakeRec& r = rec(id);
        return r.見積１金額.toString() + "/" + r.見積２金額.toString() + "/" +
               r.提出用金額.toString();
    }

    testing::FreshContext fresh_;
    std::shared_ptr<platform::RecordingSink> sink_ = std::make_shared<platform::RecordingSink>();
    std::shared_ptr<COmrixEditUcw> root;
};

}  // namespace

// Figures worked out by hand.
TEST_F(MoneyTest, WorkTypeSumsWholeAmountsOfUsedLinesAndTotals) {
    addVariable("A", 2);
    addVariable("AB", 3);
    addVariable("ab", 10.25);
    auto unused = item(5, 2, 3, 1, "1000");
    unused.種別フラグ |= kFlagMishiyou;
    auto formulas = item(9, 2, 6, 0, "0");
    formulas.数量計算式 = "  AB*A ";
    formulas.見積１単価計算式 = "（１０＋２）÷４";
    formulas.提出用単価計算式 = "ab";
    ASSERT_NO_FATAL_FAILURE(
        recalc({line(1, 0, 0), line(2, 1, 1, 1), item(3, 2, 1, 2.5, "1000.5", "333.3333"),
                item(4, 2, 2, 3.0003, "0.3333", "-10.5"), unused, line(6, 2, kFlagGokeiMidasi, 4),
                item(7, 6, 1, 1, "100.7", "0", "50"), line(8, 2, kFlagGokei, 5), formulas}));

    // 2.5 x 1000.5 = 2501.25, cut to 2501; 2.5 x 333.3333 = 833.33325, 833.3332 at four
    // decimals (half to even), cut to 833.
    EXPECT_EQ(amounts(3), "2501/833/0");
    // 3.0003 x 0.3333 = 0.99999999: rounded to 1.0000 before the cut; -31.50315 rounds
    // to -31.5032 and is cut toward zero.
    EXPECT_EQ(amounts(4), "1/-31/0");
    EXPECT_EQ(amounts(5), "1000/0/0");
    // The total heading sums its item, as one 式 at that price; the total shows the
    // heading's amounts.
    EXPECT_EQ(amounts(6), "100/0/50");
    EXPECT_EQ(std::tuple(rec(6).見積１単価, rec(6).内訳数量, rec(6).単位名称.trimmedRight()),
              std::tuple(money("100"), 1.0, "式"));
    EXPECT_EQ(amounts(8), "100/0/50");
    // AB before A: 3*2 = 6; (10+2)/4 = 3; ab (not AB) = 10.25.
    EXPECT_EQ(std::tuple(rec(9).内訳数量, rec(9).見積１単価, rec(9).提出用単価),
              std::tuple(6.0, money("3"), money("10.25")));
    EXPECT_EQ(rec(9).数量計算式.trimmedRight(), "AB*A");
    EXPECT_EQ(amounts(9), "18/0/61");
    // Work type: 2501 + 1 + 100 (the total) + 18; the unused line and the heading are left out.
    EXPECT_EQ(amounts(2), "2620/802/111");
    EXPECT_EQ(std::tuple(rec(2).見積１単価, rec(2).内訳数量, rec(1).見積１金額),
              std::tuple(money("2620"), 1.0, money("2620")));
    EXPECT_TRUE(sink_->messages().empty());
}

// Four work types: a quantity below one 式; a line item with a lower line; a line
// item total; no lines but formulas of its own.
TEST_F(MoneyTest, WorkTypeRoundingLowerLinesItemTotalsAndOwnFormulas) {
    auto small = line(2, 1, 1, 1);
    small.内訳数量 = 0.03125;
    small.単位名称 = " 式 ";
    auto lower = item(12, 11, 1, 2, "10");
    lower.見積１金額 = money("7");
    lower.数量計算式 = "5";
    auto total = line(22, 20, kFlagMeisaiGokei, 2);
    total.見積１単価 = money("5");
    auto own = line(30, 1, 1, 4);
    own.数量計算式 = "2";
    own.見積１単価計算式 = "1/0";  // fails: price 0
    own.見積１単価 = money("99");
    ASSERT_NO_FATAL_FAILURE(recalc({line(1, 0, 0), small, item(3, 2, 1, 1, "1", "3", "5"),
                                    line(10, 1, 1, 2), item(11, 10, 1, 2, "100"), lower,
                                    line(20, 1, 1, 3), item(21, 20, 1, 2, "10"), total, own}));
    // Heading amounts round half to even without the cut: 312.5, 937.5, 1562.5 ten-thousandths.
    EXPECT_EQ(amounts(2), "0.0312/0.0938/0.1562");
    EXPECT_EQ(std::tuple(rec(2).内訳数量, rec(2).単位名称.trimmedRight()),
              std::tuple(0.03125, "式"));
    // The lower line keeps what is stored; the work type sums the line item alone.
    EXPECT_EQ(std::tuple(rec(12).内訳数量, rec(12).見積１金額), std::tuple(2.0, money("7")));
    EXPECT_EQ(rec(10).見積１金額, money("200"));
    // A line item total keeps its price, gets code 90 and adds nothing.
    EXPECT_EQ(rec(22).補助明細コード.trimmedRight(), "90");
    EXPECT_EQ(std::tuple(rec(22).見積１単価, rec(22).見積１金額, rec(22).内訳数量),
              std::tuple(money("5"), money("0"), 0.0));
    EXPECT_EQ(rec(20).見積１金額, money("20"));
    EXPECT_EQ(std::tuple(rec(30).内訳数量, rec(30).見積１単価, rec(30).見積１金額),
              std::tuple(2.0, money("0"), money("0")));
}

TEST_F(MoneyTest, OverflowIsShownAndTheOtherAmountsGoOn) {
    auto big = item(3, 2, 1, 2, "900000000000000", "10");
    big.見積１金額 = money("7");
    ASSERT_NO_FATAL_FAILURE(recalc({line(1, 0, 0), line(2, 1, 1), big}));
    EXPECT_EQ(rec(3).見積１金額, money("7"));  // left as it was
    EXPECT_EQ(rec(3).見積２金額, money("20"));
    EXPECT_EQ(rec(2).見積１金額, money("7"));
    ASSERT_EQ(sink_->messages().size(), 1u);
    EXPECT_EQ(sink_->messages()[0].style, platform::kStyleExclamation);
    EXPECT_EQ(sink_->messages()[0].text, platform::kOverflowText);
}

// Case and name order are shown by the recalculation above; here the names' trim.
TEST_F(MoneyTest, FormulasTakeTrimmedVariablesLongestFirst) {
    addVariable(" W ", 4);
    addVariable("面積", 12.5);
    addVariable("面積2", 100);
    addVariable("", 7);
    breakdown::FormulaEvaluator evaluator(context::appContext().BukkenHensu);
    EXPECT_EQ(context::appContext().BukkenHensu[0].変数名.trimmedRight(), "W");  // stored back
    EXPECT_DOUBLE_EQ(evaluator.fnCalcFormula("面積2-面積×２"), 75.0);
    EXPECT_DOUBLE_EQ(evaluator.fnCalcFormula("W*W"), 16.0);
    EXPECT_DOUBLE_EQ(evaluator.fnCalcFormula(""), 0.0);
}

}  // namespace omrix::testing
