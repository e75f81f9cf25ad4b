// The four viewer windows over real reports on the offscreen platform: names, geometry,
// keys, zoom, find, printing and the Excel action.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinter>
#include <QProgressDialog>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "reports/report_fixture.h"
#include "reports/viewer/report_page_view_widget.h"
#include "reports/viewer/report_viewer_widget.h"
#include "reports/viewer/report_viewer_window.h"
#include "reports/viewer/save_file_name.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using print::ViewerKind;

// To look at the viewers: OMRIX_SCREENSHOT_DIR=<folder>.
void screenshot(QWidget& window, const char* name) {
    const char* folder = std::getenv("OMRIX_SCREENSHOT_DIR");
    if (folder == nullptr || *folder == '\0') return;
    QApplication::processEvents();
    window.grab().save(QString::fromUtf8(folder) + "/" + name);
}

// Runs a find to its end; the hits it counted.
int findAll(ReportViewerWidget& viewer, const char* text) {
    viewer.find(text);
    while (viewer.searching()) QApplication::processEvents();
    return viewer.hitCount();
}

// The width in pixels of the page painted at the top of the view: the run of non-grey
// pixels on the row just below the page's top edge (its frame lines included).
int paintedPageWidth(ReportPageViewWidget& pages) {
    QApplication::processEvents();
    const QImage shot = pages.viewport()->grab().toImage();
    const int row =
        pages.layout().pageTop(pages.currentPage()) - pages.verticalScrollBar()->value() + 4;
    int width = 0;
    for (int x = 0; x < shot.width(); ++x)
        width += shot.pixelColor(x, row) != QColor(128, 128, 128);
    return width;
}

class ViewerTest : public omrix::testing::ReportTest {
  protected:
    // A statement of `pages` pages with a named page and a rare text on page 37.
    std::unique_ptr<Report> statement(int pages) {
        db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
        db.addPages(7, pages);
        db.tables.exec("Update 内訳出力 Set 頁名称 = '躯体工事' Where 頁番号 = 25;");
        db.tables.exec("Update 内訳出力 Set 名称１ = '仮設ゴンドラ足場' Where 名称１ = '行37-4';");
        auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
        report->FormulaFields().Item(1).text = "'株式会社オムリクス建設'";
        return report;
    }

    ReportViewerWindow& open(ViewerKind kind, Report& report) {
        EXPECT_EQ(failureText(viewers.openViewer(kind, report)), "");
        ReportViewerWindow* window = viewers.viewer(kind);
        window->resize(900, 700);
        QApplication::processEvents();
        return *window;
    }

    ReportViewers viewers;
};

TEST_F(ViewerTest, FourWindowsRestoredGeometryAndTheExcelAction) {
    auto report = statement(2);
    const ViewerKind kinds[] = {ViewerKind::Uchiwakesho, ViewerKind::Youkou, ViewerKind::Gaiyou,
                                ViewerKind::Daika};
    for (int k = 0; k < 4; ++k) {
        ASSERT_EQ(failureText(viewers.openViewer(kinds[k], *report)), "");
        ReportViewerWindow* shown = viewers.viewer(kinds[k]);
        EXPECT_TRUE(shown->isMaximized() && shown->isVisible());
        // Each further viewer of the run restores 28 px down and right of the one before.
        EXPECT_EQ(shown->normalGeometry().topLeft(),
                  shown->restoredGeometry().topLeft() + QPoint(28 * k, 28 * k))
            << k;
    }
    EXPECT_EQ(viewers.viewer(ViewerKind::Gaiyou)->windowTitle(), "工事概要");

    // Restored: 7725 × 6225 twips at (1850, 1500) at the screen's resolution, the viewer
    // filling the window through a minimise and a resize.
    ReportViewerWindow* window = viewers.viewer(ViewerKind::Daika);
    const double x = window->logicalDpiX() / 1440.0, y = window->logicalDpiY() / 1440.0;
    EXPECT_EQ(window->restoredGeometry(), QRect(std::lround(1850 * x), std::lround(1500 * y),
                                                std::lround(7725 * x), std::lround(6225 * y)));
    window->showNormal();
    window->resize(640, 480);
    QApplication::processEvents();
    EXPECT_EQ(window->viewer().geometry(), QRect(0, 0, 640, 480));

    // The Excel action writes the shown report as a workbook (a zip container).
    ReportViewerWindow* statementWindow = viewers.viewer(ViewerKind::Uchiwakesho);
    ASSERT_NE(statementWindow->findChild<QAction*>("saveXlsx"), nullptr);
    std::string workbook = db.folder.file("shown.xlsx");
    ASSERT_TRUE(statementWindow->viewer().saveWorkbookTo(QString::fromStdString(workbook)));
    ASSERT_TRUE(statementWindow->viewer().waitForSave());
    EXPECT_EQ(omrix::testing::readBytes(workbook).substr(0, 2), "PK");

    // Closing one leaves the others; a new run's viewer replaces the old one.
    QPointer<ReportViewerWindow> first = viewers.viewer(ViewerKind::Gaiyou);
    viewers.viewer(ViewerKind::Youkou)->close();
    QApplication::processEvents();
    EXPECT_EQ(viewers.viewer(ViewerKind::Youkou), nullptr);
    EXPECT_NE(viewers.viewer(ViewerKind::Uchiwakesho), nullptr);
    ASSERT_TRUE(viewers.openViewer(ViewerKind::Gaiyou, *report));
    EXPECT_TRUE(first.isNull());
    EXPECT_NE(viewers.viewer(ViewerKind::Gaiyou), nullptr);
    viewers.closeViewers();
    for (ViewerKind kind : kinds) EXPECT_EQ(viewers.viewer(kind), nullptr);

    // A report that cannot load opens nothing and says why.
    auto broken = db.report("B5_UCHIWAKESHO", "{物件概要.物件概要ＩＤ} = 3");
    EXPECT_NE(failureText(viewers.openViewer(ViewerKind::Uchiwakesho, *broken)), "");
    EXPECT_EQ(viewers.viewer(ViewerKind::Uchiwakesho), nullptr);
}

