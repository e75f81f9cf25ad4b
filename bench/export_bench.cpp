// The export end to end on a 100,000-line demo breakdown (start-up, rows, write, PDF),
// then the painting of a statement of about 1,000 pages alone. Prints seconds, pages
// per second and peak memory. Aims: the whole export under 15 s, 200 pages/s painted.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "data/database.h"
#include "data/schema.h"
#include "demo/demo_database.h"
#include "platform/messages.h"
#include "print/print_rows_generator.h"
#include "print/print_rows_write.h"
#include "level_tree/level_tree_model.h"
#include "reports/gui_application.h"
#include "reports/report.h"
#include "reports/report_launch.h"
#include "reports/report_set.h"
#include "context/app_context.h"
#include "app/startup_sequence.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using omrix::context::appContext;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double peakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // Linux reports kilobytes
}

// Writes the PDF where a viewer would open.
class PdfUi : public omrix::print::PrintUi {
  public:
    explicit PdfUi(std::string path) : path_(std::move(path)) {}
    void closeViewers() override {}
    bool collectChoices(omrix::print::PrintRunChoices&) override { return true; }
    void showPageNameWindow() override {}
    bool openViewer(omrix::print::ViewerKind, omrix::reports::Report& report) override {
        auto start = Clock::now();
        bool ok = report.exportPdf(path_);
        seconds = secondsSince(start);
        pages = report.pageCount();
        if (!ok) std::fprintf(stderr, "%s\n", report.lastError().c_str());
        return ok;
    }
    double seconds = 0;
    int pages = 0;

  private:
    std::string path_;
};

bool makeDemo(const fs::path& folder, int32_t lines) {
    fs::create_directories(folder);
    std::ofstream(folder / "OMRIX.INI") << "[DATABASE]\nSERVER_NAME=sqlite\nDB_NAME=demo.sqlite\n"
                                           "[KALVERON]\nPRINTCOMAPNYNAME=株式会社オムリクス建設\n";
    std::string error;
    std::string file = (folder / "demo.sqlite").string();
    if (!omrix::data::createDatabaseFile(file, error)) return false;
    omrix::data::CCCDBS_DataBase db;
    if (!db.fnOpenFromIni((folder / "OMRIX.INI").string())) return false;
    if (!omrix::data::createSchema(db, omrix::data::embeddedSchemaSql(), false)) return false;
    omrix::demo::DemoOptions options;
    options.lines = lines;
    omrix::demo::DemoSummary summary;
    bool ok = omrix::demo::createDemoDatabase(db, options, summary, error);
    if (!ok) std::fprintf(stderr, "demo: %s\n", error.c_str());
    return ok;
}

struct ExportTimes {
    double startup = 0, rows = 0, write = 0, pdf = 0, total = 0;
    int pages = 0;
};

// Start-up, every node ticked, rows, write, statement to PDF: what omrix-print-export does.
bool exportStatement(const fs::path& folder, ExportTimes& times) {
    omrix::context::resetAppContext();
    auto& context = appContext();
    context.Messages = std::make_shared<omrix::platform::StderrSink>();
    context.IniPath = (folder / "OMRIX.INI").string();
    context.CommandLine = "-B:00000001 -H:01";
    auto start = Clock::now();
    if (omrix::app::runStartup() != omrix::app::StartupEnd::Started) return false;
    times.startup = secondsSince(start);

    auto step = Clock::now();
    omrix::level_tree::LevelTreeModel tree;
    tree.sbCreateTree(context.UchiwakeRoot.get(), 0);
    for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
    omrix::print::PrintOptionRec options;
    options.nPrintJunjo = 2;
    options.nPageType = 1;
    options.nPageStart = 1;
    options.sCompanyName = "株式会社オムリクス建設";
    omrix::print::sbSetPrintType(options, "B5");
    omrix::print::PrintRows rows;
    if (!omrix::print::fnCreatePrintRows(options, rows, tree)) return false;
    times.rows = secondsSince(step);

    step = Clock::now();
    if (!omrix::print::fnOmrix_Print_Print_CreatePrintUchiwakeInf(rows)) return false;
    times.write = secondsSince(step);

    PdfUi ui((folder / "uchiwake.pdf").string());
    omrix::reports::ReportSet reports(ui);
    reports.chooseStatement(options);
    if (!reports.showUchiwake(options)) return false;
    times.pdf = ui.seconds;
    times.pages = ui.pages;
    times.total = secondsSince(start);
    return true;
}

}  // namespace

int main() {
    omrix::reports::GuiApplicationScope gui;
    fs::path top = fs::temp_directory_path() / ("omrix-export-bench-" + std::to_string(getpid()));

    std::printf("preparing a 100,000-line demo database ...\n");
    ExportTimes big;
    if (!makeDemo(top / "big", 100000) || !exportStatement(top / "big", big)) {
        std::fprintf(stderr, "the 100,000-line export failed\n");
        fs::remove_all(top);
        return 1;
    }
    std::printf("100,000-line export: %.2f s (start-up %.2f, rows %.2f, write %.2f, PDF %.2f)\n",
                big.total, big.startup, big.rows, big.write, big.pdf);
    std::printf("  %d pages, %.0f pages/s painted; aim under 15 s\n", big.pages,
                big.pages / big.pdf);

    // About 1,000 pages: a demo of 38,600 lines pages to that size.
    ExportTimes thousand;
    if (!makeDemo(top / "pages", 38600) || !exportStatement(top / "pages", thousand)) {
        std::fprintf(stderr, "the 1,000-page statement failed\n");
        fs::remove_all(top);
        return 1;
    }
    std::printf("statement of %d pages to PDF alone: %.2f s, %.0f pages/s; aim 200 pages/s\n",
                thousand.pages, thousand.pdf, thousand.pages / thousand.pdf);
    std::printf("peak memory: %.0f MB\n", peakMegabytes());
    omrix::context::resetAppContext();
    fs::remove_all(top);
    return 0;
}
