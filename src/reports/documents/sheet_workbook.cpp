#include "reports/documents/sheet_workbook.h"

#include <algorithm>

#include "reports/workbooks/workbook_fit.h"
#include "reports/workbooks/workbook_page.h"

namespace omrix::reports {
namespace {

constexpr double kReferenceRowMm = 6;
constexpr double kCompanyRowMm = 9;
constexpr double kPreambleRowMm = 12;
constexpr double kKiRowMm = 7;
constexpr uint16_t kColumns = 4;  // label, value, label, value
constexpr uint16_t kLast = kColumns - 1;

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        if (!out.empty()) out += "\n";
        out += line;
    }
    return out;
}

class SheetWriter {
  public:
    SheetWriter(Workbook& book, const DesignInfo& design)
        : design_(design), g_(sheetGeometry()), width_(g_.margins.innerWidthMm(design.paper)) {
        sheet_ = &book.addSheet(design.title);
        const double half = width_ / 2;
        PageMargins margins = workbookMargins(g_.margins);
        margins.topMm -= kReferenceRowMm;
        sheet_->setPageSetup({.paper = design.paper,
                              .margins = margins,
                              .columnWidthsMm = {g_.pairLabelMm, half - g_.pairLabelMm,
                                                 g_.pairLabelMm, half - g_.pairLabelMm}});
    }

    void write(const std::vector<SheetModel>& sheets) {
        std::vector<uint32_t> breaks;
        for (std::size_t i = 0; i < sheets.size(); ++i) {
            if (i > 0) breaks.push_back(row_);
            writePage(sheets[i], static_cast<int>(i) + 1, static_cast<int>(sheets.size()));
        }
        sheet_->setPageBreaks(breaks);
    }

  private:
    void writePage(const SheetModel& sheet, int page, int pageCount) {
        sheet_->setRowHeightMm(row_, kReferenceRowMm);
        sheet_->merge(row_++, 0, kLast, sheet.reference,
                      {.face = CellFace::Gothic, .sizeMm = 2.9, .align = CellAlign::Right});
        sheet_->setRowHeightMm(row_, g_.titleMm);
        sheet_->merge(row_++, 0, kLast, sheet.title,
                      {.face = CellFace::Mincho, .sizeMm = 8.0, .align = CellAlign::Center});
        if (sheet.withIntro) writeIntro(sheet);
        for (const SheetRow& row : sheet.rows) writeRow(row);
        writeWorkbookPageNumber(*sheet_, row_++, kLast, page, pageCount);
    }

    void writeIntro(const SheetModel& sheet) {
        sheet_->setRowHeightMm(row_, kCompanyRowMm);
        sheet_->merge(row_++, 0, kLast, sheet.company, {.sizeMm = 4.4, .align = CellAlign::Right});
        sheet_->setRowHeightMm(
            row_, std::max(kPreambleRowMm, wrappedHeightMm(sheet.preamble, width_, 3.4)));
        sheet_->merge(row_++, 0, kLast, sheet.preamble, {.sizeMm = 3.4, .wrap = true});
        sheet_->setRowHeightMm(row_, kKiRowMm);
        sheet_->merge(row_++, 0, kLast, "記", {.sizeMm = 4.0, .align = CellAlign::Center});
        double rest = g_.introMm - kCompanyRowMm - kPreambleRowMm - kKiRowMm;
        if (rest > 0) sheet_->setRowHeightMm(row_++, rest);
    }

    // As tall as the sheet's row, or as its longest value needs in its cell.
    double cellRowHeightMm(const SheetRow& row, double sizeMm) const {
        double height = rowHeightMm(row, g_);
        const double value = width_ / 2 - g_.pairLabelMm;
        const double across = width_ - g_.pairLabelMm;
        for (const SheetCell& cell : row.cells) {
            const double width = row.cells.size() == 1 ? across : value;
            height = std::max(height, wrappedHeightMm(joinedLines(cell.lines), width, sizeMm));
        }
        return height;
    }

    void writeRow(const SheetRow& row) {
        CellStyle label{.face = CellFace::Gothic,
                        .sizeMm = g_.fontMm - 0.2,
                        .align = CellAlign::Center,
                        .box = CellBox::Full,
                        .shaded = true};
        CellStyle value{.sizeMm = row.lineCount() > 1 ? g_.fontMm - 0.2 : g_.fontMm,
                        .wrap = true,
                        .box = CellBox::Full};
        sheet_->setRowHeightMm(row_, cellRowHeightMm(row, value.sizeMm));
        if (row.cells.size() == 1) {
            const SheetCell& cell = row.cells.front();
            sheet_->text(row_, 0, cell.label, label);
            sheet_->merge(row_, 1, kLast, joinedLines(cell.lines), value);
        } else {
            for (std::size_t c = 0; c < row.cells.size() && c < 2; ++c) {
                auto at = static_cast<uint16_t>(2 * c);
                sheet_->text(row_, at, row.cells[c].label, label);
                sheet_->text(row_, at + 1, joinedLines(row.cells[c].lines), value);
            }
        }
        ++row_;
    }

    const DesignInfo& design_;
    const SheetGeometry& g_;
    double width_;  // label, value, label, value
    Worksheet* sheet_ = nullptr;
    uint32_t row_ = 0;
};

}  // namespace

util::Status writeSheetWorkbook(const std::string& path, const DesignInfo& design,
                                const std::vector<SheetModel>& sheets) {
    Workbook book(path, false, design.title);
    SheetWriter(book, design).write(sheets);
    return book.close();
}

}  // namespace omrix::reports
