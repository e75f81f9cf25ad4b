#include "reports/viewer/report_page_view_widget.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "reports/launch/report.h"

namespace omrix::reports {
namespace {

// Page images kept, in kilobytes: a few pages at fit width on a large screen.
constexpr int kCacheKiB = 48 * 1024;
constexpr double kMmPerInch = 25.4;
const QColor kBackground(128, 128, 128);
const QColor kHitFill(255, 230, 0, 90);
const QColor kCurrentHitFill(255, 140, 0, 110);
const QColor kCurrentHitEdge(230, 90, 0);
const QColor kUnreadText(170, 0, 0);

// A page whose rows could not be read shows why, never an empty form as if it were one:
// the notice, and under it the cause in smaller type.
void paintUnreadNotice(QImage& image, QSize size, const std::string& reason) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(kUnreadText);
    QFont font = painter.font();
    const int heading = std::max(10, size.width() / 32);
    font.setPixelSize(heading);
    painter.setFont(font);
    const int left = size.width() / 10, width = size.width() * 8 / 10;
    int top = size.height() / 3;
    painter.drawText(QRect(left, top, width, 2 * heading), Qt::AlignHCenter | Qt::AlignTop,
                     "この頁を読み込めませんでした");
    font.setPixelSize(std::max(8, heading / 2));
    painter.setFont(font);
    top += 3 * heading;
    painter.drawText(QRect(left, top, width, size.height() - top - heading),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromStdString(reason));
}

}  // namespace

ReportPageViewWidget::ReportPageViewWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    cache_.setMaxCost(kCacheKiB);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    relayout();
}

void ReportPageViewWidget::setReport(const Report* report) {
    report_ = report;
    cache_.clear();
    unread_.clear();
    pagesPainted_ = 0;
    hits_.clear();
    currentHit_ = -1;
    if (report_ != nullptr) {
        const Paper& paper = report_->design().paper;
        layout_.pageWidthMm = paper.widthMm;
        layout_.pageHeightMm = paper.heightMm;
        layout_.pageCount = std::max(1, report_->pageCount());
    } else {
        layout_.pageCount = 1;
    }
    relayout();
    goToPage(1);
}

void ReportPageViewWidget::relayout(const std::function<void(PreviewLayout&)>& change) {
    const double oldScale = layout_.scale();
    const double position =
        verticalScrollBar()->value() / std::max(1.0, double(layout_.contentHeight()));
    if (change) change(layout_);
    layout_.pixelsPerMm = logicalDpiY() / kMmPerInch;
    layout_.viewportWidth = viewport()->width();
    layout_.viewportHeight = viewport()->height();
    const bool rescaled = std::abs(layout_.scale() - oldScale) > 1e-9;
    if (rescaled) cache_.clear();
    horizontalScrollBar()->setRange(0, std::max(0, layout_.contentWidth() - layout_.viewportWidth));
    horizontalScrollBar()->setPageStep(layout_.viewportWidth);
    verticalScrollBar()->setRange(0, std::max(0, layout_.contentHeight() - layout_.viewportHeight));
    verticalScrollBar()->setPageStep(layout_.viewportHeight);
    verticalScrollBar()->setSingleStep(std::max(1, layout_.pageHeightPx() / 20));
    // The same place of the document stays in view across a zoom.
    jumping_ = true;
    verticalScrollBar()->setValue(static_cast<int>(position * layout_.contentHeight()));
    jumping_ = false;
    viewport()->update();
    // In the fit modes a resize changes the zoom the tool bar shows.
    if (rescaled && onZoomChanged) onZoomChanged();
}

void ReportPageViewWidget::goToPage(int page) {
    page = std::clamp(page, 1, layout_.pageCount);
    jumping_ = true;
    verticalScrollBar()->setValue(layout_.pageTop(page) - kPageGapPx);
    jumping_ = false;
    setCurrentPage(page);
    viewport()->update();
}

void ReportPageViewWidget::setCurrentPage(int page) {
    if (page == currentPage_) return;
    currentPage_ = page;
    if (onPageChanged) onPageChanged(page);
}

void ReportPageViewWidget::scrollContentsBy(int dx, int dy) {
    (void)dx;
    (void)dy;
    if (!jumping_) setCurrentPage(layout_.pageAt(verticalScrollBar()->value() + kPageGapPx));
    viewport()->update();
}

void ReportPageViewWidget::changeZoom(const std::function<void(PreviewLayout&)>& change) {
    const int page = currentPage_;
    relayout(change);
    goToPage(page);
    if (onZoomChanged) onZoomChanged();
}

