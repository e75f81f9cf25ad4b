#include "breakdown/tables/omrix_dbt_daikahyo.h"

#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/record_conventions.h"
#include "data/tables/table_write.h"

namespace omrix::breakdown {
namespace {

data::SqlColumnList daikahyoColumns(const DaikahyoRec& rec) {
    data::SqlColumnList columns;
    columns.number("内訳名称ＩＤ", int64_t{rec.内訳名称ＩＤ})
        .number("代価表ＩＤ", int64_t{rec.代価表ＩＤ})
        .number("内訳ＩＤ", int64_t{rec.内訳ＩＤ})
        .money("端数金額", rec.端数金額)
        .money("合計金額", rec.合計金額)
        .number("モデル数量", rec.モデル数量)
        .money("換算単価", rec.換算単価);
    return columns;
}

std::string insertStatement(const DaikahyoRec& rec) {
    data::SqlColumnList columns = daikahyoColumns(rec);
    return "Insert Into 代価表 (" + std::string(data::kAuditInsertColumns) + columns.names() +
           ") Values (" + data::fnAuditInsertValues() + columns.values() + ")";
}

}  // namespace

std::string fnOmrix_DBT_Daikahyo_InsertSql(const DaikahyoRec& rec) {
    return insertStatement(rec) + ";";
}

std::string fnOmrix_DBT_Daikahyo_DeleteSql(int32_t lUchiwakeNameID, int32_t lUchiwakeID) {
    return "Delete From 代価表  Where 削除区分 = '0' And (内訳名称ＩＤ = " +
           std::to_string(lUchiwakeNameID) + ") And (内訳ＩＤ = " + std::to_string(lUchiwakeID) +
           ");";
}

bool fnOmrix_DBT_Daikahyo_Update(data::CCCDBS_DataBase& db, const DaikahyoRec& rec) {
    std::string update =
        "Update 代価表 Set " + daikahyoColumns(rec).assignments() +
        " Where 削除区分 = '0' And (代価表ＩＤ = " + std::to_string(rec.代価表ＩＤ) + ") ;";
    int32_t affected = 0;
    int16_t status = 0;
    if (!db.fnExecute(update, affected, status)) return false;
    if (affected > 0) return true;
    return db.fnExecute(insertStatement(rec));
}

bool fnOmrix_DBT_Daikahyo_Delete(data::CCCDBS_DataBase& db, int32_t lUchiwakeNameID,
                                 int32_t lUchiwakeID) {
    return db.fnExecute(fnOmrix_DBT_Daikahyo_DeleteSql(lUchiwakeNameID, lUchiwakeID));
}

bool fnOmrix_DBT_Daikahyo_Update(const DaikahyoRec& rec) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && fnOmrix_DBT_Daikahyo_Update(*db, rec);
}

bool fnOmrix_DBT_Daikahyo_Delete(int32_t lUchiwakeNameID, int32_t lUchiwakeID) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && fnOmrix_DBT_Daikahyo_Delete(*db, lUchiwakeNameID, lUchiwakeID);
}

}  // namespace omrix::breakdown
