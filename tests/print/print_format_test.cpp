#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "print/print_convert.h"
#include "print/print_options.h"
#include "util/aligned_text.h"

namespace omrix::print {

using util::fnAlignByBytes;
using util::fnDittoText;
using util::kAlignCenter;
using util::kAlignLeft;
using util::kAlignRight;
using util::kDittoNarrow;
using util::kDittoWide;
namespace {

using breakdown::UchiwakeRec;

const char* const kTypeNames[] = {"B5", "A4(横)", "A4(縦)", "A4(計算式)", "A4(社内確認用)"};

PrintOptionRec optionsFor(std::string_view typeName) {
    PrintOptionRec options;
    options.nPageType = kPageTypeOnlyNum;
    EXPECT_TRUE(sbSetPrintType(options, typeName)) << typeName;
    return options;
}

PrintRow convert(const UchiwakeRec& line, const PrintOptionRec& options,
                 const UchiwakeRec* above = nullptr) {
    PrintRow row;
    fnConvertPrintRow({}, line, options, above, row);
    return row;
}

Currency yen(int64_t units) {
    return *Currency::fromUnits(units);
}

TEST(PrintTypes, RecognisedByExactTrimmedName) {
    for (const char* name : kTypeNames) EXPECT_EQ(optionsFor(name).sPrintTypeName, name);
    EXPECT_EQ(findPrintType(" A4(縦)  ")->reportFile, "OMRIX_PRINT_A4TATE.RPT");
    // Full-width brackets, lower case and a full-width blank are other names.
    for (const char* other : {"A4(横）", "b5", "B5　", ""}) {
        EXPECT_EQ(findPrintType(other), nullptr) << other;
    }

    PrintOptionRec options = optionsFor("A4(計算式)");
    EXPECT_EQ(options.sReportFile + options.sReportTitle, "OMRIX_PRINT_A4EXP.RPT内訳書");
    // An unknown name clears what an earlier one set.
    EXPECT_FALSE(sbSetPrintType(options, "A4（計算式）"));
    EXPECT_EQ(options.sReportFile + options.sReportTitle + options.sPrintTypeName, "");
}

// The 頁カウント box takes a sign and digits up to the 16-bit range; blank and a lone sign
// are still being typed; anything the run could not read is refused.
TEST(PageCountInput, SignAndDigitsWithinSixteenBits) {
    const std::pair<const char*, bool> cases[] = {
        {"", true},       {"-", true},         {"+", true},    {"1", true},
        {"32767", true},  {"-32768", true},    {"１２", true}, {"-１2", true},
        {"32768", false}, {"-32769", false},   {"1.5", false}, {"1e3", false},
        {" 1", false},    {"1-", false},       {"--1", false}, {"a", false},
        {"１a", false},   {"\xEF\xBC", false}, {"一", false},  {"99999999999", false},
    };
    for (auto [text, taken] : cases) EXPECT_EQ(isPageCountInput(text), taken) << text;
}

TEST(PrintQuantity, GroupedThreeDecimalsRightAlignedIn16Bytes) {
    UchiwakeRec line;
    line.内訳数量 = 1234.5;
    EXPECT_EQ(convert(line, optionsFor("A4(横)")).内訳数量.str(), "       1,234.500");
    line.内訳数量 = 0.0;
    EXPECT_TRUE(convert(line, optionsFor("A4(横)")).内訳数量.isBlank());
    EXPECT_EQ(printQuantity(-1234.5), "      -1,234.500");
    EXPECT_EQ(printQuantity(0.0004), "           0.000");
    EXPECT_EQ(printQuantity(999999999.9995), "1,000,000,000.000");  // too wide: unaligned
    // Wider than the field: kept unaligned, then cut to its 16 characters.
    line.内訳数量 = 123456789012.5;
    EXPECT_EQ(convert(line, optionsFor("B5")).内訳数量.str(), "123,456,789,012.");
}

TEST(PrintRemarks, SplitPerPrintType) {
    UchiwakeRec line;
    line.社外備考 = "外一行目\r\n外二行目\r\n外三行目";
    line.社内備考 = "内一\n行目\r\n内二行目";
    auto both = [&](const char* type) {
        PrintRow row = convert(line, optionsFor(type));
        return std::string(row.社内備考.trimmedRight()) + "|" +
               std::string(row.社外備考.trimmedRight());
    };
    EXPECT_EQ(both("B5"), "外一行目|外二行目");  // the third line is lost
    // 社内確認用 splits the internal remark; 計算式 joins each remark's lines.
    EXPECT_EQ(both("A4(社内確認用)"), "内一行目|内二行目");
    EXPECT_EQ(both("A4(計算式)"), "内一行目内二行目|外一行目外二行目外三行目");

    // A remark that starts with its line break prints on the second line only.
    line.社外備考 = "\r\n二行目だけ  ";
    EXPECT_EQ(both("A4(縦)"), "|二行目だけ");
}

TEST(PrintAmounts, InternalCheckKeepsEveryEstimateOthersShowOne) {
    UchiwakeRec line;
    line.見積１単価 = yen(10), line.見積１金額 = yen(100);
    line.見積２単価 = yen(20), line.見積２金額 = yen(200);
    line.見積３単価 = yen(30), line.見積３金額 = yen(300);
    line.見積４単価 = yen(40), line.見積４金額 = yen(-400);  // a negative amount is shown too
    line.提出用単価 = yen(50), line.提出用金額 = yen(0);
    line.見積４単価計算式 = "40*1";
    line.見積２単価計算式 = "10+10";

    PrintRow internal = convert(line, optionsFor("A4(社内確認用)"));
    EXPECT_EQ(std::tuple(internal.見積１金額, internal.見積３単価, internal.見積４金額,
                         internal.提出用単価),
              std::tuple(yen(100), yen(30), yen(-400), yen(50)));
    EXPECT_TRUE(internal.単価計算式.isBlank());

    // The other types show the last estimate with an amount as the submitted one.
    PrintRow shown = convert(line, optionsFor("A4(横)"));
    EXPECT_EQ(std::tuple(shown.提出用単価, shown.提出用金額, shown.見積４金額, shown.見積１単価),
              std::tuple(yen(40), yen(-400), Currency(), Currency()));
    EXPECT_EQ(shown.単価計算式.trimmedRight(), "40*1");

    UchiwakeRec only2;
    only2.見積２単価 = yen(20), only2.見積２金額 = yen(200), only2.見積２単価計算式 = "10+10";
    only2.見積１単価 = yen(99);  // a price without an amount does not count
    PrintRow b5 = convert(only2, optionsFor("B5"));
    EXPECT_EQ(std::tuple(b5.提出用単価, b5.提出用金額), std::tuple(yen(20), yen(200)));
    EXPECT_EQ(b5.単価計算式.trimmedRight(), "10+10");

    for (const char* type : kTypeNames) {
        PrintOptionRec quantitiesOnly = optionsFor(type);
        quantitiesOnly.nOnlySuryo = kOptionOn;
        PrintRow row = convert(line, quantitiesOnly);
        EXPECT_EQ(std::tuple(row.見積２金額, row.提出用単価, row.提出用金額),
                  std::tuple(Currency(), Currency(), Currency()))
            << type;
        EXPECT_TRUE(row.単価計算式.isBlank()) << type;
    }
}

TEST(PrintDitto, MarksANameRepeatedFromTheLineAbove) {
    UchiwakeRec above;
    above.名称１ = "型枠";
    above.名称２ = "普通合板";
    UchiwakeRec line = above;
    line.名称２ = "打放し合板";

    PrintOptionRec options = optionsFor("A4(横)");
    options.nChofukuShoryaku = kOptionOn;
    PrintRow row = convert(line, options, &above);
    EXPECT_EQ(row.名称１.trimmedRight(), "          〃");
    EXPECT_EQ(row.名称２.trimmedRight(), "打放し合板");
    EXPECT_TRUE(row.名称３.isBlank());  // blank above and blank here: no mark

    EXPECT_EQ(fnDittoText(-1, kDittoNarrow, "型枠", "型枠"), "     〃     ");
    EXPECT_EQ(fnDittoText(1, kDittoWide, "型枠 ", "型枠"), "型枠");  // trailing blanks differ
    // Leading blanks make another text.
    line.名称１ = " 型枠";
    EXPECT_EQ(convert(line, options, &above).名称１.trimmedRight(), " 型枠");
}

TEST(AlignByBytes, FullWidthCountsTwoAndLongTextsStay) {
    const struct {
        std::string text;
        int16_t align;
        int16_t width;
        const char* aligned;
    } cases[] = {
        {"ab", kAlignCenter, 7, "   ab  "},  // 5 / 2 = 2.5: 2 after, half to even
        {"ab", 9, 3, " ab"},                 // any other value centres too; 0.5: 0 after
        {"  あい ", kAlignRight, 6, "  あい"},
        {"ｱｲ", kAlignRight, 4, "  ｱｲ"},  // half-width kana count one
        {" 鉄筋コンクリート造 ", kAlignRight, 16, "鉄筋コンクリート造"},  // too long: trimmed only
        {"", kAlignLeft, 3, "   "},
        {"", kAlignLeft, -1, ""},
    };
    for (auto c : cases) {
        const std::string given = c.text;
        EXPECT_EQ(fnAlignByBytes(c.text, c.align, c.width), c.aligned) << given;
    }
    std::string text = "  あい ";
    fnAlignByBytes(text, kAlignLeft, 7);
    EXPECT_EQ(text, "あい");  // the argument is trimmed too
}

}  // namespace
}  // namespace omrix::print
