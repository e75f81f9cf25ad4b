#pragma once
// One breakdown line made into one printed line of the statement.

#include <cstdint>
#include <string_view>

#include "breakdown/tables/uchiwake_records.h"
#include "print/print_options.h"
#include "print/print_row.h"

namespace omrix::print {

// Where the row goes, as the row generation decides it.
struct PrintRowPlace {
    int32_t 内訳名称ＩＤ = 0;
    int32_t 内訳出力ＩＤ = 0;
    int32_t 頁番号 = 0;
    int32_t 表示頁番号 = 0;
    int32_t 表示No = 0;
    std::string_view pageName;  // kept only when page names are printed
};

// Fills `row` from `line` (a cleared record for a blank line) by the rules of the
// chosen print type. With the ditto option on, a name equal to the same name line of
// `lineAbove` prints as 〃. `lineAbove` is the source line printed just above on the
// same page, null on the first line of a page, so every page names its lines in
// full at the top.
void fnConvertPrintRow(const PrintRowPlace& place, const breakdown::UchiwakeRec& line,
                       const PrintOptionRec& options, const breakdown::UchiwakeRec* lineAbove,
                       PrintRow& row);

// The quantity as the statement prints it: grouped, three decimals, right-aligned in
// 16 bytes; empty for 0.
std::string printQuantity(double quantity);

}  // namespace omrix::print
