#pragma once
// Where the pages of a report stand in a viewer that scrolls through them all, one
// under the other, at a zoom: page sizes in pixels, the page at a scroll position and
// the pages in view. Plain arithmetic, so that the viewer widget only asks.

#include <array>
#include <utility>

namespace omrix::reports {

enum class ZoomMode { Fixed, FitWidth, FitPage };

// The zoom steps of zoom in and zoom out; 1.0 shows the paper at its real size.
inline constexpr std::array<double, 11> kZoomSteps = {0.25, 0.33, 0.5, 0.67, 0.75, 1.0,
                                                      1.25, 1.5,  2.0, 3.0,  4.0};
inline constexpr int kPageGapPx = 12;  // around and between the pages

// The next step above (or below) a zoom, staying at the last step.
double zoomInStep(double zoom);
double zoomOutStep(double zoom);

struct PreviewLayout {
    double pageWidthMm = 210;
    double pageHeightMm = 297;
    int pageCount = 1;
    double pixelsPerMm = 96 / 25.4;  // the screen's logical resolution
    ZoomMode mode = ZoomMode::FitWidth;
    double zoom = 1.0;  // used with ZoomMode::Fixed
    int viewportWidth = 800;
    int viewportHeight = 600;

    // The zoom in effect: the fixed one, or the one that fits the page's width (or the
    // whole page) into the viewport with the gaps around it.
    double scale() const;
    int pageWidthPx() const;
    int pageHeightPx() const;
    int contentWidth() const;
    int contentHeight() const;
    // Left edge of every page: centred when narrower than the viewport.
    int pageLeft() const;
    // Top edge of page k (1-based) in the scrolled content.
    int pageTop(int page) const;
    // The page at content position y: the one it falls on, or the one below a gap.
    int pageAt(int y) const;
    // First and last page touching the viewport scrolled to y.
    std::pair<int, int> pagesInView(int scrollY) const;
};

}  // namespace omrix::reports
