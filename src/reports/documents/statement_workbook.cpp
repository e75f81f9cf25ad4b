#include "reports/documents/statement_workbook.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>

#include "reports/workbooks/workbook_align.h"
#include "reports/workbooks/workbook_fit.h"
#include "reports/workbooks/workbook_page.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

constexpr double kPageNameFontMm = 3.6;

std::string trimmed(std::string_view text) {
    return std::string(util::trimBlanks(text));
}

// Texts one under another in one cell, as the painter sets them in one box; an empty
// one takes no line.
std::string stackedLines(std::initializer_list<std::string_view> texts) {
    std::string out;
    for (std::string_view text : texts) {
        std::string line = trimmed(text);
        if (line.empty()) continue;
        if (!out.empty()) out += "\n";
        out += line;
    }
    return out;
}

// One worksheet column: a column of the layout, or the price or amount half of an
// estimate column.
struct SheetColumn {
    StatementField field;
    int estimate = -1;    // 0 … 4 for the halves of an estimate column
    bool amount = false;  // the amount half
    double widthMm = 0;
    std::size_t layout = 0;  // index into the layout's columns
};

std::vector<SheetColumn> sheetColumns(const StatementGeometry& g) {
    std::vector<SheetColumn> out;
    for (std::size_t i = 0; i < g.columns.size(); ++i) {
        const StatementColumn& c = g.columns[i];
        int k = estimateIndex(c.field);
        if (k < 0) {
            out.push_back({c.field, -1, false, c.widthMm, i});
            continue;
        }
        out.push_back({c.field, k, false, c.widthMm / 2, i});
        out.push_back({c.field, k, true, c.widthMm / 2, i});
    }
    return out;
}

// The text a wrapped cell of the line holds; "" for the cells that are not wrapped.
std::string wrappedText(StatementField field, const StatementLine& line) {
    const auto& n = line.名称;
    const auto& s = line.仕様;
    switch (field) {
        case StatementField::Name:
            return stackedLines({n[0], n[1], n[2], n[3]});
        case StatementField::Spec:
            return stackedLines({s[0], s[1], s[2], s[3]});
        case StatementField::QuantityFormula:
            return trimmed(line.数量計算式);
        case StatementField::PriceFormula:
            return trimmed(line.単価計算式);
        case StatementField::Remarks:
            return stackedLines({line.社内備考, line.社外備考});
        default:
            return {};
    }
}

bool smallText(StatementField field) {
    return field == StatementField::QuantityFormula || field == StatementField::PriceFormula ||
           field == StatementField::Remarks;
}

bool hasEstimateColumns(const StatementGeometry& g) {
    for (const StatementColumn& c : g.columns) {
        if (isEstimateColumn(c.field)) return true;
    }
    return false;
}

class StatementSheetWriter {
  public:
    StatementSheetWriter(Workbook& book, const DesignInfo& design, const StatementHeading& heading,
                         int pageCount)
        : book_(book),
          design_(design),
          g_(statementGeometry(design.design)),
          heading_(heading),
          pageCount_(pageCount),
          columns_(sheetColumns(g_)),
          headingRows_(hasEstimateColumns(g_) ? 2 : 1) {
        for (const SheetColumn& column : columns_) widths_.push_back(column.widthMm);
    }

    uint32_t blockRows() const { return 3 + headingRows_ + kLinesPerPage + 1; }

    // Pages first … first + count − 1 (1-based) into a worksheet of their own.
    util::Status write(std::string_view name, const StatementPageIndex& index,
                       data::CCCDBS_DataBase& db, int first, int count) {
        sheet_ = &book_.addSheet(name);
        sheet_->setPageSetup({.paper = design_.paper,
                              .margins = workbookMargins(g_.margins),
                              .columnWidthsMm = widths_});
        std::vector<uint32_t> breaks;
        std::vector<StatementPage> pages;
        for (int i = 0; i < count; ++i) {
            const std::size_t k = static_cast<std::size_t>(i % kMostPagesPerRead);
            if (k == 0) {
                auto read = index.readPages(db, first + i, kMostPagesPerRead);
                if (!read) return read.failure();
                pages = std::move(*read);
            }
            uint32_t top = static_cast<uint32_t>(i) * blockRows();
            if (i > 0) breaks.push_back(top);
            writePage(top, pages[k], first + i);
        }
        sheet_->setPageBreaks(breaks);
        return {};
    }

