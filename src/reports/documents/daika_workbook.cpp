#include "reports/documents/daika_workbook.h"

#include <algorithm>

#include "reports/documents/daika_rows.h"
#include "reports/workbooks/workbook_align.h"
#include "reports/workbooks/workbook_fit.h"
#include "reports/workbooks/workbook_page.h"
#include "reports/workbooks/workbook_writer.h"

namespace omrix::reports {
namespace {

constexpr double kFontMm = 3.0;
constexpr double kSmallMm = 2.6;

class DaikaSheetWriter {
  public:
    DaikaSheetWriter(Workbook& book, const DaikaWorkbookInput& in)
        : in_(in), g_(daikaGeometry()), columns_(daikaColumns()) {
        sheet_ = &book.addSheet(kDaikaSheetName);
        for (const StatementColumn& column : columns_) widths_.push_back(column.widthMm);
        sheet_->setPageSetup({.paper = in.design.paper,
                              .margins = workbookMargins(g_.margins),
                              .columnWidthsMm = widths_});
    }

    void write() {
        std::vector<uint32_t> breaks;
        const int pageCount = static_cast<int>(in_.pages.size());
        for (int page = 1; page <= pageCount; ++page) {
            if (page > 1) breaks.push_back(row_);
            row_ = writeWorkbookHeading(*sheet_, row_, lastColumn(),
                                        {.title = in_.design.title,
                                         .projectName = in_.projectName,
                                         .company = in_.company,
                                         .pageNo = {},
                                         .heightMm = g_.headerMm,
                                         .columnWidthsMm = widths_});
            const DaikaPage& segments = in_.pages[static_cast<std::size_t>(page - 1)];
            if (in_.tables.empty()) {
                sheet_->setRowHeightMm(row_, 8);
                sheet_->text(row_++, 0, kNoDaikaText,
                             {.face = CellFace::Gothic, .sizeMm = kFontMm});
            }
            for (std::size_t i = 0; i < segments.size(); ++i) {
                if (i > 0) sheet_->setRowHeightMm(row_++, g_.gapMm);
                writeSegment(segments[i]);
            }
            writeWorkbookPageNumber(*sheet_, row_++, lastColumn(), page, pageCount);
        }
        sheet_->setPageBreaks(breaks);
    }

  private:
    uint16_t lastColumn() const { return static_cast<uint16_t>(columns_.size() - 1); }

    void writeSegment(const DaikaSegment& segment) {
        const DaikaTable& table = in_.tables[segment.table];
        CellStyle shaded{.face = CellFace::Gothic, .sizeMm = 3.4, .shaded = true};
        sheet_->setRowHeightMm(row_, g_.titleMm / 2);
        sheet_->text(row_, 0, daikaTableHeading(table), shaded);
        for (uint16_t c = 1; c < lastColumn(); ++c) sheet_->blank(row_, c, shaded);
        CellStyle per = shaded;
        per.sizeMm = 3.2;
        per.align = CellAlign::Right;
        sheet_->text(row_++, lastColumn(), daikaPerQuantity(table), per);

        CellStyle spec = shaded;
        spec.face = CellFace::Mincho;
        spec.sizeMm = 2.8;
        sheet_->setRowHeightMm(row_, g_.titleMm / 2);
        sheet_->text(row_, 0, daikaTableSpec(table, segment.continued), spec);
        for (uint16_t c = 1; c <= lastColumn(); ++c) sheet_->blank(row_, c, spec);
        ++row_;

        sheet_->setRowHeightMm(row_, g_.headingMm);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            sheet_->text(row_, static_cast<uint16_t>(c), columns_[c].heading,
                         {.face = CellFace::Gothic,
                          .sizeMm = 2.9,
                          .align = CellAlign::Center,
                          .box = CellBox::Full});
        }
        ++row_;
        for (std::size_t i = 0; i < segment.lineCount; ++i)
            writeRow(daikaLineRow(table.lines[segment.firstLine + i]));
        if (segment.totals) {
            for (const DaikaRow& row : daikaTotalRows(table)) writeRow(row);
        }
    }

    static std::string stacked(const std::string& upper, const std::string& lower) {
        return lower.empty() ? upper : upper + "\n" + lower;
    }

    // As tall as the table's row, or as the row's longest text needs.
    double rowHeightMm(const DaikaRow& row) const {
        double height = g_.rowMm;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const double width = columns_[c].widthMm;
            switch (columns_[c].field) {
                case StatementField::Name:
                    height = std::max(
                        height, wrappedHeightMm(stacked(row.name1, row.name2), width, kFontMm));
                    break;
                case StatementField::Spec:
                    height = std::max(
                        height, wrappedHeightMm(stacked(row.spec1, row.spec2), width, kFontMm));
                    break;
                case StatementField::Remarks:
                    height = std::max(height, wrappedHeightMm(row.remark, width, kSmallMm));
                    break;
                default:
                    break;
            }
        }
        return height;
    }

    void writeRow(const DaikaRow& row) {
        sheet_->setRowHeightMm(row_, rowHeightMm(row));
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            auto at = static_cast<uint16_t>(c);
            StatementField field = columns_[c].field;
            CellStyle style{.face = row.total ? CellFace::Gothic : CellFace::Mincho,
                            .sizeMm = kFontMm,
                            .align = cellAlign(fieldAlignment(field)),
                            .wrap = true,
                            .box = CellBox::Full};
            switch (field) {
                case StatementField::Name:
                    if (row.total) style.align = CellAlign::Center;
                    sheet_->text(row_, at, stacked(row.name1, row.name2), style);
                    break;
                case StatementField::Spec:
                    sheet_->text(row_, at, stacked(row.spec1, row.spec2), style);
                    break;
                case StatementField::Quantity:
                    sheet_->quantity(row_, at, row.quantity, style);
                    break;
                case StatementField::Unit:
                    sheet_->text(row_, at, row.unit, style);
                    break;
                case StatementField::UnitPrice:
                    sheet_->money(row_, at, row.price, style);
                    break;
                case StatementField::Amount:
                    sheet_->money(row_, at, row.amount, style);
                    break;
                default:
                    style.sizeMm = kSmallMm;
                    sheet_->text(row_, at, row.remark, style);
                    break;
            }
        }
        ++row_;
    }

    const DaikaWorkbookInput& in_;
    const DaikaGeometry& g_;
    const std::vector<StatementColumn>& columns_;
    std::vector<double> widths_;  // of columns_
    Worksheet* sheet_ = nullptr;
    uint32_t row_ = 0;
};

}  // namespace

util::Status writeDaikaWorkbook(const std::string& path, const DaikaWorkbookInput& input) {
    Workbook book(path, true, input.design.title);
    DaikaSheetWriter(book, input).write();
    return book.close();
}

}  // namespace omrix::reports
