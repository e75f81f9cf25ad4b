#include "print/print_choice_lists.h"

#include "data/tables/jisha_master.h"
#include "data/tables/print_format_master.h"
#include "platform/messages.h"

namespace omrix::print {
namespace {

constexpr int16_t kOrderById = 1;
constexpr int16_t kOrderByCode = 1;

}  // namespace

bool fnReadPrintTypeEntries(data::CCCDBS_DataBase& db, std::vector<std::string>& entries) {
    entries.clear();
    std::vector<data::UchiwakeshoShutsuryokuKeishikiMRec> rows;
    if (!data::fnOmrix_DBT_UchiwakeshoShutsuryokuKeishikiM_Select(db, rows, kOrderById)) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "内訳書出力形式Ｍの取得", "",
                                         "fnSetPrintTypeCmb");
        return false;
    }
    for (const auto& row : rows) entries.emplace_back(row.内訳書出力形式名称.trimmedRight());
    return true;
}

bool fnReadCompanyNames(data::CCCDBS_DataBase& db, std::vector<std::string>& names) {
    names.clear();
    std::vector<data::JishaMRec> rows;
    if (!data::fnOmrix_DBT_JishaM_Select(db, rows, kOrderByCode)) {
        platform::fnPIMORA01_DispMessage(3010, platform::kStyleOk, "発注者Ｍの取得", "",
                                         "fnSetUchiwakeCompanyCmb");
        return false;
    }
    for (const auto& row : rows) names.emplace_back(row.自社名.trimmedRight());
    return true;
}

}  // namespace omrix::print
