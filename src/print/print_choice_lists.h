#pragma once
// The two lists the main window offers: the print types of 内訳書出力形式Ｍ and the
// company names of 自社Ｍ. omrix-print-export reads the same lists for its options.

#include <string>
#include <vector>

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::print {

// 内訳書出力形式名称 right-trimmed, in ID order, ID 0 left out. Message 3010
// 内訳書出力形式Ｍの取得 and false when the read fails.
bool fnReadPrintTypeEntries(data::CCCDBS_DataBase& db, std::vector<std::string>& entries);

// 自社名 right-trimmed, by 自社ＣＤ, code "0" left out. Message 3010 発注者Ｍの取得 and
// false when the read fails.
bool fnReadCompanyNames(data::CCCDBS_DataBase& db, std::vector<std::string>& names);

}  // namespace omrix::print
