#include "breakdown/tables/omrix_dbt_uchiwake.h"

#include <map>

#include "breakdown/tables/omrix_dbt_daikahyo.h"
#include "breakdown/tables/progress_bar.h"
#include "breakdown/tables/uchiwake_columns.h"
#include "breakdown/tables/uchiwake_read_plan.h"
#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/master_names.h"
#include "data/tables/record_conventions.h"
#include "data/tables/record_fields.h"
#include "data/tables/table_write.h"

namespace omrix::breakdown {
namespace {

// The columns of the given groups, in record order within each group.
data::SqlColumnList uchiwakeColumns(const UchiwakeRec& rec,
                                    std::initializer_list<ColumnGroup> groups) {
    data::SqlColumnList columns;
    data::FieldWriter writer(columns);
    for (ColumnGroup group : groups) {
        visitUchiwakeColumns(rec, [&](const UchiwakeColumn& column, const auto& field) {
            if (column.group == group) writer(column.name, field);
        });
    }
    return columns;
}

std::string whereLine(const UchiwakeRec& rec) {
    return " Where 削除区分 = '0' And (内訳名称ＩＤ = " + std::to_string(rec.内訳名称ＩＤ) +
           ") And (内訳ＩＤ = " + std::to_string(rec.内訳ＩＤ) + ");";
}

// Step 3 of an update: the 代価表 row follows the line.
bool writeDaikahyo(data::CCCDBS_DataBase& db, const UchiwakeRec& rec) {
    if (rec.代価表.代価表ＩＤ < 1) {
        return db.fnExecute(fnOmrix_DBT_Daikahyo_DeleteSql(rec.内訳名称ＩＤ, rec.内訳ＩＤ));
    }
    return fnOmrix_DBT_Daikahyo_Update(db, rec.代価表);
}

bool updateLine(data::CCCDBS_DataBase& db, const UchiwakeRec& rec) {
    std::string update = "Update 内訳 Set " + data::fnAuditUpdateSet() +
                         uchiwakeColumns(rec, {ColumnGroup::Edit}).assignments() + whereLine(rec);
    int32_t affected = 0;
    int16_t status = 0;
    if (!db.fnExecute(update, affected, status)) return false;
    if (affected == 0) {
        data::SqlColumnList columns = uchiwakeColumns(rec, {ColumnGroup::Key, ColumnGroup::Edit});
        std::string insert = "Insert Into 内訳 (" + std::string(data::kAuditInsertColumns) +
                             columns.names() + ") Values (" + data::fnAuditInsertValues() +
                             columns.values() + ")";
        if (!db.fnExecute(insert)) return false;
    }
    return writeDaikahyo(db, rec);
}

// False, with the column in `bad`, for a stored amount that cannot be taken.
bool readDaikahyo(data::CCCDBS_RecordSet& rs, const UchiwakeReadPlan& plan, UchiwakeRec& rec,
                  std::string& bad) {
    DaikahyoRec& daika = rec.代価表;
    daika.内訳名称ＩＤ = rec.内訳名称ＩＤ;
    daika.内訳ＩＤ = rec.内訳ＩＤ;
    daika.代価表ＩＤ = rs.fnGetInt(plan.column("代価表ＩＤ"));
    const std::pair<const char*, Currency*> amounts[] = {{"端数金額", &daika.端数金額},
                                                         {"合計金額", &daika.合計金額},
                                                         {"換算単価", &daika.換算単価}};
    for (const auto& [name, field] : amounts) {
        if (!readCheckedMoney(rs, plan.column(name), *field)) bad = name;
    }
    if (!readCheckedQuantity(rs, plan.column("モデル数量"), daika.モデル数量)) bad = "モデル数量";
    return bad.empty();
}

bool sendBatch(data::CCCDBS_DataBase& db, std::string& batch, bool skipBlank) {
    bool ok = (skipBlank && batch.empty()) || db.fnExecute(batch);
    batch.clear();
    return ok;
}

}  // namespace

void fnOmrix_DBT_Uchiwake_Read(data::CCCDBS_RecordSet& recordSet, UchiwakeRec& rec) {
    UchiwakeReadPlan(recordSet).read(recordSet, rec);
}

int32_t fnOmrix_DBT_Uchiwake_Count(data::CCCDBS_DataBase& db, int32_t lUchiwakeNameID) {
    auto rs = db.fnOpenRecordSet("Select Count(*) AS RecCount From 内訳 Where 内訳名称ＩＤ = " +
                                 std::to_string(lUchiwakeNameID) + ";");
    if (!rs) return -1;
    int32_t count = rs->fnGetInt("RecCount");
    rs->fnClose();
    return count;
}

std::string uchiwakeSelectSql(int32_t lUchiwakeNameID,
                              std::initializer_list<std::string_view> columns, bool bWithDaika,
                              std::string_view andWhere) {
    std::string sql;
    auto line = [&sql](std::string_view piece) {
        sql += "\r\n";
        sql += piece;
    };
    line("select /* fnOmrix_DBT_Uchiwake_Select201 */ ");
    for (std::string_view column : columns) line(column);
    line("from");
    line(" 内訳 u");
    line(" left outer join 排他管理 h");
    line("  on  (u.内訳名称ID = h.KEYID2 and h.KEYテーブル名称2 = '内訳名称')");
    line("  and (u.内訳ID = h.ロックID番号 and h.テーブル名称 = '内訳')");
    if (bWithDaika) {
        line(" left outer join 代価表 d");
        line("  on  u.内訳名称ID = d.内訳名称ID");
        line("  and u.内訳ID = d.内訳ID");
    }
    line("where");
    line("  u.削除区分 = '0'");
    line(" and");
    line("  u.内訳名称ID = " + std::to_string(lUchiwakeNameID));
    if (!andWhere.empty()) line(andWhere);
    line("order by");
    line(" u.表示No,");
    line(" u.種別フラグ;");
    return sql;
}

std::string uchiwakeSelect201Sql(int32_t lUchiwakeNameID, bool bWithDaika) {
    if (!bWithDaika) {
        return uchiwakeSelectSql(lUchiwakeNameID, {" u.*,", " h.ロックID番号 ロック"}, false, {});
    }
    return uchiwakeSelectSql(lUchiwakeNameID,
                             {" u.*,", " d.代価表ＩＤ,", " d.端数金額,", " d.合計金額,",
                              " d.モデル数量,", " d.換算単価,", " h.ロックID番号 ロック"},
                             true, {});
}

bool fnOmrix_DBT_Uchiwake_Select201(data::CCCDBS_DataBase& db, UchiwakeRows& rows,
                                    int32_t lUchiwakeNameID, bool bWithDaika,
                                    ProgressBar* progressBar) {
    rows.clear();
    rows.emplace_back();
    sbOmrix_DBT_Uchiwake_Clear(rows[0]);
    auto rs = db.fnOpenRecordSet(uchiwakeSelect201Sql(lUchiwakeNameID, bWithDaika));
    if (!rs) return false;
    if (progressBar != nullptr) {
        int32_t count = fnOmrix_DBT_Uchiwake_Count(db, lUchiwakeNameID);
        progressBar->setVisible(true);
        progressBar->setValue(0);
        progressBar->setMinimum(0);
        if (count <= 0) {
            progressBar->setVisible(false);
            return true;
        }
        progressBar->setMaximum(count);
    }
    const UchiwakeReadPlan plan(*rs);
    const data::ColumnIndex daikaId = plan.column("代価表ＩＤ");
    const data::ColumnIndex lock = plan.column("ロック");
    // Few staff members serve many lines: each code is read once per select.
    std::map<int32_t, std::string> tashaCodes;
    while (!rs->pbEOF()) {
        UchiwakeRec& rec = rows.emplace_back();
        std::string bad;
        if (!plan.read(*rs, rec, &bad)) {
            showStoredValueOverflow("内訳", bad, rec.内訳ＩＤ, rs->fnGetVariant(bad));
            return false;
        }
        sbOmrix_DBT_Daikahyo_Clear(rec.代価表);
        if (bWithDaika && !data::isNull(rs->fnGetVariant(daikaId)) &&
            !readDaikahyo(*rs, plan, rec, bad)) {
            showStoredValueOverflow("代価表", bad, rec.内訳ＩＤ, rs->fnGetVariant(bad));
            return false;
        }
        rec.ロック = !data::isNull(rs->fnGetVariant(lock));
        rec.配置済 = false;
        if (rec.他社担当者ＭＩＤ != 0) {
            auto [code, isNew] = tashaCodes.try_emplace(rec.他社担当者ＭＩＤ);
            if (isNew) {
                code->second =
                    data::fnOmrix_DBT_TashaTantoshaM_GetTashaCD(db, rec.他社担当者ＭＩＤ);
            }
            rec.他社担当者名 = code->second;
        }
        if (!rs->fnMoveNext()) return false;
        if (progressBar != nullptr && progressBar->value() + 1 < progressBar->maximum()) {
            progressBar->setValue(progressBar->value() + 1);
        }
    }
    if (progressBar != nullptr) progressBar->setVisible(false);
    rs->fnClose();
    return true;
}

bool fnOmrix_DBT_Uchiwake_Update(data::CCCDBS_DataBase& db, const UchiwakeRec& rec, bool bTrans) {
    data::Transaction transaction(db, bTrans);
    if (!transaction.begun() || !updateLine(db, rec)) return false;
    return transaction.commit();
}

std::string fnOmrix_DBT_Uchiwake_InsertSql(const UchiwakeRec& rec) {
    data::SqlColumnList columns =
        uchiwakeColumns(rec, {ColumnGroup::Key, ColumnGroup::Edit, ColumnGroup::Extra});
    return "Insert Into 内訳 (" + std::string(data::kAuditInsertColumns) + columns.names() +
           ") Values (" + data::fnAuditInsertValues() + columns.values() + ");";
}

std::string fnOmrix_DBT_Uchiwake_DeleteSql(const UchiwakeRec& rec) {
    return "Delete From 内訳  Where 削除区分 = '0' And (内訳名称ＩＤ = " +
           std::to_string(rec.内訳名称ＩＤ) + ") AND (内訳ＩＤ = " + std::to_string(rec.内訳ＩＤ) +
           ");";
}

bool fnOmrix_DBT_Uchiwake_SaveAll(data::CCCDBS_DataBase& db, std::span<const UchiwakeRec> rows,
                                  bool bTrans, ProgressBar* progressBar) {
    data::Transaction transaction(db, bTrans);
    if (!transaction.begun()) return false;
    std::string daikaInserts, daikaDeletes, lineInserts, lineDeletes;
    int32_t pending = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const UchiwakeRec& rec = rows[i];
        if (rec.代価表.代価表ＩＤ > 0)
            daikaInserts += fnOmrix_DBT_Daikahyo_InsertSql(rec.代価表) + "\r";
        daikaDeletes += fnOmrix_DBT_Daikahyo_DeleteSql(rec.内訳名称ＩＤ, rec.内訳ＩＤ) + "\r";
        lineInserts += fnOmrix_DBT_Uchiwake_InsertSql(rec) + "\r";
        lineDeletes += fnOmrix_DBT_Uchiwake_DeleteSql(rec) + "\r";
        if (progressBar != nullptr) progressBar->setValue(progressBar->value() + 1);
        if (++pending < data::kStatementsPerCommand && i + 1 < rows.size()) continue;
        // Old rows go before new ones, 代価表 before and after its lines.
        if (!sendBatch(db, daikaDeletes, true) || !sendBatch(db, lineDeletes, false) ||
            !sendBatch(db, lineInserts, false) || !sendBatch(db, daikaInserts, true)) {
            return false;
        }
        pending = 0;
    }
    return transaction.commit();
}

int32_t fnOmrix_DBT_Uchiwake_Count(int32_t lUchiwakeNameID) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db ? fnOmrix_DBT_Uchiwake_Count(*db, lUchiwakeNameID) : -1;
}

bool fnOmrix_DBT_Uchiwake_Select201(UchiwakeRows& rows, int32_t lUchiwakeNameID, bool bWithDaika,
                                    ProgressBar* progressBar) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db &&
           fnOmrix_DBT_Uchiwake_Select201(*db, rows, lUchiwakeNameID, bWithDaika, progressBar);
}

bool fnOmrix_DBT_Uchiwake_Update(const UchiwakeRec& rec, bool bTrans) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && fnOmrix_DBT_Uchiwake_Update(*db, rec, bTrans);
}

bool fnOmrix_DBT_Uchiwake_SaveAll(std::span<const UchiwakeRec> rows, bool bTrans,
                                  ProgressBar* progressBar) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && fnOmrix_DBT_Uchiwake_SaveAll(*db, rows, bTrans, progressBar);
}

}  // namespace omrix::breakdown
