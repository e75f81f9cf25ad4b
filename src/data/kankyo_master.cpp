#include "data/kankyo_master.h"

#include "data/database.h"
#include "context/app_context.h"
#include "context/ini_file.h"
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

bool fnOmrix_DBT_KankyoM_Select(std::vector<KankyoRec>& rows) {
    rows.clear();
    auto& db = context::appContext().Database;
    if (!db) return false;
    auto rs = db->fnOpenRecordSet(
        "Select ＬＯＣＫ作成トライ回数, ＬＯＣＫ作成ウェイト時間, 発番排他モードトライ回数, "
        "発番排他モードウェイト時間, 技術資料保存フォルダ, 回答用種目名称, 回答用科目名称, "
        "消費税率 "
        " From 環境Ｍ  Where (削除区分 = '0') ;",
        0, 1, -1);
    if (!rs) return false;
    // A folder set on this machine wins over the shared one.
    std::string folder(util::trimBlanks(context::fnReadIniValue("GIJYUTU", "PATH")));
    while (!rs->pbEOF()) {
        readRow(*rs, folder, rows.emplace_back());
        if (!rs->fnMoveNext()) return false;
    }
    rs->fnClose();
    return true;
}

bool fnOmrix_DBT_KankyoM_GetFirst(KankyoRec& row) {
    std::vector<KankyoRec> rows;
    if (!fnOmrix_DBT_KankyoM_Select(rows) || rows.empty()) return false;
    row = rows.front();
    return true;
}

}  // namespace omrix::data
