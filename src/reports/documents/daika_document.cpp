#include <set>

#include "reports/documents/daika_data.h"
#include "reports/documents/daika_rows.h"
#include "reports/documents/daika_workbook.h"
#include "reports/engine/money_text.h"
#include "reports/engine/project_heading.h"
#include "reports/engine/report_connection.h"
#include "reports/engine/report_document.h"
#include "reports/documents/statement_data.h"

namespace omrix::reports {
namespace {

constexpr double kThick = 0.4;
constexpr double kMedium = 0.25;
constexpr double kThin = 0.12;
constexpr double kPad = 1.0;
constexpr double kFont = 3.0;
constexpr double kSmall = 2.6;

auto headerFields = [](DaikaHeader& r, auto& v) {
    v("内訳名称ＩＤ", r.内訳名称ＩＤ);
    v("代価表ＩＤ", r.代価表ＩＤ);
    v("内訳ＩＤ", r.内訳ＩＤ);
    v("端数金額", r.端数金額);
    v("合計金額", r.合計金額);
    v("モデル数量", r.モデル数量);
    v("換算単価", r.換算単価);
};

auto lineFields = [](DaikaLine& r, auto& v) {
    v("内訳名称ＩＤ", r.内訳名称ＩＤ);
    v("内訳ＩＤ", r.内訳ＩＤ);
    v("種別フラグ", r.種別フラグ);
    v("親内訳ＩＤ", r.親内訳ＩＤ);
    v("表示No", r.表示No);
    v("表示番号名称", r.表示番号名称);
    v("名称１", r.名称[0]);
    v("名称２", r.名称[1]);
    v("仕様１", r.仕様[0]);
    v("仕様２", r.仕様[1]);
    v("単位名称", r.単位名称);
    v("内訳数量", r.内訳数量);
    visitEstimateColumns(r, v);
    v("社外備考", r.社外備考);
};

// What one row of a table prints, column by column.
struct RowTexts {
    std::string name1, name2, spec1, spec2, quantity, unit, price, amount, remark;
};

RowTexts rowTexts(const DaikaRow& row) {
    return {row.name1,
            row.name2,
            row.spec1,
            row.spec2,
            quantityText(row.quantity),
            row.unit,
            moneyText(row.price),
            moneyText(row.amount),
            row.remark};
}

class DaikaDocument : public ReportDocument {
  public:
    DaikaDocument(const DesignInfo& design, std::string company, std::string projectName,
                  std::vector<DaikaTable> tables)
        : design_(design),
          company_(std::move(company)),
          projectName_(std::move(projectName)),
          tables_(std::move(tables)) {
        const DaikaGeometry& g = daikaGeometry();
        pages_ = paginateDaika(tables_, g.bodyHeightMm(design_.paper.heightMm) - 6, g);
    }

    int pageCount() const override { return static_cast<int>(pages_.size()); }

    DocumentInfo documentInfo() const override {
        return {std::string(design_.title), company_, projectName_};
    }

    // One bookmark per table, at the page where it opens.
    std::vector<OutlineEntry> outline() const override {
        std::vector<OutlineEntry> entries;
        for (std::size_t page = 0; page < pages_.size(); ++page) {
            for (const DaikaSegment& s : pages_[page]) {
                if (s.continued) continue;
                entries.push_back({.title = daikaTableHeading(tables_[s.table]),
                                   .page = static_cast<int>(page) + 1});
            }
        }
        return entries;
    }

    util::Status writeWorkbook(const std::string& path) const override {
        return writeDaikaWorkbook(path, {design_, company_, projectName_, tables_, pages_});
    }

    util::Status paintPage(PagePainter& p, int page) const override {
        paintHeader(p);
        const DaikaGeometry& g = daikaGeometry();
        double y = g.margins.topMm + g.headerMm;
        const DaikaPage& segments = pages_[static_cast<std::size_t>(page - 1)];
        if (tables_.empty()) {
            p.text({g.margins.leftMm, y, width(), 8}, "代価表のある明細はありません。",
                   {kFont, Face::Gothic});
        }
        for (std::size_t i = 0; i < segments.size(); ++i) {
            if (i > 0) y += g.gapMm;
            y = paintSegment(p, segments[i], y);
        }
        paintPageNumber(p, design_.paper, page, pageCount());
        return {};
    }

  private:
    double width() const {
        double w = 0;
        for (const StatementColumn& c : daikaColumns()) w += c.widthMm;
        return w;
    }

    void paintHeader(PagePainter& p) const {
        const DaikaGeometry& g = daikaGeometry();
        TextStyle title{7.0, Face::Mincho, Align::Center};
        QString text = titleText(design_.title);
        p.text({g.margins.leftMm, g.margins.topMm, width(), 11}, text, title);
        double rule = p.textWidthMm(text, title) + 16;
        double ruleLeft = g.margins.leftMm + (width() - rule) / 2;
        p.line(ruleLeft, g.margins.topMm + 11.2, ruleLeft + rule, g.margins.topMm + 11.2, kMedium);
        p.line(ruleLeft, g.margins.topMm + 12.0, ruleLeft + rule, g.margins.topMm + 12.0, kThin);
        double rowY = g.margins.topMm + 16;
        p.text({g.margins.leftMm, rowY, 16, 8}, "工事名称", {2.8, Face::Gothic});
        p.text({g.margins.leftMm + 17, rowY, width() * 0.58 - 17, 8}, projectName_,
               {4.2, Face::Mincho});
        p.line(g.margins.leftMm, rowY + 8.4, g.margins.leftMm + width() * 0.58, rowY + 8.4, kThin);
        p.text({g.margins.leftMm + width() * 0.62, rowY, width() * 0.38, 8}, company_,
               {4.2, Face::Mincho, Align::Right});
    }

