#pragma once
// omrix-print-export's side of a print run: no windows. Choices come from the
// options, each opened viewer becomes a PDF file, progress goes to a terminal.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "print/print_ui.h"
#include "reports/launch/report_printer.h"
#include "reports/launch/viewer_host.h"
#include "util/failure.h"

namespace omrix::apps {

// One line redrawn with \r on a terminal: caption, bar, per cent.
class TerminalProgress : public util::Progress {
  public:
    explicit TerminalProgress(std::FILE* out) : out_(out) {}
    // A new caption starts a new line; an empty one ends the line.
    void showCaption(std::string_view caption) override;
    bool advance(int64_t done, int64_t total) override;
    void hideCount() override { finishLine(); }

  private:
    void draw(int64_t done, int64_t total);
    void finishLine();

    std::FILE* out_;
    std::string caption_;
    int shownPercent_ = -1;
    bool lineOpen_ = false;
};

// The name of each output in --out, without its extension: "uchiwake", "youkou", …
std::string_view outputName(print::ViewerKind viewer);

// The file formats a run writes each output in.
struct ExportFormats {
    bool pdf = true;
    bool xlsx = false;
};
inline constexpr std::string_view kPdfExtension = ".pdf";
inline constexpr std::string_view kXlsxExtension = ".xlsx";

class ExportUi : public print::PrintUi, public reports::ViewerHost {
  public:
    // Null progress: nothing is drawn (standard error is no terminal).
    ExportUi(print::PrintRunChoices choices, bool choicesReadable, std::string outFolder,
             bool render, ExportFormats formats, std::unique_ptr<TerminalProgress> progress);
    ~ExportUi() override;

    void closeViewers() override {}
    bool collectChoices(print::PrintRunChoices& choices) override;
    // Never reached: the question before it is answered No.
    void showPageNameWindow() override {}
    util::Progress* writeProgress() override { return progress_.get(); }
    // ViewerHost: the files of the document, then its print job.
    bool openViewer(print::ViewerKind viewer, reports::Report& report) override;

    // Each document opened is also printed as `job` says, after its files.
    void printOn(reports::PrintJob job) { printJob_ = std::move(job); }
    // Each PDF painted on `threads` threads; 0: one per core (Report::writePdf).
    void paintOn(int threads) { threads_ = threads; }

    // The files written, in order.
    const std::vector<std::string>& written() const { return written_; }

  private:
    bool writeFile(print::ViewerKind viewer, std::string_view extension, reports::Report& report);
    bool printDocument(print::ViewerKind viewer, reports::Report& report);

    print::PrintRunChoices choices_;
    bool choicesReadable_;
    std::string outFolder_;
    bool render_;
    ExportFormats formats_;
    std::unique_ptr<TerminalProgress> progress_;
    std::vector<std::string> written_;
    std::optional<reports::PrintJob> printJob_;
    int threads_ = 0;
};

// Paints every page of the report into a PDF file on `threads` threads (0: one per
// core), reporting the pages painted; `path` is taken as the bytes given, UTF-8 or not.
util::Status writeReportPdf(reports::Report& report, const std::string& path,
                            TerminalProgress* progress, int threads);
// The report's pages as an Excel workbook.
util::Status writeReportWorkbook(reports::Report& report, const std::string& path);

// Qt's own warnings ("QPainter::begin: ...") are not shown: every failure already
// gives its own one line on standard error.
void silenceQtWarnings();

}  // namespace omrix::apps
