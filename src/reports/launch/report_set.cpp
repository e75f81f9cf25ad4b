#include "reports/launch/report_set.h"

#include "reports/launch/report_launch.h"

namespace omrix::reports {

ReportSet::ReportSet(ViewerHost& viewers) : viewers_(viewers) {
    for (ReportDesign design : allDesigns()) {
        reports_.at(static_cast<size_t>(design)) = std::make_unique<Report>(design);
    }
}

ReportSet::~ReportSet() = default;

Report& ReportSet::report(ReportDesign design) {
    return *reports_.at(static_cast<size_t>(design));
}

void ReportSet::chooseStatement(const print::PrintOptionRec& options) {
    const print::PrintType* type = print::findPrintType(options.sPrintTypeName);
    if (type == nullptr) return;
    const DesignInfo* design = findDesign(type->layout);
    if (design != nullptr) statement_ = &report(design->design);
}

bool ReportSet::showUchiwake(const print::PrintOptionRec& options, int32_t uchiwakeNameId) {
    return fnShowUchiwakeReport(uchiwakeNameId, options, statement_, viewers_);
}

bool ReportSet::showYoukou(std::string_view bukkenNo, std::string_view hanNo,
                           std::string_view companyText) {
    return fnShowYoukouReport(bukkenNo, hanNo, companyText, report(ReportDesign::PRINT_YOUKOU),
                              viewers_);
}

bool ReportSet::showGaiyou(std::string_view bukkenNo) {
    return fnShowGaiyouReport(bukkenNo, report(ReportDesign::PRINT_GAIYOU), viewers_);
}

bool ReportSet::showDaika(int32_t uchiwakeNameId) {
    return fnShowDaikaReport(uchiwakeNameId, report(ReportDesign::PRINT_DAIKA), viewers_);
}

}  // namespace omrix::reports
