// The viewer's 印刷 on the throwaway CUPS server of scripts/with-test-cups: the print
// dialog lists the queue and opens on the print type's paper, and the pages of a
// dialog's list ("2,4-5") are the ones that reach the queue's file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QPageRanges>
#include <QPrintDialog>
#include <QPrinter>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "reports/launch/report_printer.h"
#include "reports/report_fixture.h"
#include "reports/viewer/report_viewer_widget.h"
#include "reports/viewer/report_viewer_window.h"

namespace omrix::reports {
namespace {

using omrix::testing::capture;
using omrix::testing::failureText;
using omrix::testing::pdfPages;
using omrix::testing::pdfText;
using omrix::testing::shellQuoted;
using omrix::testing::withoutBlanks;
using print::ViewerKind;

class ViewerPrintTest : public omrix::testing::ReportTest {
  protected:
    void SetUp() override {
        ReportTest::SetUp();
        const char* queue = std::getenv("OMRIX_TEST_CUPS_QUEUE");
        const char* printed = std::getenv("OMRIX_TEST_CUPS_OUTPUT");
        if (queue == nullptr || printed == nullptr) {
            if (const char* required = std::getenv("OMRIX_TEST_CUPS_REQUIRED");
                required != nullptr && std::string(required) == "1")
                FAIL() << "no test CUPS server, but one is required";
            GTEST_SKIP() << "no test CUPS server (run under scripts/with-test-cups)";
        }
        queue_ = queue;
        printed_ = printed;
    }
    // Empties the queue's file and job history before a job.
    void clearQueue() {
        std::remove(printed_.c_str());
        int status = -1;
        capture("cancel -a -x " + shellQuoted(queue_), status);
    }
    void waitForQueue() {
        int status = -1;
        for (int i = 0; i < 300; ++i) {
            if (capture("lpstat -o " + shellQuoted(queue_), status).empty()) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        FAIL() << "the test queue did not finish its jobs";
    }
    std::string pageSize() {
        int status = -1;
        std::string info = capture("pdfinfo " + shellQuoted(printed_), status);
        size_t at = info.find("Page size:");
        return at == std::string::npos ? "" : info.substr(at, info.find('\n', at) - at);
    }
    std::string queue_, printed_;
};

TEST_F(ViewerPrintTest, DialogListsTheQueueOnThePaperOfThePrintTypeAndPrintsThePagesAsked) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    db.addPages(7, 6);
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ReportViewers viewers;
    ASSERT_EQ(failureText(viewers.openViewer(ViewerKind::Uchiwakesho, *report)), "");
    ReportViewerWidget& viewer = viewers.viewer(ViewerKind::Uchiwakesho)->viewer();

    // The dialog, answered as a user would: the queue is listed and chosen, the paper
    // is JIS B5 (the 'B5' print type), every page.
    clearQueue();
    QStringList listed;
    QPageSize::PageSizeId paper = QPageSize::Custom;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        for (QComboBox* box : dialog->findChildren<QComboBox*>()) {
            if (box->findText(QString::fromStdString(queue_)) < 0) continue;
            for (int i = 0; i < box->count(); ++i) listed << box->itemText(i);
        }
        paper = dialog->printer()->pageLayout().pageSize().id();
        dialog->accept();
    });
    viewer.print();
    waitForQueue();
    EXPECT_TRUE(listed.contains(QString::fromStdString(queue_))) << listed.join(",").toStdString();
    EXPECT_EQ(paper, QPageSize::JisB5);
    EXPECT_EQ(pdfPages(printed_), 6);
    // JIS B5, 182 × 257 mm, in whole points (72 / 25.4 a millimetre).
    EXPECT_NE(pageSize().find("516 x 729"), std::string::npos) << pageSize();

    // A list of pages: only those go to the queue, in order.
    clearQueue();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(queue_));
    printer.setPageLayout(report->pageLayout());
    printer.setPageRanges(QPageRanges::fromString("2,4-5"));
    ASSERT_EQ(failureText(printReport(printer, *report)), "");
    waitForQueue();
    ASSERT_EQ(pdfPages(printed_), 3);
    const char* firstLines[] = {"行2-1", "行4-1", "行5-1"};
    for (int page = 1; page <= 3; ++page) {
        EXPECT_NE(withoutBlanks(pdfText(printed_, page)).find(firstLines[page - 1]),
                  std::string::npos)
            << page;
    }
    viewers.closeViewers();
}

// A page that cannot be read part-way leaves nothing printed: Qt sends what it painted
// all the same, so the job waits held and is withdrawn.
TEST_F(ViewerPrintTest, AJobThatFailsPartWayPrintsNothing) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    db.addPages(7, 3);
    auto report = db.report("B5_UCHIWAKESHO", "{内訳出力.内訳名称ＩＤ} = 7");
    ASSERT_EQ(failureText(report->load()), "");
    db.tables.exec("Drop Table 内訳出力;");  // the pages are read as they are painted
    clearQueue();
    const util::Result<int> sent = printReportOnQueue(*report, {.queue = queue_});
    ASSERT_FALSE(sent);
    const std::string error = sent.failure().text();
    EXPECT_EQ(error.rfind("print queue " + queue_ + ": page 1 cannot be read", 0), 0u) << error;
    waitForQueue();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_FALSE(std::filesystem::exists(printed_));
}

}  // namespace
}  // namespace omrix::reports
