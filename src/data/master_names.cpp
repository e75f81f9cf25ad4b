#include "data/master_names.h"

#include "data/database.h"
#include "data/record_conventions.h"
#include "context/app_context.h"
#include "util/text.h"

namespace omrix::data {
namespace {

// The named column of the first live row, right-trimmed.
std::string firstColumn(const std::string& sql, std::string_view column) {
    auto& db = context::appContext().Database;
    if (!db) return {};
    auto rs = db->fnOpenRecordSet(sql);
    if (!rs) return {};
    std::string value;
    if (!rs->pbEOF()) value = util::trimBlanksRight(rs->fnGetChar(column));
    rs->fnClose();
    return value;
}

std::string nameById(std::string_view table, std::string_view idColumn, int32_t id,
                     std::string_view nameColumn) {
    std::string sql = "Select * From ";
    sql += table;
    sql += "  Where 削除区分 = '0' And (";
    sql += idColumn;
    sql += " = " + std::to_string(id) + ") ;";
    return firstColumn(sql, nameColumn);
}

std::string nameByCode(std::string_view table, std::string_view codeColumn, std::string_view code,
                       std::string_view nameColumn) {
    std::string sql = "Select * From ";
    sql += table;
    sql += "  Where 削除区分 = '0' And (LTrim(RTrim(";
    sql += codeColumn;
    sql += ")) = '" + fnSqlQuote(util::trimBlanks(code), 0) + "') ;";
    return firstColumn(sql, nameColumn);
}

}  // namespace

std::string fnOmrix_DBT_JishaM_GetName(std::string_view sJishaCD) {
    return nameByCode("自社Ｍ", "自社ＣＤ", sJishaCD, "自社名");
}

std::string fnOmrix_DBT_KingakuShuruiM_GetName(int32_t lKingakuShuruiID) {
    return nameById("金額種類Ｍ", "金額種類ＩＤ", lKingakuShuruiID, "金額種類名称");
}

std::string fnOmrix_DBT_KouzouKubunM_GetName(int32_t lKouzouKubunID) {
    return nameById("構造区分Ｍ", "構造区分ＩＤ", lKouzouKubunID, "構造区分名称");
}

std::string fnOmrix_DBT_KuiKouhouM_GetName(int32_t lKuiKouhouID) {
    return nameById("杭工法Ｍ", "杭工法ＩＤ", lKuiKouhouID, "杭工法名称");
}

std::string fnOmrix_DBT_SekkeishaM_GetName(std::string_view sSekkeishaCD) {
    return nameByCode("設計社Ｍ", "設計社ＣＤ", sSekkeishaCD, "設計社名");
}

std::string fnOmrix_DBT_TatemonoYoutoM_GetName(int32_t lTatemonoYoutoID) {
    return nameById("建物用途Ｍ", "建物用途ＩＤ", lTatemonoYoutoID, "建物用途名称");
}

std::string fnOmrix_DBT_TodoufukenM_GetName(int32_t lTodoufukenID) {
    return nameById("都道府県Ｍ", "都道府県ＩＤ", lTodoufukenID, "都道府県名称");
}

std::string fnOmrix_DBT_TashaTantoshaM_GetTashaCD(int32_t lTashaTantoshaMID) {
    return nameById("他社担当者Ｍ", "他社担当者ＭＩＤ", lTashaTantoshaMID, "他社ＣＤ");
}

}  // namespace omrix::data
