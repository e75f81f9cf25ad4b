#pragma once
// The parts a paged worksheet shares with its PDF page: the document's heading (title,
// 工事名称 and company) and the page number under the body, in rows of their own.

#include <cstdint>
#include <span>
#include <string_view>

#include "reports/workbooks/workbook_writer.h"

namespace omrix::reports {

// Rows chosen so that, with the layouts' margins, a page's block fits its paper.
inline constexpr double kWorkbookFooterRowMm = 6;
inline constexpr double kWorkbookBottomMarginMm = 5;

// A layout's page margins for its worksheet: the footer row stands in the bottom margin.
inline PageMargins workbookMargins(PageMargins page) {
    page.bottomMm = kWorkbookBottomMarginMm;
    return page;
}

struct WorkbookHeading {
    std::string_view title;
    std::string_view projectName;
    std::string_view company;
    std::string_view pageNo;  // "No. n" at the right of the title; "" for none
    double heightMm;          // the heading band of the layout, title to table
    std::span<const double> columnWidthsMm;  // of the sheet's columns, 0 … last
};

// Writes the heading from `row` on and returns the row after it: the title, the 工事名称
// over every column after its label, and the company at the right of the last row
// (the statement's page name keeps the first two columns at its left). Both names are
// set small enough, down to 6 pt, to show whole across the empty cells they run over.
uint32_t writeWorkbookHeading(Worksheet& sheet, uint32_t row, uint16_t lastColumn,
                              const WorkbookHeading& heading);
// "n / N" centred over the whole width.
void writeWorkbookPageNumber(Worksheet& sheet, uint32_t row, uint16_t lastColumn, int page,
                             int pageCount);

}  // namespace omrix::reports
