// omrix-print-export: the print run without windows. Start-up as the desktop program
// runs it, the level tree ticked from --levels, the options filled from the flags as
// the main window fills them, and every opened viewer written as a PDF file.
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/startup_sequence.h"
#include "context/app_context.h"
#include "context/ini_file.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "export_folder.h"
#include "level_tree/level_tree_model.h"
#include "platform/messages.h"
#include "platform/write_error.h"
#include "print/print_choice_lists.h"
#include "print/print_run.h"
#include "print_export_printing.h"
#include "print_export_ui.h"
#include "program_version.h"
#include "reports/engine/gui_application.h"
#include "reports/launch/report_set.h"
#include "util/numbers.h"
#include "util/part_file.h"
#include "util/text.h"

namespace {

namespace fs = std::filesystem;
using omrix::context::appContext;
using omrix::print::PrintRunChoices;
using omrix::print::ViewerKind;

constexpr int kExitDone = 0;
constexpr int kExitStopped = 1;
constexpr int kExitUsage = 2;

struct ExportOptions {
    std::string bukken;
    std::string han;
    int32_t operatorId = 0;
    std::string ini;
    std::string out = ".";
    std::string outputs = "uchiwake";
    std::optional<std::string> layout;
    std::optional<std::string> company;
    std::string levels = "all";
    bool quantitiesOnly = false;
    bool ditto = false;
    std::string pageStart = "1";
    bool pageNames = false;
    std::string sheets;
    bool continuousPages = false;
    bool reread = false;
    bool noRender = false;
    std::string formats = "pdf";
    int jobs = 0;  // threads painting a PDF; 0: one per core
    // --print and its range and copies; files then only with --out.
    omrix::apps::PrintChoice print;
    bool outGiven = false;
};

struct Output {
    const char* name;
    ViewerKind viewer;
};

// In the order the run produces them.
constexpr Output kOutputs[] = {{"uchiwake", ViewerKind::Uchiwakesho},
                               {"youkou", ViewerKind::Youkou},
                               {"gaiyou", ViewerKind::Gaiyou},
                               {"daika", ViewerKind::Daika}};

std::string trimmed(std::string_view text) {
    return std::string(omrix::util::trimBlanks(text, omrix::util::kBlanksAndTabs));
}

std::vector<std::string> splitList(const std::string& list) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t comma = list.find(',', start);
        parts.push_back(trimmed(list.substr(start, comma - start)));
        if (comma == std::string::npos) return parts;
        start = comma + 1;
    }
}

std::string checkOutputs(const std::string& list) {
    for (const std::string& name : splitList(list)) {
        auto known = [&](const Output& o) { return name == o.name; };
        if (std::none_of(std::begin(kOutputs), std::end(kOutputs), known)) {
            return "unknown output '" + name + "' (use uchiwake, youkou, gaiyou, daika)";
        }
    }
    return {};
}

std::string checkFormats(const std::string& list) {
    for (const std::string& name : splitList(list)) {
        if (name != "pdf" && name != "xlsx") return "unknown format '" + name + "' (use pdf, xlsx)";
    }
    return {};
}

omrix::apps::ExportFormats exportFormats(const ExportOptions& o) {
    std::vector<std::string> list = splitList(o.formats);
    auto has = [&](const char* name) {
        return std::find(list.begin(), list.end(), name) != list.end();
    };
    return {.pdf = has("pdf"), .xlsx = has("xlsx")};
}

std::string checkLevels(const std::string& spec) {
    if (spec == "all" || spec == "none") return {};
    for (const std::string& id : splitList(spec)) {
        int32_t value = 0;
        bool digits = !id.empty() && id.find_first_not_of("0123456789") == std::string::npos;
        if (!digits || !omrix::util::fnCLngText(id, value) || value <= 0) {
            return "'" + id + "' is not a 内訳ID (use all, none or a comma list of IDs)";
        }
    }
    return {};
}

// As the window reads 頁カウント: blank is 0, anything else a 16-bit whole number.
std::string checkPageStart(const std::string& text) {
    int16_t value = 0;
    if (omrix::util::fnCIntText(text, value)) return {};
    return "'" + text + "' is no page number (a whole number from -32768 to 32767, or blank)";
}

