#pragma once
// The rules every table module follows: text made safe for SQL literals, the audit
// columns on insert and update, and reading the audit columns back.

#include <string>
#include <string_view>

#include "data/tables/audit_record.h"

namespace omrix::data {

class CCCDBS_RecordSet;

// The inside of an SQL literal: cut first to at most byteLimit bytes of its CP932 form
// (when byteLimit > 0), then every ' doubled. Cutting first means a cut can never split
// a doubled quote. Text after a NUL is dropped, as the ANSI call would see it.
std::string fnSqlQuote(std::string_view text, int32_t byteLimit);

// The active window's name, quoted and cut to 16 bytes; "" without windows.
std::string fnScreenID();

// The insert column list that matches fnAuditInsertValues.
inline constexpr std::string_view kAuditInsertColumns =
    "更新日, 更新操作者, 更新画面ＩＤ, 更新カウンタ, 削除区分, ";

// "GetDate(), '<operator>', '<screen>', 0, '0', "
std::string fnAuditInsertValues();

// The audit assignments of an UPDATE, each followed by ", ". The counter wraps from
// 32766 to 1 so that it always fits a 16-bit Integer.
std::string fnAuditUpdateSet();

void sbClearAudit(AuditRec& audit);

// Reads the audit columns of the current row by name.
void sbReadAudit(CCCDBS_RecordSet& rs, AuditRec& audit);

}  // namespace omrix::data