    double paintSegment(PagePainter& p, const DaikaSegment& segment, double top) const {
        const DaikaGeometry& g = daikaGeometry();
        const DaikaTable& table = tables_[segment.table];
        const double left = g.margins.leftMm;
        const double w = width();

        // The owner: display number, name and 仕様, and the quantity the
        // breakdown prices.
        MmRect title{left, top, w, g.titleMm};
        p.fill(title, QColor(238, 238, 238));
        // The quantity keeps its place on the right; name and 仕様 take what is left.
        const std::string per = daikaPerQuantity(table);
        const TextStyle perStyle{3.2, Face::Gothic, Align::Right};
        const double perWidth =
            per.empty() ? 0 : p.textWidthMm(QString::fromStdString(per), perStyle) + 2 * kPad;
        MmRect texts = title.inset(kPad);
        texts.w -= perWidth;
        p.text(texts.upperHalf().inset(0, -1), daikaTableHeading(table), {3.4, Face::Gothic});
        p.text(texts.lowerHalf(), daikaTableSpec(table, segment.continued), {2.8, Face::Mincho});
        if (!per.empty()) {
            p.text({left + w - kPad - perWidth, top, perWidth, g.titleMm}, per, perStyle);
        }

        double y = top + g.titleMm;
        const auto& columns = daikaColumns();
        TextStyle headingStyle{2.9, Face::Gothic, Align::Center};
        double x = left;
        for (const StatementColumn& c : columns) {
            p.text(MmRect{x, y, c.widthMm, g.headingMm}.inset(kPad), c.heading, headingStyle);
            x += c.widthMm;
        }
        y += g.headingMm;
        const double bodyTop = y;

        for (std::size_t i = 0; i < segment.lineCount; ++i) {
            paintRow(p, rowTexts(daikaLineRow(table.lines[segment.firstLine + i])), y, false);
            y += g.rowMm;
        }
        if (segment.totals) {
            bool first = true;
            for (const DaikaRow& row : daikaTotalRows(table)) {
                if (first) p.line(left, y, left + w, y, kMedium);
                paintRow(p, rowTexts(row), y, true);
                first = false;
                y += g.rowMm;
            }
        }

        for (double ry = bodyTop; ry < y - 1e-6; ry += g.rowMm)
            p.line(left, ry, left + w, ry, kThin);
        p.line(left, bodyTop, left + w, bodyTop, kMedium);
        x = left;
        for (std::size_t c = 0; c + 1 < columns.size(); ++c) {
            x += columns[c].widthMm;
            p.line(x, top + g.titleMm, x, y, kThin);
        }
        p.line(left, top + g.titleMm, left + w, top + g.titleMm, kThin);
        p.frame({left, top, w, y - top}, kThick);
        return y;
    }

    void paintRow(PagePainter& p, const RowTexts& t, double y, bool total) const {
        const DaikaGeometry& g = daikaGeometry();
        double x = g.margins.leftMm;
        TextStyle text{kFont, total ? Face::Gothic : Face::Mincho};
        for (const StatementColumn& c : daikaColumns()) {
            MmRect cell = MmRect{x, y, c.widthMm, g.rowMm}.inset(kPad, 0.3);
            TextStyle style = text;
            style.align = fieldAlignment(c.field);
            switch (c.field) {
                case StatementField::Name:
                    if (total) {
                        style.align = Align::Center;
                        p.text(cell, t.name1, style);
                    } else {
                        p.twoLines(cell, t.name1, t.name2, style);
                    }
                    break;
                case StatementField::Spec:
                    p.twoLines(cell, t.spec1, t.spec2, style);
                    break;
                case StatementField::Quantity:
                    p.text(cell, t.quantity, style);
                    break;
                case StatementField::Unit:
                    p.text(cell, t.unit, style);
                    break;
                case StatementField::UnitPrice:
                    p.text(cell, t.price, style);
                    break;
                case StatementField::Amount:
                    p.text(cell, t.amount, style);
                    break;
                default:
                    style.sizeMm = kSmall;
                    p.text(cell, t.remark, style);
                    break;
            }
            x += c.widthMm;
        }
    }

    const DesignInfo& design_;
    std::string company_;
    std::string projectName_;
    std::vector<DaikaTable> tables_;
    std::vector<DaikaPage> pages_;
};

}  // namespace

LoadedDocument loadDaikaDocument(const ReportSource& source) {
    std::vector<DaikaHeader> headers;
    if (util::Status read = readReportRows(source.db, source.selectionSql(" Order By 代価表ＩＤ"),
                                           headers, headerFields);
        !read)
        return read.failure();
    std::set<int32_t> breakdowns;
    for (const DaikaHeader& h : headers) breakdowns.insert(h.内訳名称ＩＤ);
    // Tables 2 and 3 both read the breakdown's lines: owners and lower lines alike.
    const std::string& lineTable =
        source.locations.size() > 1 ? source.locations[1] : std::string("内訳");
    std::vector<DaikaLine> lines;
    for (int32_t id : breakdowns) {
        std::string sql = "Select * From " + lineTable +
                          " Where 削除区分 = '0' And (内訳名称ＩＤ = " + std::to_string(id) +
                          ") Order By 表示No, 種別フラグ;";
        if (util::Status read = readReportRows(source.db, sql, lines, lineFields); !read)
            return read.failure();
    }
    int32_t nameId = breakdowns.empty() ? source.formula.value : *breakdowns.begin();
    ProjectHeading project = readProjectHeading(source.db, nameId);
    return std::unique_ptr<ReportDocument>(
        std::make_unique<DaikaDocument>(source.design, source.formulaText(1), project.projectName,
                                        buildDaikaTables(headers, lines)));
}

}  // namespace omrix::reports
