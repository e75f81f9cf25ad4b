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
util::Status paintPages(Report& report, QPrinter& printer, const std::vector<int>& pages) {
    using Stop = Report::PagesPainted::Stop;
    const Report::PagesPainted painted = report.paintPages(printer, pages);
    const std::string page = std::to_string(painted.page);
    switch (painted.stop) {
        case Stop::Done:
            return {};
        case Stop::Begin:
            return util::Failure("the printer cannot be opened");
        case Stop::NewPage:
            printer.abort();
            return util::Failure("the printer refused page " + page);
        case Stop::Read:
        case Stop::Cancelled:
            printer.abort();
            return util::Failure("page " + page + " cannot be read", painted.reason);
        case Stop::End:
            break;
    }
    return util::Failure("the job could not be finished");
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

util::Result<int> printReportOnQueue(Report& report, const PrintJob& job) {
    if (util::Status queue = checkPrintQueue(job.queue); !queue) return queue.failure();
    if (!report.isLoaded()) {
        if (util::Status loaded = report.load(); !loaded) return loaded.failure();
    }
    std::vector<int> pages = pagesInRange(job.firstPage, job.lastPage, report.pageCount());
    if (pages.empty()) return 0;
    const std::string queue = "print queue " + job.queue;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(QString::fromStdString(job.queue));
    if (printer.printerName() != QString::fromStdString(job.queue) || !printer.isValid())
        return util::Failure(queue, "Qt's CUPS support does not find it");
    printer.setDocName(qText(report.design().title));
    printer.setFullPage(true);
    if (!printer.setPageLayout(report.pageLayout()))
        return util::Failure(queue, "the printer does not take the paper");
    printer.setCopyCount(std::clamp(job.copies, 1, kMostCopies));
    // Qt sends what was painted even when a page fails (QPrinter::abort does nothing for
    // CUPS), so the job goes held and is released only once every page is in it.
    printer.printEngine()->setProperty(kCupsOptions, QStringList{"job-hold-until", "indefinite"});
    const int before = newestJobOf(job.queue);
    const util::Status painted = paintPages(report, printer, pages);
    // Qt hands the job to CUPS as the painter ends and keeps no result: CUPS' own
    // last status tells whether the job was taken.
    std::string failure = lastCupsFailure();
    const int held = heldJobOf(job.queue, std::string(report.design().title), before);
    if (!painted) {
        if (held > 0) cancelJob(job.queue, held);
        return util::Failure(queue, painted.failure().text());
    }
    if (failure.empty() && held > 0) {
        if (util::Status released = releaseJob(held); !released)
            failure = released.failure().text();
    }
    if (!failure.empty()) {
        if (held > 0) cancelJob(job.queue, held);
        return util::Failure(queue, "CUPS refused the job (" + failure + ")");
    }
    return static_cast<int>(pages.size());
}

}  // namespace omrix::reports
