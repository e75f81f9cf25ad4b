#include "data/tables/master_names.h"

#include "data/tables/record_conventions.h"
#include "data/core/row_select.h"
#include "util/text.h"

namespace omrix::data {
namespace {

// The named column of the first live row, right-trimmed.
std::string firstColumn(CCCDBS_DataBase& db, const std::string& sql, std::string_view column) {
    std::string value;
    (void)selectFirstRow(db, sql, value, [column](CCCDBS_RecordSet& rs, std::string& text) {
        text = util::trimBlanksRight(rs.fnGetChar(column));
    });
    return value;
}

std::string nameById(CCCDBS_DataBase& db, std::string_view table, std::string_view idColumn,
                     int32_t id, std::string_view nameColumn) {
    std::string sql = "Select * From ";
    sql += table;
    sql += "  Where 削除区分 = '0' And (";
    sql += idColumn;
    sql += " = " + std::to_string(id) + ") ;";
    return firstColumn(db, sql, nameColumn);
}

std::string nameByCode(CCCDBS_DataBase& db, std::string_view table, std::string_view codeColumn,
                       std::string_view code, std::string_view nameColumn) {
    std::string sql = "Select * From ";
    sql += table;
    sql += "  Where 削除区分 = '0' And (LTrim(RTrim(";
    sql += codeColumn;
    sql += ")) = '" + fnSqlQuote(util::trimBlanks(code), 0) + "') ;";
    return firstColumn(db, sql, nameColumn);
}

}  // namespace

std::string fnOmrix_DBT_JishaM_GetName(CCCDBS_DataBase& db, std::string_view sJishaCD) {
    return nameByCode(db, "自社Ｍ", "自社ＣＤ", sJishaCD, "自社名");
}

std::string fnOmrix_DBT_KingakuShuruiM_GetName(CCCDBS_DataBase& db, int32_t lKingakuShuruiID) {
    return nameById(db, "金額種類Ｍ", "金額種類ＩＤ", lKingakuShuruiID, "金額種類名称");
}

std::string fnOmrix_DBT_KouzouKubunM_GetName(CCCDBS_DataBase& db, int32_t lKouzouKubunID) {
    return nameById(db, "構造区分Ｍ", "構造区分ＩＤ", lKouzouKubunID, "構造区分名称");
}

std::string fnOmrix_DBT_KuiKouhouM_GetName(CCCDBS_DataBase& db, int32_t lKuiKouhouID) {
    return nameById(db, "杭工法Ｍ", "杭工法ＩＤ", lKuiKouhouID, "杭工法名称");
}

std::string fnOmrix_DBT_SekkeishaM_GetName(CCCDBS_DataBase& db, std::string_view sSekkeishaCD) {
    return nameByCode(db, "設計社Ｍ", "設計社ＣＤ", sSekkeishaCD, "設計社名");
}

std::string fnOmrix_DBT_TatemonoYoutoM_GetName(CCCDBS_DataBase& db, int32_t lTatemonoYoutoID) {
    return nameById(db, "建物用途Ｍ", "建物用途ＩＤ", lTatemonoYoutoID, "建物用途名称");
}

std::string fnOmrix_DBT_TodoufukenM_GetName(CCCDBS_DataBase& db, int32_t lTodoufukenID) {
    return nameById(db, "都道府県Ｍ", "都道府県ＩＤ", lTodoufukenID, "都道府県名称");
}

std::string fnOmrix_DBT_TashaTantoshaM_GetTashaCD(CCCDBS_DataBase& db, int32_t lTashaTantoshaMID) {
    return nameById(db, "他社担当者Ｍ", "他社担当者ＭＩＤ", lTashaTantoshaMID, "他社ＣＤ");
}

}  // namespace omrix::data
