// Workbook pieces that the read-back of whole workbooks (tests/export/workbook_test.py)
// cannot tell apart: how formatted figures are read back into numbers, and a report
// with nothing to print.
#include <gtest/gtest.h>

#include <filesystem>

#include "reports/report_fixture.h"
#include "reports/statement_workbook.h"

namespace omrix::reports {
namespace {

// Quantities as the print run formatted them (right-aligned in 16 bytes, or longer and
// unaligned); anything else is no number. Money shows the decimals it has, as moneyText
// prints them.
TEST(WorkbookFigures, QuantitiesAndMoneyFormats) {
    const std::pair<const char*, double> numbers[] = {
        {"       1,234.500", 1234.5},
        {"-12.000", -12.0},
        {"12,345,678,901,234.567", 12345678901234.567}};
    for (auto [text, value] : numbers) EXPECT_DOUBLE_EQ(quantityValue(text).value_or(-1), value);
    for (const char* text : {"", "1,2a", "inf", "0x10", "1.0.0"})
        EXPECT_FALSE(quantityValue(text).has_value()) << text;

    const std::pair<int64_t, const char*> money[] = {
        {12340000, "#,##0"}, {12345000, "#,##0.0"},     {-12345600, "#,##0.00"},
        {1, "#,##0.0000"},   {INT64_MIN, "#,##0.0000"}, {0, "#,##0"}};  // raw ten-thousandths
    for (auto [raw, format] : money) EXPECT_EQ(moneyFormat(raw), format) << raw;
}

using StatementWorkbookTest = omrix::testing::ReportTest;

// No lines, an unwritable path, rows gone under a loaded report: no workbook, and the
// failure named.
TEST_F(StatementWorkbookTest, FailuresLeaveNoWorkbook) {
    db.addBreakdown(7, "00000001", "オムリクス本社ビル新築工事");
    auto report = db.report("PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7");
    std::string path = db.folder.file("uchiwake.xlsx");
    EXPECT_FALSE(report->exportWorkbook(path));
    EXPECT_NE(report->lastError().find("no workbook written"), std::string::npos)
        << report->lastError();
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_EQ(omrix::testing::pdfPages(db.pdf(*report)), 1);  // the PDF prints its empty form

    db.addPages(7, 3);
    report = db.report("PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7");
    std::string unwritable = db.folder.file("missing/uchiwake.xlsx");
    EXPECT_FALSE(report->exportWorkbook(unwritable));
    EXPECT_NE(report->lastError().find("uchiwake.xlsx"), std::string::npos) << report->lastError();
    EXPECT_FALSE(std::filesystem::exists(unwritable));
    EXPECT_TRUE(report->exportWorkbook(path)) << report->lastError();

    // The index is built; the rows go before the pages are read again.
    std::filesystem::remove(path);
    db.tables.exec("Drop Table 内訳出力;");
    EXPECT_FALSE(report->exportWorkbook(path));
    EXPECT_FALSE(report->lastError().empty());
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace omrix::reports
