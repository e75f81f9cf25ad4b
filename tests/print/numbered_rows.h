#pragma once
// Print rows as the generator lays them out: 15 to a page, each named `name` and its
// number, each with an amount of its own.

#include <string>
#include <string_view>

#include "print/print_row.h"

namespace omrix::testing {

inline print::PrintRows numberedRows(int count, int32_t nameId, std::string_view name) {
    print::PrintRows rows(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        print::PrintRow& r = rows[static_cast<std::size_t>(i)];
        r.内訳名称ＩＤ = nameId;
        r.内訳出力ＩＤ = i + 1;
        r.頁番号 = i / 15 + 1;
        r.表示頁番号 = r.頁番号;
        r.表示No = i % 15 + 1;
        r.名称１ = std::string(name) + std::to_string(i + 1);
        r.提出用金額 = *util::Currency::fromUnits(1000 + i);
    }
    return rows;
}

}  // namespace omrix::testing
