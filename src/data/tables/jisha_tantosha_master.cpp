#include "data/tables/jisha_tantosha_master.h"

#include <string>

#include "data/core/database.h"
#include "data/core/program_database.h"
#include "data/tables/record_conventions.h"
#include "data/core/row_select.h"
#include "platform/messages.h"

namespace omrix::data {
namespace {

void readRow(CCCDBS_RecordSet& rs, JishaTantoshaMRec& row) {
    sbReadAudit(rs, row.audit);
    row.表示No = rs.fnGetInt("表示No");
    row.自社担当者ＭＩＤ = rs.fnGetInt("自社担当者ＭＩＤ");
    row.自社ＣＤ = rs.fnGetChar("自社ＣＤ");
    row.本店_支店ＣＤ = rs.fnGetChar("本店_支店ＣＤ");
    row.担当者ＣＤ = rs.fnGetChar("担当者ＣＤ");
    row.自社担当部署名 = rs.fnGetChar("自社担当部署名");
    row.自社担当者名 = rs.fnGetChar("自社担当者名");
    row.自社担当者メールアドレス = rs.fnGetChar("自社担当者メールアドレス");
    row.自社担当郵便番号 = rs.fnGetChar("自社担当郵便番号");
    row.自社担当住所 = rs.fnGetChar("自社担当住所");
    row.自社担当電話番号 = rs.fnGetChar("自社担当電話番号");
    row.自社担当ＦＡＸ番号 = rs.fnGetChar("自社担当ＦＡＸ番号");
    row.自社決裁者名 = rs.fnGetChar("自社決裁者名");
    row.担当者パスワード = rs.fnGetChar("担当者パスワード");
    row.権限 = rs.fnGetSmallInt("権限");
    row.備考 = rs.fnGetChar("備考");
}

}  // namespace

bool fnOmrix_DBT_JishaTantoshaM_SelectByID(CCCDBS_DataBase& db, int32_t lJishaTantoshaMID,
                                           JishaTantoshaMRec& row, bool& found) {
    row = JishaTantoshaMRec{};
    return selectFirstRow(db,
                          "Select * From 自社担当者Ｍ  Where 削除区分 = '0' And "
                          " 自社担当者ＭＩＤ = " +
                              std::to_string(lJishaTantoshaMID) + ";",
                          row, readRow, &found);
}

int16_t fnGetTantoshaKengen(CCCDBS_DataBase& db, int32_t lTantoshaID) {
    JishaTantoshaMRec row;
    bool found = false;
    if (!fnOmrix_DBT_JishaTantoshaM_SelectByID(db, lTantoshaID, row, found)) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "自社担当者情報Ｍの読み込み");
        return -1;
    }
    return found ? row.権限 : 0;
}

int16_t fnGetTantoshaKengen(int32_t lTantoshaID) {
    CCCDBS_DataBase* db = programDatabase();
    return db ? fnGetTantoshaKengen(*db, lTantoshaID) : int16_t{-1};
}

}  // namespace omrix::data
