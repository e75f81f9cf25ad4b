// Painting a long breakdown statement to PDF: 15 lines per page read from 内訳出力
// through the report object, laid out and written with the fonts embedded; then the
// same pages written as an Excel workbook (libxlsxwriter, constant memory).
// Usage: report_bench [pages] [design] [folder]; prints seconds, pages per second,
// the sizes and the peak memory of the process. Aims: 200 pages per second; the
// workbook of 6,667 pages (100,000 lines) no slower than its PDF, with the peak
// memory hardly above the loaded report's.

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "bench_clock.h"
#include "context/app_context.h"
#include "data/core/database.h"
#include "data/core/schema.h"
#include "print/print_row.h"
#include "reports/engine/gui_application.h"
#include "reports/launch/report.h"

namespace {

using omrix::bench::Clock;
using omrix::bench::cpuSeconds;
using omrix::bench::peakMemoryKiB;
using omrix::bench::secondsSince;

// Lines as the print run writes them: names, 仕様 lines, a quantity, prices and
// the remark lines, varied so that the fonts carry a realistic set of glyphs.
bool fillPrintRows(omrix::data::CCCDBS_DataBase& db, int pages) {
    static const char* const kNames[] = {
        "普通コンクリート", "異形鉄筋",     "型枠",           "鉄骨建方",     "アスファルト防水",
        "磁器質タイル張り", "軽量鉄骨下地", "石膏ボード張り", "アルミサッシ", "合成樹脂塗料塗り"};
    static const char* const kSpecs[] = {"Fc24 S18 ポンプ打設", "SD345 D22",
                                         "普通合板 化粧打放し", "ボルト接合",
                                         "密着工法 断熱",       "外壁 45二丁掛"};
    static const char* const kUnits[] = {"m3", "t", "m2", "箇所", "式", "本"};
    if (!db.fnExecute("Begin;")) return false;
    std::string batch;
    int id = 0;
    for (int page = 1; page <= pages; ++page) {
        for (int line = 1; line <= omrix::print::kLinesPerPage; ++line) {
            ++id;
            int k = id % 10;
            int64_t price = 1000 + (id * 37) % 90000;
            int64_t quantity = 1 + (id * 13) % 500;
            batch +=
                "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 表示番号名称, 名称１, 名称２, "
                "仕様１, 仕様２, 単位名称, 内訳数量, 提出用単価, 提出用金額, 表示No, 頁番号, "
                "表示頁番号, 頁名称, 社内備考, 社外備考) Values (1, " +
                std::to_string(id) + ", '" + std::to_string(line) + "', '" + kNames[k] + "', '第" +
                std::to_string(page) + "工区', '" + kSpecs[id % 6] + "', '', '" + kUnits[id % 6] +
                "', '" + std::to_string(quantity) + ".000', " + std::to_string(price) + ", " +
                std::to_string(price * quantity) + ", " + std::to_string(line) + ", " +
                std::to_string(page) + ", " + std::to_string(page) + ", '建築工事', '', '" +
                (line % 4 == 0 ? "別途見積" : "") + "');\n";
            if (id % 100 == 0) {
                if (!db.fnExecute(batch)) return false;
                batch.clear();
            }
        }
    }
    if (!batch.empty() && !db.fnExecute(batch)) return false;
    return db.fnExecute("Commit;");
}

// True for a success; a failure is said on standard error.
template <typename T>
bool succeeded(const omrix::util::Result<T>& result) {
    if (!result) std::fprintf(stderr, "%s\n", result.failure().text().c_str());
    return result.ok();
}

}  // namespace

