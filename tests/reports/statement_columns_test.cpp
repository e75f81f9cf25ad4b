#include <gtest/gtest.h>

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
        for (const StatementColumn& c : g.columns) {
            EXPECT_GT(c.widthMm, 2 * g.fontMm);
            // Fewer formula fields than the design has: an empty heading, no crash.
            if (c.field == StatementField::Submitted) {
                EXPECT_EQ(columnHeading(c, {"a"}), "");
            }
        }
    }
    auto has = [](ReportDesign d, StatementField f) {
        const auto& columns = statementGeometry(d).columns;
        return std::any_of(columns.begin(), columns.end(),
                           [f](const StatementColumn& c) { return c.field == f; });
    };
    EXPECT_TRUE(has(ReportDesign::PRINT_A4EXP, StatementField::QuantityFormula));
    EXPECT_TRUE(has(ReportDesign::PRINT_A4EXP, StatementField::PriceFormula));
    EXPECT_FALSE(has(ReportDesign::A4YOKOUCHIWAKESHO, StatementField::PriceFormula));
}

}  // namespace
}  // namespace omrix::reports
