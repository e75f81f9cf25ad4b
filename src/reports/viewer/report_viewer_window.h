#pragma once
// The four viewer windows, Frm_Omrix_Print_UCHIWAKESHO "内訳書", …_YOUKOU "見積要項",
// …_GAIYOU "工事概要" and …_DAIKA "代価表": each one preview (CRV_UCHIWAKESHO, …)
// filling the whole window. Modeless, maximised when shown, deleted when closed (also
// by Ctrl+W).

#include <QPointer>
#include <QWidget>
#include <string>

#include "print/print_ui.h"
#include "reports/viewer/save_file_name.h"
#include "util/failure.h"

namespace omrix::reports {

class Report;
class ReportViewerWidget;

struct ViewerNames {
    const char* window;   // Frm_Omrix_Print_…
    const char* caption;  // the window's title
    const char* viewer;   // CRV_…
};
const ViewerNames& viewerNames(print::ViewerKind kind);

class ReportViewerWindow : public QWidget {
  public:
    // The report is lent by the main window and must stay loaded while the window is open.
    ReportViewerWindow(print::ViewerKind kind, const Report& report, QWidget* parent = nullptr);

    print::ViewerKind kind() const { return kind_; }
    ReportViewerWidget& viewer() { return *viewer_; }

    // Form_Load: maximised, restoring to 7725 × 6225 twips at (1850, 1500), moved down
    // and right by `cascade` steps so that the viewers of one run do not hide each other.
    void showAsLoaded(int cascade = 0);
    // Those twips in pixels at the screen's logical resolution.
    QRect restoredGeometry() const;

  protected:
    // Form_Resize: the preview takes the window's inner size.
    void resizeEvent(QResizeEvent* event) override;

  private:
    print::ViewerKind kind_;
    ReportViewerWidget* viewer_;
};

// The viewers of the latest print run, one per kind: what the print run's user side
// opens and closes. Closing one leaves the others alone.
class ReportViewers {
  public:
    // `project` names the files the viewers offer to save.
    explicit ReportViewers(ProjectKey project = {}) : project_(std::move(project)) {}
    ~ReportViewers();
    ReportViewers(const ReportViewers&) = delete;
    ReportViewers& operator=(const ReportViewers&) = delete;

    // Unloads the four.
    void closeViewers();
    // Loads the report as launched and shows it in a new window of its kind (replacing
    // an open one). Fails when the report cannot be loaded.
    util::Status openViewer(print::ViewerKind kind, Report& report);
    // Null when that viewer is not open.
    ReportViewerWindow* viewer(print::ViewerKind kind) const;

  private:
    static constexpr int kKinds = 4;
    ProjectKey project_;
    QPointer<ReportViewerWindow> windows_[kKinds];
};

}  // namespace omrix::reports
