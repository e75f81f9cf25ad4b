#include <gtest/gtest.h>

#include "reports/preview_layout.h"
#include "reports/report_search.h"

namespace omrix::reports {
namespace {

// Pages of 100 × 200 px at zoom 1 (one pixel per millimetre), gaps of 12 px: page k
// stands from 12 + (k − 1) · 212 to that + 200.
const PreviewLayout kTenPages{.pageWidthMm = 100, .pageHeightMm = 200, .pageCount = 10,
                              .pixelsPerMm = 1, .mode = ZoomMode::Fixed, .zoom = 1,
                              .viewportWidth = 300, .viewportHeight = 250};

TEST(PreviewLayout, PagesAtPositionsAndInView) {
    const PreviewLayout& layout = kTenPages;
    EXPECT_EQ(layout.pageTop(4), 12 + 3 * 212);
    EXPECT_EQ(layout.pageTop(99), layout.pageTop(10));
    EXPECT_EQ(layout.contentHeight(), 10 * 212 + 12);
    EXPECT_EQ(layout.pageLeft(), 100);  // centred in 300

    const struct {
        int y, page;
    } at[] = {{0, 1}, {211, 1}, {212, 2}, {224, 2}, {5000, 10}, {-40, 1}};
    for (auto c : at) EXPECT_EQ(layout.pageAt(c.y), c.page) << "y " << c.y;

    const struct {
        int scrollY, first, last;
    } views[] = {{0, 1, 2}, {200, 1, 3}, {212, 2, 3}, {1908, 10, 10}};
    for (auto v : views) {
        EXPECT_EQ(layout.pagesInView(v.scrollY), std::make_pair(v.first, v.last))
            << "scroll " << v.scrollY;
    }
}

TEST(PreviewLayout, FitModesAndZoomSteps) {
    PreviewLayout layout = kTenPages;
    layout.mode = ZoomMode::FitWidth;
    EXPECT_DOUBLE_EQ(layout.scale(), (300.0 - 24) / 100);
    layout.mode = ZoomMode::FitPage;
    EXPECT_DOUBLE_EQ(layout.scale(), (250.0 - 24) / 200);
    layout.viewportWidth = 0;  // a window not shown yet
    EXPECT_GT(layout.scale(), 0);
    EXPECT_GE(layout.pageWidthPx(), 1);

    // In: 1 and 1.1 to 1.25, the largest stays; out: 1.1 to 1, below the smallest to it.
    const double steps[][3] = {{1.0, 1.25, 0.75}, {1.1, 1.25, 1.0}, {4.0, 4.0, 3.0},
                               {0.25, 0.33, 0.25}, {0.1, 0.25, 0.25}};
    for (auto [zoom, in, out] : steps) {
        EXPECT_DOUBLE_EQ(zoomInStep(zoom), in) << zoom;
        EXPECT_DOUBLE_EQ(zoomOutStep(zoom), out) << zoom;
    }
}

TEST(ReportSearchText, FoldsCaseAndWidth) {
    const struct {
        const char *text, *needle;
        bool found;
    } cases[] = {
        {"ＡＢＣ工事", "abc", true},      {"ｍ２", "m2", true},   {"ｶﾞｽ設備", "ガス", true},
        {"鉄骨 建方", "鉄骨建方", false}, {"RC造", "rc造", true}, {"", "a", false},
    };
    for (auto c : cases) {
        EXPECT_EQ(ReportSearch::folded(QString::fromUtf8(c.text))
                      .contains(ReportSearch::folded(QString::fromUtf8(c.needle))),
                  c.found)
            << c.text << " / " << c.needle;
    }
}

}  // namespace
}  // namespace omrix::reports
