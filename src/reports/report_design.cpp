#include "reports/report_design.h"

#include <array>

namespace omrix::reports {
namespace {

constexpr Paper kB5Portrait{
    .size = PaperSize::JisB5, .landscape = false, .widthMm = 182.0, .heightMm = 257.0};
constexpr Paper kA4Portrait{
    .size = PaperSize::A4, .landscape = false, .widthMm = 210.0, .heightMm = 297.0};
constexpr Paper kA4Landscape{
    .size = PaperSize::A4, .landscape = true, .widthMm = 297.0, .heightMm = 210.0};

const std::array<DesignInfo, 8>& designs() {
    // Formula field 1 is the company name wherever a design prints one; the internal
    // check layout has five, 3 to 5 naming its estimate columns.
    static const std::array<DesignInfo, 8> table{{
        {ReportDesign::B5_UCHIWAKESHO,
         "B5_UCHIWAKESHO",
         DocumentKind::Statement,
         "内訳書",
         kB5Portrait,
         {"内訳出力"},
         1},
        {ReportDesign::A4YOKOUCHIWAKESHO,
         "A4YOKOUCHIWAKESHO",
         DocumentKind::Statement,
         "内訳書",
         kA4Landscape,
         {"内訳出力"},
         1},
        {ReportDesign::PRINT_A4TATE,
         "PRINT_A4TATE",
         DocumentKind::Statement,
         "内訳書",
         kA4Portrait,
         {"内訳出力"},
         1},
        {ReportDesign::PRINT_A4EXP,
         "PRINT_A4EXP",
         DocumentKind::Statement,
         "内訳書",
         kA4Landscape,
         {"内訳出力"},
         1},
        {ReportDesign::PRINTA4YOKO,
         "PRINTA4YOKO",
         DocumentKind::Statement,
         "内訳書(社内確認用)",
         kA4Landscape,
         {"内訳出力"},
         5},
        {ReportDesign::PRINT_DAIKA,
         "PRINT_DAIKA",
         DocumentKind::UnitPriceTables,
         "代価表",
         kA4Landscape,
         {"代価表", "内訳", "内訳"},
         1},
        {ReportDesign::PRINT_GAIYOU,
         "PRINT_GAIYOU",
         DocumentKind::Overview,
         "工事概要",
         kA4Portrait,
         {"物件概要"},
         1},
        {ReportDesign::PRINT_YOUKOU,
         "PRINT_YOUKOU",
         DocumentKind::Summary,
         "見積要項",
         kA4Portrait,
         {"物件見積要項"},
         1},
    }};
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