TEST_F(ViewerTest, KeysPageBoxScrollingAndZoom) {
    auto report = statement(40);
    ReportViewerWindow& window = open(ViewerKind::Uchiwakesho, *report);
    ReportPageViewWidget& pages = window.viewer().pages();
    auto* pageBox = window.findChild<QLineEdit*>("pageBox");
    auto* status = window.findChild<QLabel*>("statusLine");
    ASSERT_TRUE(pageBox != nullptr && status != nullptr);
    EXPECT_EQ(pageBox->text(), "1 / 40");

    const std::pair<int, int> keys[] = {{Qt::Key_PageDown, 2},  {Qt::Key_End, 40},
                                        {Qt::Key_PageDown, 40}, {Qt::Key_PageUp, 39},
                                        {Qt::Key_Home, 1},      {Qt::Key_PageUp, 1}};
    for (auto [key, page] : keys) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&pages, &down);
        EXPECT_EQ(pageBox->text(), QString("%1 / 40").arg(page)) << key;
    }
    const std::pair<const char*, int> typed[] = {
        {" 7 / 40", 7}, {"999", 40}, {"abc", 40}, {"0", 40}, {"25", 25}};
    for (auto [text, page] : typed) {
        pageBox->setText(text);
        QMetaObject::invokeMethod(pageBox, "returnPressed");
        EXPECT_EQ(pages.currentPage(), page) << text;
    }
    EXPECT_TRUE(status->text().contains("頁番号 25")) << status->text().toStdString();
    EXPECT_TRUE(status->text().contains("頁名称 躯体工事")) << status->text().toStdString();

    // Scrolling by hand moves the current page along; only pages in view are painted.
    pages.verticalScrollBar()->setValue(pages.layout().pageTop(12) + 5);
    EXPECT_EQ(pages.currentPage(), 12);
    EXPECT_LT(pages.pagesPainted(), 12);

    // Zoom: the steps and fit rules are the preview layout's; here what the window feeds
    // them. Ctrl+wheel zooms by steps up to the largest; the wheel alone scrolls.
    const PreviewLayout& layout = pages.layout();
    pages.setZoom(1.0);
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QPointF at(50, 50);
        QWheelEvent event(at, pages.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pages.viewport(), &event);
    };
    wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(layout.scale(), 0.75);
    wheel(-120, Qt::NoModifier);
    EXPECT_DOUBLE_EQ(layout.scale(), 0.75);
    for (int i = 0; i < 20; ++i) wheel(120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(layout.scale(), kZoomSteps.back());
    auto* zoomLabel = window.findChild<QLabel*>("zoomLabel");
    EXPECT_EQ(zoomLabel->text(), "400%");

    // A resize in a fit mode changes the zoom: the tool bar follows it.
    pages.setZoomMode(ZoomMode::FitWidth);
    EXPECT_LE(layout.contentWidth(), pages.viewport()->width());
    window.resize(window.width() + 200, window.height());
    QApplication::processEvents();
    EXPECT_EQ(zoomLabel->text(), QString("%1%").arg(std::lround(layout.scale() * 100)));
    screenshot(window, "statement-viewer-fit-width.png");

    // Every zoom change repaints at its scale at once, with no resize: the painted page is
    // as wide as the layout says (plus its frame, 1 px each side), and the tool bar shows it.
    ASSERT_NE(window.findChild<QAction*>("fitPage"), nullptr);
    for (const char* button : {"fitPage", "zoomIn", "zoomIn", "zoomOut", "fitWidth", "zoomOut"}) {
        window.findChild<QAction*>(button)->trigger();
        EXPECT_EQ(paintedPageWidth(pages), layout.pageWidthPx() + 2) << button;
        EXPECT_EQ(zoomLabel->text(), QString("%1%").arg(std::lround(layout.scale() * 100)));
    }
    // B5 is 182 mm wide: at 50 % on a 96 dpi screen 182 × 0.5 × 96 / 25.4 = 343.9 → 344 px.
    pages.setZoom(0.5);
    if (std::lround(layout.pixelsPerMm * 25.4) == 96) {
        EXPECT_EQ(paintedPageWidth(pages), 344 + 2);
    }
}

