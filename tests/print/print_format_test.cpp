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
using util::fnSplitText;
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
    fnConvertPrintRow({.内訳名称ＩＤ = 7,
                       .内訳出力ＩＤ = 3,
                       .頁番号 = 2,
                       .表示頁番号 = 9,
                       .表示No = 4,
                       .pageName = "別紙A"},
                      line, options, above, row);
    return row;
}

Currency yen(int64_t units) {
    return *Currency::fromUnits(units);
}

TEST(PrintTypes, RecognisedByExactTrimmedName) {
    for (const char* name : kTypeNames) EXPECT_EQ(optionsFor(name).sPrintTypeName, name);
    EXPECT_EQ(findPrintType(" A4(縦)  ")->reportFile, "OMRIX_PRINT_A4TATE.RPT");
    EXPECT_EQ(findPrintType("A4(社内確認用)")->reportTitle, "内訳書(社内確認用)");
    // Full-width brackets, lower case and a full-width blank are other names.
    for (const char* other : {"A4（横）", "A4(横）", "b5", "Ｂ5", "B5　", "", "A4"}) {
        EXPECT_EQ(findPrintType(other), nullptr) << other;
    }

    PrintOptionRec options = optionsFor("A4(計算式)");
    EXPECT_EQ(options.sReportFile + options.sReportTitle, "OMRIX_PRINT_A4EXP.RPT内訳書");
    // An unknown name clears what an earlier one set.
    EXPECT_FALSE(sbSetPrintType(options, "A4（計算式）"));
    EXPECT_EQ(options.sReportFile + options.sReportTitle + options.sPrintTypeName, "");
}

TEST(PrintQuantity, GroupedThreeDecimalsRightAlignedIn16Bytes) {
    UchiwakeRec line;
    for (const char* type : kTypeNames) {
        line.内訳数量 = 1234.5;
        EXPECT_EQ(convert(line, optionsFor(type)).内訳数量.str(), "       1,234.500") << type;
        line.内訳数量 = 0.0;
        EXPECT_TRUE(convert(line, optionsFor(type)).内訳数量.isBlank()) << type;
    }
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
    for (const char* type : {"B5", "A4(横)", "A4(縦)"}) {
        PrintRow row = convert(line, optionsFor(type));
        EXPECT_EQ(row.社内備考.trimmedRight(), "外一行目") << type;
        EXPECT_EQ(row.社外備考.trimmedRight(), "外二行目") << type;  // the third is lost
    }
    PrintRow internal = convert(line, optionsFor("A4(社内確認用)"));
    EXPECT_EQ(internal.社内備考.trimmedRight(), "内一行目");
    EXPECT_EQ(internal.社外備考.trimmedRight(), "内二行目");
    PrintRow formula = convert(line, optionsFor("A4(計算式)"));
    EXPECT_EQ(formula.社内備考.trimmedRight(), "内一行目内二行目");
    EXPECT_EQ(formula.社外備考.trimmedRight(), "外一行目外二行目外三行目");

    PrintOptionRec unknown;
    unknown.sPrintTypeName = "A4（横）";
    PrintRow none = convert(line, unknown);
    EXPECT_TRUE(none.社内備考.isBlank());
    EXPECT_TRUE(none.社外備考.isBlank());

    // A remark that starts with its line break prints on the second line only.
    line.社外備考 = "\r\n二行目だけ  ";
    PrintRow second = convert(line, optionsFor("B5"));
    EXPECT_TRUE(second.社内備考.isBlank());
    EXPECT_EQ(second.社外備考.trimmedRight(), "二行目だけ");
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
    EXPECT_EQ(internal.見積１金額, yen(100));
    EXPECT_EQ(internal.見積２金額, yen(200));
    EXPECT_EQ(internal.見積３単価, yen(30));
    EXPECT_EQ(internal.見積４金額, yen(-400));
    EXPECT_EQ(internal.提出用単価, yen(50));
    EXPECT_TRUE(internal.単価計算式.isBlank());

    PrintRow shown = convert(line, optionsFor("A4(横)"));
    EXPECT_EQ(shown.提出用単価, yen(40));
    EXPECT_EQ(shown.提出用金額, yen(-400));
    EXPECT_EQ(shown.単価計算式.trimmedRight(), "40*1");
    EXPECT_EQ(shown.見積４金額, Currency());
    EXPECT_EQ(shown.見積１単価, Currency());

    UchiwakeRec only2;
    only2.見積２単価 = yen(20), only2.見積２金額 = yen(200), only2.見積２単価計算式 = "10+10";
    only2.見積１単価 = yen(99);  // a price without an amount does not count
    PrintRow b5 = convert(only2, optionsFor("B5"));
    EXPECT_EQ(b5.提出用単価, yen(20));
    EXPECT_EQ(b5.提出用金額, yen(200));
    EXPECT_EQ(b5.単価計算式.trimmedRight(), "10+10");

    UchiwakeRec noAmounts;
    noAmounts.見積１単価 = yen(99);
    EXPECT_EQ(convert(noAmounts, optionsFor("B5")).提出用単価, Currency());

    for (const char* type : kTypeNames) {
        PrintOptionRec quantitiesOnly = optionsFor(type);
        quantitiesOnly.nOnlySuryo = kOptionOn;
        PrintRow row = convert(line, quantitiesOnly);
        EXPECT_EQ(row.見積２金額, Currency()) << type;
        EXPECT_EQ(row.提出用単価, Currency()) << type;
        EXPECT_EQ(row.提出用金額, Currency()) << type;
        EXPECT_TRUE(row.単価計算式.isBlank()) << type;
    }
}

