// Stored texts holding what no writer can pass on (bad UTF-8, characters XML cannot
// hold, control characters, a literal _xHHHH_), printed to every workbook and PDF: the
// workbooks parse part by part with a real XML parser and read back as cleaned, the
// PDFs show no control character.
#include <gtest/gtest.h>

#include <regex>

#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::capture;
using omrix::testing::failureText;
using omrix::testing::pdfText;
using omrix::testing::shellQuoted;
using omrix::testing::workbookXml;
using WrittenTextTest = omrix::testing::ReportTest;

// A bad byte, U+FFFE, a surrogate (three bad bytes), an overlong '/' (two), U+0001,
// a tab and a literal code Excel would decode.
const std::string kHostile =
    "甲\xFF"
    "乙\xEF\xBF\xBE"
    "丙\xED\xA0\x80"
    "丁\xC0\xAF"
    "戊\x01"
    "己\t庚_x0041_辛";
// By hand: each bad byte U+FFFD, U+FFFE and U+0001 dropped, the tab kept (a cell may
// hold it), the code read back as written.
const std::string kFffd = "\xEF\xBF\xBD";
const std::string kCleaned =
    "甲" + kFffd + "乙丙" + kFffd + kFffd + kFffd + "丁" + kFffd + kFffd + "戊己\t庚_x0041_辛";

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
        "(7, 2, 0, 8, 1, '" +
        kHostile +
        "', 't', 1, 10, 10),"
        "(7, 3, 2, 8, 1, '" +
        kHostile +
        "', 't', 1, 10, 10);"
        "Insert Into 代価表 (内訳名称ＩＤ, 代価表ＩＤ, 内訳ＩＤ, 合計金額, モデル数量) "
        "Values (7, 1, 2, 10, 1);"
        "Insert Into 物件見積要項 (物件見積要項ＩＤ, 物件No, 版No, 工事名称, 付帯工事) Values "
        "(8, '00000001', '01', '" +
        kHostile + "', '" + kHostile + "');");
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
        ASSERT_EQ(failureText(report->exportWorkbook(book)), "");
        int status = -1;
        const std::string cells = workbookXml(book, "", status);
        ASSERT_EQ(status, 0) << cells;
        EXPECT_NE(cells.find(jsonString(kCleaned)), std::string::npos) << cells;

        const std::string text = pdfText(db.pdf(*report, std::string(d.file) + ".pdf"));
        EXPECT_NE(text.find("戊己 庚_x0041_辛"), std::string::npos) << text;
        for (char control : {'\x01', '\t', '\r'})
            EXPECT_EQ(text.find(control), std::string::npos) << int(control);
    }
}

// IPAex lacks 𠮷 and 㐀 (IPAmj Mincho has them), ☕ and 🍣 (Symbola has them): all
// print, from fonts embedded like the others. Qt maps only characters below U+10000
// back to text, so 𠮷 and 🍣 are seen through the fonts used and the quiet standard
// error. U+10FFFD, private use, is in no installed font: the run finishes and names
// the text once, though every page shows it.
TEST_F(WrittenTextTest, CharactersTheFontsLackComeFromFallbacksOrAreNamedOnce) {
    db.addBreakdown(7, "00000001", "𠮷野家ビル新築工事");
    db.addPages(7, 2);
    db.tables.exec("Update 内訳出力 Set 名称１ = '寿司☕🍣㐀' Where 名称１ = '行1-1';");
    auto report = db.report("PRINT_A4TATE", "{内訳出力.内訳名称ＩＤ} = 7");
    const std::string unknown = "未知\U0010FFFD字";
    report->FormulaFields().Item(1).text = "'" + unknown + "'";
    ::testing::internal::CaptureStderr();
    const std::string path = db.pdf(*report);
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::string text = pdfText(path);
    for (const char* part : {"野家ビル新築工事", "寿司☕", "㐀", "未知"})
        EXPECT_NE(text.find(part), std::string::npos) << part << "\n" << text;
    int status = -1;
    const std::string fonts = capture("pdffonts " + shellQuoted(path), status);
    for (const char* font : {"IPAmjMincho", "Symbola"}) {
        const std::regex embedded(std::string(font) + " +CID TrueType +Identity-H +yes ");
        EXPECT_TRUE(std::regex_search(fonts, embedded)) << fonts;
    }
    EXPECT_EQ(err.find(unknown), err.rfind(unknown)) << err;
    EXPECT_NE(err.find("warning: 内訳書: "), std::string::npos) << err;
    EXPECT_NE(err.find("\"" + unknown + "\""), std::string::npos) << err;
    for (const char* drawn : {"寿司", "野家"}) EXPECT_EQ(err.find(drawn), std::string::npos) << err;
}

}  // namespace
}  // namespace omrix::reports
