#pragma once
// The breakdown statement (内訳書) in its five print types.

#include <string>
#include <vector>

#include "reports/report_document.h"
#include "reports/statement_columns.h"
#include "reports/statement_data.h"

namespace omrix::reports {

struct StatementHeading {
    std::string title;
    std::string company;      // formula field 1
    std::string projectName;  // 工事名称
    std::string breakdownName;
    std::vector<std::string> columnHeadings;  // one per column of the geometry
};

class StatementDocument : public ReportDocument {
  public:
    StatementDocument(const DesignInfo& design, StatementHeading heading,
                      std::vector<StatementPage> pages);
    // A statement without rows still prints its empty form: one page.
    int pageCount() const override;
    void paintPage(PagePainter& painter, int page) const override;

    const std::vector<StatementPage>& pages() const { return pages_; }
    const StatementHeading& heading() const { return heading_; }

  private:
    void paintHeader(PagePainter& p, const StatementPage* page) const;
    void paintGrid(PagePainter& p) const;
    void paintLine(PagePainter& p, const StatementLine& line, int slot) const;

    const DesignInfo& design_;
    const StatementGeometry& geometry_;
    StatementHeading heading_;
    std::vector<StatementPage> pages_;
};

}  // namespace omrix::reports
