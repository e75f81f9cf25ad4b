// Closing totals moved to the foot of their page.

#include <algorithm>
#include <utility>

#include "print/print_rows_generator.h"
#include "util/text.h"

namespace omrix::print {
namespace {

template <std::size_t N>
bool blankText(const FixedText<N>& text) {
    return util::trimBlanks(text.trimmedRight()).empty();
}

bool isBlankRow(const PrintRow& r) {
    const Currency zero;
    for (const Currency* amount :
         {&r.見積１単価, &r.見積１金額, &r.見積２単価, &r.見積２金額, &r.見積３単価, &r.見積３金額,
          &r.見積４単価, &r.見積４金額, &r.提出用単価, &r.提出用金額}) {
        if (*amount != zero) return false;
    }
    return blankText(r.表示番号名称) && blankText(r.名称１) && blankText(r.名称２) &&
           blankText(r.名称３) && blankText(r.名称４) && blankText(r.仕様１) &&
           blankText(r.仕様２) && blankText(r.仕様３) && blankText(r.仕様４) &&
           blankText(r.内訳数量) && blankText(r.単位名称) && blankText(r.数量計算式) &&
           blankText(r.単価計算式) && blankText(r.社内備考) && blankText(r.社外備考);
}

// What is printed moves; where it is printed (IDs, line, page, page name) and the
// kind flags stay with the position.
void swapPrinted(PrintRow& a, PrintRow& b) {
    using std::swap;
    swap(a.表示番号名称, b.表示番号名称);
    swap(a.名称１, b.名称１);
    swap(a.名称２, b.名称２);
    swap(a.名称３, b.名称３);
    swap(a.名称４, b.名称４);
    swap(a.仕様１, b.仕様１);
    swap(a.仕様２, b.仕様２);
    swap(a.仕様３, b.仕様３);
    swap(a.仕様４, b.仕様４);
    swap(a.内訳数量, b.内訳数量);
    swap(a.単位名称, b.単位名称);
    swap(a.見積１単価, b.見積１単価);
    swap(a.見積１金額, b.見積１金額);
    swap(a.見積２単価, b.見積２単価);
    swap(a.見積２金額, b.見積２金額);
    swap(a.見積３単価, b.見積３単価);
    swap(a.見積３金額, b.見積３金額);
    swap(a.見積４単価, b.見積４単価);
    swap(a.見積４金額, b.見積４金額);
    swap(a.提出用単価, b.提出用単価);
    swap(a.提出用金額, b.提出用金額);
    swap(a.数量計算式, b.数量計算式);
    swap(a.単価計算式, b.単価計算式);
    swap(a.社内備考, b.社内備考);
    swap(a.社外備考, b.社外備考);
}

void alignPage(PrintRows::iterator first, PrintRows::iterator last, int32_t k) {
    const int32_t foot = kLinesPerPage - k;
    PrintRows::iterator lastFilled = last;
    for (auto r = first; r != last; ++r) {
        if (!isBlankRow(*r)) lastFilled = r;
        if (r->表示No >= kLinesPerPage) break;
    }
    if (lastFilled == last || lastFilled->表示No >= foot) return;
    if ((lastFilled->種別フラグ & breakdown::kFlagGokei) == 0) return;
    auto target = std::find_if(first, last, [&](const PrintRow& r) { return r.表示No == foot; });
    if (target != last) swapPrinted(*lastFilled, *target);
}

}  // namespace

void fnAlignTotalRows(PrintRows& rows, int32_t k) {
    auto first = rows.begin();
    while (first != rows.end()) {
        const int32_t page = first->頁番号;
        auto last =
            std::find_if(first, rows.end(), [&](const PrintRow& r) { return r.頁番号 != page; });
        alignPage(first, last, k);
        first = last;
    }
}

}  // namespace omrix::print
