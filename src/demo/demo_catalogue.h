#pragma once
// What the demo estimate is made of: work types (種目), their subjects (科目) in the
// usual trade order, and the line items an estimator prices under each subject.
// Texts are written to fit their columns in CP932 bytes (名称 54, 仕様 66, 単位 16).

#include <cstdint>
#include <span>
#include <string_view>

namespace omrix::demo {

struct ItemTemplate {
    std::string_view name;  // 名称１
    std::string_view spec;  // 仕様１
    std::string_view unit;  // 単位名称
    int32_t price;          // market unit price in yen; negative for deductions
    // Quantity drawn from lo..hi when the item has no formula or does not use it.
    double lo;
    double hi;
    // Quantity formula over the project variables; empty when taken off by hand.
    std::string_view formula;
};

struct KamokuTemplate {
    std::string_view name;  // 科目 name
    std::string_view code;  // 工種＿科目コード
    int32_t weight;         // share of the work type's lines
    std::span<const ItemTemplate> items;
    std::span<const std::string_view> sections;  // 中科目 names, may be empty
    // Overheads (共通費) are priced as a rate of the direct cost, in 1/1000, and have
    // no lines below them.
    int32_t overheadPermille = 0;
};

struct SyumokuTemplate {
    std::string_view name;      // 種目 name
    std::string_view pageName;  // 頁名称
    int32_t weight;             // share of the breakdown's lines
    std::span<const KamokuTemplate> kamoku;
    bool overhead = false;  // 共通費: its subjects are rates of the other work types
};

// Work types in statement order; the overhead work type comes last.
std::span<const SyumokuTemplate> syumokuCatalogue();

std::span<const KamokuTemplate> kenchikuKamoku();  // 建築工事
std::span<const KamokuTemplate> denkiKamoku();     // 電気設備工事
std::span<const KamokuTemplate> kikaiKamoku();     // 機械設備工事
std::span<const KamokuTemplate> gaikouKamoku();    // 外構工事
std::span<const KamokuTemplate> kyotsuhiKamoku();  // 共通費

// Texts for the structural lines of the statement.
std::span<const std::string_view> groupHeadingNames();  // 合計見出し
std::span<const std::string_view> sheetNames();         // 別紙
std::span<const std::string_view> apartSheetNames();    // 別紙 printed apart
std::span<const std::string_view> continuationTexts();  // 継続行
std::span<const std::string_view> internalRemarks();    // 社内備考
std::span<const std::string_view> externalRemarks();    // 社外備考, some of two lines

// A labour class of the unit-price breakdowns (代価表) with its day rate.
struct LabourTemplate {
    std::string_view name;
    int32_t dayRate;
};
std::span<const LabourTemplate> labourCatalogue();

// 単位ＩＤ of a unit text (0 when unknown) and the decimals its quantities carry.
int32_t unitId(std::string_view unit);
int32_t unitDecimals(std::string_view unit);

}  // namespace omrix::demo