void ReportPageViewWidget::setZoomMode(ZoomMode mode) {
    changeZoom([mode](PreviewLayout& layout) { layout.mode = mode; });
}

void ReportPageViewWidget::setZoom(double zoom) {
    changeZoom([zoom](PreviewLayout& layout) {
        layout.zoom = std::clamp(zoom, kZoomSteps.front(), kZoomSteps.back());
        layout.mode = ZoomMode::Fixed;
    });
}

void ReportPageViewWidget::zoomIn() {
    setZoom(zoomInStep(layout_.scale()));
}

void ReportPageViewWidget::zoomOut() {
    setZoom(zoomOutStep(layout_.scale()));
}

void ReportPageViewWidget::setHits(std::vector<SearchHit> hits, int current) {
    hits_ = std::move(hits);
    currentHit_ = current >= 0 && current < static_cast<int>(hits_.size()) ? current : -1;
    if (currentHit_ >= 0) {
        const SearchHit& hit = hits_[static_cast<std::size_t>(currentHit_)];
        QRectF rect = hitRect(hit);
        jumping_ = true;
        verticalScrollBar()->setValue(static_cast<int>(rect.top()) - layout_.viewportHeight / 3);
        int x = static_cast<int>(rect.left());
        if (x < horizontalScrollBar()->value() ||
            x > horizontalScrollBar()->value() + layout_.viewportWidth)
            horizontalScrollBar()->setValue(x - kPageGapPx);
        jumping_ = false;
        setCurrentPage(hit.page);
    }
    viewport()->update();
}

// In content coordinates.
QRectF ReportPageViewWidget::hitRect(const SearchHit& hit) const {
    const double perMm = layout_.pixelsPerMm * layout_.scale();
    return {layout_.pageLeft() + hit.box.x * perMm, layout_.pageTop(hit.page) + hit.box.y * perMm,
            hit.box.w * perMm, hit.box.h * perMm};
}

QImage ReportPageViewWidget::pageImage(int page) {
    if (QImage* cached = cache_.object(page)) return *cached;
    const qreal ratio = devicePixelRatioF();
    QSize size(layout_.pageWidthPx(), layout_.pageHeightPx());
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    util::Status read;
    if (report_ != nullptr) {
        QPainter painter(&image);
        read = report_->paintPage(painter, page, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    ++pagesPainted_;
    if (!read) {
        // Not kept: once the database answers again, the next paint reads the page.
        const std::string why = read.failure().text();
        unread_[page] = why;
        paintUnreadNotice(image, size, why);
        return image;
    }
    unread_.erase(page);
    // An image larger than the whole cache is shown and let go.
    cache_.insert(page, new QImage(image), static_cast<int>(image.sizeInBytes() / 1024));
    return image;
}

void ReportPageViewWidget::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), kBackground);
    const int scrollX = horizontalScrollBar()->value();
    const int scrollY = verticalScrollBar()->value();
    painter.translate(-scrollX, -scrollY);
    auto [first, last] = layout_.pagesInView(scrollY);
    for (int page = first; page <= last; ++page) {
        QPoint origin(layout_.pageLeft(), layout_.pageTop(page));
        painter.drawImage(origin, pageImage(page));
        painter.setPen(QColor(60, 60, 60));
        painter.drawRect(QRect(origin, QSize(layout_.pageWidthPx(), layout_.pageHeightPx()))
                             .adjusted(-1, -1, 0, 0));
    }
    for (std::size_t i = 0; i < hits_.size(); ++i) {
        const SearchHit& hit = hits_[i];
        if (hit.page < first || hit.page > last) continue;
        bool current = static_cast<int>(i) == currentHit_;
        QRectF rect = hitRect(hit);
        painter.fillRect(rect, current ? kCurrentHitFill : kHitFill);
        if (current) {
            painter.setPen(QPen(kCurrentHitEdge, 2));
            painter.drawRect(rect);
        }
    }
}

void ReportPageViewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void ReportPageViewWidget::wheelEvent(QWheelEvent* event) {
    if (event->modifiers() & Qt::ControlModifier) {
        if (event->angleDelta().y() > 0) zoomIn();
        if (event->angleDelta().y() < 0) zoomOut();
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void ReportPageViewWidget::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_PageUp:
            goToPage(currentPage_ - 1);
            break;
        case Qt::Key_PageDown:
            goToPage(currentPage_ + 1);
            break;
        case Qt::Key_Home:
            goToPage(1);
            break;
        case Qt::Key_End:
            goToPage(layout_.pageCount);
            break;
        default:
            QAbstractScrollArea::keyPressEvent(event);
            return;
    }
    event->accept();
}

}  // namespace omrix::reports
