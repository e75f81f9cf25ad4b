#include "breakdown/omrix_dbt_uchiwake_name.h"

#include <string>

#include "data/database.h"
#include "data/record_conventions.h"
#include "context/app_context.h"
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

bool fnOmrix_DBT_UchiwakeName_SelectByID(int32_t lUchiwakeNameID, UchiwakeNameRec& rec) {
    auto db = context::appContext().Database;
    if (!db) return false;
    auto rs =
        db->fnOpenRecordSet("Select * From 内訳名称 Where (削除区分 = '0') AND 内訳名称ＩＤ = " +
                            std::to_string(lUchiwakeNameID) + " ;");
    if (!rs) return false;
    if (!rs->pbEOF()) readName(*rs, rec);
    rs->fnClose();
    return true;
}

bool fnOmrix_DBT_UchiwakeName_SelectByBukken(std::string_view sBukkenNo, std::string_view sHanNo,
                                             std::vector<UchiwakeNameRec>& recs) {
    recs.assign(1, UchiwakeNameRec{});
    auto db = context::appContext().Database;
    if (!db) return false;
    std::string sql =
        "Select * From 内訳名称 Where (削除区分 = '0') AND (LTrim(RTrim(物件No)) = '" +
        data::fnSqlQuote(util::trimBlanks(sBukkenNo), 0) + "' AND LTrim(RTrim(版No)) = '" +
        data::fnSqlQuote(util::trimBlanks(sHanNo), 0) + "');";
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return false;
    while (!rs->pbEOF()) {
        readName(*rs, recs.emplace_back());
        if (!rs->fnMoveNext()) break;
    }
    rs->fnClose();
    return true;
}

}  // namespace omrix::breakdown
