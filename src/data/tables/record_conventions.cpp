#include "data/tables/record_conventions.h"

#include "context/app_context.h"
#include "data/core/database.h"
#include "util/text.h"

namespace omrix::data {

std::string fnSqlQuote(std::string_view text, int32_t byteLimit) {
    // The ANSI call ends the text at a NUL; a NUL inside a literal would end the statement.
    text = text.substr(0, text.find('\0'));
    std::string cut;
    if (byteLimit > 0) {
        cut = util::cutToBytes(text, static_cast<size_t>(byteLimit));
        text = cut;
    }
    std::string out;
    out.reserve(text.size() + 2);
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out;
}

std::string fnScreenID() {
    auto provider = context::appContext().ScreenIdProvider;
    if (!provider) return {};
    try {
        return fnSqlQuote(provider(), 16);
    } catch (...) {
        // Asking for the active window must never stop a write.
        return {};
    }
}

std::string fnAuditInsertValues() {
    std::string out = "GetDate(), '";
    out += fnSqlQuote(context::appContext().TantoshaName, 16);
    out += "', '";
    out += fnScreenID();
    out += "', 0, '0', ";
    return out;
}

std::string fnAuditUpdateSet() {
    std::string out = "更新日 = GetDate(), 更新操作者 = '";
    out += fnSqlQuote(context::appContext().TantoshaName, 16);
    out += "', 更新画面ＩＤ = '";
    out += fnScreenID();
    out += "', 更新カウンタ = case when 更新カウンタ >= 32766 then 1 else 更新カウンタ + 1 end, ";
    return out;
}

void sbClearAudit(AuditRec& audit) {
    audit = AuditRec{};
}

void sbReadAudit(CCCDBS_RecordSet& rs, AuditRec& audit) {
    audit.更新日 = rs.fnGetDate("更新日");
    audit.更新操作者 = rs.fnGetChar("更新操作者");
    audit.更新画面ＩＤ = rs.fnGetChar("更新画面ＩＤ");
    audit.更新カウンタ = rs.fnGetSmallInt("更新カウンタ");
    audit.削除区分 = rs.fnGetChar("削除区分");
}

}  // namespace omrix::data
