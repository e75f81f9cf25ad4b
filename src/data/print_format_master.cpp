#include "data/print_format_master.h"

#include <string>

#include "data/database.h"
#include "data/record_conventions.h"
#include "context/app_context.h"

namespace omrix::data {
namespace {

const char* orderClause(int16_t order) {
    switch (order) {
        case 1:
            return " ORDER BY 内訳書出力形式ＩＤ";
        case 2:
            return " ORDER BY 内訳書出力形式ＩＤ DESC";
        case 3:
            return " ORDER BY 内訳書出力形式名称";
        case 4:
            return " ORDER BY 内訳書出力形式名称 DESC";
        default:
            return "";
    }
}

}  // namespace

bool fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(
    std::vector<UchiwakeshoShutsuryokuKeishikiMRec>& rows, int16_t order) {
    rows.clear();
    auto& db = context::appContext().Database;
    if (!db) return false;
    std::string sql =
        "Select * From 内訳書出力形式Ｍ Where (削除区分 = '0') AND 内訳書出力形式ＩＤ <> 0 ";
    sql += orderClause(order);
    sql += ";";
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return false;
    while (!rs->pbEOF()) {
        auto& row = rows.emplace_back();
        sbReadAudit(*rs, row.audit);
        row.内訳書出力形式ＩＤ = rs->fnGetInt("内訳書出力形式ＩＤ");
        row.内訳書出力形式名称 = rs->fnGetChar("内訳書出力形式名称");
        if (!rs->fnMoveNext()) break;
    }
    rs->fnClose();
    return true;
}

}  // namespace omrix::data
