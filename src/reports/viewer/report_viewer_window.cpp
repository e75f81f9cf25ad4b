#include "reports/viewer/report_viewer_window.h"

#include <QApplication>
#include <QResizeEvent>
#include <QShortcut>
#include <cmath>

#include "reports/launch/report.h"
#include "reports/viewer/report_viewer_widget.h"

namespace omrix::reports {
namespace {

constexpr double kTwipsPerInch = 1440;

// The restored window in twips.
struct TwipRect {
    int left, top, width, height;
};
constexpr TwipRect kRestored = {.left = 1850, .top = 1500, .width = 7725, .height = 6225};
// How far each further viewer of a run stands from the one before, down and right.
constexpr int kCascadePx = 28;

int pixels(int twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int index(print::ViewerKind kind) {
    return static_cast<int>(kind);
}

}  // namespace

const ViewerNames& viewerNames(print::ViewerKind kind) {
    static constexpr ViewerNames names[] = {
        {.window = "Frm_Omrix_Print_UCHIWAKESHO", .caption = "内訳書", .viewer = "CRV_UCHIWAKESHO"},
        {.window = "Frm_Omrix_Print_YOUKOU", .caption = "見積要項", .viewer = "CRV_YOUKOU"},
        {.window = "Frm_Omrix_Print_GAIYOU", .caption = "工事概要", .viewer = "CRV_GAIYOU"},
        {.window = "Frm_Omrix_Print_DAIKA", .caption = "代価表", .viewer = "CRV_DAIKA"},
    };
    return names[index(kind)];
}

ReportViewerWindow::ReportViewerWindow(print::ViewerKind kind, const Report& report,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window), kind_(kind), viewer_(new ReportViewerWidget(this)) {
    const ViewerNames& names = viewerNames(kind);
    setObjectName(names.window);
    setWindowTitle(QString::fromUtf8(names.caption));
    setAttribute(Qt::WA_DeleteOnClose);
    viewer_->setObjectName(names.viewer);
    viewer_->setReport(&report);
    auto* closeKey = new QShortcut(QKeySequence::Close, this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
}

QRect ReportViewerWindow::restoredGeometry() const {
    const int dpiX = logicalDpiX();
    const int dpiY = logicalDpiY();
    return {pixels(kRestored.left, dpiX), pixels(kRestored.top, dpiY),
            pixels(kRestored.width, dpiX), pixels(kRestored.height, dpiY)};
}

void ReportViewerWindow::showAsLoaded(int cascade) {
    setGeometry(restoredGeometry().translated(cascade * kCascadePx, cascade * kCascadePx));
    showMaximized();
    viewer_->setFocus();
}

void ReportViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    viewer_->setGeometry(0, 0, width(), height());
}

ReportViewers::~ReportViewers() {
    closeViewers();
}

void ReportViewers::closeViewers() {
    for (auto& window : windows_) {
        // Deleted at once: the report it shows is set up again by the next run.
        delete window.data();
        window.clear();
    }
}

util::Status ReportViewers::openViewer(print::ViewerKind kind, Report& report) {
    delete windows_[index(kind)].data();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (util::Status loaded = report.load(); !loaded) {
        QApplication::restoreOverrideCursor();
        return loaded;
    }
    int open = 0;
    for (const auto& other : windows_) open += other.isNull() ? 0 : 1;
    auto* window = new ReportViewerWindow(kind, report);
    window->viewer().setProject(project_);
    windows_[index(kind)] = window;
    window->showAsLoaded(open);
    QApplication::restoreOverrideCursor();
    return {};
}

ReportViewerWindow* ReportViewers::viewer(print::ViewerKind kind) const {
    return windows_[index(kind)].data();
}

}  // namespace omrix::reports
