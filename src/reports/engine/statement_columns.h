#pragma once
// The statement's page geometry per print type, as data: margins, band heights and
// the column table. Kept apart from painting so that it can be checked on its own.

#include <string>
#include <string_view>
#include <vector>

#include "print/print_row.h"
#include "reports/engine/page_painter.h"
#include "reports/engine/report_design.h"

namespace omrix::reports {

enum class StatementField {
    DisplayNo,        // 表示番号名称
    Name,             // 名称１ over 名称２
    Spec,             // 仕様１ over 仕様２
    Quantity,         // 内訳数量
    Unit,             // 単位名称
    UnitPrice,        // 提出用単価
    Amount,           // 提出用金額
    QuantityFormula,  // 数量計算式
    PriceFormula,     // 単価計算式
    Remarks,          // 社内備考 over 社外備考 (the print run put the remark lines there)
    Estimate1,        // 見積１単価 over 見積１金額
    Estimate2,
    Estimate3,
    Estimate4,
    Submitted,  // 提出用単価 over 提出用金額
};

struct StatementColumn {
    StatementField field;
    std::string_view heading;  // estimate columns take theirs from the formula fields
    double widthMm;
};

// The band above the table: title, page number, project and company, page name.
// Offsets run down from the top margin; shares are of the table's width.
struct StatementHeaderBand {
    double titleHeightMm = 11;
    double titleFontMm = 7.0;
    double titleRuleMm = 11.2;       // the upper of the two rules under the title
    double titleRuleGapMm = 0.8;     // down to the lower rule
    double titleRuleOverhangMm = 8;  // the rules reach this far past the title's ends
    double pageNoWidthMm = 40;
    double pageNoHeightMm = 6;
    double pageNoFontMm = 3.2;
    double projectRowMm = 16;  // the row of project and company
    double projectRowHeightMm = 8;
    double projectShare = 0.58;  // the project's part of the row, with its rule
    double companyShare = 0.38;  // the company's part, right-aligned at the right end
    double labelWidthMm = 16;    // "工事名称"; the name starts 1 mm after it
    double labelFontMm = 2.8;
    double nameFontMm = 4.2;     // project and company names
    double projectRuleMm = 8.4;  // below the row's top
    double pageNameMm = 10;      // below the row's top
    double pageNameHeightMm = 7;
    double pageNameFontMm = 3.6;
};

struct StatementGeometry {
    ReportDesign design = kDefaultStatementDesign;
    std::string_view layout;  // the design's name, as the print types name it
    Paper paper;
    PageMargins margins;
    double headerMm = 0;      // title, project and company above the table
    double headingRowMm = 0;  // the column headings
    double lineMm = 0;        // one of the fifteen lines
    double fontMm = 0;        // texts of the lines
    double smallFontMm = 0;   // second lines, formulas, headings
    std::vector<StatementColumn> columns;
    StatementHeaderBand band;

    double tableTopMm() const { return margins.topMm + headerMm; }
    double tableWidthMm() const;
    double tableBottomMm() const {
        return tableTopMm() + headingRowMm + print::kLinesPerPage * lineMm;
    }
    // Left edge of column i.
    double columnLeftMm(std::size_t i) const;
};

// The geometry of a statement design; every other design gets the A4 landscape one.
const StatementGeometry& statementGeometry(ReportDesign design);
// The geometry of a design by its name; null for a name that has none.
const StatementGeometry* findStatementGeometry(std::string_view layout);

Align fieldAlignment(StatementField field);
bool isEstimateColumn(StatementField field);
// 0 … 4 for 見積１ … 提出用.
int estimateIndex(StatementField field);

}  // namespace omrix::reports

namespace omrix::reports {

// The heading of a column. The internal-check layout names its estimate columns from
// formula fields 3, 4 and 5 (金額種類 1, 2 and 5: 見積１, 見積２ and 提出用); a field
// left empty gives an empty heading.
std::string columnHeading(const StatementColumn& column,
                          const std::vector<std::string>& formulaTexts);

}  // namespace omrix::reports
