#include "print/print_row.h"

#include <charconv>

#include "data/tables/record_conventions.h"
#include "util/cp932.h"
#include "util/text.h"
#include "util/utf8.h"

namespace omrix::print {
namespace {

constexpr std::string_view kInsertHead =
    "Insert Into 内訳出力 (更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, "
    "内訳名称ＩＤ, 内訳出力ＩＤ, 表示番号名称, 名称１, 名称２, 名称３, 名称４, "
    "仕様１, 仕様２, 仕様３, 仕様４, 単位名称, 内訳数量, "
    "見積１単価, 見積１金額, 見積２単価, 見積２金額, 見積３単価, 見積３金額, "
    "見積４単価, 見積４金額, 提出用単価, 提出用金額, 表示No, 頁番号, 表示頁番号, "
    "頁名称, 数量計算式, 単価計算式, 社内備考, 社外備考,送受信インデックス履歴ＩＤ,"
    "明細別材工共コード, 使用メーカー名, 使用商社名) Values (";

void appendDoubled(std::string& out, std::string_view text) {
    for (std::size_t quote; (quote = text.find('\'')) != std::string_view::npos;) {
        out.append(text.substr(0, quote + 1));
        out += '\'';
        text.remove_prefix(quote + 1);
    }
    out.append(text);
}

void appendInt(std::string& out, int64_t value) {
    char buffer[24];
    auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    out.append(buffer, end);
    out += ", ";
}

void appendMoney(std::string& out, Currency value) {
    out += value.toString();
    out += ", ";
}

// The slow way for text holding bad UTF-8 bytes, which the cut turns into '?'.
void appendCutWithBadBytes(std::string& out, std::string_view content, std::size_t blanks,
                           int32_t limit) {
    const std::string cut = util::cutToBytes(content, limit);
    appendDoubled(out, cut);
    // Each bad byte becomes one '?', so equal sizes mean nothing was left out.
    if (cut.size() != content.size()) return;
    const auto used = static_cast<std::size_t>(util::fnLenByte(cut));
    const auto bytes = static_cast<std::size_t>(limit);
    if (used < bytes) out.append(std::min(blanks, bytes - used), ' ');
}

// Writes what fnSqlQuote makes of the text cut to `limit` bytes; `padTo` > 0 stands
// for the blanks a fixed text of that many characters carries after its content.
// One pass and no allocation: this runs for every field of every printed line.
void appendCut(std::string& out, std::string_view content, std::size_t padTo, int32_t limit) {
    if (const std::size_t nul = content.find('\0'); nul != std::string_view::npos) {
        content = content.substr(0, nul);
        padTo = 0;  // the padding lies after the NUL and goes with it
    }
    const auto bytes = static_cast<std::size_t>(limit);
    std::size_t pos = std::min(util::asciiPrefixLength(content), bytes);
    std::size_t used = pos;
    std::size_t chars = pos;
    while (pos < content.size()) {
        const util::Utf8Char c = util::decodeUtf8(content, pos);
        if (c.ch == util::kInvalidChar) {
            const std::size_t length = util::utf8Length(content);
            appendCutWithBadBytes(out, content, padTo > length ? padTo - length : 0, limit);
            return;
        }
        const auto width = static_cast<std::size_t>(util::cp932Width(util::cp932Code(c.ch)));
        if (used + width > bytes) break;
        used += width;
        pos += c.size;
        ++chars;
    }
    appendDoubled(out, content.substr(0, pos));
    if (pos == content.size() && padTo > chars)
        out.append(std::min(padTo - chars, bytes - used), ' ');
}

template <std::size_t N>
void appendText(std::string& out, const FixedText<N>& field) {
    out += '\'';
    appendCut(out, field.trimmedRight(), N, static_cast<int32_t>(N));
    out += "', ";
}

void appendVariable(std::string& out, const util::FixedTextStorage& field, int32_t limit) {
    out += '\'';
    appendCut(out, field.view(), 0, limit);
    out += '\'';
}

}  // namespace

void InitPrintRow(PrintRow& row) {
    row = PrintRow{};
}

void appendPrintRowInsert(std::string& out, const PrintRow& row, std::string_view auditValues) {
    out += kInsertHead;
    out += auditValues;
    appendInt(out, row.内訳名称ＩＤ);
    appendInt(out, row.内訳出力ＩＤ);
    appendText(out, row.表示番号名称);
    appendText(out, row.名称１);
    appendText(out, row.名称２);
    appendText(out, row.名称３);
    appendText(out, row.名称４);
    appendText(out, row.仕様１);
    appendText(out, row.仕様２);
    appendText(out, row.仕様３);
    appendText(out, row.仕様４);
    appendText(out, row.単位名称);
    appendText(out, row.内訳数量);
    for (Currency money :
         {row.見積１単価, row.見積１金額, row.見積２単価, row.見積２金額, row.見積３単価,
          row.見積３金額, row.見積４単価, row.見積４金額, row.提出用単価, row.提出用金額}) {
        appendMoney(out, money);
    }
    appendInt(out, row.表示No);
    appendInt(out, row.頁番号);
    appendInt(out, row.表示頁番号);
    appendText(out, row.頁名称);
    appendText(out, row.数量計算式);
    appendText(out, row.単価計算式);
    appendText(out, row.社内備考);
    appendText(out, row.社外備考);
    appendInt(out, row.送受信インデックス履歴ＩＤ);
    appendVariable(out, row.明細別材工共コード, 2);
    out += ", ";
    appendVariable(out, row.使用メーカー名, 40);
    out += ", ";
    appendVariable(out, row.使用商社名, 40);
    out += ");";
}

std::string BuildPrintRowInsert(const PrintRow& row) {
    std::string out;
    out.reserve(2560);
    appendPrintRowInsert(out, row, data::fnAuditInsertValues());
    return out;
}

}  // namespace omrix::print
