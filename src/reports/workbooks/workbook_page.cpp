#include "reports/workbooks/workbook_page.h"

#include <algorithm>
#include <string>

#include "reports/workbooks/workbook_fit.h"
#include "reports/workbooks/workbook_progress.h"

namespace omrix::reports {
namespace {

constexpr double kTitleRowMm = 12;
constexpr double kProjectRowMm = 9;
constexpr double kTitleFontMm = 7.0;
constexpr double kPageNoFontMm = 3.2;
constexpr double kLabelFontMm = 2.8;
constexpr double kProjectFontMm = 4.2;
constexpr double kPageNumberFontMm = 3.0;

constexpr double kSmallestFontMm = 6.0 * 25.4 / 72.0;
constexpr double kCellPaddingMm = 1.5;

// The columns from `first` to the last, where a name runs over the empty cells.
double widthMm(const WorkbookHeading& heading, std::size_t first) {
    double width = 0;
    for (std::size_t c = first; c < heading.columnWidthsMm.size(); ++c)
        width += heading.columnWidthsMm[c];
    return width;
}

// The name's size, smaller where it would run past `widthMm`; no smaller than 6 pt.
double fittingSizeMm(std::string_view name, double widthMm) {
    const double em = cellTextWidthMm(name, 1.0);
    if (em <= 0) return kProjectFontMm;
    return std::clamp((widthMm - kCellPaddingMm) / em, kSmallestFontMm, kProjectFontMm);
}

}  // namespace

uint32_t writeWorkbookHeading(Worksheet& sheet, uint32_t row, uint16_t lastColumn,
                              const WorkbookHeading& heading) {
    sheet.setRowHeightMm(row, kTitleRowMm);
    CellStyle title{.face = CellFace::Mincho, .sizeMm = kTitleFontMm};
    if (heading.pageNo.empty()) {
        sheet.across(row, 0, lastColumn, heading.title, title);
    } else {
        sheet.across(row, 0, static_cast<uint16_t>(lastColumn - 1), heading.title, title);
        sheet.text(row, lastColumn, heading.pageNo,
                   {.face = CellFace::Gothic, .sizeMm = kPageNoFontMm, .align = CellAlign::Right});
    }
    sheet.setRowHeightMm(++row, kProjectRowMm);
    sheet.text(row, 0, "工事名称", {.face = CellFace::Gothic, .sizeMm = kLabelFontMm});
    sheet.text(row, 1, heading.projectName,
               {.sizeMm = fittingSizeMm(heading.projectName, widthMm(heading, 1))});
    // What is left of the band: the company, and the statement's page name.
    sheet.setRowHeightMm(++row, std::max(1.0, heading.heightMm - kTitleRowMm - kProjectRowMm));
    sheet.text(
        row, lastColumn, heading.company,
        {.sizeMm = fittingSizeMm(heading.company, widthMm(heading, 2)), .align = CellAlign::Right});
    return row + 1;
}

void writeWorkbookPageNumber(Worksheet& sheet, uint32_t row, uint16_t lastColumn, int page,
                             int pageCount) {
    sheet.setRowHeightMm(row, kWorkbookFooterRowMm);
    sheet.across(row, 0, lastColumn, std::to_string(page) + " / " + std::to_string(pageCount),
                 {.face = CellFace::Gothic, .sizeMm = kPageNumberFontMm});
    WorkbookProgressScope::pageWritten(page, pageCount);
}

}  // namespace omrix::reports
