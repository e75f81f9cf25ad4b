#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "reports/documents/sheet_data.h"
#include "reports/report_fixture.h"

namespace omrix::reports {
namespace {

using omrix::testing::failureText;
using omrix::testing::pdfText;
using omrix::testing::withoutBlanks;
using SheetTest = omrix::testing::ReportTest;

bool has(const std::string& compactText, std::string_view part) {
    return compactText.find(withoutBlanks(part)) != std::string::npos;
}

// The filled forms are read back from the PDFs below; here what is left out.
TEST(SheetTexts, EmptyFieldsLeaveTheirPartOut) {
    EXPECT_EQ(areaText(100, 0), "100.00 ㎡");
    EXPECT_EQ(areaText(0, 0), "");
    EXPECT_EQ(floorsText(0, 0, 0), "");
    EXPECT_EQ(presenceText(" ", "備考のみ"), "備考のみ");
    SheetRecord row;
    row.set("軒高", std::string("31.5"));
    EXPECT_EQ(row.number("軒高"), 31.5);
    EXPECT_EQ(row.number("ない列"), 0.0);
}

TEST_F(SheetTest, OverviewShowsEveryField) {
    db.tables.exec(
        "Insert Into 物件概要 (物件概要ＩＤ, 物件No, 事業所名称, 工事名称, 工事略称, "
        "受渡し場所住所, "
        "設計者担当部署名, 発注者担当部署名, 建物用途名称, 建物数量, 構造区分名称, 地下階, 地上階, "
        "ＰＨ階, 軒高, 敷地面積, 建築面積, 延床面積, 施工床面積, 敷地面積坪, 建築面積坪, "
        "延床面積坪, "
        "施工床面積坪, 工期, 見積範囲, 特記事項１, 特記事項２, 特記事項３, 特記事項４, 特記事項５, "
        "杭有無, 杭備考, 山止有無, 山止備考, 構台有無, 構台備考, ボーリングデータ有無, "
        "ボーリングデータ備考, 載荷有無, 載荷備考) Values (5, '        00000001', '東京支店', "
        "'オムリクス本社ビル新築工事', '本社ビル', '東京都千代田区丸の内1-1', '山田設計事務所', "
        "'オムリクス不動産', '事務所', 1, '鉄筋コンクリート造', 1, 8, 1, 31.5, 1500, 900, 6800, "
        "7100, 453.75, 272.25, 2057, 2147.75, '2025/04/01～2026/09/30', '建築・設備一式', "
        "'特記一', '特記二', '特記三', '特記四', '特記五', '1', '場所打ち杭', '0', '', '1', "
        "'乗入れ構台', '1', '3本', '0', '不要');");
    auto report = db.report("PRINT_GAIYOU", "{物件概要.物件概要ＩＤ} = 5");
    report->Database().Tables().Item(1).Location = "物件概要";
    std::string path = db.pdf(*report);
    EXPECT_EQ(omrix::testing::pdfPages(path), 1);
    std::string text = withoutBlanks(pdfText(path));
    SCOPED_TRACE(text);
    // Compared without blanks: the parts are listed blank-separated.
    std::istringstream parts(
        "工事概要 物件No.00000001 東京支店 オムリクス本社ビル新築工事 本社ビル "
        "東京都千代田区丸の内1-1 山田設計事務所 オムリクス不動産 事務所 1棟 鉄筋コンクリート造 "
        "地下1階 地上8階 塔屋1階 31.50m 1,500.00㎡ （453.75坪） 900.00㎡ 6,800.00㎡ "
        "（2,057.00坪） 7,100.00㎡ （2,147.75坪） 2025/04/01～2026/09/30 建築・設備一式 特記一 "
        "特記五 杭工事 有場所打ち杭 山止工事 無 有乗入れ構台 有3本 無不要 1/1");
    for (std::string part; parts >> part;) {
        EXPECT_TRUE(has(text, part)) << part;
    }
}

// Every field at the byte limit of its window, worked by hand in full-width
// characters: 128 bytes = 64, 76 = 38, 64 = 32. Each prints whole on both sheets (read
// back in drawing order, line breaks and blanks left out); the paired fields break
// within their half of the row rather than being cut. In the workbook a paired value's
// column is (210 − 2 × 18) / 2 − 26 = 61 mm wide: 64 characters at 3.1 mm (198.4 mm)
// wrap into at least 4 lines, a row of at least 4 × 3.1 = 12.4 mm.
TEST_F(SheetTest, FieldsAtTheirLimitsPrintWhole) {
    auto text = [](const char* first, int characters) {
        const std::string cycle = "あいうえおかきくけこ";
        std::string out = first;
        for (int i = 1; i < characters; ++i) out += cycle.substr((i % 10) * 3, 3);
        return out;
    };
    using Fields = std::vector<std::pair<const char*, std::string>>;
    const Fields common = {{"事業所名称", text("事", 64)},
                           {"工事名称", text("工", 38)},
                           {"工事略称", text("略", 25)},
                           {"受渡し場所住所", text("受", 64)},
                           {"設計者担当部署名", text("設", 64)},
                           {"発注者担当部署名", text("発", 64)},
                           {"建物用途名称", text("建", 64)},
                           {"構造区分名称", text("構", 32)},
                           {"工期", text("期", 32)}};
    const struct {
        const char *table, *key, *design;
        Fields own;
    } sheets[] = {
        {"物件概要",
         "物件概要ＩＤ",
         "PRINT_GAIYOU",
         {{"見積範囲", text("範", 32)},
          {"特記事項１", text("特", 64)},
          {"杭備考", text("杭", 32)},
          {"山止備考", text("山", 32)}}},
        {"物件見積要項",
         "物件見積要項ＩＤ",
         "PRINT_YOUKOU",
         {{"付帯工事", text("付", 32)},
          {"支払条件１", text("支", 64)},
          {"杭１", text("杭", 32)},
          {"別途工事１", text("別", 32)},
          {"備考１", text("備", 32)},
          {"文章", text("文", 64)}}},
    };
    for (const auto& sheet : sheets) {
        SCOPED_TRACE(sheet.design);
        Fields fields = common;
        fields.insert(fields.end(), sheet.own.begin(), sheet.own.end());
        std::string columns =
            std::string(sheet.key) + ", 物件No, 建物数量, 地下階, 地上階, ＰＨ階, 軒高";
        std::string values = "5, '00000001', 12345, 9, 99, 9, 123.45";
        for (const auto& [column, value] : fields) {
            columns += std::string(", ") + column;
            values += ", '" + value + "'";
        }
        db.tables.exec("Insert Into " + std::string(sheet.table) + " (" + columns + ") Values (" +
                       values + ");");
        auto report =
            db.report(sheet.design, "{" + std::string(sheet.table) + "." + sheet.key + "} = 5");
        report->Database().Tables().Item(1).Location = sheet.table;
        if (std::string_view(sheet.design) == "PRINT_YOUKOU")
            report->FormulaFields().Item(1).text = "'" + text("会", 32) + "'";
        const std::string path = db.pdf(*report, std::string(sheet.design) + ".pdf");
        const std::string raw = omrix::testing::pdfRawText(path);
        for (const auto& [column, value] : fields)
            EXPECT_TRUE(has(raw, value)) << column << "\n" << raw;
        EXPECT_FALSE(has(raw, "…"));

        // "<row height in pt> <wraps> <JSON text>" per text cell.
        const std::string book = db.folder.file(std::string(sheet.design) + ".xlsx");
        ASSERT_EQ(failureText(report->exportWorkbook(book)), "");
        int status = -1;
        const std::string cells = omrix::testing::workbookXml(book, "--cells", status);
        ASSERT_EQ(status, 0) << cells;
        for (const auto& [column, value] : fields)
            EXPECT_TRUE(has(cells, value)) << column << "\n" << cells;
        for (const std::string& paired : {text("設", 64), text("建", 64)}) {
            const auto cell = omrix::testing::workbookCell(cells, paired);
            EXPECT_GE(cell.heightPt, 12.4 * 72 / 25.4) << paired;
            EXPECT_EQ(cell.wraps, 1) << paired;
        }
    }
}

// Each numbered group as many lines as it has: 支払条件 6, 杭 4, 別途工事 5, 備考 11.
TEST_F(SheetTest, SummaryShowsEveryFieldAndTheCompany) {
    std::string columns = "物件見積要項ＩＤ, 物件No, 版No, 工事名称, 付帯工事, 文章";
    std::string values = "8, '00000001', '02', '本社ビル新築工事', '外構工事', '下記の要領で。'";
    const char* digits[] = {"１", "２", "３", "４", "５", "６", "７", "８", "９", "１０", "１１"};
    const std::pair<const char*, int> groups[] = {
        {"支払条件", 6}, {"杭", 4}, {"別途工事", 5}, {"備考", 11}};
    for (auto [column, count] : groups) {
        for (int i = 0; i < count; ++i) {
            columns += std::string(", ") + column + digits[i];
            values += ", '" + std::string(column) + "の" + std::to_string(i + 1) + "'";
        }
    }
    db.tables.exec("Insert Into 物件見積要項 (" + columns + ") Values (" + values + ");");
    auto report = db.report("PRINT_YOUKOU", "{物件見積要項.物件見積要項ＩＤ} = 8");
    report->FormulaFields().Item(1).text = "'株式会社オムリクス建設'";
    const std::string path = db.pdf(*report);
    EXPECT_EQ(omrix::testing::pdfTitleAuthorSubject(path),
              "見積要項|株式会社オムリクス建設|本社ビル新築工事");
    std::string text = withoutBlanks(pdfText(path));
    SCOPED_TRACE(text);
    for (std::string_view part : {"見積要項", "物件No.00000001版02", "株式会社オムリクス建設",
                                  "下記の要領で。", "本社ビル新築工事", "外構工事", "1/1"})
        EXPECT_TRUE(has(text, part)) << part;
    for (auto [column, count] : groups) {
        for (int i = 1; i <= 12; ++i) {
            EXPECT_EQ(has(text, std::string(column) + "の" + std::to_string(i)), i <= count)
                << column << i;
        }
    }
}

}  // namespace
}  // namespace omrix::reports
