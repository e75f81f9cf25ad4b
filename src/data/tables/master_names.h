#pragma once
// Display names of stored IDs and codes. A missing row, a failed query or a NULL name
// all give an empty text: the windows then show an empty field, never an error.

#include <cstdint>
#include <string>
#include <string_view>

namespace omrix::data {

class CCCDBS_DataBase;

std::string fnOmrix_DBT_JishaM_GetName(CCCDBS_DataBase& db, std::string_view sJishaCD);  // 自社名
std::string fnOmrix_DBT_KingakuShuruiM_GetName(CCCDBS_DataBase& db,
                                               int32_t lKingakuShuruiID);  // 金額種類名称
std::string fnOmrix_DBT_KouzouKubunM_GetName(CCCDBS_DataBase& db,
                                             int32_t lKouzouKubunID);  // 構造区分名称
std::string fnOmrix_DBT_KuiKouhouM_GetName(CCCDBS_DataBase& db,
                                           int32_t lKuiKouhouID);  // 杭工法名称
std::string fnOmrix_DBT_SekkeishaM_GetName(CCCDBS_DataBase& db,
                                           std::string_view sSekkeishaCD);  // 設計社名
std::string fnOmrix_DBT_TatemonoYoutoM_GetName(CCCDBS_DataBase& db,
                                               int32_t lTatemonoYoutoID);  // 建物用途名称
std::string fnOmrix_DBT_TodoufukenM_GetName(CCCDBS_DataBase& db,
                                            int32_t lTodoufukenID);  // 都道府県名称
// 他社ＣＤ of an other-company staff member, right-trimmed.
std::string fnOmrix_DBT_TashaTantoshaM_GetTashaCD(CCCDBS_DataBase& db, int32_t lTashaTantoshaMID);

}  // namespace omrix::data