// The suite's command line ends a value at the first blank.
std::string checkKey(const std::string& value) {
    if (trimmed(value).empty()) return "must not be blank";
    if (value.find(' ') != std::string::npos) return "must not hold blanks";
    return {};
}

// Files are written unless the run only prints.
bool writesFiles(const ExportOptions& o) {
    return !o.noRender && (o.print.queue.empty() || o.outGiven);
}

void declareOptions(CLI::App& app, ExportOptions& o) {
    app.add_option("--bukken", o.bukken, "project number (物件No)")->required()->check(checkKey);
    app.add_option("--han", o.han, "version number (版No)")->required()->check(checkKey);
    app.add_option("--operator", o.operatorId, "operator ID (自社担当者ＭＩＤ)");
    app.add_option("--ini", o.ini, omrix::context::kIniSearchHelp);
    app.add_option("--out", o.out, "where documents go (created when missing)")
        ->check([](const std::string& v) { return v.empty() ? "must not be empty" : ""; });
    app.add_option("--outputs", o.outputs, "comma list of uchiwake, youkou, gaiyou, daika")
        ->check(checkOutputs);
    app.add_option("--layout", o.layout, "print type name as listed in 内訳書出力形式Ｍ");
    app.add_option("--company", o.company, "company name; default the INI's PRINTCOMAPNYNAME");
    app.add_option("--levels", o.levels, "all | none | comma list of 内訳ID to tick")
        ->check(checkLevels);
    app.add_flag("--quantities-only", o.quantitiesOnly, "数量のみ印刷する");
    app.add_flag("--ditto", o.ditto, "重複文字を省略する");
    app.add_option("--page-start", o.pageStart, "頁カウント text (blank gives 0)")
        ->check(checkPageStart);
    app.add_flag("--page-names", o.pageNames, "頁名称使用 (default: 数字のみ)");
    app.add_option("--sheets", o.sheets, "別紙印刷: all (別紙と本書) or only (別紙のみ)")
        ->check(CLI::IsMember({"all", "only"}));
    app.add_flag("--continuous-pages", o.continuousPages, "頁は本書と通番にする");
    app.add_flag("--reread", o.reread, "印刷時に最新の情報を取得する");
    app.add_flag("--no-render", o.noRender, "write 内訳出力 but render no document");
    app.add_option("--formats", o.formats, "comma list of pdf, xlsx")->check(checkFormats);
    app.add_option("--jobs", o.jobs, "threads painting each PDF; 0 (default): one per core")
        ->check(CLI::Range(0, 256));
    omrix::apps::declarePrintOptions(app, o.print);
}

bool wanted(const ExportOptions& o, const char* name) {
    std::vector<std::string> list = splitList(o.outputs);
    return std::find(list.begin(), list.end(), name) != list.end();
}

// The entries of Cmb_Shutsuryokuyoshiki; nullopt when 内訳書出力形式Ｍ cannot be read.
std::optional<std::vector<std::string>> printTypeEntries() {
    std::vector<std::string> entries;
    omrix::data::CCCDBS_DataBase* db = omrix::data::programDatabase();
    if (db == nullptr || !omrix::print::fnReadPrintTypeEntries(*db, entries)) return std::nullopt;
    return entries;
}

// Ticks the nodes --levels names; false (with the reason) for an ID without a node.
bool tickLevels(const std::string& spec, omrix::level_tree::LevelTreeModel& tree) {
    if (spec == "none") return true;
    if (spec == "all") {
        for (int32_t i = 1; i <= tree.count(); ++i) tree.setChecked(i, true);
        return true;
    }
    for (const std::string& id : splitList(spec)) {
        // By the tree's tag index: listing every heading costs one look-up each.
        const omrix::level_tree::LevelNode* node = tree.fnGetTreeObject(id);
        if (node == nullptr) {
            std::fprintf(stderr, "--levels: 内訳ID %s has no node in the level tree\n", id.c_str());
            return false;
        }
        tree.setChecked(node->index, true);
    }
    return true;
}

