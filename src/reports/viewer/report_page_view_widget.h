#pragma once
// The pages of a report one under the other, scrolled through continuously, at a zoom.
// Only the pages in view are painted, each by the report's own painter, and a few of
// them are kept as images, so that a statement of thousands of pages opens at once.

#include <QAbstractScrollArea>
#include <QCache>
#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "reports/launch/report_search.h"
#include "reports/viewer/preview_layout.h"

namespace omrix::reports {

class Report;

class ReportPageViewWidget : public QAbstractScrollArea {
  public:
    explicit ReportPageViewWidget(QWidget* parent = nullptr);

    // The report must stay loaded while it is shown; null shows nothing.
    void setReport(const Report* report);
    int pageCount() const { return layout_.pageCount; }
    int currentPage() const { return currentPage_; }
    // Scrolls page k (clamped to the pages there are) to the top.
    void goToPage(int page);

    const PreviewLayout& layout() const { return layout_; }
    void setZoomMode(ZoomMode mode);
    // A fixed zoom, 1.0 being the paper's real size.
    void setZoom(double zoom);
    void zoomIn();
    void zoomOut();

    // Hits to mark; `current` (an index into them, or -1) is marked apart and scrolled to.
    void setHits(std::vector<SearchHit> hits, int current);

    // Pages painted since the report was set: what the cache saves.
    int pagesPainted() const { return pagesPainted_; }
    // Whether page k could not be read when last painted: it shows a notice instead
    // of its form, and is read again each time it is painted.
    bool pageUnread(int page) const { return unread_.contains(page); }
    // Why, as the notice says it; empty for a page that was read.
    std::string unreadReason(int page) const {
        const auto found = unread_.find(page);
        return found == unread_.end() ? std::string() : found->second;
    }

    std::function<void(int page)> onPageChanged;
    std::function<void()> onZoomChanged;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    // Lays the pages out again after `change` (if any) altered the zoom or the mode: the
    // old scale and scroll position are read before it, so a new scale repaints.
    void relayout(const std::function<void(PreviewLayout&)>& change = {});
    void changeZoom(const std::function<void(PreviewLayout&)>& change);
    QImage pageImage(int page);
    QRectF hitRect(const SearchHit& hit) const;
    void setCurrentPage(int page);

    const Report* report_ = nullptr;
    PreviewLayout layout_;
    int currentPage_ = 1;
    bool jumping_ = false;
    QCache<int, QImage> cache_;
    int pagesPainted_ = 0;
    std::map<int, std::string> unread_;  // by page, why it could not be read
    std::vector<SearchHit> hits_;
    int currentHit_ = -1;
};

}  // namespace omrix::reports
