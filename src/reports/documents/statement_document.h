#pragma once
// The breakdown statement (内訳書) in its five print types.

#include <optional>
#include <string>
#include <vector>

#include "reports/documents/statement_cells.h"
#include "reports/documents/statement_data.h"
#include "reports/documents/statement_outline.h"
#include "reports/documents/statement_page_index.h"
#include "reports/engine/report_document.h"
#include "reports/engine/statement_columns.h"

namespace omrix::reports {

struct StatementHeading {
    std::string title;
    std::string company;      // formula field 1
    std::string projectName;  // 工事名称
    std::string breakdownName;
    std::vector<std::string> columnHeadings;  // one per column of the geometry
};

// Pages are read through the index as they are painted, over the report's connection,
// which must outlive the document. The last page read is kept, because a viewer paints
// the page it shows more than once.
class StatementDocument : public ReportDocument {
  public:
    StatementDocument(const DesignInfo& design, StatementHeading heading, StatementPageIndex index,
                      data::CCCDBS_DataBase& db);
    // A statement without rows still prints its empty form: one page.
    int pageCount() const override;
    util::Status paintPage(PagePainter& painter, int page) const override;
    PageLabel pageLabel(int page) const override;
    bool readsOnDemand() const override { return true; }
    PagesReadResult readAhead(int first, int count) const override;
    void paintPageRead(PagePainter& painter, int page, const PagesRead& read) const override;
    DocumentInfo documentInfo() const override {
        return {heading_.title, heading_.company, heading_.projectName};
    }
    util::Status writeWorkbook(const std::string& path) const override;

    const StatementPageIndex& index() const { return index_; }
    // The outline made from the pages as they were read to be painted, once every page
    // has been: the rows need no second read for it.
    std::optional<std::vector<OutlineEntry>> outlineFromReads() const {
        return outlineFromReads_.entries();
    }
    const StatementHeading& heading() const { return heading_; }

  private:
    // Null for the empty form.
    util::Result<const StatementPage*> readPage(int page) const;
    void paintPageOf(PagePainter& p, const StatementPage* data) const;
    void paintHeader(PagePainter& p, const StatementPage* page) const;
    void paintGrid(PagePainter& p, const std::vector<std::vector<CellSpan>>& spans) const;
    void paintCell(PagePainter& p, const StatementLine& line, const CellSpan& span, int slot) const;
    MmRect cellBox(const CellSpan& span, int slot) const;
    TextStyle cellStyle(StatementField field) const;

    const DesignInfo& design_;
    const StatementGeometry& geometry_;
    StatementHeading heading_;
    StatementPageIndex index_;
    data::CCCDBS_DataBase& db_;
    // The pages last read, from cachedFirst_ on.
    mutable int cachedFirst_ = 0;
    mutable std::vector<StatementPage> cached_;
    mutable int pagesPerRead_ = kPagesPerRead;
    mutable StatementOutlineFromPages outlineFromReads_;
};

}  // namespace omrix::reports