// fnGetPrintOption from the flags, the window's controls in their start state otherwise.
// False when the page count is no 16-bit number, which ends the window's run too.
bool fillChoices(const ExportOptions& o, const std::string& entry, PrintRunChoices& choices) {
    omrix::print::PrintOptionControls controls;
    controls.onlySuryo = o.quantitiesOnly;
    controls.chofukuShoryaku = o.ditto;
    controls.pageCount = o.pageStart;
    controls.pageTypeOnlyNum = !o.pageNames;
    // Without separate-sheet lines the window keeps that frame disabled and unticked.
    bool sheets = !o.sheets.empty() && appContext().BesshiExists;
    controls.besshiPrint = sheets;
    controls.printBesshiAndAll = o.sheets != "only";
    controls.pageTsuban = o.continuousPages;
    choices.companyText =
        o.company ? *o.company
                  : trimmed(omrix::context::fnReadIniValue("KALVERON", "PRINTCOMAPNYNAME"));
    controls.companyText = choices.companyText;
    controls.printTypeEntry = entry;
    choices.reread = o.reread;
    choices.uchiwake = wanted(o, "uchiwake");
    choices.youkou = wanted(o, "youkou");
    choices.gaiyou = wanted(o, "gaiyou");
    choices.daika = wanted(o, "daika");
    if (!o.sheets.empty() && !sheets) {
        std::fprintf(stderr, "--sheets: the breakdown has no separate sheets; ignored\n");
    }
    return omrix::print::fnGetPrintOption(controls, choices.options);
}

std::string outputPath(const ExportOptions& o, const Output& output, std::string_view extension) {
    return (fs::path(o.out) / (std::string(output.name) + std::string(extension))).string();
}

// Every document in both formats, not only those asked for: a folder never mixes two runs.
std::vector<std::string> previousOutputNames() {
    std::vector<std::string> names;
    for (const Output& output : kOutputs) {
        for (std::string_view extension : {omrix::apps::kPdfExtension, omrix::apps::kXlsxExtension})
            names.push_back(std::string(output.name) + std::string(extension));
    }
    return names;
}

// The folder is made only for a run that goes ahead, and locked before anything in it
// is removed.
bool prepareOutFolder(const ExportOptions& o, omrix::apps::OutFolderLock& lock) {
    if (!writesFiles(o)) return true;
    return omrix::apps::makeOutFolder(o.out) && lock.acquire(o.out) &&
           omrix::apps::removePreviousOutputs(o.out, previousOutputNames());
}

// The list of files written; a standard output that refuses it stops the run.
bool printWritten(const std::vector<std::string>& files) {
    for (const std::string& file : files) std::printf("%s\n", file.c_str());
    if (std::fflush(stdout) == 0 && std::ferror(stdout) == 0) return true;
    std::fprintf(stderr, "the list of files written cannot go to standard output: %s\n",
                 omrix::platform::writeErrorText(errno).c_str());
    return false;
}

std::unique_ptr<omrix::apps::TerminalProgress> terminalProgress() {
    if (::isatty(STDERR_FILENO) == 0) return nullptr;
    return std::make_unique<omrix::apps::TerminalProgress>(stderr);
}

// Every requested output made: the statement may have been left out for want of ticks.
int exitStatus(const omrix::print::PrintRunResult& result, const ExportOptions& o) {
    if (result.end != omrix::print::PrintRunEnd::Completed) return kExitStopped;
    for (const Output& output : kOutputs) {
        if (!wanted(o, output.name)) continue;
        if (std::find(result.produced.begin(), result.produced.end(), output.viewer) ==
            result.produced.end()) {
            std::fprintf(stderr, "%s was not produced\n", output.name);
            if (!o.noRender && exportFormats(o).xlsx)
                std::fprintf(stderr, "%s: no workbook written\n",
                             outputPath(o, output, omrix::apps::kXlsxExtension).c_str());
            return kExitStopped;
        }
    }
    return kExitDone;
}

std::string printTypeEntry(const ExportOptions& o, int& status) {
    auto entries = printTypeEntries();
    if (!entries) return {};
    if (!o.layout) return entries->empty() ? std::string() : entries->front();
    if (std::find(entries->begin(), entries->end(),
                  std::string(omrix::util::trimBlanksRight(*o.layout))) == entries->end()) {
        std::fprintf(stderr, "--layout: '%s' is not listed in 内訳書出力形式Ｍ\n",
                     o.layout->c_str());
        status = kExitUsage;
    }
    return std::string(omrix::util::trimBlanksRight(*o.layout));
}