  private:
    uint16_t lastColumn() const { return static_cast<uint16_t>(columns_.size() - 1); }

    void writePage(uint32_t top, const StatementPage& page, int pageNo) {
        std::string number = "No. " + std::to_string(page.表示頁番号);
        uint32_t row = writeWorkbookHeading(*sheet_, top, lastColumn(),
                                            {.title = heading_.title,
                                             .projectName = heading_.projectName,
                                             .company = heading_.company,
                                             .pageNo = number,
                                             .heightMm = g_.headerMm,
                                             .columnWidthsMm = widths_});
        // The page's name heads its lines, in the last row of the heading.
        if (!page.頁名称.empty())
            sheet_->text(row - 1, 0, "【" + page.頁名称 + "】",
                         {.face = CellFace::Gothic, .sizeMm = kPageNameFontMm});

        writeHeadings(row);
        row += headingRows_;

        std::array<const StatementLine*, kLinesPerPage> bySlot{};
        for (std::size_t i = 0; i < page.lines.size(); ++i) {
            int slot = lineSlot(page, i);
            if (slot >= 0 && slot < kLinesPerPage && bySlot[slot] == nullptr)
                bySlot[slot] = &page.lines[i];
        }
        for (int s = 0; s < kLinesPerPage; ++s) writeLine(row++, bySlot[s]);

        writeWorkbookPageNumber(*sheet_, row, lastColumn(), pageNo, pageCount_);
    }