TEST_F(ViewerTest, FindGoesToTheTextOnPage37AndMarksIt) {
    auto report = statement(60);
    ReportViewerWindow& window = open(ViewerKind::Uchiwakesho, *report);
    ReportViewerWidget& viewer = window.viewer();
    EXPECT_EQ(findAll(viewer, "ｺﾞﾝﾄﾞﾗ"), 1);  // folded as the core's fold test shows
    EXPECT_EQ(viewer.pages().currentPage(), 37);
    auto* findStatus = window.findChild<QLabel*>("findStatus");
    EXPECT_EQ(findStatus->text(), "1/1 件");
    screenshot(window, "statement-viewer-search-hit.png");

    // Seven lines of page 12: next goes round them.
    viewer.pages().goToPage(1);
    EXPECT_EQ(findAll(viewer, "行12-1"), 7);  // 行12-1 and 行12-10 … 行12-15
    EXPECT_EQ(viewer.pages().currentPage(), 12);
    for (int i = 0; i < 7; ++i) viewer.findNext();
    EXPECT_EQ(viewer.pages().currentPage(), 12);

    // A find begun on a later page shows the first hit from there on, not one before it.
    viewer.pages().goToPage(50);  // beyond the pages of the first turn
    findAll(viewer, "行");
    EXPECT_EQ(viewer.pages().currentPage(), 50);
    viewer.pages().goToPage(59);
    findAll(viewer, "行12-15");
    EXPECT_EQ(viewer.pages().currentPage(), 12);  // none after 59: round to the first

    EXPECT_EQ(findAll(viewer, "どこにもない"), 0);
    EXPECT_EQ(findStatus->text(), "見つかりません");
    EXPECT_EQ(findAll(viewer, "   "), 0);

    // The sheets are searched by their own texts too.
    db.tables.exec(
        "Insert Into 物件概要 (物件概要ＩＤ, 物件No, 工事名称) Values (3, '00000001', "
        "'港北倉庫改修工事');");
    auto gaiyou = db.report("PRINT_GAIYOU", "{物件概要.物件概要ＩＤ} = 3");
    EXPECT_EQ(findAll(open(ViewerKind::Gaiyou, *gaiyou).viewer(), "倉庫改修"), 1);
}

// A PDF printer gets every page, a page range those pages alone; a stop from the
// progress ends the print with an error.
TEST_F(ViewerTest, PrintingToAPdfPrinterGivesWhatTheExportGives) {
    auto report = statement(5);
    ASSERT_EQ(failureText(report->load()), "");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(report->pageLayout());
    auto print = [&](const char* name, int from, int to) {
        printer.setOutputFileName(QString::fromStdString(db.folder.file(name)));
        printer.setFromTo(from, to);
        EXPECT_EQ(failureText(printReport(printer, *report)), "");
        return db.folder.file(name);
    };
    std::string printed = omrix::testing::pdfText(print("printed.pdf", 0, 0));
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\f'), 5);
    // The statement's own page number, no position footer beside it.
    for (const char* text : {"行1-1", "行5-15", "株式会社オムリクス建設", "No.5"})
        EXPECT_NE(omrix::testing::withoutBlanks(printed).find(text), std::string::npos) << text;
    EXPECT_EQ(omrix::testing::withoutBlanks(printed).find("5/5"), std::string::npos);
    std::string range = omrix::testing::pdfText(print("range.pdf", 2, 3));
    EXPECT_EQ(std::count(range.begin(), range.end(), '\f'), 2);
    EXPECT_TRUE(range.find("行2-1") != std::string::npos &&
                range.find("行4-") == std::string::npos);
    printer.setFromTo(7, 9);
    EXPECT_FALSE(printReport(printer, *report));

    printer.setFromTo(0, 0);
    std::vector<int> told;  // done · 10 + total
    util::ProgressFunction stopAfterTwo([&](int64_t done, int64_t total) {
        told.push_back(static_cast<int>(done * 10 + total));
        return done < 2;
    });
    EXPECT_EQ(failureText(printReport(printer, *report, &stopAfterTwo)), "中止しました。");
    EXPECT_EQ(told, (std::vector<int>{15, 25}));
}

