#pragma once
// 内訳: the lines of a breakdown. The whole breakdown is read at once; lines are
// written one by one (page names) or all together (the editor's save).

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "breakdown/tables/uchiwake_records.h"
#include "breakdown/tables/uchiwake_rows.h"

namespace omrix::data {
class CCCDBS_DataBase;
class CCCDBS_RecordSet;
}  // namespace omrix::data

namespace omrix::breakdown {

class ProgressBar;

// Clears rec, then reads the audit columns and fields 2 to 79 of the current row.
void fnOmrix_DBT_Uchiwake_Read(data::CCCDBS_RecordSet& recordSet, UchiwakeRec& rec);

// Each procedure below has a form on an explicit database and a form on the program's
// connection, which fails as a failed query does when there is none.

// Rows of the breakdown, deleted ones included; -1 when the query cannot run.
int32_t fnOmrix_DBT_Uchiwake_Count(data::CCCDBS_DataBase& db, int32_t lUchiwakeNameID);
int32_t fnOmrix_DBT_Uchiwake_Count(int32_t lUchiwakeNameID);

// The lines of a breakdown ordered by 表示No and 種別フラグ, with their lock marks
// and (with bWithDaika) their 代価表 rows. rows[0] stays cleared and unused; lines
// are rows[1..n]. False when the query cannot run or a step fails part-way (rows
// then hold what was read so far).
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_Select201(data::CCCDBS_DataBase& db, UchiwakeRows& rows,
                                                  int32_t lUchiwakeNameID, bool bWithDaika,
                                                  ProgressBar* progressBar = nullptr);
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_Select201(UchiwakeRows& rows, int32_t lUchiwakeNameID,
                                                  bool bWithDaika,
                                                  ProgressBar* progressBar = nullptr);

// The SQL of the select above.
std::string uchiwakeSelect201Sql(int32_t lUchiwakeNameID, bool bWithDaika);
// The same select with other column lines and, when not empty, a further condition
// line after the breakdown's ("and ..."): the same lines in the same order.
std::string uchiwakeSelectSql(int32_t lUchiwakeNameID,
                              std::initializer_list<std::string_view> columns, bool bWithDaika,
                              std::string_view andWhere);

// Update of one line, insert when no row changed, then its 代価表 row: deleted when
// the line has no 代価表ＩＤ, else updated or inserted.
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_Update(data::CCCDBS_DataBase& db, const UchiwakeRec& rec,
                                               bool bTrans);
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_Update(const UchiwakeRec& rec, bool bTrans);

// The statements, not run: an INSERT of every column and the physical DELETE.
std::string fnOmrix_DBT_Uchiwake_InsertSql(const UchiwakeRec& rec);
std::string fnOmrix_DBT_Uchiwake_DeleteSql(const UchiwakeRec& rec);

// Rewrites the given lines by delete and insert, in batches of data::kStatementsPerCommand lines.
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_SaveAll(data::CCCDBS_DataBase& db,
                                                std::span<const UchiwakeRec> rows, bool bTrans,
                                                ProgressBar* progressBar = nullptr);
[[nodiscard]] bool fnOmrix_DBT_Uchiwake_SaveAll(std::span<const UchiwakeRec> rows, bool bTrans,
                                                ProgressBar* progressBar = nullptr);

}  // namespace omrix::breakdown