int main(int argc, char** argv) {
    const int pages = argc > 1 ? std::atoi(argv[1]) : 1000;
    const std::string design = argc > 2 ? argv[2] : "A4YOKOUCHIWAKESHO";
    std::filesystem::path folder = argc > 3
                                       ? std::filesystem::path(argv[3])
                                       : std::filesystem::temp_directory_path() /
                                             ("omrix-report-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = (folder / "bench.sqlite").string();
    const std::string pdf = (folder / "uchiwake.pdf").string();
    const std::string xlsx = (folder / "uchiwake.xlsx").string();
    std::filesystem::remove(file);

    omrix::reports::GuiApplicationScope gui;
    auto db = std::make_shared<omrix::data::CCCDBS_DataBase>();
    if (!omrix::data::createDatabaseFile(file) || !db->fnOpen("sqlite", file, "", "", 1) ||
        !omrix::data::createSchema(*db, omrix::data::embeddedSchemaSql(), true)) {
        std::fprintf(stderr, "cannot make %s: %s\n", file.c_str(), db->lastErrorText().c_str());
        return 1;
    }
    if (!fillPrintRows(*db, pages)) {
        std::fprintf(stderr, "cannot fill 内訳出力: %s\n", db->lastErrorText().c_str());
        return 1;
    }
    omrix::context::appContext().Database = db;
    long memoryBefore = peakMemoryKiB();

    auto report = omrix::reports::Report::create(design);
    if (!report) {
        std::fprintf(stderr, "no design %s\n", design.c_str());
        return 2;
    }
    report->Database().Tables().Item(1).SetLogOnInfo("", "", "", file);
    report->Database().Tables().Item(1).Location = "内訳出力";
    report->RecordSelectionFormula = "{内訳出力.内訳名称ＩＤ} = 1";
    report->FormulaFields().Item(1).text = "'株式会社オムリクス建設'";

    auto start = Clock::now();
    double cpuStart = cpuSeconds();
    if (!succeeded(report->load())) return 1;
    double loadSeconds = secondsSince(start);
    if (!succeeded(report->exportPdf(pdf))) return 1;
    double seconds = secondsSince(start);
    double cpu = cpuSeconds() - cpuStart;

    // The bookmarks alone: one more light pass over 内訳出力 (exportPdf above added them).
    auto outlineStart = Clock::now();
    auto outline = report->readOutline();
    if (!succeeded(outline)) return 1;
    double outlineSeconds = secondsSince(outlineStart);

    // The workbook from the same loaded pages; the peak memory before it is the
    // PDF's, so growth shows what the workbook holds.
    long memoryBeforeWorkbook = peakMemoryKiB();
    auto workbookStart = Clock::now();
    double workbookCpuStart = cpuSeconds();
    if (!succeeded(report->exportWorkbook(xlsx))) return 1;
    double workbookSeconds = secondsSince(workbookStart);
    double workbookCpu = cpuSeconds() - workbookCpuStart;
    double pdfSeconds = seconds - loadSeconds;

    std::printf("design          %s\n", design.c_str());
    std::printf("pages           %d\n", report->pageCount());
    std::printf("read and layout %.3f s\n", loadSeconds);
    std::printf("total           %.3f s\n", seconds);
    std::printf("processor time  %.3f s\n", cpu);
    std::printf("pages/second    %.0f (aim: 200); %.0f per processor second\n",
                report->pageCount() / seconds, report->pageCount() / cpu);
    std::printf("pdf size        %.1f MiB\n",
                static_cast<double>(std::filesystem::file_size(pdf)) / (1024.0 * 1024.0));
    std::printf("peak memory     %.1f MiB (%.1f MiB before the report)\n",
                memoryBeforeWorkbook / 1024.0, memoryBefore / 1024.0);
    std::printf("pdf painting    %.3f s\n", pdfSeconds);
    std::printf("outline         %.3f s, %zu bookmarks (part of the painting)\n", outlineSeconds,
                outline->size());
    std::printf("workbook        %.3f s, %.3f processor s (aim: no more than the PDF's %.3f s)\n",
                workbookSeconds, workbookCpu, pdfSeconds);
    std::printf("xlsx size       %.1f MiB\n",
                static_cast<double>(std::filesystem::file_size(xlsx)) / (1024.0 * 1024.0));
    std::printf("peak memory     %.1f MiB after the workbook (constant memory: no growth)\n",
                peakMemoryKiB() / 1024.0);
    if (argc <= 3) std::filesystem::remove_all(folder);
    return 0;
}
