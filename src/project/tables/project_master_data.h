#pragma once
// The project master data a new sheet is filled from: 物件管理 of the main branch and
// the five detail rows it points to, with the names the masters give their IDs.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "project/tables/bukken_kanri.h"
#include "project/tables/bukken_kanri_details.h"

namespace omrix::data {
class CCCDBS_DataBase;
}

namespace omrix::project {

// The branch whose 物件管理 row holds the project's master data.
inline constexpr std::string_view kMainBranch = "0000";

struct ProjectMasterData {
    BukkenKanriRec kanri;
    BukkenKiboKanriRec kibo;
    BukkenKoujiBashoKanriRec basho;
    BukkenKuiKanriRec kui;
    BukkenTatemonoKanriRec tatemono;
    BukkenTokkiKanriRec tokki;
};

// Reads 物件管理 and its details in that order; the first read that fails shows message
// 3010 with its action and `procedureName`, and ends the reading with false.
bool fnReadProjectMasterData(data::CCCDBS_DataBase& db, std::string_view sBukkenNo,
                             std::string_view procedureName, ProjectMasterData& out);

// The texts both sheets take over, names looked up in the masters.
struct SiteTakeOver {
    std::string 工事名称;
    std::string 受渡し場所住所;    // 都道府県名称 and the site address
    std::string 設計者担当部署名;  // 設計社名
    std::string 発注者担当部署名;  // 自社名
    std::string 工期;              // "yyyy/mm/dd～yyyy/mm/dd"
    std::string 構造区分名称;
    std::string 建物用途名称;
};

SiteTakeOver siteTakeOver(data::CCCDBS_DataBase& db, const ProjectMasterData& master);

// The first `count` lines of a multi-line master text (lines end at CR), each trimmed.
std::vector<std::string> firstLines(std::string_view text, std::size_t count);

// Fills the site and building fields both sheets share; 発注者担当部署名 stays to the caller.
template <typename Rec>
void fillSiteFields(const ProjectMasterData& master, const SiteTakeOver& names, Rec& rec) {
    rec.工事名称 = names.工事名称;
    rec.受渡し場所住所 = names.受渡し場所住所;
    rec.設計者担当部署名 = names.設計者担当部署名;
    rec.工期 = names.工期;
    rec.構造区分名称 = names.構造区分名称;
    rec.地下階 = master.kibo.地下階;
    rec.地上階 = master.kibo.地上階;
    rec.ＰＨ階 = master.kibo.ＰＨ階;
    rec.敷地面積 = master.kibo.敷地面積;
    rec.建築面積 = master.kibo.建築面積;
    rec.延床面積 = master.kibo.延床面積;
    rec.施工床面積 = master.kibo.施工床面積;
    rec.建物用途名称 = names.建物用途名称;
    rec.建物数量 = master.tatemono.建物数量;
}

}  // namespace omrix::project
