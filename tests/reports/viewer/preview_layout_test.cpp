#include <gtest/gtest.h>

#include "reports/viewer/preview_layout.h"
#include "reports/launch/report_search.h"

namespace omrix::reports {
namespace {

// Pages of 100 × 200 px at zoom 1 (one pixel per millimetre), gaps of 12 px: page k
// stands from 12 + (k − 1) · 212 to that + 200; the viewport 300 × 250.
TEST(PreviewLayout, PagesAtPositionsFitsAndZoomSteps) {
    PreviewLayout layout{.pageWidthMm = 100,
                         .pageHeightMm = 200,
                         .pageCount = 10,
                         .pixelsPerMm = 1,
                         .mode = ZoomMode::Fixed,
                         .zoom = 1,
                         .viewportWidth = 300,
                         .viewportHeight = 250};
    EXPECT_EQ(layout.pageTop(99), 12 + 9 * 212);
    EXPECT_EQ(layout.contentHeight(), 10 * 212 + 12);
    EXPECT_EQ(layout.pageLeft(), 100);  // centred in 300
    // A gap belongs to the page below it.
    for (auto [y, page] : {std::pair{-40, 1}, {211, 1}, {212, 2}, {224, 2}, {5000, 10}})
        EXPECT_EQ(layout.pageAt(y), page) << "y " << y;
    EXPECT_EQ(layout.pagesInView(200), std::make_pair(1, 3));
    EXPECT_EQ(layout.pagesInView(1908), std::make_pair(10, 10));

    layout.mode = ZoomMode::FitPage;
    EXPECT_DOUBLE_EQ(layout.scale(), (250.0 - 24) / 200);
    layout.viewportWidth = 0;  // a window not shown yet
    EXPECT_GE(layout.pageWidthPx(), 1);

    // In: 1.1 to 1.25, the largest stays; out: 1.1 to 1, below the smallest to it.
    for (auto [zoom, in, out] :
         {std::tuple{1.0, 1.25, 0.75}, {1.1, 1.25, 1.0}, {4.0, 4.0, 3.0}, {0.1, 0.25, 0.25}}) {
        EXPECT_DOUBLE_EQ(zoomInStep(zoom), in) << zoom;
        EXPECT_DOUBLE_EQ(zoomOutStep(zoom), out) << zoom;
    }
}

TEST(ReportSearchText, FoldsCaseAndWidthButNotBlanks) {
    for (auto [text, needle, found] : {std::tuple{"ＡＢＣ工事", "abc", true},
                                       {"ｍ２", "m2", true},
                                       {"ｶﾞｽ設備", "ガス", true},
                                       {"鉄骨 建方", "鉄骨建方", false},
                                       {"", "a", false}}) {
        EXPECT_EQ(ReportSearch::folded(QString::fromUtf8(text))
                      .contains(ReportSearch::folded(QString::fromUtf8(needle))),
                  found)
            << text << " / " << needle;
    }
}

}  // namespace
}  // namespace omrix::reports