// Runs `act` on each window of type T while the returned timer lives.
template <typename T>
std::unique_ptr<QTimer> whenShown(std::function<void(T*)> act) {
    auto poll = std::make_unique<QTimer>();
    poll->setInterval(0);
    QObject::connect(poll.get(), &QTimer::timeout, [act = std::move(act)] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* shown = qobject_cast<T*>(top); shown != nullptr && shown->isVisible())
                act(shown);
    });
    poll->start();
    return poll;
}

std::vector<std::string> filesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// A save stopped with 中止 leaves the file that stood there as it was and no part file;
// a completed one replaces it whole; a folder that is not there says why. PDF and Excel
// alike, with the document, project and version in the name offered.
TEST_F(ViewerTest, SavesWriteAsideAndAStopLeavesTheOldFile) {
    const struct {
        const char *title, *bukken, *han, *name;
    } names[] = {{"内訳書", "00000001", "01", "内訳書_00000001-01.pdf"},
                 {"見積要項", " 00000002 ", " ", "見積要項_00000002.pdf"},
                 {"工事概要", "", "", "工事概要.pdf"}};
    for (auto n : names) EXPECT_EQ(saveFileName(n.title, n.bukken, n.han, "pdf"), n.name);

    auto report = statement(40);
    ReportViewerWidget& viewer = open(ViewerKind::Uchiwakesho, *report).viewer();
    viewer.setProgressDelay(0);
    // A statement long enough to be stopped before its save ends.
    db.addBreakdown(8, "00000001", "オムリクス本社ビル新築工事");
    db.addPages(8, 1500);
    auto longReport = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 8");
    ASSERT_EQ(failureText(longReport->load()), "");
    ReportViewerWidget longViewer;
    longViewer.setReport(longReport.get());
    longViewer.resize(900, 700);
    longViewer.show();
    longViewer.setProgressDelay(0);
    const struct {
        const char* file;
        bool (ReportViewerWidget::*save)(const QString&);
        std::string_view magic;
    } saves[] = {{"内訳書.pdf", &ReportViewerWidget::savePdfTo, "%PDF"},
                 {"内訳書.xlsx", &ReportViewerWidget::saveWorkbookTo, "PK"}};
    for (auto save : saves) {
        const std::string path = db.folder.file(save.file);
        // "" when the file is in place, else why not.
        auto run = [&](ReportViewerWidget& by, const std::string& to) -> std::string {
            if (!(by.*save.save)(QString::fromStdString(to))) return "not started";
            return by.waitForSave() ? "" : "stopped or failed";
        };
        omrix::testing::writeBytes(path, "old");
        // The save runs on a thread of its own: the window pages and paints meanwhile.
        bool pagedWhileSaving = false;
        // A page not painted before, so that it is painted now (the view keeps pages).
        const int away = save.magic == "PK" ? 1200 : 700;
        {
            auto stop = whenShown<QProgressDialog>([&](QProgressDialog* progress) {
                if (!pagedWhileSaving && longViewer.saving()) {
                    const int painted = longViewer.pages().pagesPainted();
                    longViewer.pages().goToPage(away);
                    longViewer.pages().repaint();
                    pagedWhileSaving = longViewer.pages().currentPage() == away &&
                                       longViewer.pages().pagesPainted() > painted;
                }
                progress->cancel();
            });
            EXPECT_EQ(run(longViewer, path), "stopped or failed") << save.file;
        }
        EXPECT_TRUE(pagedWhileSaving) << save.file;
        EXPECT_EQ(omrix::testing::readBytes(path), "old") << save.file;

        ASSERT_EQ(run(viewer, path), "") << save.file;
        EXPECT_EQ(omrix::testing::readBytes(path).substr(0, save.magic.size()), save.magic);

        QString told;
        {
            auto answer = whenShown<QMessageBox>([&](QMessageBox* box) {
                told = box->text();
                box->close();
            });
            EXPECT_NE(run(viewer, db.folder.file("missing/" + std::string(save.file))), "");
        }
        EXPECT_FALSE(told.isEmpty()) << save.file;
    }
    // 40 pages asked for, 40 in the PDF; nothing written aside is left behind.
    const std::string pdf = omrix::testing::pdfText(db.folder.file("内訳書.pdf"));
    EXPECT_EQ(std::count(pdf.begin(), pdf.end(), '\f'), 40);
    for (const std::string& name : filesIn(db.folder.path()))
        EXPECT_EQ(name.find(".part"), std::string::npos) << name;
}

