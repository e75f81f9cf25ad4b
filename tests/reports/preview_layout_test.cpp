#include <gtest/gtest.h>

#include "reports/preview_layout.h"
#include "reports/report_search.h"

namespace omrix::reports {
namespace {

// Pages of 100 × 200 px at zoom 1 (one pixel per millimetre), gaps of 12 px: page k
// stands from 12 + (k − 1) · 212 to that + 200.
PreviewLayout tenPages() {
    PreviewLayout layout;
    layout.pageWidthMm = 100;
    layout.pageHeightMm = 200;
    layout.pageCount = 10;
    layout.pixelsPerMm = 1;
    layout.mode = ZoomMode::Fixed;
    layout.zoom = 1;
    layout.viewportWidth = 300;
    layout.viewportHeight = 250;
    return layout;
}

TEST(PreviewLayout, PagesAtPositionsAndInView) {
    PreviewLayout layout = tenPages();
    EXPECT_EQ(layout.pageTop(1), 12);
    EXPECT_EQ(layout.pageTop(4), 12 + 3 * 212);
    EXPECT_EQ(layout.pageTop(99), layout.pageTop(10));
    EXPECT_EQ(layout.contentHeight(), 10 * 212 + 12);
    EXPECT_EQ(layout.pageLeft(), 100);  // centred in 300

    struct {
        int y, page;
    } at[] = {{0, 1}, {12, 1}, {211, 1}, {212, 2}, {223, 2}, {224, 2}, {5000, 10}, {-40, 1}};
    for (auto c : at) EXPECT_EQ(layout.pageAt(c.y), c.page) << "y " << c.y;

    struct {
        int scrollY, first, last;
    } views[] = {{0, 1, 2}, {12, 1, 2}, {200, 1, 3}, {212, 2, 3}, {224, 2, 3}, {1908, 10, 10}};
    for (auto v : views) {
        auto [first, last] = layout.pagesInView(v.scrollY);
        EXPECT_EQ(first, v.first) << "scroll " << v.scrollY;
        EXPECT_EQ(last, v.last) << "scroll " << v.scrollY;
    }
}

TEST(PreviewLayout, FitModesAndZoomSteps) {
    PreviewLayout layout = tenPages();
    layout.mode = ZoomMode::FitWidth;
    EXPECT_DOUBLE_EQ(layout.scale(), (300.0 - 24) / 100);
    layout.mode = ZoomMode::FitPage;
    EXPECT_DOUBLE_EQ(layout.scale(), (250.0 - 24) / 200);
    layout.viewportWidth = 0;  // a window not shown yet
    EXPECT_GT(layout.scale(), 0);
    EXPECT_GE(layout.pageWidthPx(), 1);

    EXPECT_DOUBLE_EQ(zoomInStep(1.0), 1.25);
    EXPECT_DOUBLE_EQ(zoomInStep(1.1), 1.25);
    EXPECT_DOUBLE_EQ(zoomInStep(4.0), 4.0);
    EXPECT_DOUBLE_EQ(zoomOutStep(1.0), 0.75);
    EXPECT_DOUBLE_EQ(zoomOutStep(1.1), 1.0);
    EXPECT_DOUBLE_EQ(zoomOutStep(0.25), 0.25);
    EXPECT_DOUBLE_EQ(zoomOutStep(0.1), 0.25);
}

TEST(ReportSearchText, FoldsCaseAndWidth) {
    struct {
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
