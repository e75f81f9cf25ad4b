#include "project/tables/bukken_hensu.h"

#include <string>

#include "data/core/program_database.h"
#include "project/tables/project_read.h"

namespace omrix::project {
namespace {

auto hensuFields = [](auto& r, auto& v) {
    v("物件変数ＩＤ", r.物件変数ＩＤ);
    v("物件No", r.物件No);
    v("変数名", r.変数名);
    v("名称", r.名称);
    v("数量", r.数量);
};

}  // namespace

void sbOmrix_DBT_BukkenHensu_Clear(BukkenHensuRec& rec) {
    rec = BukkenHensuRec{};
}

bool fnOmrix_DBT_BukkenHensu_Select(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                                    std::vector<BukkenHensuRec>& rows) {
    std::string sql = "Select * From 物件変数  Where 削除区分 = '0' And " +
                      codeCondition("物件No", sBukkenNo) + ";";
    return readAllRows(db, sql, rows, hensuFields);
}

double fnGetTuboKansan(data::CCCDBS_DataBase& db) {
    BukkenHensuRec rec;
    std::string sql = "Select * From 物件変数 Where (削除区分 = '0') AND " +
                      codeCondition("物件No", "00000000") + " AND " +
                      codeCondition("変数名", "TUBOKANSAN") + ";";
    if (!readFirstRow(db, sql, rec, hensuFields)) return 0.0;
    return rec.数量;
}

double fnGetTuboKansan() {
    data::CCCDBS_DataBase* db = data::programDatabase();
    return db ? fnGetTuboKansan(*db) : 0.0;
}

}  // namespace omrix::project
