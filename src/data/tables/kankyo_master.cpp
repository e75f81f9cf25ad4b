#include "data/tables/kankyo_master.h"

#include "context/ini_file.h"
#include "data/core/row_select.h"
#include "util/text.h"

namespace omrix::data {
namespace {

void readRow(CCCDBS_RecordSet& rs, const std::string& folderOverride, KankyoRec& row) {
    row.ＬＯＣＫ作成トライ回数 = rs.fnGetSmallInt("ＬＯＣＫ作成トライ回数");
    row.ＬＯＣＫ作成ウェイト時間 = rs.fnGetSmallInt("ＬＯＣＫ作成ウェイト時間");
    row.発番排他モードトライ回数 = rs.fnGetSmallInt("発番排他モードトライ回数");
    row.発番排他モードウェイト時間 = rs.fnGetSmallInt("発番排他モードウェイト時間");
    row.技術資料保存フォルダ = rs.fnGetChar("技術資料保存フォルダ");
    row.回答用種目名称 = rs.fnGetChar("回答用種目名称");
    row.回答用科目名称 = rs.fnGetChar("回答用科目名称");
    row.消費税率 = rs.fnGetHdouble("消費税率");
    if (!folderOverride.empty()) row.技術資料保存フォルダ = folderOverride;
}

}  // namespace

bool fnOmrix_DBT_KankyoM_Select(CCCDBS_DataBase& db, std::vector<KankyoRec>& rows) {
    // A folder set on this machine wins over the shared one.
    const std::string folder(util::trimBlanks(context::fnReadIniValue("GIJYUTU", "PATH")));
    return selectRows(
        db,
        "Select ＬＯＣＫ作成トライ回数, ＬＯＣＫ作成ウェイト時間, 発番排他モードトライ回数, "
        "発番排他モードウェイト時間, 技術資料保存フォルダ, 回答用種目名称, 回答用科目名称, "
        "消費税率 "
        " From 環境Ｍ  Where (削除区分 = '0') ;",
        rows, [&folder](CCCDBS_RecordSet& rs, KankyoRec& row) { readRow(rs, folder, row); });
}

bool fnOmrix_DBT_KankyoM_GetFirst(CCCDBS_DataBase& db, KankyoRec& row) {
    std::vector<KankyoRec> rows;
    if (!fnOmrix_DBT_KankyoM_Select(db, rows) || rows.empty()) return false;
    row = rows.front();
    return true;
}

}  // namespace omrix::data
