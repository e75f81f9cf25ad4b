#include "reports/engine/statement_columns.h"

namespace omrix::reports {
namespace {

using F = StatementField;

// The three landscape A4 layouts share their margins.
constexpr PageMargins kA4LandscapeMargins{.leftMm = 14, .topMm = 10, .rightMm = 10, .bottomMm = 12};

// One row per statement design. Widths add up to the paper less its margins. A cell
// gives its width less 2 mm and floor((line − 0.6 mm) / 2.117 mm) lines at 6 pt, where
// a full-width character narrowed to 70 % takes 1.482 mm. The texts are as long as the
// print run writes them: 名称 and 仕様 32 and 33 full-width characters (64 and 66 bytes),
// four of each, run on a blank apart when they cannot each start a line (131 and 135);
// a remark line at most 34 (the breakdown's remark), the two sharing one remark in every
// type but A4(計算式), which prints both, 69 run on.
//  B5 (5 lines): 名称 and 仕様 43 mm, 27 a line, 135; 備考 13, 7 a line, 35. Its figures
//    narrow past twelve digits (数量 14 mm holds 16 characters at the floor).
//  A4(縦) (6 lines): 名称 46, 29 a line; 仕様 40, 25 a line, 150; 備考 19, 11 a line.
//  Landscape (4 lines): 名称 50 and 仕様 51 hold 32 and 33 a line, each on its own;
//    A4(計算式)'s 備考 29, 18 a line, 72.
// A text longer than its cell still takes the free cells beside or under it.
const std::vector<StatementGeometry>& geometries() {
    static const std::vector<StatementGeometry> table{
        {
            .design = ReportDesign::B5_UCHIWAKESHO,
            .layout = "B5_UCHIWAKESHO",
            .paper = kB5Portrait,
            .margins = {.leftMm = 12, .topMm = 10, .rightMm = 10, .bottomMm = 12},
            .headerMm = 38,
            .headingRowMm = 7,
            .lineMm = 12.2,
            .fontMm = 2.6,
            .smallFontMm = 2.3,
            .columns = {{F::DisplayNo, "No", 8},
                        {F::Name, "名　称", 43},
                        {F::Spec, "仕　様", 43},
                        {F::Quantity, "数　量", 14},
                        {F::Unit, "単位", 8},
                        {F::UnitPrice, "単　価", 15},
                        {F::Amount, "金　額", 16},
                        {F::Remarks, "備　考", 13}},
            .band = {},
        },
        {
            .design = ReportDesign::PRINT_A4TATE,
            .layout = "PRINT_A4TATE",
            .paper = kA4Portrait,
            .margins = {.leftMm = 14, .topMm = 12, .rightMm = 10, .bottomMm = 12},
            .headerMm = 40,
            .headingRowMm = 8,
            .lineMm = 14.6,
            .fontMm = 3.0,
            .smallFontMm = 2.6,
            .columns = {{F::DisplayNo, "No", 9},
                        {F::Name, "名　称", 46},
                        {F::Spec, "仕　様", 40},
                        {F::Quantity, "数　量", 19},
                        {F::Unit, "単位", 10},
                        {F::UnitPrice, "単　価", 19},
                        {F::Amount, "金　額", 24},
                        {F::Remarks, "備　考", 19}},
            .band = {},
        },
        {
            .design = ReportDesign::A4YOKOUCHIWAKESHO,
            .layout = "A4YOKOUCHIWAKESHO",
            .paper = kA4Landscape,
            .margins = kA4LandscapeMargins,
            .headerMm = 36,
            .headingRowMm = 8,
            .lineMm = 9.2,
            .fontMm = 3.0,
            .smallFontMm = 2.6,
            .columns = {{F::DisplayNo, "No", 10},
                        {F::Name, "名　称", 66},
                        {F::Spec, "仕　様", 58},
                        {F::Quantity, "数　量", 22},
                        {F::Unit, "単位", 11},
                        {F::UnitPrice, "単　価", 25},
                        {F::Amount, "金　額", 30},
                        {F::Remarks, "備　考", 51}},
            .band = {},
        },
        {
            .design = ReportDesign::PRINT_A4EXP,
            .layout = "PRINT_A4EXP",
            .paper = kA4Landscape,
            .margins = kA4LandscapeMargins,
            .headerMm = 36,
            .headingRowMm = 8,
            .lineMm = 9.2,
            .fontMm = 2.8,
            .smallFontMm = 2.4,
            .columns = {{F::DisplayNo, "No", 9},
                        {F::Name, "名　称", 50},
                        {F::Spec, "仕　様", 51},
                        {F::Quantity, "数　量", 20},
                        {F::Unit, "単位", 9},
                        {F::UnitPrice, "単　価", 20},
                        {F::Amount, "金　額", 24},
                        {F::QuantityFormula, "数量計算式", 31},
                        {F::PriceFormula, "単価計算式", 30},
                        {F::Remarks, "備　考", 29}},
            .band = {},
        },
        {
            .design = ReportDesign::PRINTA4YOKO,
            .layout = "PRINTA4YOKO",
            .paper = kA4Landscape,
            .margins = kA4LandscapeMargins,
            .headerMm = 36,
            .headingRowMm = 10,
            .lineMm = 9.2,
            .fontMm = 2.7,
            .smallFontMm = 2.4,
            .columns = {{F::DisplayNo, "No", 8},
                        {F::Name, "名　称", 50},
                        {F::Spec, "仕　様", 51},
                        {F::Quantity, "数　量", 19},
                        {F::Unit, "単位", 9},
                        {F::Estimate1, "", 23},
                        {F::Estimate2, "", 23},
                        {F::Estimate3, "見積３", 23},
                        {F::Estimate4, "見積４", 23},
                        {F::Submitted, "", 23},
                        {F::Remarks, "備　考", 21}},
            .band = {},
        },
    };
    return table;
}

}  // namespace

double StatementGeometry::tableWidthMm() const {
    double width = 0;
    for (const StatementColumn& c : columns) width += c.widthMm;
    return width;
}

double StatementGeometry::columnLeftMm(std::size_t i) const {
    double x = margins.leftMm;
    for (std::size_t k = 0; k < i && k < columns.size(); ++k) x += columns[k].widthMm;
    return x;
}

const StatementGeometry& statementGeometry(ReportDesign design) {
    for (const StatementGeometry& g : geometries()) {
        if (g.design == design) return g;
    }
    return statementGeometry(kDefaultStatementDesign);
}

const StatementGeometry* findStatementGeometry(std::string_view layout) {
    for (const StatementGeometry& g : geometries()) {
        if (g.layout == layout) return &g;
    }
    return nullptr;
}

Align fieldAlignment(StatementField field) {
    switch (field) {
        case F::DisplayNo:
        case F::Unit:
            return Align::Center;
        case F::Quantity:
        case F::UnitPrice:
        case F::Amount:
        case F::Estimate1:
        case F::Estimate2:
        case F::Estimate3:
        case F::Estimate4:
        case F::Submitted:
            return Align::Right;
        default:
            return Align::Left;
    }
}

bool isEstimateColumn(StatementField field) {
    return estimateIndex(field) >= 0;
}

int estimateIndex(StatementField field) {
    switch (field) {
        case F::Estimate1:
            return 0;
        case F::Estimate2:
            return 1;
        case F::Estimate3:
            return 2;
        case F::Estimate4:
            return 3;
        case F::Submitted:
            return 4;
        default:
            return -1;
    }
}

}  // namespace omrix::reports

namespace omrix::reports {

std::string columnHeading(const StatementColumn& column,
                          const std::vector<std::string>& formulaTexts) {
    auto field = [&](std::size_t n) {
        return n <= formulaTexts.size() ? formulaTexts[n - 1] : std::string();
    };
    switch (column.field) {
        case StatementField::Estimate1:
            return field(3);
        case StatementField::Estimate2:
            return field(4);
        case StatementField::Submitted:
            return field(5);
        default:
            return std::string(column.heading);
    }
}

}  // namespace omrix::reports
