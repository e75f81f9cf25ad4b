#pragma once
// One printed line of the breakdown statement: a row of 内訳出力, already paged,
// numbered and formatted, and the INSERT that writes it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "data/tables/audit_record.h"
#include "util/currency.h"
#include "util/fixed_text.h"

namespace omrix::print {

// A page of the statement has exactly this many lines (表示No 1 … 15).
inline constexpr int32_t kLinesPerPage = 15;

using util::Currency;
using util::FixedText;

// Fields in the order of the INSERT's column list.
struct PrintRow {
    data::AuditRec audit;  // carried only: the INSERT writes the current operator and window
    int32_t 内訳名称ＩＤ = 0;
    int32_t 内訳出力ＩＤ = 0;  // position of the row in the run, from 1
    FixedText<16> 表示番号名称;
    FixedText<64> 名称１;
    FixedText<64> 名称２;
    FixedText<64> 名称３;
    FixedText<64> 名称４;
    FixedText<66> 仕様１;
    FixedText<66> 仕様２;
    FixedText<66> 仕様３;
    FixedText<66> 仕様４;
    FixedText<16> 単位名称;
    FixedText<16> 内訳数量;  // formatted and right-aligned; blank for 0
    Currency 見積１単価;
    Currency 見積１金額;
    Currency 見積２単価;
    Currency 見積２金額;
    Currency 見積３単価;
    Currency 見積３金額;
    Currency 見積４単価;
    Currency 見積４金額;
    Currency 提出用単価;
    Currency 提出用金額;
    int32_t 表示No = 0;      // line on the page, 1 to 15
    int32_t 頁番号 = 0;      // physical page sequence
    int32_t 表示頁番号 = 0;  // page number printed
    FixedText<16> 頁名称;
    FixedText<128> 数量計算式;
    FixedText<128> 単価計算式;
    FixedText<128> 社内備考;  // remark line 1
    FixedText<128> 社外備考;  // remark line 2
    int32_t 送受信インデックス履歴ＩＤ = 0;
    // Variable texts, written cut to 2, 40 and 40 bytes.
    util::FixedTextStorage 明細別材工共コード;
    util::FixedTextStorage 使用メーカー名;
    util::FixedTextStorage 使用商社名;

    // Never written: the source line's 種別フラグ, for moving totals to the page foot.
    int16_t 種別フラグ = 0;
};

// The rows of one run, 内訳出力ＩＤ 1 at index 0.
using PrintRows = std::vector<PrintRow>;

void InitPrintRow(PrintRow& row);

// The INSERT of one row, ended by ";". Texts are cut to their byte widths in CP932
// before quotes are doubled, fixed texts written with their padding.
std::string BuildPrintRowInsert(const PrintRow& row);

// The same appended to `out`, with the audit values (fnAuditInsertValues) given, so
// that a batch builds them once.
void appendPrintRowInsert(std::string& out, const PrintRow& row, std::string_view auditValues);

}  // namespace omrix::print
