#include <gtest/gtest.h>

#include "print/print_options.h"
#include "reports/report_design.h"
#include "reports/statement_columns.h"

namespace omrix::reports {
namespace {

TEST(StatementGeometry, EveryTypeFitsItsPaper) {
    for (ReportDesign design : allDesigns()) {
        const DesignInfo& info = designInfo(design);
        if (info.kind != DocumentKind::Statement) continue;
        const StatementGeometry& g = statementGeometry(design);
        SCOPED_TRACE(info.name);
        EXPECT_LE(g.margins.leftMm + g.tableWidthMm() + g.margins.rightMm,
                  info.paper.widthMm + 1e-9);
        EXPECT_GE(g.tableWidthMm(), info.paper.widthMm * 0.8);  // no narrow table either
        // The page number band sits in the bottom margin, below the table.
        EXPECT_LE(g.tableBottomMm(), info.paper.heightMm - g.margins.bottomMm + 1e-9);
        EXPECT_GE(g.lineMm, 2 * g.fontMm + 1.0);  // two text lines per line
        for (const StatementColumn& c : g.columns) EXPECT_GT(c.widthMm, 2 * g.fontMm);
    }
    auto has = [](ReportDesign d, StatementField f) {
        for (const StatementColumn& c : statementGeometry(d).columns) {
            if (c.field == f) return true;
        }
        return false;
    };
    EXPECT_TRUE(has(ReportDesign::PRINT_A4EXP, StatementField::QuantityFormula));
    EXPECT_TRUE(has(ReportDesign::PRINT_A4EXP, StatementField::PriceFormula));
    EXPECT_FALSE(has(ReportDesign::A4YOKOUCHIWAKESHO, StatementField::PriceFormula));
    for (StatementField f :
         {StatementField::Estimate1, StatementField::Estimate2, StatementField::Estimate3,
          StatementField::Estimate4, StatementField::Submitted})
        EXPECT_TRUE(has(ReportDesign::PRINTA4YOKO, f));
    EXPECT_FALSE(has(ReportDesign::PRINTA4YOKO, StatementField::Amount));
    EXPECT_TRUE(designInfo(ReportDesign::B5_UCHIWAKESHO).paper.size == PaperSize::JisB5);
    EXPECT_TRUE(designInfo(ReportDesign::A4YOKOUCHIWAKESHO).paper.landscape);
    EXPECT_FALSE(designInfo(ReportDesign::PRINT_A4TATE).paper.landscape);
}

TEST(StatementGeometry, InternalCheckHeadingsComeFromFields3To5) {
    std::vector<std::string> texts{"会社", "", "原価", "査定", ""};
    std::vector<std::string> headings;
    for (const StatementColumn& c : statementGeometry(ReportDesign::PRINTA4YOKO).columns) {
        if (isEstimateColumn(c.field)) headings.push_back(columnHeading(c, texts));
    }
    EXPECT_EQ(headings, (std::vector<std::string>{"原価", "査定", "見積３", "見積４", ""}));
    // Fewer fields than the design has: empty headings, no crash.
    for (const StatementColumn& c : statementGeometry(ReportDesign::PRINTA4YOKO).columns) {
        if (c.field == StatementField::Submitted) {
            EXPECT_EQ(columnHeading(c, {"a"}), "");
        }
    }
}

// Every print type reaches a statement design of its own, titled as the type and with
// the formula fields its launch fills.
TEST(StatementGeometry, EveryPrintTypeHasItsDesign) {
    struct Case {
        std::string_view type;
        ReportDesign design;
        int formulaFields;
    };
    const Case cases[] = {
        {"B5", ReportDesign::B5_UCHIWAKESHO, 1},
        {"A4(社内確認用)", ReportDesign::PRINTA4YOKO, 5},
        {"A4(計算式)", ReportDesign::PRINT_A4EXP, 1},
        {"A4(横)", ReportDesign::A4YOKOUCHIWAKESHO, 1},
        {"A4(縦)", ReportDesign::PRINT_A4TATE, 1},
    };
    ASSERT_EQ(std::size(cases), print::printTypes().size());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        const print::PrintType* type = print::findPrintType(c.type);
        ASSERT_NE(type, nullptr);
        const DesignInfo* info = findDesign(type->layout);
        ASSERT_NE(info, nullptr);
        EXPECT_EQ(info->design, c.design);
        EXPECT_EQ(info->kind, DocumentKind::Statement);
        EXPECT_EQ(info->title, type->reportTitle);
        EXPECT_EQ(info->formulaFieldCount, c.formulaFields);
        EXPECT_EQ(info->tables, std::vector<std::string_view>{"内訳出力"});
        EXPECT_EQ(statementGeometry(c.design).layout, type->layout);
    }
}

}  // namespace
}  // namespace omrix::reports
