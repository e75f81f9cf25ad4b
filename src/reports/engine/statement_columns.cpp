#include "reports/engine/statement_columns.h"

namespace omrix::reports {
namespace {

using F = StatementField;

// The three landscape A4 layouts share their margins.
constexpr PageMargins kA4LandscapeMargins{.leftMm = 14, .topMm = 10, .rightMm = 10, .bottomMm = 12};

// One row per statement design. Widths add up to the paper less its margins; figures
// get room for "999,999,999,999" at the line font. 名称 and 仕様 hold 32 and 33
// full-width characters (64 and 66 bytes) on a line at 6 pt narrowed to 70 %
// (32 × 2.117 mm × 0.7 = 47.4 mm, 33 → 48.9 mm, plus 2 mm of padding), or, where a
// row is tall enough for four lines, broken in two. The landscape rows of 9.2 mm hold
// all four (4 × 2.117 mm = 8.5 mm within the 8.6 mm between the rules' padding). In
// A4(縦) all four run on in 5 and 6 of its 6 lines; B5's 5 lines hold them only with
// the free cells beside or under them, as the narrow remark columns need for 128 bytes.
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
                        {F::Name, "名　称", 38},
                        {F::Spec, "仕　様", 33},
                        {F::Quantity, "数　量", 18},
                        {F::Unit, "単位", 9},
                        {F::UnitPrice, "単　価", 18},
                        {F::Amount, "金　額", 22},
                        {F::Remarks, "備　考", 14}},
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
                        {F::UnitPrice, "単　価", 21},
                        {F::Amount, "金　額", 25},
                        {F::QuantityFormula, "数量計算式", 31},
                        {F::PriceFormula, "単価計算式", 30},
                        {F::Remarks, "備　考", 27}},
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