int runExport(const ExportOptions& o) {
    auto& context = appContext();
    context.Messages = std::make_shared<omrix::platform::StderrSink>();
    context.ScreenIdProvider = [] { return std::string("omrix-print-export"); };
    if (!o.ini.empty()) context.IniPath = fs::absolute(o.ini).lexically_normal().string();
    context.CommandLine = "-B:" + o.bukken + " -H:" + o.han + " -T:" + std::to_string(o.operatorId);
    // A queue that would not print stops the run before anything is done.
    if (!o.print.queue.empty() && !o.noRender && !omrix::apps::queueTakesJobs(o.print))
        return kExitStopped;
    // A folder that exists is locked before start-up, so that a second run stops at once.
    omrix::apps::OutFolderLock lock;
    std::error_code folderError;
    if (writesFiles(o) && fs::is_directory(o.out, folderError) && !lock.acquire(o.out))
        return kExitStopped;

    omrix::app::StartupEnd end = omrix::app::runStartup();
    if (end == omrix::app::StartupEnd::IniPath && context.IniPath.empty()) {
        std::string places = omrix::context::describeIniSearch(omrix::context::processIniPlaces());
        std::fprintf(stderr, "%s\n", places.c_str());
    }
    if (end != omrix::app::StartupEnd::Started) {
        std::string reason(omrix::app::describeStartupEnd(end));
        // The cause and the path, where the data layer knows them.
        if (end == omrix::app::StartupEnd::Database && context.Database &&
            !context.Database->lastErrorText().empty()) {
            reason += ": " + context.Database->lastErrorText();
        }
        std::fprintf(stderr, "start-up stopped: %s\n", reason.c_str());
        return kExitStopped;
    }
    omrix::level_tree::LevelTreeModel tree;
    tree.sbCreateTree(context.UchiwakeRoot.get(), 0);
    if (!tickLevels(o.levels, tree)) return kExitUsage;
    int status = kExitDone;
    std::string entry = printTypeEntry(o, status);
    if (status != kExitDone) return status;

    PrintRunChoices choices;
    bool readable = fillChoices(o, entry, choices);
    if (!readable)
        std::fprintf(stderr, "--page-start: '%s' is no page number\n", o.pageStart.c_str());
    // Only a run that goes ahead replaces the previous one's files.
    if (!prepareOutFolder(o, lock)) return kExitStopped;
    // Painting needs a QGuiApplication; without a display it uses the offscreen platform.
    std::optional<omrix::reports::GuiApplicationScope> gui;
    omrix::apps::silenceQtWarnings();
    if (!o.noRender) gui.emplace();
    omrix::apps::ExportUi ui(choices, readable, o.out, !o.noRender,
                             writesFiles(o) ? exportFormats(o) : omrix::apps::ExportFormats{false},
                             terminalProgress());
    if (!o.print.queue.empty()) ui.printOn(omrix::apps::printJobOf(o.print));
    ui.paintOn(o.jobs);
    omrix::reports::ReportSet reports(ui);
    omrix::print::PrintRunResult result = omrix::print::fnRunPrint(ui, reports, tree);
    const bool listed = printWritten(ui.written());
    if (context.Database) context.Database->fnClose();
    status = exitStatus(result, o);
    // The documents are written, but a statement with a wrong total is no clean run.
    for (const std::string& overflow : context.AmountOverflows)
        std::fprintf(stderr, "the amount overflows: %s\n", overflow.c_str());
    if (!context.AmountOverflows.empty()) status = kExitStopped;
    return status == kExitDone && !listed ? kExitStopped : status;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Exports the documents of one estimate version without windows"};
    app.set_version_flag("--version", omrix::apps::versionText("omrix-print-export"));
    ExportOptions options;
    declareOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e) == 0 ? kExitDone : kExitUsage;
    }
    options.outGiven = app.count("--out") > 0;
    return runExport(options);
}
