#include "reports/launch/report_printer.h"

#include <QPageRanges>
#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>

#include <algorithm>

#include "reports/launch/print_queues.h"
#include "reports/launch/report.h"
#include "util/qt_text.h"

namespace omrix::reports {
namespace {

// Qt's own key for the CUPS options of a job (QCUPSSupport's PPK_CupsOptions): pairs of
// option name and value.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

using util::qText;

// Every page over the whole paper: the layouts keep their own margins.
bool paintPages(Report& report, QPrinter& printer, const std::vector<int>& pages,
                std::string& error) {
    using Stop = Report::PagesPainted::Stop;
    const Report::PagesPainted painted = report.paintPages(printer, pages);
    const std::string page = std::to_string(painted.page);
    switch (painted.stop) {
        case Stop::Done:
            return true;
        case Stop::Begin:
            error = "the printer cannot be opened";
            return false;
        case Stop::NewPage:
            error = "the printer refused page " + page;
            break;
        case Stop::Read:
        case Stop::Cancelled:
            error = "page " + page + " cannot be read: " + report.pageError();
            break;
        case Stop::End:
            error = "the job could not be finished";
            return false;
    }
    printer.abort();
    return false;
}

}  // namespace

std::vector<int> pagesInRange(int first, int last, int count) {
    std::vector<int> pages;
    first = std::max(first, 1);
    last = last <= 0 ? count : std::min(last, count);
    for (int page = first; page <= last; ++page) pages.push_back(page);
    return pages;
}

std::vector<int> pagesInRanges(const QPageRanges& ranges, int count) {
    if (ranges.isEmpty()) return pagesInRange(1, count, count);
    std::vector<int> pages;
    for (const QPageRanges::Range& r : ranges.toRangeList()) {
        for (int page : pagesInRange(r.from, r.to, count)) pages.push_back(page);
    }
    return pages;
}

bool printReportOnQueue(Report& report, const PrintJob& job, int& sent, std::string& error) {
    sent = 0;
    std::string refusal = queueRefusal(job.queue);
    if (!refusal.empty()) {
        error = refusal;
        return false;
    }
    if (!report.isLoaded() && !report.load()) {
        error = report.lastError();
        return false;
    }
    std::vector<int> pages = pagesInRange(job.firstPage, job.lastPage, report.pageCount());
    if (pages.empty()) return true;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(job.queue));
    if (printer.printerName() != QString::fromStdString(job.queue) || !printer.isValid()) {
        error = "print queue " + job.queue + ": Qt's CUPS support does not find it";
        return false;
    }
    printer.setDocName(qText(report.design().title));
    printer.setFullPage(true);
    if (!printer.setPageLayout(report.pageLayout())) {
        error = "print queue " + job.queue + ": the printer does not take the paper";
        return false;
    }
    printer.setCopyCount(std::clamp(job.copies, 1, kMostCopies));
    // Qt sends what was painted even when a page fails (QPrinter::abort does nothing for
    // CUPS), so the job goes held and is released only once every page is in it.
    printer.printEngine()->setProperty(kCupsOptions, QStringList{"job-hold-until", "indefinite"});
    const int before = newestJobOf(job.queue);
    std::string reason;
    const bool painted = paintPages(report, printer, pages, reason);
    // Qt hands the job to CUPS as the painter ends and keeps no result: CUPS' own
    // last status tells whether the job was taken.
    std::string failure = lastCupsFailure();
    const int held = heldJobOf(job.queue, std::string(report.design().title), before);
    if (!painted) {
        if (held > 0) cancelJob(job.queue, held);
        error = "print queue " + job.queue + ": " + reason;
        return false;
    }
    if (failure.empty() && held > 0) releaseJob(held, failure);
    if (!failure.empty()) {
        if (held > 0) cancelJob(job.queue, held);
        error = "print queue " + job.queue + ": CUPS refused the job (" + failure + ")";
        return false;
    }
    sent = static_cast<int>(pages.size());
    return true;
}

}  // namespace omrix::reports
