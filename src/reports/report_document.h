#pragma once
// What a report has once it has read its rows: pages it can paint. One kind per
// family of designs (statement, unit-price tables, the two sheets).

#include <memory>
#include <string>
#include <vector>

#include "data/database.h"
#include "reports/page_painter.h"
#include "reports/report_design.h"
#include "reports/selection_formula.h"

namespace omrix::reports {

class ReportDocument {
  public:
    virtual ~ReportDocument() = default;
    virtual int pageCount() const = 0;
    // page is 1-based and within pageCount(); the painter is in millimetres of the paper.
    virtual void paintPage(PagePainter& painter, int page) const = 0;
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
    // "Select * From <table 1> Where 削除区分 = '0' And (<column> = <value>)"
    std::string selectionSql(std::string_view orderBy = {}) const;
};

std::unique_ptr<ReportDocument> loadStatementDocument(const ReportSource& source,
                                                      std::string& error);
std::unique_ptr<ReportDocument> loadDaikaDocument(const ReportSource& source, std::string& error);
std::unique_ptr<ReportDocument> loadSheetDocument(const ReportSource& source, std::string& error);

// The footer every page carries: "n / N", centred under the page's body.
void paintPageNumber(PagePainter& painter, const Paper& paper, int page, int pageCount);

}  // namespace omrix::reports
