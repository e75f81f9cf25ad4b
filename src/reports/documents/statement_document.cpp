#include "reports/documents/statement_document.h"

#include <algorithm>

#include "reports/documents/statement_cells.h"
#include "reports/documents/statement_workbook.h"
#include "reports/engine/money_text.h"
#include "reports/engine/project_heading.h"
#include "reports/engine/report_connection.h"
#include "util/text.h"

namespace omrix::reports {
namespace {

constexpr double kThick = 0.4;
constexpr double kMedium = 0.25;
constexpr double kThin = 0.12;
constexpr double kPad = 1.0;  // text keeps this far from the cell's rules

std::vector<std::string_view> views(const std::vector<std::string>& texts) {
    return {texts.begin(), texts.end()};
}

}  // namespace

StatementDocument::StatementDocument(const DesignInfo& design, StatementHeading heading,
                                     StatementPageIndex index, data::CCCDBS_DataBase& db)
    : design_(design),
      geometry_(statementGeometry(design.design)),
      heading_(std::move(heading)),
      index_(std::move(index)),
      db_(db),
      outlineFromReads_(index_.pageCount()) {}

int StatementDocument::pageCount() const {
    return std::max(1, index_.pageCount());
}

util::Result<const StatementPage*> StatementDocument::readPage(int page) const {
    if (page < 1 || page > index_.pageCount()) return nullptr;
    const int offset = page - cachedFirst_;
    if (cachedFirst_ > 0 && offset >= 0 && offset < static_cast<int>(cached_.size())) {
        return &cached_[static_cast<std::size_t>(offset)];
    }
    const bool onward = cachedFirst_ > 0 && offset == static_cast<int>(cached_.size());
    pagesPerRead_ = onward ? std::min(2 * pagesPerRead_, kMostPagesPerRead) : kPagesPerRead;
    cachedFirst_ = 0;
    auto pages = index_.readPages(db_, page, pagesPerRead_);
    if (!pages) {
        cached_.clear();
        return pages.failure();
    }
    cached_ = std::move(*pages);
    cachedFirst_ = page;
    outlineFromReads_.add(page, cached_);
    return &cached_.front();
}

PageLabel StatementDocument::pageLabel(int page) const {
    if (page < 1 || page > index_.pageCount()) return {};
    return {.known = true,
            .頁番号 = index_.pageNumber(page),
            .表示頁番号 = index_.displayPageNumber(page),
            .頁名称 = index_.pageName(page)};
}

namespace {

struct StatementPagesRead : ReportDocument::PagesRead {
    int first = 0;
    std::vector<StatementPage> pages;
};

}  // namespace

ReportDocument::PagesReadResult StatementDocument::readAhead(int first, int count) const {
    auto read = std::make_shared<StatementPagesRead>();
    read->first = first;
    if (first >= 1 && first <= index_.pageCount()) {  // else the empty form
        auto pages = index_.readPages(db_, first, count);
        if (!pages) return pages.failure();
        read->pages = std::move(*pages);
        outlineFromReads_.add(first, read->pages);
    }
    return std::shared_ptr<const PagesRead>(std::move(read));
}

void StatementDocument::paintPageRead(PagePainter& p, int page, const PagesRead& read) const {
    const auto& pages = static_cast<const StatementPagesRead&>(read);
    const int offset = page - pages.first;
    paintPageOf(p, offset >= 0 && offset < static_cast<int>(pages.pages.size())
                       ? &pages.pages[static_cast<std::size_t>(offset)]
                       : nullptr);
}

util::Status StatementDocument::paintPage(PagePainter& p, int page) const {
    const auto data = readPage(page);
    paintPageOf(p, data ? *data : nullptr);
    if (!data) return data.failure();
    return {};
}

void StatementDocument::paintPageOf(PagePainter& p, const StatementPage* data) const {
    paintHeader(p, data);
    // The cells each line's texts take, by slot; a slot without a line keeps its rules.
    PageLines lines(kLinesPerPage, nullptr);
    if (data != nullptr) {
        for (std::size_t i = 0; i < data->lines.size(); ++i) {
            const int slot = lineSlot(*data, i);
            if (slot >= 0 && slot < kLinesPerPage &&
                lines[static_cast<std::size_t>(slot)] == nullptr)
                lines[static_cast<std::size_t>(slot)] = &data->lines[i];
        }
    }
    const auto spans = pageSpans(geometry_, lines, [&](int slot, const CellSpan& span) {
        const StatementField field = geometry_.columns[span.owner].field;
        const StatementLine& line = *lines[static_cast<std::size_t>(slot)];
        // Figures have columns wide enough for the longest; only texts are measured.
        return fieldAlignment(field) == Align::Right ||
               p.fits(cellBox(span, slot), views(cellTexts(field, line)), cellStyle(field));
    });
    paintGrid(p, spans);
    for (int slot = 0; slot < kLinesPerPage; ++slot) {
        for (const CellSpan& span : spans[static_cast<std::size_t>(slot)])
            paintCell(p, *lines[static_cast<std::size_t>(slot)], span, slot);
    }
    // No footer: the one page number a statement page prints is the estimator's, above.
}

util::Status StatementDocument::writeWorkbook(const std::string& path) const {
    return writeStatementWorkbook(path, design_, heading_, index_, db_);
}

void StatementDocument::paintHeader(PagePainter& p, const StatementPage* page) const {
    const StatementGeometry& g = geometry_;
    const StatementHeaderBand& band = g.band;
    const double left = g.margins.leftMm;
    const double width = g.tableWidthMm();
    const double top = g.margins.topMm;

    // Title, centred, with a double rule under it.
    TextStyle title{band.titleFontMm, Face::Mincho, Align::Center};
    QString titleString = titleText(heading_.title);
    p.text({left, top, width, band.titleHeightMm}, titleString, title);
    double ruleWidth = p.textWidthMm(titleString, title) + 2 * band.titleRuleOverhangMm;
    double ruleLeft = left + (width - ruleWidth) / 2;
    const double ruleY = top + band.titleRuleMm;
    p.line(ruleLeft, ruleY, ruleLeft + ruleWidth, ruleY, kMedium);
    p.line(ruleLeft, ruleY + band.titleRuleGapMm, ruleLeft + ruleWidth, ruleY + band.titleRuleGapMm,
           kThin);

    // The statement's own page number, as the estimator numbered it.
    if (page != nullptr) {
        p.text({left + width - band.pageNoWidthMm, top, band.pageNoWidthMm, band.pageNoHeightMm},
               "No. " + std::to_string(page->表示頁番号),
               {band.pageNoFontMm, Face::Gothic, Align::Right});
    }

    // Project on the left, company on the right.
    const double rowY = top + band.projectRowMm;
    const double rowHeight = band.projectRowHeightMm;
    const double projectWidth = width * band.projectShare;
    const double nameLeft = left + band.labelWidthMm + 1;
    p.text({left, rowY, band.labelWidthMm, rowHeight}, "工事名称",
           {band.labelFontMm, Face::Gothic});
    p.text({nameLeft, rowY, left + projectWidth - nameLeft, rowHeight}, heading_.projectName,
           {band.nameFontMm, Face::Mincho});
    p.line(left, rowY + band.projectRuleMm, left + projectWidth, rowY + band.projectRuleMm, kThin);
    const double companyWidth = width * band.companyShare;
    p.text({left + width - companyWidth, rowY, companyWidth, rowHeight}, heading_.company,
           {band.nameFontMm, Face::Mincho, Align::Right});

    // The page's name heads its lines.
    if (page != nullptr && !page->頁名称.empty()) {
        p.text({left, rowY + band.pageNameMm, projectWidth, band.pageNameHeightMm},
               "【" + page->頁名称 + "】", {band.pageNameFontMm, Face::Gothic});
    }
}

void StatementDocument::paintGrid(PagePainter& p,
                                  const std::vector<std::vector<CellSpan>>& spans) const {
    const StatementGeometry& g = geometry_;
    const double left = g.margins.leftMm;
    const double right = left + g.tableWidthMm();
    const double top = g.tableTopMm();
    const double bodyTop = top + g.headingRowMm;
    const double bottom = g.tableBottomMm();

    p.fill({left, top, right - left, g.headingRowMm}, QColor(238, 238, 238));
    // The rules inside a joined cell are left out: across it between its lines, and
    // down it on each of its lines.
    auto joinedAcross = [&](int slot, std::size_t c) {
        for (int start = 0; start <= slot; ++start) {
            for (const CellSpan& span : spans[static_cast<std::size_t>(start)])
                if (spanCovers(span, start, slot) && span.first < c && c <= span.last) return true;
        }
        return false;
    };
    auto joinedDown = [&](int slot, std::size_t c) {
        for (int start = 0; start < slot; ++start) {
            for (const CellSpan& span : spans[static_cast<std::size_t>(start)])
                if (spanCovers(span, start, slot) && span.first <= c && c <= span.last) return true;
        }
        return false;
    };
    // Each rule in runs, one line a run.
    for (int i = 1; i < kLinesPerPage; ++i) {
        const double y = bodyTop + i * g.lineMm;
        std::size_t from = 0;
        for (std::size_t c = 0; c <= g.columns.size(); ++c) {
            if (c < g.columns.size() && !joinedDown(i, c)) continue;
            if (c > from) p.line(g.columnLeftMm(from), y, g.columnLeftMm(c), y, kThin);
            from = c + 1;
        }
    }
    p.line(left, bodyTop, right, bodyTop, kMedium);
    for (std::size_t c = 1; c < g.columns.size(); ++c) {
        const double x = g.columnLeftMm(c);
        double from = top;
        for (int slot = 0; slot <= kLinesPerPage; ++slot) {
            const double y = bodyTop + slot * g.lineMm;
            if (slot < kLinesPerPage && !joinedAcross(slot, c)) continue;
            if (y > from) p.line(x, from, x, y, kThin);
            from = y + g.lineMm;
        }
    }
    p.frame({left, top, right - left, bottom - top}, kThick);

    TextStyle heading{g.smallFontMm + 0.3, Face::Gothic, Align::Center};
    TextStyle sub{g.smallFontMm - 0.2, Face::Gothic, Align::Center};
    for (std::size_t c = 0; c < g.columns.size(); ++c) {
        const StatementColumn& column = g.columns[c];
        MmRect cell{g.columnLeftMm(c), top, column.widthMm, g.headingRowMm};
        const std::string& text = heading_.columnHeadings[c];
        if (isEstimateColumn(column.field)) {
            p.text(cell.upperHalf().inset(kPad), text, heading);
            p.text(cell.lowerHalf().inset(kPad), "単価／金額", sub);
        } else {
            p.text(cell.inset(kPad), text, heading);
        }
    }
}

MmRect StatementDocument::cellBox(const CellSpan& span, int slot) const {
    const StatementGeometry& g = geometry_;
    const double y = g.tableTopMm() + g.headingRowMm + slot * g.lineMm;
    const double x = g.columnLeftMm(span.first);
    return MmRect{x, y, g.columnLeftMm(span.last + 1) - x, span.lines * g.lineMm}.inset(kPad, 0.3);
}

TextStyle StatementDocument::cellStyle(StatementField field) const {
    const bool small = field == StatementField::QuantityFormula ||
                       field == StatementField::PriceFormula || field == StatementField::Remarks;
    return {.sizeMm = small ? geometry_.smallFontMm : geometry_.fontMm,
            .face = Face::Mincho,
            .align = fieldAlignment(field)};
}

void StatementDocument::paintCell(PagePainter& p, const StatementLine& line, const CellSpan& span,
                                  int slot) const {
    const StatementField field = geometry_.columns[span.owner].field;
    const MmRect cell = cellBox(span, slot);
    const TextStyle style = cellStyle(field);
    const std::vector<std::string> texts = cellTexts(field, line);
    switch (field) {
        case StatementField::Name:
        case StatementField::Spec:
        case StatementField::Remarks:
            return p.lines(cell, views(texts), style);
        case StatementField::QuantityFormula:
        case StatementField::PriceFormula:
            return p.wrappedText(cell, texts.front(), style);
        default:
            if (isEstimateColumn(field)) {
                p.text(cell.upperHalf(), texts[0], style);
                return p.text(cell.lowerHalf(), texts[1], style);
            }
            return p.text(cell, texts.front(), style);
    }
}

LoadedDocument loadStatementDocument(const ReportSource& source) {
    StatementPageIndex index;
    if (util::Status built = index.build(source.db, source.selection()); !built)
        return built.failure();

    StatementHeading heading;
    heading.title = std::string(source.design.title);
    heading.company = source.formulaText(1);
    ProjectHeading project = readProjectHeading(source.db, source.formula.value);
    heading.projectName = project.projectName;
    heading.breakdownName = project.breakdownName;
    for (const StatementColumn& column : statementGeometry(source.design.design).columns)
        heading.columnHeadings.push_back(columnHeading(column, source.formulaTexts));

    return std::unique_ptr<ReportDocument>(std::make_unique<StatementDocument>(
        source.design, std::move(heading), std::move(index), source.db));
}

}  // namespace omrix::reports
