#include "data/tables/print_format_master.h"

#include <string>

#include "data/core/database.h"
#include "data/tables/record_conventions.h"
#include "data/core/row_select.h"

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
    CCCDBS_DataBase& db, std::vector<UchiwakeshoShutsuryokuKeishikiMRec>& rows, int16_t order) {
    std::string sql =
        "Select * From 内訳書出力形式Ｍ Where (削除区分 = '0') AND 内訳書出力形式ＩＤ <> 0 ";
    sql += orderClause(order);
    sql += ";";
    return selectRows(db, sql, rows, [](CCCDBS_RecordSet& rs, auto& row) {
        sbReadAudit(rs, row.audit);
        row.内訳書出力形式ＩＤ = rs.fnGetInt("内訳書出力形式ＩＤ");
        row.内訳書出力形式名称 = rs.fnGetChar("内訳書出力形式名称");
    });
}

}  // namespace omrix::data
