#include "reports/viewer/preview_layout.h"

#include <algorithm>
#include <cmath>

namespace omrix::reports {
namespace {

constexpr double kLeastScale = 0.05;
constexpr double kStepTolerance = 0.005;

}  // namespace

double zoomInStep(double zoom) {
    for (double step : kZoomSteps) {
        if (step > zoom + kStepTolerance) return step;
    }
    return kZoomSteps.back();
}

double zoomOutStep(double zoom) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < zoom - kStepTolerance) return *it;
    }
    return kZoomSteps.front();
}

double PreviewLayout::scale() const {
    const double width = pageWidthMm * pixelsPerMm;
    const double height = pageHeightMm * pixelsPerMm;
    const double roomX = std::max(1, viewportWidth - 2 * kPageGapPx);
    const double roomY = std::max(1, viewportHeight - 2 * kPageGapPx);
    switch (mode) {
        case ZoomMode::FitWidth:
            return std::max(kLeastScale, roomX / width);
        case ZoomMode::FitPage:
            return std::max(kLeastScale, std::min(roomX / width, roomY / height));
        case ZoomMode::Fixed:
            break;
    }
    return std::max(kLeastScale, zoom);
}

int PreviewLayout::pageWidthPx() const {
    return std::max(1, static_cast<int>(std::lround(pageWidthMm * pixelsPerMm * scale())));
}

int PreviewLayout::pageHeightPx() const {
    return std::max(1, static_cast<int>(std::lround(pageHeightMm * pixelsPerMm * scale())));
}

int PreviewLayout::contentWidth() const {
    return pageWidthPx() + 2 * kPageGapPx;
}

int PreviewLayout::contentHeight() const {
    return std::max(1, pageCount) * (pageHeightPx() + kPageGapPx) + kPageGapPx;
}

int PreviewLayout::pageLeft() const {
    return std::max(kPageGapPx, (viewportWidth - pageWidthPx()) / 2);
}

int PreviewLayout::pageTop(int page) const {
    return kPageGapPx +
           (std::clamp(page, 1, std::max(1, pageCount)) - 1) * (pageHeightPx() + kPageGapPx);
}

int PreviewLayout::pageAt(int y) const {
    int page = (y - kPageGapPx) / (pageHeightPx() + kPageGapPx) + 1;
    if (y >= kPageGapPx && (y - kPageGapPx) % (pageHeightPx() + kPageGapPx) >= pageHeightPx())
        ++page;  // in the gap under a page: the next one
    return std::clamp(page, 1, std::max(1, pageCount));
}

std::pair<int, int> PreviewLayout::pagesInView(int scrollY) const {
    int first = pageAt(scrollY);
    // The page above the first may still show its bottom edge in the gap: not counted.
    int last = pageAt(scrollY + viewportHeight - 1);
    if (pageTop(last) >= scrollY + viewportHeight) --last;
    return {first, std::max(first, last)};
}

}  // namespace omrix::reports
