#pragma once
// The report objects of the main window, one per design, and the breakdown report
// chosen for the current run; the print run reaches the launches through it.

#include <array>
#include <memory>

#include "print/print_run.h"
#include "reports/launch/report.h"
#include "reports/launch/viewer_host.h"

namespace omrix::reports {

class ReportSet : public print::ReportLaunches {
  public:
    // Reports are shown through `viewers`, which must outlive the set.
    explicit ReportSet(ViewerHost& viewers);
    ~ReportSet() override;

    Report& report(ReportDesign design);
    // Null until a run recognised a print type.
    Report* statement() const { return statement_; }

    void chooseStatement(const print::PrintOptionRec& options) override;
    bool showUchiwake(const print::PrintOptionRec& options, int32_t uchiwakeNameId) override;
    bool showYoukou(std::string_view bukkenNo, std::string_view hanNo,
                    std::string_view companyText) override;
    bool showGaiyou(std::string_view bukkenNo) override;
    bool showDaika(int32_t uchiwakeNameId) override;

  private:
    ViewerHost& viewers_;
    std::array<std::unique_ptr<Report>, kDesignCount> reports_;
    Report* statement_ = nullptr;
};

}  // namespace omrix::reports
