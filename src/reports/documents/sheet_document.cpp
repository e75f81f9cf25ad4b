#include <cmath>
#include <numeric>

#include "reports/engine/report_document.h"
#include "reports/documents/sheet_data.h"
#include "reports/documents/sheet_workbook.h"
#include "reports/engine/report_connection.h"

namespace omrix::reports {
namespace {

constexpr double kThick = 0.4;
constexpr double kMedium = 0.25;
constexpr double kThin = 0.12;
constexpr double kPad = 1.5;

class SheetDocument : public ReportDocument {
  public:
    SheetDocument(const DesignInfo& design, std::vector<SheetModel> sheets)
        : design_(design), sheets_(std::move(sheets)) {}

    int pageCount() const override { return static_cast<int>(sheets_.size()); }

    DocumentInfo documentInfo() const override {
        const SheetModel& first = sheets_.front();
        return {first.title, first.company, first.projectName};
    }

    util::Status writeWorkbook(const std::string& path) const override {
        return writeSheetWorkbook(path, design_, sheets_);
    }

    util::Status paintPage(PagePainter& p, int page) const override {
        const SheetModel& sheet = sheets_[static_cast<std::size_t>(page - 1)];
        const SheetGeometry& g = sheetGeometry();
        const double left = g.margins.leftMm;
        const double width = g.margins.innerWidthMm(design_.paper);
        double y = g.margins.topMm;

        p.text({left, y - 6, width, 5}, sheet.reference, {2.9, Face::Gothic, Align::Right});
        TextStyle title{8.0, Face::Mincho, Align::Center};
        QString titleString = titleText(sheet.title);
        p.text({left, y, width, 13}, titleString, title);
        double rule = p.textWidthMm(titleString, title) + 20;
        double ruleLeft = left + (width - rule) / 2;
        p.line(ruleLeft, y + 13.4, ruleLeft + rule, y + 13.4, kMedium);
        p.line(ruleLeft, y + 14.2, ruleLeft + rule, y + 14.2, kThin);
        y += g.titleMm;

        if (sheet.withIntro) {
            p.text({left + width * 0.45, y, width * 0.55, 8}, sheet.company,
                   {4.4, Face::Mincho, Align::Right});
            p.wrappedText({left, y + 9, width, 11}, sheet.preamble, {3.4, Face::Mincho});
            p.text({left, y + 21, width, 7}, "記", {4.0, Face::Mincho, Align::Center});
            y += g.introMm;
        }

        const double tableTop = y;
        const std::vector<double> heights =
            rowHeights(p, sheet, width, design_.paper.heightMm - g.margins.bottomMm - y);
        for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
            const SheetRow& row = sheet.rows[r];
            const double height = heights[r];
            paintRow(p, row, left, y, width, height);
            y += height;
            p.line(left, y, left + width, y, kThin);
        }
        p.frame({left, tableTop, width, y - tableTop}, kThick);
        paintPageNumber(p, design_.paper, page, pageCount());
        return {};
    }

  private:
    // Each row's height: a one-line value too long for its cell at the sheet's size
    // gets the lines it breaks into, where the page has room for all such rows;
    // otherwise the painter narrows it into the row's own height.
    static std::vector<double> rowHeights(PagePainter& p, const SheetModel& sheet, double width,
                                          double room) {
        const SheetGeometry& g = sheetGeometry();
        std::vector<double> base, grown;
        for (const SheetRow& row : sheet.rows) {
            base.push_back(rowHeightMm(row, g));
            grown.push_back(base.back());
            const bool paired = row.cells.size() > 1;
            const double cellWidth = width / static_cast<double>(row.cells.size()) -
                                     (paired ? g.pairLabelMm : g.labelMm) - 2 * kPad;
            for (const SheetCell& cell : row.cells) {
                if (cell.lines.size() != 1) continue;
                const double lines = std::ceil(
                    p.textWidthMm(pageText(cell.lines.front()), {g.fontMm - 0.2}) / cellWidth);
                if (lines > 1) grown.back() = std::max(grown.back(), lines * g.subLineMm + 1.6);
            }
        }
        return std::accumulate(grown.begin(), grown.end(), 0.0) <= room ? grown : base;
    }

    void paintRow(PagePainter& p, const SheetRow& row, double left, double top, double width,
                  double height) const {
        const SheetGeometry& g = sheetGeometry();
        const bool paired = row.cells.size() > 1;
        const double cellWidth = width / static_cast<double>(row.cells.size());
        const double labelWidth = paired ? g.pairLabelMm : g.labelMm;
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            const SheetCell& cell = row.cells[c];
            const double x = left + static_cast<double>(c) * cellWidth;
            if (c > 0) p.line(x, top, x, top + height, kMedium);
            MmRect label{x, top, labelWidth, height};
            p.fill(label, QColor(240, 240, 240));
            p.line(x + labelWidth, top, x + labelWidth, top + height, kThin);
            p.text(label.inset(kPad), cell.label, {g.fontMm - 0.2, Face::Gothic, Align::Center});
            MmRect value{x + labelWidth + kPad, top, cellWidth - labelWidth - 2 * kPad, height};
            if (cell.lines.size() <= 1) {
                // A row grown for the value: it breaks at the size of stacked lines.
                if (!cell.lines.empty() && height > rowHeightMm(row, g))
                    p.wrappedText(value.inset(0, 0.8), cell.lines.front(), {g.fontMm - 0.2});
                else if (!cell.lines.empty())
                    p.text(value, cell.lines.front(), {g.fontMm});
                continue;
            }
            double lineY = top + 0.8;
            for (const std::string& line : cell.lines) {
                p.text({value.x, lineY, value.w, g.subLineMm}, line, {g.fontMm - 0.2});
                lineY += g.subLineMm;
            }
        }
    }

    const DesignInfo& design_;
    std::vector<SheetModel> sheets_;
};

}  // namespace

LoadedDocument loadSheetDocument(const ReportSource& source) {
    std::string sql = source.selectionSql();
    auto rs = source.db.fnOpenRecordSet(sql);
    if (!rs) {
        return withReason("the report cannot read its rows: " + sql, source.db);
    }
    std::vector<SheetRecord> rows;
    const int columns = rs->columnCount();
    while (!rs->pbEOF()) {
        SheetRecord& row = rows.emplace_back();
        for (int c = 0; c < columns; ++c) row.set(rs->columnName(c), rs->fnGetVariant(c));
        if (!rs->fnMoveNext()) return partWayFailure(source.db);
    }
    rs->fnClose();
    // Without its row the sheet still prints, as an empty form.
    if (rows.empty()) rows.emplace_back();

    std::vector<SheetModel> sheets;
    for (const SheetRecord& row : rows) {
        sheets.push_back(source.design.kind == DocumentKind::Summary
                             ? summarySheet(row, source.formulaText(1))
                             : overviewSheet(row));
    }
    return std::unique_ptr<ReportDocument>(
        std::make_unique<SheetDocument>(source.design, std::move(sheets)));
}

}  // namespace omrix::reports
