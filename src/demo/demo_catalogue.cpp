#include "demo/demo_catalogue.h"

#include <array>

namespace omrix::demo {
namespace {

struct UnitInfo {
    std::string_view name;
    int32_t id;
    int32_t decimals;
};

constexpr UnitInfo kUnits[] = {
    {"m3", 1, 1},   {"m2", 2, 1},  {"m", 3, 1},   {"t", 4, 3},   {"kg", 5, 0},  {"本", 6, 0},
    {"箇所", 7, 0}, {"台", 8, 0},  {"式", 9, 0},  {"枚", 10, 0}, {"組", 11, 0}, {"基", 12, 0},
    {"人", 13, 2},  {"面", 14, 0}, {"個", 15, 0}, {"回", 16, 0}, {"日", 17, 1},
};

constexpr std::string_view kGroupHeadings[] = {"材料費",   "施工費",     "運搬費",
                                               "付帯工事", "撤去・処分", "仮設・養生"};

constexpr std::string_view kSheets[] = {"付帯工事", "雑工事",     "取合い部補修",
                                        "撤去工事", "サイン工事", "手摺・金物"};

constexpr std::string_view kApartSheets[] = {"別途工事（参考見積）", "オプション工事",
                                             "追加変更工事"};

constexpr std::string_view kContinuations[] = {
    "ブラケット・アンカー共", "搬入・取付費含む", "既存部分との取合い処理共", "詳細は図面による",
    "製品検査費含む",         "足場・養生は別途", "メーカー標準色",           "耐震固定金物共"};

constexpr std::string_view kInternalRemarks[] = {"前回実績単価", "メーカー見積 3社比較", "要確認",
                                                 "査定後単価", "VE案 検討中"};

constexpr std::string_view kExternalRemarks[] = {"材工共", "搬入費含む", "材工共\r\n運搬費含む",
                                                 "図面 A-12 参照", "設計変更対象\r\n数量暫定"};

constexpr LabourTemplate kLabour[] = {
    {"普通作業員", 21400}, {"特殊作業員", 25600}, {"とび工", 27300}, {"鉄筋工", 26800},
    {"型わく工", 27100},   {"電工", 24900},       {"配管工", 23800}, {"内装工", 25200},
};

constexpr SyumokuTemplate kSyumoku[] = {
    {"建築工事", "建築", 60, {}},      {"電気設備工事", "電気", 14, {}},
    {"機械設備工事", "機械", 18, {}},  {"外構工事", "外構", 5, {}},
    {"共通費", "共通費", 3, {}, true},
};

}  // namespace

std::span<const SyumokuTemplate> syumokuCatalogue() {
    // The subject lists live in their own files; bind them once.
    static const std::array<SyumokuTemplate, 5> catalogue = [] {
        std::array<SyumokuTemplate, 5> all{};
        for (std::size_t i = 0; i < all.size(); ++i) all[i] = kSyumoku[i];
        all[0].kamoku = kenchikuKamoku();
        all[1].kamoku = denkiKamoku();
        all[2].kamoku = kikaiKamoku();
        all[3].kamoku = gaikouKamoku();
        all[4].kamoku = kyotsuhiKamoku();
        return all;
    }();
    return catalogue;
}

std::span<const std::string_view> groupHeadingNames() {
    return kGroupHeadings;
}
std::span<const std::string_view> sheetNames() {
    return kSheets;
}
std::span<const std::string_view> apartSheetNames() {
    return kApartSheets;
}
std::span<const std::string_view> continuationTexts() {
    return kContinuations;
}
std::span<const std::string_view> internalRemarks() {
    return kInternalRemarks;
}
std::span<const std::string_view> externalRemarks() {
    return kExternalRemarks;
}
std::span<const LabourTemplate> labourCatalogue() {
    return kLabour;
}

int32_t unitId(std::string_view unit) {
    for (const auto& u : kUnits) {
        if (u.name == unit) return u.id;
    }
    return 0;
}

int32_t unitDecimals(std::string_view unit) {
    for (const auto& u : kUnits) {
        if (u.name == unit) return u.decimals;
    }
    return 0;
}

}  // namespace omrix::demo
