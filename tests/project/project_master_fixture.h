#pragma once
// Project 12 with its master data, as the suite's other programs store it, and the
// inputs the two sheets open with over it.

#include <string>
#include <utility>

#include "project/forms/project_form.h"

namespace omrix::project {

inline constexpr double kTsuboFactor = 0.303;  // 0.3025 rounded at start-up

inline ProjectFormInputs projectInputs(data::CCCDBS_DataBase& db, std::string han = "01",
                                       int16_t kengen = 0, std::string bukkenNo = "12") {
    return {.db = &db,
            .bukkenNo = std::move(bukkenNo),
            .hanNo = std::move(han),
            .kengen = kengen,
            .tuboKansan = kTsuboFactor,
            .numbering = {}};
}

// Project 12 with its master data: seven lines of 特記事項 and of 支払条件.
inline constexpr const char* kMasterData =
    "Insert Into 物件管理 (物件管理ＩＤ, 物件No, 物件No枝番, 工事名称, 自社ＣＤ, 設計社ＣＤ, "
    " 物件規模管理ＩＤ, 物件工事場所管理ＩＤ, 物件杭管理ＩＤ, 物件建物管理ＩＤ, 物件特記管理ＩＤ) "
    " Values (1, '12  ', '0000', '本社ビル新築工事    ', 'J1  ', ' S1', 11, 12, 13, 14, 15);"
    "Insert Into 物件規模管理 (物件規模管理ＩＤ, 構造区分ＩＤ, 地下階, 地上階, ＰＨ階, 敷地面積,"
    " 建築面積, 延床面積, 施工床面積) Values (11, 2, 1, 9, 1, 1000, 600.5, 5000, 5100);"
    "Insert Into 物件工事場所管理 (物件工事場所管理ＩＤ, 都道府県ＩＤ, 受渡し場所住所) "
    " Values (12, 13, '千代田区丸の内1-1  ');"
    "Insert Into 物件杭管理 (物件杭管理ＩＤ, 杭工法ＩＤ, 杭長さ, 杭本数, 杭径) "
    " Values (13, 3, 25.5, 48, 600);"
    "Insert Into 物件建物管理 (物件建物管理ＩＤ, 主建物用途ＩＤ, 建物数量) Values (14, 4, 2);"
    "Insert Into 物件特記管理 (物件特記管理ＩＤ, 工期ＦＲＯＭ, 工期ＴＯ, 支払条件, 特記事項) "
    "Values "
    " (15, '2025-04-01 00:00:00', '2026-03-31 00:00:00',"
    "  '月末締め' || char(13) || ' 翌月払い ' || char(13) || '現金' || char(13) || '手形'"
    "  || char(13) || '五' || char(13) || '六' || char(13) || '七',"
    "  '一' || char(13) || '二' || char(13) || '三' || char(13) || '四' || char(13) || '五'"
    "  || char(13) || '六' || char(13) || '七');"
    "Insert Into 自社Ｍ (自社ＣＤ, 自社名) Values ('J1', '大和建設株式会社');"
    "Insert Into 設計社Ｍ (設計社ＣＤ, 設計社名) Values ('S1', '中央設計事務所');"
    "Insert Into 構造区分Ｍ (構造区分ＩＤ, 構造区分名称) Values (2, 'ＳＲＣ造');"
    "Insert Into 杭工法Ｍ (杭工法ＩＤ, 杭工法名称) Values (3, '場所打ち杭  ');"
    "Insert Into 建物用途Ｍ (建物用途ＩＤ, 建物用途名称) Values (4, '事務所');"
    "Insert Into 都道府県Ｍ (都道府県ＩＤ, 都道府県名称) Values (13, '東京都');";

}  // namespace omrix::project
