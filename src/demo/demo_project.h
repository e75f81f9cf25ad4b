#pragma once
// The demo project: 物件管理 with its five detail tables, the overview (物件概要) and
// estimate summary (物件見積要項) sheets as an estimator leaves them, 物件変数, the
// breakdown header (内訳名称) and the ID counters the suite numbers new rows from.

#include <cstdint>
#include <string>

#include "data/core/database.h"
#include "util/currency.h"

namespace omrix::demo {

// The name of the works, also the heading line of the breakdown.
inline constexpr std::string_view kDemoKojiName = "（仮称）みなと中央ビル新築工事";

struct DemoProjectKeys {
    std::string bukkenNo;    // as given on the command line, e.g. "00000001"
    std::string hanNo;       // e.g. "01"
    int32_t uchiwakeNameId;  // 内訳名称ＩＤ of the breakdown
};

struct DemoProjectTotals {
    util::Currency contractAmount;  // 契約金額 of 物件特記管理
    int32_t lastUchiwakeId = 0;     // highest 内訳ＩＤ handed out
    int32_t lastDaikahyoId = 0;     // highest 代価表ＩＤ handed out
};

// False when a statement fails. The caller owns the transaction.
bool writeProject(data::CCCDBS_DataBase& db, const DemoProjectKeys& keys,
                  const DemoProjectTotals& totals);

}  // namespace omrix::demo