TEST(PrintConversion, PlaceTextsAndPageName) {
    UchiwakeRec line;
    line.表示番号名称 = "A-1";
    line.名称１ = "鉄筋コンクリート";
    line.仕様３ = "SD295A D13";
    line.単位名称 = "ｔ";
    line.数量計算式 = "1.5*2";
    line.種別フラグ = 8 | 64;

    PrintOptionRec numbers = optionsFor("B5");
    PrintRow row = convert(line, numbers);
    EXPECT_EQ(
        std::tuple(row.内訳名称ＩＤ, row.内訳出力ＩＤ, row.頁番号, row.表示頁番号, row.表示No),
        std::tuple(7, 3, 2, 9, 4));
    EXPECT_EQ(row.表示番号名称.str(), "A-1             ");
    EXPECT_EQ(row.名称１.trimmedRight(), "鉄筋コンクリート");
    EXPECT_EQ(row.仕様３.trimmedRight(), "SD295A D13");
    EXPECT_EQ(row.単位名称.trimmedRight(), "ｔ");
    EXPECT_EQ(row.数量計算式.trimmedRight(), "1.5*2");
    EXPECT_EQ(row.種別フラグ, 8 | 64);
    EXPECT_TRUE(row.頁名称.isBlank());

    PrintOptionRec names = numbers;
    names.nPageType = kPageTypeNames;
    EXPECT_EQ(convert(line, names).頁名称.trimmedRight(), "別紙A");

    // A blank line of the page filler.
    PrintRow blank = convert(UchiwakeRec{}, names);
    EXPECT_TRUE(blank.名称１.isBlank());
    EXPECT_TRUE(blank.内訳数量.isBlank());
    EXPECT_EQ(blank.表示No, 4);
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

    // The first line of a page always names itself in full.
    EXPECT_EQ(convert(line, options, nullptr).名称１.trimmedRight(), "型枠");
    options.nChofukuShoryaku = kOptionOff;
    EXPECT_EQ(convert(line, options, &above).名称１.trimmedRight(), "型枠");

    // Leading blanks make another text.
    options.nChofukuShoryaku = kOptionOn;
    line.名称１ = " 型枠";
    EXPECT_EQ(convert(line, options, &above).名称１.trimmedRight(), " 型枠");
}

TEST(PrintDitto, MarkTextsAndBlankReferences) {
    EXPECT_EQ(fnDittoText(1, kDittoWide, "型枠", "型枠"), "          〃     ");
    EXPECT_EQ(fnDittoText(-1, kDittoNarrow, "型枠", "型枠"), "     〃     ");
    EXPECT_EQ(fnDittoText(0, kDittoWide, "型枠", "型枠"), "型枠");
    EXPECT_EQ(fnDittoText(1, kDittoWide, "   ", "   "), "   ");
    EXPECT_EQ(fnDittoText(1, kDittoWide, "", ""), "");
    EXPECT_EQ(fnDittoText(1, kDittoWide, "型枠 ", "型枠"), "型枠");
}

TEST(AlignByBytes, FullWidthCountsTwoAndLongTextsStay) {
    std::string text = "ab";
    EXPECT_EQ(fnAlignByBytes(text, kAlignCenter, 5), " ab  ");
    EXPECT_EQ(fnAlignByBytes(text, kAlignCenter, 7), "   ab  ");
    EXPECT_EQ(fnAlignByBytes(text, 9, 3), " ab");
    EXPECT_EQ(fnAlignByBytes(text, kAlignCenter, 2), "ab");
    text = "  あい ";
    EXPECT_EQ(fnAlignByBytes(text, kAlignRight, 6), "  あい");
    EXPECT_EQ(text, "あい");  // the argument is trimmed too
    EXPECT_EQ(fnAlignByBytes(text, kAlignLeft, 7), "あい   ");
    text = "ｱｲ";
    EXPECT_EQ(fnAlignByBytes(text, kAlignRight, 4), "  ｱｲ");
    text = " 鉄筋コンクリート造 ";
    EXPECT_EQ(fnAlignByBytes(text, kAlignRight, 16), "鉄筋コンクリート造");
    text = "あ";
    EXPECT_EQ(fnAlignByBytes(text, kAlignRight, 1), "あ");
    text = "";
    EXPECT_EQ(fnAlignByBytes(text, kAlignLeft, 3), "   ");
    EXPECT_EQ(fnAlignByBytes(text, kAlignLeft, -1), "");
}

TEST(SplitText, PartsBetweenDelimiters) {
    std::vector<std::string> parts{"kept"};
    EXPECT_EQ(fnSplitText("   ", "\r", parts), 0);
    EXPECT_EQ(parts, std::vector<std::string>{"kept"});

    EXPECT_EQ(fnSplitText("a\r\rb\r", "\r", parts), 4);
    EXPECT_EQ(parts, (std::vector<std::string>{"a", "", "b", ""}));
    EXPECT_EQ(fnSplitText("no delimiter", "\r", parts), 1);
    EXPECT_EQ(parts, std::vector<std::string>{"no delimiter"});
    EXPECT_EQ(fnSplitText("一、二、、三", "、", parts), 4);
    EXPECT_EQ(parts, (std::vector<std::string>{"一", "二", "", "三"}));
    EXPECT_EQ(fnSplitText("a,b", "", parts), 1);
    EXPECT_EQ(parts, std::vector<std::string>{"a,b"});

    // The count is a 16-bit integer: the last part keeps the rest.
    std::string many(40000, ',');
    ASSERT_EQ(fnSplitText("x" + many, ",", parts), 32767);
    EXPECT_EQ(parts.front(), "x");
    EXPECT_EQ(parts.back(), std::string(40000 - 32766, ','));
}

}  // namespace
}  // namespace omrix::print
