// The statement viewer's outline panel, offscreen: built from the rows, nested, a click
// goes to the page, paging marks the entry, the toolbar toggle hides it and is kept.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QSettings>
#include <cstdlib>

#include "reports/report_fixture.h"
#include "reports/viewer/report_outline_widget.h"
#include "reports/viewer/report_page_view_widget.h"
#include "reports/viewer/report_viewer_widget.h"
#include "reports/viewer/report_viewer_window.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using print::ViewerKind;

TEST(OutlineEntryAt, TheLastEntryStartingOnOrBeforeThePage) {
    // Entries at pages 2, 3, 3, 6: page 1 has none; page 3 the second of the two there.
    std::vector<OutlineEntry> entries{{"a", 2, 0}, {"b", 3, 1}, {"c", 3, 2}, {"d", 6, 0}};
    const int expected[] = {-1, 0, 2, 2, 2, 3, 3};
    for (int page = 1; page <= 7; ++page)
        EXPECT_EQ(outlineEntryAt(entries, page), expected[page - 1]) << page;
    EXPECT_EQ(outlineEntryAt({}, 5), -1);
}

class OutlineViewerTest : public omrix::testing::ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        // The remembered toggle goes to the test's folder, not the user's settings.
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(db.folder.file("settings")));
        ReportOutlineWidget::rememberShown(true);
    }
};

TEST_F(OutlineViewerTest, ClickPageAndToggle) {
    // Worked by hand: page 1 the main page (本工事, 建築, 設備), page 2 建築's group
    // (建築, 躯体), page 3 躯体's; page 4 opens with 明細2, a line printed nowhere
    // before, so it goes on with 躯体's group; page 5 設備's.
    // Bookmarks: 建築 2 › 躯体 3; 設備 5.
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    const std::vector<std::vector<std::string>> pages{
        {"本工事", "建築", "設備"}, {"建築", "躯体"}, {"躯体", "明細1"}, {"明細2"}, {"設備"}};
    int32_t id = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        for (std::size_t l = 0; l < pages[p].size(); ++l) {
            const int32_t page = static_cast<int32_t>(p) + 1;
            db.addPrintRow(7, ++id,
                           {.page = page,
                            .displayPage = page,
                            .line = static_cast<int32_t>(l) + 1,
                            .name1 = pages[p][l]});
        }
    }
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ReportViewers viewers;
    ASSERT_EQ(failureText(viewers.openViewer(ViewerKind::Uchiwakesho, *report)), "");
    ReportViewerWindow& window = *viewers.viewer(ViewerKind::Uchiwakesho);
    window.resize(900, 700);
    QApplication::processEvents();
    ReportViewerWidget& viewer = window.viewer();
    ReportOutlineWidget& outline = viewer.outline();
    ReportPageViewWidget& shown = viewer.pages();

    ASSERT_TRUE(outline.isVisible());
    ASSERT_EQ(outline.topLevelItemCount(), 2);
    QTreeWidgetItem* building = outline.topLevelItem(0);
    EXPECT_EQ(building->text(0), "建築");
    ASSERT_EQ(building->childCount(), 1);
    EXPECT_EQ(building->child(0)->text(0), "躯体");
    EXPECT_EQ(outline.topLevelItem(1)->text(0), "設備");

    // A click goes to the entry's page; paging marks the entry whose pages hold it.
    emit outline.itemClicked(outline.topLevelItem(1), 0);
    EXPECT_EQ(shown.currentPage(), 5);
    EXPECT_EQ(outline.currentItem(), outline.topLevelItem(1));
    shown.goToPage(4);  // 躯体 running on
    EXPECT_EQ(outline.currentItem(), building->child(0));
    if (const char* folder = std::getenv("OMRIX_SCREENSHOT_DIR"); folder && *folder)
        window.grab().save(QString::fromUtf8(folder) + "/viewer-outline.png");
    shown.goToPage(1);
    EXPECT_EQ(outline.currentItem(), nullptr);

    // The toggle hides the panel and the next viewer opens without it.
    auto* toggle = window.findChild<QAction*>("outlineToggle");
    ASSERT_NE(toggle, nullptr);
    EXPECT_TRUE(toggle->isEnabled() && toggle->isChecked());
    toggle->trigger();
    EXPECT_FALSE(outline.isVisible());
    EXPECT_FALSE(ReportOutlineWidget::rememberedShown());
    ASSERT_TRUE(viewers.openViewer(ViewerKind::Uchiwakesho, *report));
    QApplication::processEvents();
    EXPECT_FALSE(viewers.viewer(ViewerKind::Uchiwakesho)->viewer().outline().isVisible());
    viewers.viewer(ViewerKind::Uchiwakesho)->findChild<QAction*>("outlineToggle")->trigger();
    EXPECT_TRUE(viewers.viewer(ViewerKind::Uchiwakesho)->viewer().outline().isVisible());

    // A statement of main pages only has no outline: no panel, the toggle disabled.
    db.addBreakdown(8, "00000002", "倉庫");
    db.addPages(8, 2);
    auto plain = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 8");
    ASSERT_TRUE(viewers.openViewer(ViewerKind::Uchiwakesho, *plain));
    QApplication::processEvents();
    ReportViewerWindow& plainWindow = *viewers.viewer(ViewerKind::Uchiwakesho);
    EXPECT_FALSE(plainWindow.viewer().outline().isVisible());
    EXPECT_FALSE(plainWindow.findChild<QAction*>("outlineToggle")->isEnabled());
    viewers.closeViewers();
}

}  // namespace
}  // namespace omrix::reports
