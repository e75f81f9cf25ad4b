#include "reports/engine/report_design.h"

#include "print/print_options.h"
#include "reports/engine/statement_columns.h"

namespace omrix::reports {
namespace {

// Formula field 1 is the company name wherever a design prints one; the internal check
// layout has five, 3 to 5 naming its estimate columns.
int formulaFieldCount(const print::PrintType& type) {
    constexpr int kWithAmountKindNames = 5;
    return type.formulas == print::StatementFormulas::AmountKindNames ? kWithAmountKindNames : 1;
}

// A statement design for every print type that has a page geometry, then the other
// three documents.
std::vector<DesignInfo> makeDesigns() {
    std::vector<DesignInfo> out;
    for (const print::PrintType& type : print::printTypes()) {
        const StatementGeometry* g = findStatementGeometry(type.layout);
        if (g == nullptr) continue;
        out.push_back(DesignInfo{.design = g->design,
                                 .name = type.layout,
                                 .kind = DocumentKind::Statement,
                                 .title = type.reportTitle,
                                 .paper = g->paper,
                                 .tables = {"内訳出力"},
                                 .formulaFieldCount = formulaFieldCount(type)});
    }
    out.push_back(DesignInfo{.design = ReportDesign::PRINT_DAIKA,
                             .name = "PRINT_DAIKA",
                             .kind = DocumentKind::UnitPriceTables,
                             .title = "代価表",
                             .paper = kA4Landscape,
                             .tables = {"代価表", "内訳", "内訳"},
                             .formulaFieldCount = 1});
    out.push_back(DesignInfo{.design = ReportDesign::PRINT_GAIYOU,
                             .name = "PRINT_GAIYOU",
                             .kind = DocumentKind::Overview,
                             .title = "工事概要",
                             .paper = kA4Portrait,
                             .tables = {"物件概要"},
                             .formulaFieldCount = 1});
    out.push_back(DesignInfo{.design = ReportDesign::PRINT_YOUKOU,
                             .name = "PRINT_YOUKOU",
                             .kind = DocumentKind::Summary,
                             .title = "見積要項",
                             .paper = kA4Portrait,
                             .tables = {"物件見積要項"},
                             .formulaFieldCount = 1});
    return out;
}

const std::vector<DesignInfo>& designs() {
    static const std::vector<DesignInfo> table = makeDesigns();
    return table;
}

}  // namespace

const DesignInfo& designInfo(ReportDesign design) {
    for (const DesignInfo& info : designs()) {
        if (info.design == design) return info;
    }
    return designs().front();  // unreachable: every enumerator has a row
}

const DesignInfo* findDesign(std::string_view name) {
    for (const DesignInfo& info : designs()) {
        if (info.name == name) return &info;
    }
    return nullptr;
}

const std::vector<ReportDesign>& allDesigns() {
    static const std::vector<ReportDesign> list = [] {
        std::vector<ReportDesign> out;
        for (const DesignInfo& info : designs()) out.push_back(info.design);
        return out;
    }();
    return list;
}

}  // namespace omrix::reports
