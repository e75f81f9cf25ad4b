#pragma once
// What a report has once it has read its rows: pages it can paint. One kind per
// family of designs (statement, unit-price tables, the two sheets).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/core/database.h"
#include "reports/engine/page_painter.h"
#include "reports/engine/pdf_update.h"
#include "reports/engine/report_design.h"
#include "reports/engine/row_selection.h"
#include "reports/engine/selection_formula.h"
#include "util/failure.h"

namespace omrix::reports {

// 頁番号, 表示頁番号 and 頁名称 of a statement page, for the viewer's status line.
struct PageLabel {
    bool known = false;
    int32_t 頁番号 = 0;
    int32_t 表示頁番号 = 0;
    std::string 頁名称;
};

class ReportDocument {
  public:
    virtual ~ReportDocument() = default;
    virtual int pageCount() const = 0;
    // page is 1-based and within pageCount(); the painter is in millimetres of the paper.
    // A page whose rows cannot be read paints its form and says why.
    virtual util::Status paintPage(PagePainter& painter, int page) const = 0;
    // The statement's own numbering and name of a page; empty for the other documents.
    virtual PageLabel pageLabel(int page) const {
        (void)page;
        return {};
    }
    // Title, company and 工事名称, for the PDF's document information.
    virtual DocumentInfo documentInfo() const = 0;
    // Bookmarks of a document that holds its pages in memory; the statement reads its
    // own from its rows (statement_outline.h).
    virtual std::vector<OutlineEntry> outline() const { return {}; }
    // Documents that read their pages as they paint them keep the connection open.
    virtual bool readsOnDemand() const { return false; }

    // Pages painted on other threads than the one that owns the connection: that thread
    // reads them ahead, the painting threads paint from what it read. A document that
    // holds its pages paints them on any thread as paintPage() does.
    struct PagesRead {
        virtual ~PagesRead() = default;
    };
    // Pages first … first + count − 1 (cut at the last), or why they cannot be read.
    // Only on the thread that owns the connection.
    using PagesReadResult = util::Result<std::shared_ptr<const PagesRead>>;
    virtual PagesReadResult readAhead(int first, int count) const {
        (void)first;
        (void)count;
        return std::shared_ptr<const PagesRead>(std::make_shared<PagesRead>());
    }
    // Page `page` of those `read` holds; touches nothing else of the document.
    virtual void paintPageRead(PagePainter& painter, int page, const PagesRead& read) const {
        (void)read;
        (void)paintPage(painter, page);
    }
    // The same pages as an Excel workbook at `path`.
    virtual util::Status writeWorkbook(const std::string& path) const = 0;
};

// What the loaders get from the report object.
struct ReportSource {
    data::CCCDBS_DataBase& db;
    const DesignInfo& design;
    SelectionFormula formula;
    std::vector<std::string> locations;     // of tables 1, 2, …
    std::vector<std::string> formulaTexts;  // unquoted, of fields 1, 2, …

    std::string formulaText(int field) const {
        return field >= 1 && field <= static_cast<int>(formulaTexts.size())
                   ? formulaTexts[static_cast<std::size_t>(field - 1)]
                   : std::string();
    }
    RowSelection selection() const { return {locations.front(), formula.column, formula.value}; }
    // "Select * From <table 1> Where 削除区分 = '0' And (<column> = <value>)"
    std::string selectionSql(std::string_view orderBy = {}) const {
        return selection().sql("*", {}, orderBy);
    }
};

using LoadedDocument = util::Result<std::unique_ptr<ReportDocument>>;
LoadedDocument loadStatementDocument(const ReportSource& source);
LoadedDocument loadDaikaDocument(const ReportSource& source);
LoadedDocument loadSheetDocument(const ReportSource& source);

// The footer of the pages that have no numbering of their own (unit-price tables,
// sheets): "n / N", centred under the page's body. Statement pages print only the
// number their rows carry.
void paintPageNumber(PagePainter& painter, const Paper& paper, int page, int pageCount);

}  // namespace omrix::reports
