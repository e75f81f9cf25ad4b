#pragma once
// The viewer windows of the reports as the main window's viewer host.

#include "reports/launch/viewer_host.h"
#include "reports/viewer/report_viewer_window.h"

namespace omrix::print_window {

class ReportViewerHost : public reports::ViewerHost {
  public:
    explicit ReportViewerHost(reports::ProjectKey project = {}) : viewers_(std::move(project)) {}
    void closeViewers() override { viewers_.closeViewers(); }
    // A report that cannot be loaded says why in a message box.
    bool openViewer(print::ViewerKind viewer, reports::Report& report) override;

    reports::ReportViewers& viewers() { return viewers_; }

  private:
    reports::ReportViewers viewers_;
};

}  // namespace omrix::print_window
