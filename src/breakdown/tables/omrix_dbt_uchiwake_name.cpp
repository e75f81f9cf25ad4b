#include "breakdown/tables/omrix_dbt_uchiwake_name.h"

#include <string>

#include "data/core/program_database.h"
#include "data/tables/record_conventions.h"
#include "data/core/row_select.h"
#include "util/text.h"

namespace omrix::breakdown {
namespace {

void readName(data::CCCDBS_RecordSet& rs, UchiwakeNameRec& rec) {
    data::sbReadAudit(rs, rec.audit);
    rec.内訳名称ＩＤ = rs.fnGetInt("内訳名称ＩＤ");
    rec.内訳名称 = rs.fnGetChar("内訳名称");
    rec.物件No = rs.fnGetChar("物件No");
    rec.版No = rs.fnGetChar("版No");
    rec.種別フラグ = rs.fnGetSmallInt("種別フラグ");
    rec.事業所ＩＤ = rs.fnGetInt("事業所ＩＤ");
}

}  // namespace

bool fnOmrix_DBT_UchiwakeName_SelectByID(data::CCCDBS_DataBase& db, int32_t lUchiwakeNameID,
                                         UchiwakeNameRec& rec) {
    return data::selectFirstRow(
        db,
        "Select * From 内訳名称 Where (削除区分 = '0') AND 内訳名称ＩＤ = " +
            std::to_string(lUchiwakeNameID) + " ;",
        rec, readName);
}

bool fnOmrix_DBT_UchiwakeName_SelectByBukken(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                                             std::string_view sHanNo,
                                             std::vector<UchiwakeNameRec>& recs) {
    std::string sql =
        "Select * From 内訳名称 Where (削除区分 = '0') AND (LTrim(RTrim(物件No)) = '" +
        data::fnSqlQuote(util::trimBlanks(sBukkenNo), 0) + "' AND LTrim(RTrim(版No)) = '" +
        data::fnSqlQuote(util::trimBlanks(sHanNo), 0) + "');";
    const bool ok = data::selectRows(db, sql, recs, readName);
    recs.insert(recs.begin(), UchiwakeNameRec{});  // the unused slot 0
    return ok;
}

bool fnOmrix_DBT_UchiwakeName_SelectByID(int32_t lUchiwakeNameID, UchiwakeNameRec& rec) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db && fnOmrix_DBT_UchiwakeName_SelectByID(*db, lUchiwakeNameID, rec);
}

bool fnOmrix_DBT_UchiwakeName_SelectByBukken(std::string_view sBukkenNo, std::string_view sHanNo,
                                             std::vector<UchiwakeNameRec>& recs) {
    data::CCCDBS_DataBase* db = data::programDatabase();
    if (db == nullptr) {
        recs.assign(1, UchiwakeNameRec{});
        return false;
    }
    return fnOmrix_DBT_UchiwakeName_SelectByBukken(*db, sBukkenNo, sHanNo, recs);
}

}  // namespace omrix::breakdown