    void writeHeadings(uint32_t row) {
        const double height = g_.headingRowMm / headingRows_;
        CellStyle style{.face = CellFace::Gothic,
                        .sizeMm = g_.smallFontMm + 0.3,
                        .align = CellAlign::Center,
                        .box = headingRows_ == 2 ? CellBox::Top : CellBox::Full,
                        .shaded = true};
        sheet_->setRowHeightMm(row, height);
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const SheetColumn& column = columns_[c];
            const std::string& text = heading_.columnHeadings[column.layout];
            auto at = static_cast<uint16_t>(c);
            if (column.estimate < 0) {
                sheet_->text(row, at, text, style);
            } else if (!column.amount) {
                // The estimate's name over both its halves.
                CellStyle over = style;
                over.align = CellAlign::CenterAcross;
                over.box = CellBox::Full;
                sheet_->text(row, at, text, over);
                sheet_->blank(row, at + 1, over);
                ++c;
            }
        }
        if (headingRows_ == 1) return;
        sheet_->setRowHeightMm(row + 1, height);
        CellStyle lower = style;
        lower.box = CellBox::Bottom;
        CellStyle sub = style;
        sub.sizeMm = g_.smallFontMm - 0.2;
        sub.box = CellBox::Full;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const SheetColumn& column = columns_[c];
            auto at = static_cast<uint16_t>(c);
            if (column.estimate < 0)
                sheet_->blank(row + 1, at, lower);
            else
                sheet_->text(row + 1, at, column.amount ? "金額" : "単価", sub);
        }
    }

    // As tall as the page's line, or as its longest wrapped text needs.
    double lineHeightMm(const StatementLine* line) const {
        double height = g_.lineMm;
        if (line == nullptr) return height;
        for (const SheetColumn& column : columns_) {
            const std::string text = wrappedText(column.field, *line);
            if (text.empty()) continue;
            const double size = smallText(column.field) ? g_.smallFontMm : g_.fontMm;
            height = std::max(height, wrappedHeightMm(text, column.widthMm, size));
        }
        return height;
    }

    void writeLine(uint32_t row, const StatementLine* line) {
        sheet_->setRowHeightMm(row, lineHeightMm(line));
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            const SheetColumn& column = columns_[c];
            auto at = static_cast<uint16_t>(c);
            CellStyle style{.face = CellFace::Mincho,
                            .sizeMm = g_.fontMm,
                            .align = cellAlign(fieldAlignment(column.field)),
                            .box = CellBox::Full};
            if (line == nullptr) {
                sheet_->blank(row, at, style);
                continue;
            }
            writeCell(row, at, column, *line, style);
        }
    }

    void writeCell(uint32_t row, uint16_t at, const SheetColumn& column, const StatementLine& line,
                   CellStyle style) {
        CellStyle wrapped = style;
        wrapped.wrap = true;
        CellStyle small = wrapped;
        small.sizeMm = g_.smallFontMm;
        switch (column.field) {
            case StatementField::DisplayNo:
                return sheet_->text(row, at, trimmed(line.表示番号名称), style);
            case StatementField::Name:
            case StatementField::Spec:
                return sheet_->text(row, at, wrappedText(column.field, line), wrapped);
            case StatementField::Quantity: {
                std::optional<double> value = quantityValue(line.内訳数量);
                if (!value) return sheet_->text(row, at, trimmed(line.内訳数量), style);
                style.numberFormat = kQuantityFormat;
                return sheet_->number(row, at, *value, style);
            }
            case StatementField::Unit:
                return sheet_->text(row, at, trimmed(line.単位名称), style);
            case StatementField::UnitPrice:
                return sheet_->money(row, at, line.単価[kSubmitted], style);
            case StatementField::Amount:
                return sheet_->money(row, at, line.金額[kSubmitted], style);
            case StatementField::QuantityFormula:
            case StatementField::PriceFormula:
            case StatementField::Remarks:
                return sheet_->text(row, at, wrappedText(column.field, line), small);
            default: {
                auto k = static_cast<std::size_t>(column.estimate);
                return sheet_->money(row, at, column.amount ? line.金額[k] : line.単価[k], style);
            }
        }
    }

    Workbook& book_;
    const DesignInfo& design_;
    const StatementGeometry& g_;
    const StatementHeading& heading_;
    int pageCount_;
    std::vector<SheetColumn> columns_;
    std::vector<double> widths_;  // of columns_
    uint32_t headingRows_;
    Worksheet* sheet_ = nullptr;
};

std::string sheetName(std::size_t index) {
    std::string name(kStatementSheetName);
    if (index > 0) name += "(" + std::to_string(index + 1) + ")";
    return name;
}

}  // namespace

std::optional<double> quantityValue(std::string_view text) {
    std::string digits;
    for (char c : util::trimBlanks(text)) {
        if (c != ',') digits += c;
    }
    if (digits.empty() || digits.find_first_not_of("0123456789.+-") != std::string::npos)
        return std::nullopt;
    char* end = nullptr;
    double value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) return std::nullopt;
    return value;
}

util::Status writeStatementWorkbook(const std::string& path, const DesignInfo& design,
                                    const StatementHeading& heading,
                                    const StatementPageIndex& index, data::CCCDBS_DataBase& db) {
    const int pages = index.pageCount();
    if (pages == 0) return util::Failure("the statement has no lines", "no workbook written");
    util::Status written;
    {
        Workbook book(path, true, design.title);
        StatementSheetWriter writer(book, design, heading, pages);
        const int perSheet = static_cast<int>(kPagesPerWorksheet);
        for (int first = 1, sheet = 0; written && first <= pages; first += perSheet, ++sheet) {
            written = writer.write(sheetName(static_cast<std::size_t>(sheet)), index, db, first,
                                   std::min(perSheet, pages - first + 1));
        }
        if (written) return book.close();
    }
    // A page that could not be read leaves no half workbook behind.
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return written;
}

}  // namespace omrix::reports
