#include "print/print_convert.h"

#include <array>
#include <string>
#include <vector>

#include "util/aligned_text.h"
#include "util/numbers.h"

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

template <std::size_t N, std::size_t M>
void copyName(FixedText<N>& target, const FixedText<M>& name, const FixedText<M>* above,
              int16_t dittoSwitch) {
    if (dittoSwitch == kOptionOff || above == nullptr) {
        target = name.trimmedRight();
        return;
    }
    // Both sides carry the same padding, so comparing without it is comparing with it.
    target = fnDittoText(dittoSwitch, kDittoWide, above->trimmedRight(), name.trimmedRight());
}

void copyNames(PrintRow& row, const UchiwakeRec& line, const UchiwakeRec* above,
               int16_t dittoSwitch) {
    auto ref = [&](const FixedText<54> UchiwakeRec::*name) {
        return above ? &(above->*name) : nullptr;
    };
    copyName(row.名称１, line.名称１, ref(&UchiwakeRec::名称１), dittoSwitch);
    copyName(row.名称２, line.名称２, ref(&UchiwakeRec::名称２), dittoSwitch);
    copyName(row.名称３, line.名称３, ref(&UchiwakeRec::名称３), dittoSwitch);
    copyName(row.名称４, line.名称４, ref(&UchiwakeRec::名称４), dittoSwitch);
}

// The rightmost estimate column with an amount is the one the customer sees.
void copyShownEstimate(PrintRow& row, const UchiwakeRec& line) {
    struct Column {
        const Currency& price;
        const Currency& amount;
        const FixedText<128>& formula;
    };
    const std::array<Column, 5> columns{{
        {line.提出用単価, line.提出用金額, line.提出用単価計算式},
        {line.見積４単価, line.見積４金額, line.見積４単価計算式},
        {line.見積３単価, line.見積３金額, line.見積３単価計算式},
        {line.見積２単価, line.見積２金額, line.見積２単価計算式},
        {line.見積１単価, line.見積１金額, line.見積１単価計算式},
    }};
    for (const Column& column : columns) {
        if (column.amount == Currency()) continue;
        row.提出用単価 = column.price;
        row.提出用金額 = column.amount;
        row.単価計算式 = column.formula.trimmedRight();
        return;
    }
}

void copyAllEstimates(PrintRow& row, const UchiwakeRec& line) {
    row.見積１単価 = line.見積１単価;
    row.見積１金額 = line.見積１金額;
    row.見積２単価 = line.見積２単価;
    row.見積２金額 = line.見積２金額;
    row.見積３単価 = line.見積３単価;
    row.見積３金額 = line.見積３金額;
    row.見積４単価 = line.見積４単価;
    row.見積４金額 = line.見積４金額;
    row.提出用単価 = line.提出用単価;
    row.提出用金額 = line.提出用金額;
}

std::string withoutChars(std::string_view text, std::string_view drop) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (drop.find(c) == std::string_view::npos) out += c;
    }
    return out;
}

// A remark holds its printed lines separated by CR LF; a stray LF is dropped.
std::vector<std::string> remarkLines(std::string_view remark) {
    std::vector<std::string> lines;
    fnSplitText(withoutChars(util::trimBlanksRight(remark), "\n"), "\r", lines);
    return lines;
}

std::string singleLine(std::string_view remark) {
    return std::string(util::trimBlanksRight(withoutChars(remark, "\r\n")));
}

// Nothing for an unknown type.
std::vector<std::string> remarksOf(const PrintType* type, const UchiwakeRec& line) {
    if (type == nullptr) return {};
    switch (type->remarks) {
        case PrintRemarks::Outside:
            return remarkLines(line.社外備考.trimmedRight());
        case PrintRemarks::InHouse:
            return remarkLines(line.社内備考.trimmedRight());
        case PrintRemarks::BothSingleLine:
            return {singleLine(line.社内備考.trimmedRight()),
                    singleLine(line.社外備考.trimmedRight())};
    }
    return {};
}

}  // namespace

std::string printQuantity(double quantity) {
    if (quantity == 0.0) return {};
    std::string text(util::trimBlanks(util::formatGrouped3(quantity)));
    return fnAlignByBytes(text, kAlignRight, 16);
}

void fnConvertPrintRow(const PrintRowPlace& place, const UchiwakeRec& line,
                       const PrintOptionRec& options, const UchiwakeRec* lineAbove, PrintRow& row) {
    InitPrintRow(row);
    row.内訳名称ＩＤ = place.内訳名称ＩＤ;
    row.内訳出力ＩＤ = place.内訳出力ＩＤ;
    row.表示番号名称 = line.表示番号名称.trimmedRight();
    copyNames(row, line, lineAbove, options.nChofukuShoryaku);
    row.仕様１ = line.仕様１.trimmedRight();
    row.仕様２ = line.仕様２.trimmedRight();
    row.仕様３ = line.仕様３.trimmedRight();
    row.仕様４ = line.仕様４.trimmedRight();
    row.内訳数量 = printQuantity(line.内訳数量);
    row.単位名称 = line.単位名称.trimmedRight();

    if (options.nOnlySuryo != kOptionOn) {
        const PrintType* type = printTypeNamed(options.sPrintTypeName);
        if (type != nullptr && type->allEstimates) {
            copyAllEstimates(row, line);
        } else {
            copyShownEstimate(row, line);
        }
    }

    row.頁番号 = place.頁番号;
    row.表示頁番号 = place.表示頁番号;
    row.表示No = place.表示No;
    if (options.nPageType == kPageTypeNames) row.頁名称 = place.pageName;
    row.数量計算式 = line.数量計算式.trimmedRight();

    const auto remarks = remarksOf(findPrintType(options.sPrintTypeName), line);
    if (remarks.size() >= 1) row.社内備考 = util::trimBlanksRight(remarks[0]);
    if (remarks.size() >= 2) row.社外備考 = util::trimBlanksRight(remarks[1]);

    row.種別フラグ = line.種別フラグ;
}

}  // namespace omrix::print
