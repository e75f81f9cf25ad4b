#pragma once
// A real SQLite database for the reports, rows put in by SQL, a QGuiApplication on
// the offscreen platform; the PDF is read back with program_output.h.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "context/temp_folder.h"
#include "data/table_database.h"
#include "export/program_output.h"
#include "reports/launch/report.h"

namespace omrix::testing {

// One application for the whole test program, made on first use.
void ensureGuiApplication();

// What failed and why; "" for a success, so that ASSERT_EQ(failureText(…), "") shows it.
template <typename T>
std::string failureText(const util::Result<T>& result) {
    return result ? std::string() : result.failure().text();
}

// A 内訳出力 row: 頁番号, 表示頁番号, 表示No, 名称１ and 頁名称; no figures.
struct PrintRowSpec {
    int32_t page = 1, displayPage = 1, line = 1;
    std::string name1 = "", pageName = "";
};

class ReportDatabase {
  public:
    ReportDatabase();
    bool ok() const { return tables.ok(); }

    // 内訳名称 row of the project with its 物件管理 row.
    void addBreakdown(int32_t nameId, std::string_view bukkenNo, std::string_view projectName);
    void addPrintRow(int32_t nameId, int32_t outputId, const PrintRowSpec& row);
    void addPages(int32_t nameId, int pages);  // 15 lines a page, named "行<page>-<line>"

    // A report of the design set up as the launch does, on this database.
    std::unique_ptr<reports::Report> report(std::string_view design, std::string_view formula);

    // Writes the report to a PDF in the test's folder; "" and a test failure when it fails.
    std::string pdf(reports::Report& report, std::string_view name = "out.pdf");

    TableDatabase tables;
    TempFolder folder;
};

// A test over a fresh report database.
class ReportTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(db.ok()) << db.tables.error(); }
    ReportDatabase db;
};

// One field of pdfinfo's listing ("Title", "Author", …) without the blanks after its
// colon; "" when pdfinfo lists no such field.
std::string pdfInfoField(const std::string& path, std::string_view key);

// "level|title|page" per bookmark of a PDF, in a reader's order (qpdf --json).
std::vector<std::string> pdfOutline(const std::string& pdf);

// "Title|Author|Subject" of pdfinfo's listing.
std::string pdfTitleAuthorSubject(const std::string& path);

// The text in drawing order (pdftotext -raw), without line breaks and blanks.
std::string pdfRawText(const std::string& path);

// workbook_xml.py over a written workbook: its parts checked with a real XML parser,
// then with `options` "--cells" "<row height in pt> <wraps> <JSON text>" per text cell.
// Standard error goes along with the output.
std::string workbookXml(const std::string& book, std::string_view options, int& status);

// The row height in pt and the wrap flag of the cell whose JSON text is `text`, in
// workbookXml's "--cells" listing; {-1, -1} when no cell holds it.
struct WorkbookCell {
    double heightPt = -1;
    int wraps = -1;
};
WorkbookCell workbookCell(const std::string& cells, const std::string& text);

// pdftotext spreads the text by its position; tests compare without the blanks.
inline std::string withoutBlanks(std::string_view text) {
    std::string out(text);
    std::erase(out, ' ');
    return out;
}

}  // namespace omrix::testing
