// Stored texts holding what no writer can pass on (bad UTF-8, characters XML cannot
// hold, control characters, a literal _xHHHH_), printed to every workbook and PDF: the
// workbooks parse part by part with a real XML parser and read back as cleaned, the
// PDFs show no control character.
#include <gtest/gtest.h>

#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::capture;
using omrix::testing::pdfText;
using omrix::testing::shellQuoted;
using WrittenTextTest = omrix::testing::ReportTest;

// A bad byte, U+FFFE, a surrogate (three bad bytes), an overlong '/' (two), U+0001,
// a tab and a literal code Excel would decode.
const std::string kHostile =
    "甲\xFF" "乙\xEF\xBF\xBE" "丙\xED\xA0\x80" "丁\xC0\xAF" "戊\x01" "己\t庚_x0041_辛";
// By hand: each bad byte U+FFFD, U+FFFE and U+0001 dropped, the tab kept (a cell may
// hold it), the code read back as written.
const std::string kFffd = "\xEF\xBF\xBD";
const std::string kCleaned = "甲" + kFffd + "乙丙" + kFffd + kFffd + kFffd + "丁" + kFffd +
                             kFffd + "戊己\t庚_x0041_辛";

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) out += c == '\t' ? std::string("\\t") : std::string(1, c);
    return out + "\"";
}

TEST_F(WrittenTextTest, WorkbooksStayValidAndPagesShowNoControlCharacter) {
    db.addBreakdown(7, "00000001", "工事" + kHostile);
    db.addPrintRow(7, 1, {.name1 = kHostile});
    db.tables.exec(
        "Insert Into 内訳 (内訳名称ＩＤ, 内訳ＩＤ, 親内訳ＩＤ, 種別フラグ, 表示No, 名称１, "
        "単位名称, 内訳数量, 提出用単価, 提出用金額) Values "
        "(7, 2, 0, 8, 1, '" + kHostile + "', 't', 1, 10, 10),"
        "(7, 3, 2, 8, 1, '" + kHostile + "', 't', 1, 10, 10);"
        "Insert Into 代価表 (内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ, 合計金額, モデル数量) "
        "Values (7, 1, 2, 10, 1);"
        "Insert Into 物件見積要項 (物件見積要項ＩＤ, 物件No, 版No, 工事名称, 付帯工事) Values "
        "(8, '00000001', '01', '" + kHostile + "', '" + kHostile + "');");
    const struct {
        const char *design, *formula, *file;
    } documents[] = {
        {"PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7", "uchiwake"},
        {"PRINT_DAIKA", "{代価表.内訳名称ＩＤ} = 7", "daika"},
        {"PRINT_YOUKOU", "{物件見積要項.物件見積要項ＩＤ} = 8", "youkou"},
    };
    for (const auto& d : documents) {
        SCOPED_TRACE(d.design);
        auto report = db.report(d.design, d.formula);
        report->FormulaFields().Item(1).text = "'会社" + kHostile + "'";
        const std::string book = db.folder.file(std::string(d.file) + ".xlsx");
        ASSERT_TRUE(report->exportWorkbook(book)) << report->lastError();
        int status = -1;
        const std::string cells =
            capture(shellQuoted(OMRIX_PYTHON3) + " " + shellQuoted(OMRIX_WORKBOOK_XML) + " " + shellQuoted(book) +
                        " 2>&1",
                    status);
        ASSERT_EQ(status, 0) << cells;
        EXPECT_NE(cells.find(jsonString(kCleaned)), std::string::npos) << cells;

        const std::string text = pdfText(db.pdf(*report, std::string(d.file) + ".pdf"));
        EXPECT_NE(text.find("戊己 庚_x0041_辛"), std::string::npos) << text;
        for (char control : {'\x01', '\t', '\r'})
            EXPECT_EQ(text.find(control), std::string::npos) << int(control);
    }
}

}  // namespace
}  // namespace omrix::reports