// The keys of the PDF readers: Ctrl with plus, minus and 0 zoom; Ctrl+F finds, Enter and
// F3 go on, Shift with them goes back, Escape closes the find bar; Tab reaches every
// control of the tool bar; Ctrl+W closes the viewer.
TEST_F(ViewerTest, KeysAsInThePdfReaders) {
    auto report = statement(20);
    ReportViewerWindow& window = open(ViewerKind::Uchiwakesho, *report);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ReportViewerWidget& viewer = window.viewer();
    ReportPageViewWidget& pages = viewer.pages();
    pages.setFocus();
    pages.setZoom(1.0);
    const struct {
        int key;
        double zoom;
    } zooms[] = {{Qt::Key_Plus, 1.25}, {Qt::Key_Equal, 1.5},  {Qt::Key_Minus, 1.25},
                 {Qt::Key_Minus, 1.0}, {Qt::Key_Minus, 0.75}, {Qt::Key_0, 1.0}};
    for (auto z : zooms) {
        QTest::keyClick(&pages, Qt::Key(z.key), Qt::ControlModifier);
        EXPECT_DOUBLE_EQ(pages.layout().scale(), z.zoom) << z.key;
    }

    auto* findBar = window.findChild<QWidget*>("findBar");
    auto* findBox = window.findChild<QLineEdit*>("findBox");
    auto* findStatus = window.findChild<QLabel*>("findStatus");
    QTest::keyClick(&pages, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(findBar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), findBox);
    // 行12-1 and 行12-10 … 行12-15: seven hits on page 12.
    findBox->setText("行12-1");
    QTest::keyClick(findBox, Qt::Key_Return);
    while (viewer.searching()) QApplication::processEvents();
    EXPECT_EQ(findStatus->text(), "1/7 件");
    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        const char* status;
    } steps[] = {{Qt::Key_Return, Qt::NoModifier, "2/7 件"},
                 {Qt::Key_Enter, Qt::NoModifier, "3/7 件"},
                 {Qt::Key_Return, Qt::ShiftModifier, "2/7 件"},
                 {Qt::Key_F3, Qt::NoModifier, "3/7 件"},
                 {Qt::Key_F3, Qt::ShiftModifier, "2/7 件"},
                 {Qt::Key_Return, Qt::ShiftModifier, "1/7 件"},
                 {Qt::Key_Return, Qt::ShiftModifier, "7/7 件"}};
    for (auto step : steps) {
        QTest::keyClick(findBox, Qt::Key(step.key), step.modifiers);
        EXPECT_EQ(findStatus->text(), step.status) << step.key << " " << step.modifiers;
    }
    QTest::keyClick(findBox, Qt::Key_Escape);
    EXPECT_FALSE(findBar->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &pages);
    EXPECT_TRUE(window.isVisible());

    // Tab from the first button goes round the whole bar (wide enough to show it all).
    window.resize(1300, 700);
    QApplication::processEvents();
    auto* toolBar = window.findChild<QWidget*>("toolBar");
    std::set<QWidget*> reached;
    QWidget* first = nullptr;
    for (QWidget* control : toolBar->findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isEnabled()) {
            if (first == nullptr) first = control;
            reached.insert(control);
        }
    }
    // 12 buttons and the page box; the outline's toggle is off without an outline.
    ASSERT_EQ(reached.size(), 13u);
    first->setFocus();
    const std::size_t tabs = reached.size() + 3;  // and the pages, the status, round
    for (std::size_t i = 0; i < tabs && QApplication::focusWidget() != nullptr; ++i) {
        reached.erase(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    for (QWidget* missed : reached)
        ADD_FAILURE() << "Tab never reached " << missed->toolTip().toStdString();

    QPointer<ReportViewerWindow> shown = &window;
    QTest::keyClick(&pages, Qt::Key_W, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown.isNull(); }));
}

}  // namespace
}  // namespace omrix::reports
