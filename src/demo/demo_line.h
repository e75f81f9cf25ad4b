#pragma once
// One line of the demo breakdown as it goes into 内訳 (and 代価表), with the columns
// the demo fills. Lines are held in the order they are made: a parent before its
// children, and 内訳ＩＤ = position + 1.

#include <cstdint>
#include <optional>
#include <string>

#include "breakdown/tables/kind_flags.h"
#include "util/currency.h"

namespace omrix::demo {

using util::Currency;

// The 代価表 row of a line item that owns a unit-price breakdown: 合計金額 is the
// owner's unit price for the model quantity, 端数金額 what the lower lines' sum lacks
// (or has too much) to make it, 換算単価 the unit price it gives.
struct DemoDaika {
    int32_t 代価表ＩＤ = 0;
    Currency 端数金額;
    Currency 合計金額;
    double モデル数量 = 0.0;
    Currency 換算単価;
};

struct DemoLine {
    int32_t 内訳ＩＤ = 0;
    int32_t 親内訳ＩＤ = 0;
    int16_t 種別フラグ = 0;
    int32_t 合計見出し行ＩＤ = 0;
    int32_t 継続親内訳ＩＤ = 0;
    int16_t 継続行No = 0;
    int32_t 種目ＩＤ = 0;
    int32_t 科目ＩＤ = 0;
    std::string 表示番号名称;
    std::string 名称１;
    std::string 名称２;
    std::string 仕様１;
    std::string 仕様２;
    int32_t 単位ＩＤ = 0;
    std::string 単位名称;
    double 拾い数量 = 0.0;
    double 内訳数量 = 0.0;
    int32_t 他社担当者ＭＩＤ = 0;
    Currency 受注者単価;
    Currency 見積１単価;
    Currency 見積１金額;
    Currency 見積２単価;
    Currency 見積２金額;
    Currency 提出用単価;
    Currency 提出用金額;
    int32_t 表示No = 0;
    std::string 頁名称;
    std::string 数量計算式;
    std::string 見積１単価計算式;
    std::string 提出用単価計算式;
    std::string 社内備考;
    std::string 社外備考;
    std::string 工種科目コード;  // column [工種＿科目コード]
    std::string 補助明細コード;
    std::string 明細番号;
    std::optional<DemoDaika> daika;
};

}  // namespace omrix::demo
