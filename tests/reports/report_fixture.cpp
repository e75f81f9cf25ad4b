#include "reports/report_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

#include "print/print_row.h"
#include "reports/engine/gui_application.h"

namespace omrix::testing {
namespace {

// The application ends with the test run: at exit Qt's font cache is gone before a
// static would go, and the application's own fonts cannot be taken out any more then.
class GuiEnvironment : public ::testing::Environment {
  public:
    void TearDown() override { scope_.reset(); }

  private:
    std::unique_ptr<reports::GuiApplicationScope> scope_ =
        std::make_unique<reports::GuiApplicationScope>();
};

}  // namespace

void ensureGuiApplication() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static auto* environment =
        static_cast<GuiEnvironment*>(::testing::AddGlobalTestEnvironment(new GuiEnvironment));
    (void)environment;
}

ReportDatabase::ReportDatabase() {
    ensureGuiApplication();
}

void ReportDatabase::addBreakdown(int32_t nameId, std::string_view bukkenNo,
                                  std::string_view projectName) {
    const std::string id = std::to_string(nameId), no(bukkenNo);
    tables.exec("Insert Into 内訳名称 (内訳名称ＩＤ, 内訳名称, 物件No, 版No) Values (" + id +
                ", '見積内訳', '" + no + "', '01');");
    tables.exec("Insert Into 物件管理 (物件管理ＩＤ, 物件No, 物件No枝番, 工事名称) Values (" + id +
                ", '" + no + "', '0000', '" + std::string(projectName) + "');");
}

void ReportDatabase::addPrintRow(int32_t nameId, int32_t outputId, const PrintRowSpec& r) {
    tables.exec(
        "Insert Into 内訳出力 (内訳名称ＩＤ, 内訳出力ＩＤ, 名称１, 単位名称, 表示No, 頁番号, "
        "表示頁番号, 頁名称) Values (" +
        std::to_string(nameId) + ", " + std::to_string(outputId) + ", '" + r.name1 + "', '式', " +
        std::to_string(r.line) + ", " + std::to_string(r.page) + ", " +
        std::to_string(r.displayPage) + ", '" + r.pageName + "');");
}

void ReportDatabase::addPages(int32_t nameId, int pages) {
    int32_t id = 0;
    tables.exec("Begin;");
    for (int page = 1; page <= pages; ++page) {
        for (int line = 1; line <= print::kLinesPerPage; ++line) {
            std::string name = "行" + std::to_string(page) + "-" + std::to_string(line);
            addPrintRow(nameId, ++id,
                        {.page = page, .displayPage = page, .line = line, .name1 = name});
        }
    }
    tables.exec("Commit;");
}

std::unique_ptr<reports::Report> ReportDatabase::report(std::string_view design,
                                                        std::string_view formula) {
    auto report = reports::Report::create(design);
    if (!report) return nullptr;
    report->Database().Tables().Item(1).SetLogOnInfo("", "", "", "tables.sqlite");
    report->RecordSelectionFormula = std::string(formula);
    return report;
}

std::string ReportDatabase::pdf(reports::Report& report, std::string_view name) {
    std::string path = folder.file(std::string(name));
    if (util::Status written = report.exportPdf(path); !written) {
        ADD_FAILURE() << written.failure().text();
        return {};
    }
    return path;
}

std::string pdfInfoField(const std::string& path, std::string_view key) {
    int status = -1;
    const std::string info = capture("pdfinfo " + shellQuoted(path) + " 2>/dev/null", status);
    const std::string label = "\n" + std::string(key) + ":";
    std::size_t at = ("\n" + info).find(label);
    if (at == std::string::npos) return {};
    at += label.size() - 1;
    at = info.find_first_not_of(' ', at);
    return info.substr(at, info.find('\n', at) - at);
}

std::string pdfTitleAuthorSubject(const std::string& path) {
    return pdfInfoField(path, "Title") + "|" + pdfInfoField(path, "Author") + "|" +
           pdfInfoField(path, "Subject");
}

std::string pdfRawText(const std::string& path) {
    int status = -1;
    std::string text = capture("pdftotext -raw " + shellQuoted(path) + " -", status);
    std::erase(text, '\n');
    return withoutBlanks(text);
}

// "level|title|page" per bookmark, in the reader's order, from qpdf's JSON.
std::vector<std::string> pdfOutline(const std::string& pdf) {
    std::string command = "qpdf --json --json-key=outlines '" + pdf +
                          "' | python3 -c 'import json,sys\n"
                          "def walk(items, level):\n"
                          "    for i in items:\n"
                          "        print(level, i[\"title\"], i[\"destpageposfrom1\"], sep=\"|\")\n"
                          "        walk(i[\"kids\"], level + 1)\n"
                          "walk(json.load(sys.stdin)[\"outlines\"], 0)'";
    std::vector<std::string> lines;
    FILE* out = popen(command.c_str(), "r");
    if (out == nullptr) return lines;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, out) != nullptr) {
        std::string text(buffer);
        if (!text.empty() && text.back() == '\n') text.pop_back();
        lines.push_back(text);
    }
    pclose(out);
    return lines;
}

std::string workbookXml(const std::string& book, std::string_view options, int& status) {
    return capture(shellQuoted(OMRIX_PYTHON3) + " " + shellQuoted(OMRIX_WORKBOOK_XML) + " " +
                       std::string(options) + " " + shellQuoted(book) + " 2>&1",
                   status);
}

WorkbookCell workbookCell(const std::string& cells, const std::string& text) {
    WorkbookCell cell;
    const std::size_t at = cells.find(" \"" + text + "\"");
    if (at == std::string::npos) return cell;
    std::istringstream line(cells.substr(cells.rfind('\n', at) + 1));
    line >> cell.heightPt >> cell.wraps;
    return cell;
}

}  // namespace omrix::testing
